// Calculation files and the commercial offer through the real windows: a calculation made as a
// user makes it, saved from the menu, opened again in a new set of windows (on the same and on a
// changed catalogue), bad files refused with the windows unchanged, and the basket offered as a
// PDF and a CSV file.
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <fstream>

#include "app/calculationio.h"
#include "app/windowset.h"
#include "basket/basketwindow.h"
#include "basket/optionswindow.h"
#include "catalogue/filenames.h"
#include "catalogue/unitlisttable.h"
#include "chiller/chilledliquiddialog.h"
#include "printing/pdfoutput.h"
#include "qtestmain.h"
#include "widgets/widgetstyle.h"
#include "windowfixture.h"

using namespace tundrix;
using namespace tundrix::testing;
namespace fs = std::filesystem;

namespace {

// Answers the next modal dialog: a file dialog gets `file`, a message box is accepted and its
// text kept, a print preview is closed and its class kept. It looks for the dialog while it
// lives (its timer goes with it).
struct ModalAnswer {
    QString file;
    QString text;
    QString className;
    QTimer timer;

    explicit ModalAnswer(QString target = {}) : file(std::move(target)) {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
        timer.start();
    }
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer.stop();
        className = QString::fromLatin1(modal->metaObject()->className());
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            const QFileInfo target(file);
            dialog->setDirectory(target.absolutePath());
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(target.fileName());
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            box->accept();
        } else if (auto* d = qobject_cast<QDialog*>(modal)) {
            d->reject();
        }
    }
};

QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class CalculationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowSet> s_;
    MainWindow* w_ = nullptr;
    QTemporaryDir dir_;

    template <typename T>
    T* main(const char* name) {
        return child<T>(w_, name);
    }
    void click(QWidget* window, const char* button) {
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
        QApplication::processEvents();
    }
    void open(const fs::path& data = sampleData()) {
        s_ = createWindows(data);
        w_ = s_->form1.get();
        s_->form6->setDecimalSeparator(decimalSeparator());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
    }
    QString file(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    // Triggers a menu item and answers its dialogs: the file dialog, then a message if any.
    QString throughMenu(const char* action, const QString& target) {
        // The file dialog first; a message after it (a failure, the catalogue's changes).
        ModalAnswer dialog(target);
        std::unique_ptr<ModalAnswer> message;
        QObject::connect(&dialog.timer, &QTimer::timeout, [&] {
            if (!dialog.timer.isActive() && !message)
                message = std::make_unique<ModalAnswer>();
        });
        w_->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        QApplication::processEvents();
        return message ? message->text : QString();
    }

    // What the user sees of a calculation, one line per control.
    QStringList snapshot() {
        QStringList s;
        s << QStringLiteral("tab %1").arg(main<QTabWidget>("PageControl1")->currentIndex());
        for (const char* e : {"evaporate", "condensate", "Edit7", "superheat", "subcool", "Edit11",
                              "Edit23"})
            s << QStringLiteral("%1 %2 %3")
                     .arg(QString::fromLatin1(e), main<QLineEdit>(e)->text())
                     .arg(isLocked(main<QLineEdit>(e)));
        for (const char* c : {"ComboBox8", "ComboBox6", "ComboBox5"})
            s << QStringLiteral("%1 %2").arg(QString::fromLatin1(c)).arg(main<QComboBox>(c)->currentIndex());
        for (const char* l : {"CheckListBox1", "CheckListBox2"})
            s << QString::fromLatin1(l) + QLatin1Char(' ') +
                     checkedItems(main<QListWidget>(l)).join(QLatin1Char(','));
        for (const char* c : {"CheckBox5", "CheckBox3"})
            s << QStringLiteral("%1 %2").arg(QString::fromLatin1(c)).arg(main<QCheckBox>(c)->isChecked());
        for (const char* l : {"Label51", "Label52", "Label53", "Label55", "LabelSafety"})
            s << QString::fromLatin1(l) + QLatin1Char(' ') + main<QLabel>(l)->text();
        if (UnitTab* t = w_->shownUnitTab()) {
            s << QStringLiteral("cursor %1 %2").arg(t->grid->currentRow()).arg(t->model->text());
            for (int r = 0; r < t->grid->rowCount(); ++r)
                for (int c = 0; c < 6; ++c)
                    s << cell(t->grid, r, c);
            for (int c = 0; c < t->optionsGrid->columnCount(); ++c)
                s << cell(t->optionsGrid, 1, c);
        }
        const Basket& b = s_->form6->basket();
        for (int r = 1; r < b.rowCount(); ++r)
            for (int c = 0; c < Basket::kColumns && b.isItem(r); ++c)
                s << QStringLiteral("basket ") + QString::fromStdString(b.cell(c, r));
        if (b.isItem(1))  // an empty basket shows its total only once something was added
            s << QStringLiteral("total ") + QString::fromStdString(b.total());
        ChilledLiquidDialog* d = s_->form8.get();
        for (const char* e : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
            s << QString::fromLatin1(e) + QLatin1Char(' ') + child<QLineEdit>(d, e)->text();
        s << QStringLiteral("liquid %1 unit %2")
                 .arg(child<QComboBox>(d, "ComboBox2")->currentIndex())
                 .arg(child<QComboBox>(d, "ComboBox1")->currentIndex());
        return s;
    }

    // A calculation on the condensing-unit tab: the refrigerant, middle level, every brand, typed
    // conditions, the cursor moved, an option ticked, two units in the basket, one price edited.
    void makeCondensingCalculation(int refrigerant = 0) {
        showTab(main<QTabWidget>("PageControl1"), MainWindow::Condensing);
        main<QComboBox>("ComboBox8")->setCurrentIndex(refrigerant);
        main<QComboBox>("ComboBox6")->setCurrentIndex(2);
        QListWidget* brands = main<QListWidget>("CheckListBox1");
        for (int i = 0; i < brands->count(); ++i)
            brands->item(i)->setCheckState(Qt::Checked);
        for (auto [edit, text] : {std::pair{"evaporate", "-12"}, {"superheat", "8"},
                                  {"Edit11", "9"}})
            typeAndLeave(w_, main<QLineEdit>(edit), QString::fromLatin1(text),
                         main<QLineEdit>("subcool"));
        click(w_, "Button8");
        click(w_, "Button7");  // ">"
        click(w_, "Button7");
        click(w_, "Button35");
        OptionsWindow* options = s_->form7.get();
        QListWidget* lines = child<QListWidget>(options, "CheckListBox1");
        QVERIFY(lines->count() > 0);
        lines->item(0)->setCheckState(Qt::Checked);
        click(options, "Button1");
        QTableWidget* g = main<QTableWidget>("StringGrid1");
        for (int row : {g->currentRow(), g->currentRow() - 1}) {
            g->setCurrentCell(row, 0);
            emit g->cellDoubleClicked(row, 0);
        }
        QTableWidget* basket = child<QTableWidget>(s_->form6.get(), "StringGrid1");
        basket->item(2, Basket::Price)->setText(QStringLiteral("999"));
        QCOMPARE(s_->form6->basket().cell(Basket::Price, 2), std::string("999"));
    }

private slots:
    void init() {
        QVERIFY2(haveSampleData(), "the sample catalogue has not been generated");
        open();
    }
    void cleanup() {
        s_.reset();
        w_ = nullptr;
    }

    void theMenuAndTheBasketCarryTheItems() {
        auto* save = w_->findChild<QAction*>(QStringLiteral("MenuSaveCalculation"));
        auto* previous = w_->findChild<QAction*>(QStringLiteral("MenuOpenPrevious"));
        QVERIFY(save && previous);
        QVERIFY(save->isVisible() && previous->isVisible());
        QCOMPARE(save->text(), QStringLiteral("Сохранить расчет..."));
        QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(previous->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(child<QPushButton>(s_->form6.get(), "Button3")->text(),
                 QStringLiteral("Коммерческое предложение..."));
        QCOMPARE(child<QPushButton>(s_->form6.get(), "Button4")->text(),
                 QStringLiteral("Экспорт в CSV..."));
    }

    void aSavedCalculationComesBackInANewRun() {
        makeCondensingCalculation(5);  // R290: its safety class beside the selector comes back too
        const QStringList before = snapshot();
        QCOMPARE(throughMenu("MenuSaveCalculation", file("first")), QString());
        QVERIFY(QFile::exists(file("first.tundrix")));

        open();  // a new set of windows, as after starting the program again
        QVERIFY(snapshot() != before);
        QCOMPARE(throughMenu("MenuOpenPrevious", file("first.tundrix")), QString());
        QCOMPARE(snapshot(), before);
        // The cursor stands on the unit put into the basket last.
        QCOMPARE(s_->form6->basket().unit(2)->name,
                 w_->catalogue().agrlist.name[std::size_t(
                     w_->catalogue().agrlist.order[std::size_t(
                         main<QTableWidget>("StringGrid1")->currentRow() + 1)])]);
    }

    void theChillerTabAndItsLiquidComeBack() {
        showTab(main<QTabWidget>("PageControl1"), MainWindow::Chiller);
        ChilledLiquidDialog* d = s_->form8.get();
        child<QComboBox>(d, "ComboBox2")->setCurrentIndex(1);
        child<QLineEdit>(d, "Edit5")->setText(QStringLiteral("30"));
        child<QLineEdit>(d, "Edit2")->setText(QStringLiteral("7"));
        child<QLineEdit>(d, "Edit3")->setText(QStringLiteral("3"));
        child<QComboBox>(d, "ComboBox1")->setCurrentIndex(1);
        click(d, "Button2");  // "Применить"
        main<QComboBox>("ComboBox5")->setCurrentIndex(5);
        QApplication::processEvents();
        const QStringList before = snapshot();
        QVERIFY(saveCalculationFile(*s_, file("chiller.tundrix")));
        open();
        QVERIFY(openCalculationFile(*s_, file("chiller.tundrix")));
        QCOMPARE(snapshot(), before);
    }

    void aBadFileIsRefusedAndNothingChanges() {
        makeCondensingCalculation();
        const QStringList before = snapshot();
        const std::pair<const char*, const char*> bad[] = {
            {"text.tundrix", "not json at all"},
            {"newer.tundrix", R"({"format":"tundrix-calculation","version":3,"inputs":{}})"},
            {"other.tundrix", R"({"format":"spreadsheet","version":1})"},
            {"gas.tundrix",
             R"({"format":"tundrix-calculation","version":1,"inputs":{"refrigerant":77}})"},
            {"kind.tundrix",
             R"({"format":"tundrix-calculation","version":1,"inputs":{},"basket":[{"type":"",)"
             R"("model":"A","quantity":1,"price":1,"unit":{"kind":"zz","refrigerant":0,)"
             R"("brand":1,"level":1,"name":"A"}}]})"},
            {"level.tundrix",
             R"({"format":"tundrix-calculation","version":1,"inputs":{"level":"2"}})"}};
        for (const auto& [name, text] : bad) {
            std::ofstream(file(name).toStdString()) << text;
            ModalAnswer message;
            QVERIFY(!openCalculationFile(*s_, file(name)));
            QVERIFY2(message.text.contains(file(name)), qPrintable(message.text));
            QVERIFY2(message.text.contains(QStringLiteral("не открыт:")), qPrintable(message.text));
            QCOMPARE(snapshot(), before);
        }
    }

    void aFailedSaveSaysSoAndKeepsThePreviousFile() {
        // The longest name a file may have: no temporary file can be named after it.
        const QString target = dir_.filePath(QString(247, QLatin1Char('k')) + ".tundrix");
        std::ofstream(target.toStdString()) << "old";
        ModalAnswer message;
        QVERIFY(!saveCalculationFile(*s_, target));
        QVERIFY(message.text.contains(QStringLiteral("Расчет не сохранен")));
        std::ifstream in(target.toStdString());
        std::string kept;
        in >> kept;
        QCOMPARE(kept, std::string("old"));
    }

    // Saved on the sample catalogue, opened on a copy where one unit list changed since.
    void whatChangedInTheCatalogueIsToldInOneMessage() {
        makeCondensingCalculation();
        QVERIFY(saveCalculationFile(*s_, file("changed.tundrix")));
        const Basket& basket = s_->form6->basket();
        QVERIFY(basket.unit(1) && basket.unit(2));
        const BasketUnit dearer = *basket.unit(1);
        const BasketUnit gone = *basket.unit(2);
        const std::string list =
            agrfilename(UnitKind::Out, dearer.level, dearer.brand, dearer.refrigerant);
        QCOMPARE(agrfilename(UnitKind::Out, gone.level, gone.brand, gone.refrigerant), list);

        const fs::path data = fs::path(dir_.path().toStdString()) / "data";
        fs::create_directories(data / "agrdata");
        for (const auto& e : fs::directory_iterator(sampleData()))
            if (e.path().filename() != "agrdata")
                fs::create_symlink(e.path(), data / e.path().filename());
        for (const auto& e : fs::directory_iterator(sampleData() / "agrdata"))
            if (e.path().filename() != list)
                fs::create_symlink(e.path(), data / "agrdata" / e.path().filename());
        UnitListTable t;
        QVERIFY(t.load(sampleData() / "agrdata" / list));
        for (int r = 1; r <= UnitListTable::kUnitRows; ++r) {
            if (t.cell(0, r) == dearer.name)
                t.setCell(10, r, std::to_string(std::stoi(t.cell(10, r)) + 50));
            if (t.cell(0, r) == gone.name)
                t.setCell(0, r, gone.name + "-old");
        }
        QVERIFY(t.save(data / "agrdata" / list));

        open(data);
        ModalAnswer message;
        QVERIFY(openCalculationFile(*s_, file("changed.tundrix")));
        const QString text = message.text;
        QVERIFY2(text.contains(QStringLiteral("каталог с тех пор изменился")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("в корзине оставлена цена расчета")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("«%1» больше не найден в каталоге (корзина)")
                                   .arg(QString::fromStdString(gone.name))),
                 qPrintable(text));
        // The basket keeps the price it was saved with.
        QCOMPARE(s_->form6->basket().cell(Basket::Price, 2), std::string("999"));
    }

    void theBasketIsOfferedAsPdfAndCsv() {
        makeCondensingCalculation();
        ModalAnswer preview;
        click(s_->form6.get(), "Button3");
        QCOMPARE(preview.className, QStringLiteral("QPrintPreviewDialog"));

        const OfferModel offer = offerFromWindows(*s_);
        QCOMPARE(int(offer.items.size()), 2);
        QVERIFY(!offer.items[0].options.isEmpty());
        QVERIFY(!offer.items[0].picture.isNull());
        QVERIFY(writeOfferPdf(offer, file("offer.pdf")));
        const QString text = pdfText(file("offer.pdf"));
        const Basket& b = s_->form6->basket();
        for (int r = 1; r <= 2; ++r)
            QVERIFY(text.contains(QString::fromStdString(b.cell(Basket::Model, r))));
        QVERIFY(text.contains(QStringLiteral("Итого, EUR:")));
        QVERIFY(text.contains(QString::fromStdString(b.total())));
        QVERIFY(text.contains(QStringLiteral("Страница 1 из")));

        ModalAnswer dialog(file("basket"));
        click(s_->form6.get(), "Button4");
        QFile csv(file("basket.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.contains(QByteArray(";999;")));
    }
};

TUNDRIX_QTEST_MAIN(CalculationTest)
#include "calculation_test.moc"
