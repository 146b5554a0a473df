// The whole road of a catalogue maintainer through the program's own windows: a new compressor
// enters a coefficient file through the table builder (ten points, "Коэффициенты", envelope,
// "Внести", "Записать"), the calculator on the main window offers it, the unit list editor
// composes a new unit list of it, and the selection on the main window lists those units with
// the performance of the fitted polynomials. Once for R404A in the shared Bock file, once for
// R290 in a Copeland Stream file of its own that does not exist yet.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <array>
#include <filesystem>
#include <memory>

#include "app/windowset.h"
#include "catalogue/coefimage.h"
#include "catalogue/unitlisttable.h"
#include "engine/polyfit.h"
#include "qtestmain.h"
#include "tools/unitlisteditor.h"
#include "widgetaccess.h"

namespace fs = std::filesystem;
using namespace tundrix;

using namespace tundrix::testing;

namespace {

QPushButton* buttonCaptioned(QWidget* w, const char* caption) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8(caption))
            return b;
    qFatal("no button %s", caption);
}

void setCell(QTableWidget* grid, int row, int column, const QString& text) {
    if (!grid->item(row, column))
        grid->setItem(row, column, new QTableWidgetItem);
    grid->item(row, column)->setText(text);
}

// Numbers as the user types them: the locale's decimal separator.
QString typed(double v) {
    return QString::number(v, 'g', 17).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

double shown(const QString& text) {
    bool ok = false;
    const double v = QLocale().toDouble(text, &ok);
    return ok ? v : std::nan("");
}

// Every message box that opens, read and closed at once (a modal one would stop the test).
class MessageWatch {
public:
    MessageWatch() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { sweep(); });
        timer_.start();
    }
    QStringList take() {
        sweep();
        QStringList t;
        t.swap(texts_);
        return t;
    }

private:
    void sweep() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && box->isVisible()) {
                texts_ << box->text();
                box->done(QMessageBox::Ok);
            }
        }
    }
    QTimer timer_;
    QStringList texts_;
};

// A catalogue folder of the test's own: the sample linked in entry by entry, the unit lists one
// by one, so that whatever the tools write replaces a link here and never the sample itself.
void linkSample(const fs::path& root) {
    const fs::path sample(TUNDRIX_SAMPLE_DATA);
    for (const auto& e : fs::directory_iterator(sample)) {
        const fs::path name = e.path().filename();
        if (name == "agrdata") {
            fs::create_directories(root / name);
            for (const auto& f : fs::directory_iterator(e.path()))
                fs::create_symlink(f.path(), root / name / f.path().filename());
        } else {
            fs::create_symlink(e.path(), root / name);
        }
    }
}

// The new compressor's rated quantities; heat rejection (the fourth set of a Bock record) is
// capacity plus power.
const Poly10 kCapacity = {45, 1.6, -0.45, 0.018, -0.012, 0.001, 1e-4, -5e-5, 3e-5, -5e-6};
const Poly10 kPower = {1.25, -0.015, 0.045, -1e-4, 1.5e-4, 1e-4, -5e-7, 1e-6, -1.5e-6, 5e-7};
const Poly10 kCurrent = {4.2, -0.04, 0.11, -2e-4, 3e-4, 2e-4, -1e-6, 2e-6, -3e-6, 1e-6};
Poly10 heatRejection() {
    Poly10 h{};
    for (int i = 0; i < 10; ++i)
        h[std::size_t(i)] = kCapacity[std::size_t(i)] + kPower[std::size_t(i)];
    return h;
}

// The envelope of a low-temperature R404A compressor, corners counter-clockwise (the calculator
// lists a Bock record for the low level when its first corner lies below -30 and its third at
// or below 0).
const CoefImage::Envelope kEnvelope = {-45, 20, -20, 20, 0, 30, 0, 55, -20, 55, -45, 40};

const QString kNewCompressor = QStringLiteral("HGX-TEST 7/40");

// One road: the builder's brand and refrigerant buttons, the refrigerant of the main window, the
// coefficient file written, the editor's buttons (kind, brand, level, refrigerant), the unit
// list written and the brand's item in the brand check list.
struct Road {
    const char* builderBrand;
    const char* builderRefrigerant;
    int refrigerant;
    const char* coefficientFile;
    std::array<const char*, 4> editorButtons;
    const char* unitList;
    int brandItem;  // in the brand check list and the calculator's brand selector
};

}  // namespace

class MaintainerPathTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    fs::path data_;
    std::unique_ptr<WindowSet> w_;
    std::unique_ptr<MessageWatch> messages_;

private slots:
    void initTestCase() {
        if (!fs::exists(fs::path(TUNDRIX_SAMPLE_DATA) / "bock.dat"))
            QFAIL("the sample catalogue has not been generated");
        QVERIFY(dir_.isValid());
        data_ = fs::path(dir_.path().toStdString());
        linkSample(data_);
        messages_ = std::make_unique<MessageWatch>();
        w_ = createWindows(data_);
        w_->form1->setMaintenanceMode(true);
        w_->form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_->form1.get()));
    }
    void cleanupTestCase() {
        w_.reset();
        messages_.reset();
    }

    void newCompressorNewUnitListNewSelection() {
        road({"RadioButton5",
              "RadioButton1",
              0,
              "bock.dat",
              {"RadioButton11", "RadioButton9", "RadioButton1", "RadioButton4"},
              "agrbocklow404a.dat",
              0});
    }

    void aLaterRefrigerantGetsAFileOfItsOwn() {
        QVERIFY(!fs::exists(data_ / "dwmcopeland290.dat"));
        road({"RadioButton7",
              "RadioButton8",
              5,
              "dwmcopeland290.dat",
              {"RadioButton11", "RadioButton15", "RadioButton1", "RadioButton21"},
              "agrcoplow290.dat",
              3});
        QCOMPARE(fs::file_size(data_ / "dwmcopeland290.dat"), std::uintmax_t(70'800));
    }

private:
    void road(const Road& road) {
        MainWindow& main = *w_->form1;
        const fs::path bockFile = data_ / road.coefficientFile;
        auto before = std::make_unique<CoefImage>();
        if (fs::exists(bockFile))
            QVERIFY(before->load(bockFile));
        int record = 0;  // the first free record of the refrigerant's table takes the compressor
        for (int k = 1; k <= 150 && record == 0; ++k)
            if (before->isFree(0, k))
                record = k;
        QVERIFY(record > 0);

        // The maintainer starts on the description tab with the calculator already showing the
        // brand's compressors of the low level for the refrigerant.
        child<QTabWidget>(&main, "PageControl1")->setCurrentIndex(MainWindow::Description);
        const CalculatorTab& calc = main.calculatorTab();
        child<QComboBox>(&main, "ComboBox8")->setCurrentIndex(road.refrigerant);
        calc.comboBox9->setCurrentIndex(0);
        calc.comboBox7->setCurrentIndex(road.brandItem);
        QApplication::processEvents();
        QCOMPARE(calc.selectcompr->findText(kNewCompressor), -1);

        // The table builder, from the maintenance menu: brand, then refrigerant.
        main.findChild<QAction*>(QStringLiteral("MenuPolynomial"))->trigger();
        QApplication::processEvents();
        QWidget* builder = w_->form3.get();
        QVERIFY(builder->isVisible());
        child<QRadioButton>(builder, road.builderBrand)->click();
        child<QRadioButton>(builder, road.builderRefrigerant)->click();
        QVERIFY(messages_->take().isEmpty());

        // Ten catalogue points of the compressor, then its coefficients.
        auto* points = child<QTableWidget>(builder, "StringGrid1");
        const double to[10] = {-30, -30, -20, -20, -10, -10, -10, 0, 0, 5};
        const double tc[10] = {30, 50, 35, 55, 30, 45, 55, 40, 50, 45};
        const Poly10 heat = heatRejection();
        for (int q = 0; q < 10; ++q) {
            setCell(points, q + 1, 0, typed(poly10(kCapacity, to[q], tc[q])));
            setCell(points, q + 1, 1, typed(poly10(kPower, to[q], tc[q])));
            setCell(points, q + 1, 2, typed(poly10(kCurrent, to[q], tc[q])));
            setCell(points, q + 1, 3, typed(poly10(heat, to[q], tc[q])));
            setCell(points, q + 1, 4, typed(to[q]));
            setCell(points, q + 1, 5, typed(tc[q]));
        }
        QTest::mouseClick(buttonCaptioned(builder, "Коэффициенты"), Qt::LeftButton);
        // The trial at a point between the catalogue points gives the compressor's capacity.
        child<QLineEdit>(builder, "Edit1")->setText(typed(-25));
        child<QLineEdit>(builder, "Edit2")->setText(typed(40));
        QTest::mouseClick(buttonCaptioned(builder, "расчет "), Qt::LeftButton);
        QVERIFY(std::abs(shown(child<QLineEdit>(builder, "Edit3")->text()) -
                         poly10(kCapacity, -25, 40)) < 1e-6);

        // The envelope corners, the name, "Внести" and "Записать".
        auto* corners = child<QTableWidget>(builder, "StringGrid4");
        for (int i = 0; i < 6; ++i) {
            setCell(corners, i + 1, 0, typed(kEnvelope[std::size_t(2 * i)]));
            setCell(corners, i + 1, 1, typed(kEnvelope[std::size_t(2 * i + 1)]));
        }
        child<QLineEdit>(builder, "Edit8")->setText(kNewCompressor);
        QTest::mouseClick(buttonCaptioned(builder, "Внести"), Qt::LeftButton);
        QTest::mouseClick(buttonCaptioned(builder, "Записать"), Qt::LeftButton);
        QVERIFY(messages_->take().isEmpty());
        QTest::mouseClick(buttonCaptioned(builder, "Закрыть"), Qt::LeftButton);

        auto written = std::make_unique<CoefImage>();
        QVERIFY(written->load(bockFile));
        QCOMPARE(QString::fromStdString(written->name(0, record)), kNewCompressor);
        QCOMPARE(written->envelope(0, record), kEnvelope);
        QVERIFY(std::abs(written->coefs(0, record, CoefImage::Capacity)[0] - kCapacity[0]) < 1e-6);
        // Every record that was there before is still there.
        for (int k = 1; k <= 150; ++k)
            if (k != record)
                QCOMPARE(written->name(0, k), before->name(0, k));

        // The calculator offers the written compressor at once, without another choice.
        const int position = calc.selectcompr->findText(kNewCompressor);
        QVERIFY2(position >= 0, "the calculator does not list the new compressor");
        calc.selectcompr->setCurrentIndex(position);
        calc.checkBox4->setChecked(false);
        calc.checkBox2->setChecked(true);  // compressor-receiver units have no condenser

        // The unit list editor, from the maintenance menu: low-temperature compressor-receiver
        // units of the brand and refrigerant, two units of the new compressor.
        main.findChild<QAction*>(QStringLiteral("MenuUnitList"))->trigger();
        QApplication::processEvents();
        QWidget* editor = w_->form2.get();
        QVERIFY(editor->isVisible());
        for (const char* radio : road.editorButtons)
            child<QRadioButton>(editor, radio)->click();
        QCOMPARE(child<QLineEdit>(editor, "Edit1")->text(), QString::fromLatin1(road.unitList));
        calc.edit12->setValue(2);
        QTest::mouseClick(child<QPushButton>(editor, "Button3"), Qt::LeftButton);
        calc.edit12->setValue(1);
        QTest::mouseClick(child<QPushButton>(editor, "Button3"), Qt::LeftButton);
        auto* units = child<QTableWidget>(editor, "StringGrid1");
        const QString twin = cell(units, 0, 0), single = cell(units, 1, 0);
        QVERIFY(twin.endsWith(QStringLiteral("-2x") + kNewCompressor));
        QVERIFY(single.endsWith(QStringLiteral("-") + kNewCompressor));
        // Both rows refer to the new record of the coefficient file.
        QCOMPARE(cell(units, 0, 3), QString::number(record));
        QCOMPARE(cell(units, 1, 3), QString::number(record));
        QCOMPARE(cell(units, 0, 6), QStringLiteral("0"));
        QTest::mouseClick(child<QPushButton>(editor, "Button1"), Qt::LeftButton);
        QVERIFY(messages_->take().isEmpty());
        auto list = std::make_unique<UnitListTable>();
        QVERIFY(list->load(data_ / "agrdata" / road.unitList));
        QCOMPARE(QString::fromStdString(list->cell(0, 1)), twin);
        QTest::mouseClick(child<QPushButton>(editor, "Button2"), Qt::LeftButton);

        // The selection on the compressor-receiver tab: the brand only, low level, -25 / 40.
        auto* pages = child<QTabWidget>(&main, "PageControl1");
        pages->setCurrentIndex(MainWindow::Receiver);
        QApplication::processEvents();
        QListWidget* brands = child<QListWidget>(&main, "CheckListBox1");
        for (int i = 0; i < brands->count(); ++i)
            brands->item(i)->setCheckState(i == road.brandItem ? Qt::Checked : Qt::Unchecked);
        child<QComboBox>(&main, "ComboBox6")->setCurrentIndex(1);
        child<QLineEdit>(&main, "evaporate")->setText(typed(-25));
        child<QLineEdit>(&main, "condensate")->setText(typed(40));
        child<QLineEdit>(&main, "superheat")->setText(typed(10));
        child<QLineEdit>(&main, "subcool")->setText(typed(0));
        QApplication::processEvents();
        QTest::mouseClick(child<QPushButton>(&main, "Button10"), Qt::LeftButton);
        QApplication::processEvents();

        QTableWidget* results = main.unitTab(MainWindow::Receiver).grid;
        QCOMPARE(results->rowCount(), 2);
        // Ascending by capacity: the single compressor first. At the rating's superheat and
        // subcooling the figures are the fitted polynomials times the compressor counts.
        const struct {
            QString name;
            int count;
        } expected[2] = {{single, 1}, {twin, 2}};
        for (int r = 0; r < 2; ++r) {
            const int n = expected[r].count;
            QCOMPARE(cell(results, r, 0), expected[r].name);
            const double want[4] = {n * poly10(kCapacity, -25, 40), n * poly10(kPower, -25, 40),
                                    n * poly10(heat, -25, 40), n * poly10(kCurrent, -25, 40)};
            for (int c = 1; c <= 4; ++c)
                QVERIFY2(std::abs(shown(cell(results, r, c)) - want[c - 1]) < 0.0051,
                         qPrintable(QStringLiteral("row %1 column %2: %3 instead of %4")
                                        .arg(r)
                                        .arg(c)
                                        .arg(cell(results, r, c))
                                        .arg(want[c - 1])));
        }
    }
};

TUNDRIX_QTEST_MAIN(MaintainerPathTest)
#include "maintainerpath_qtest.moc"
