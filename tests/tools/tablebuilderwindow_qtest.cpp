// The compressor table builder window driven the way a maintainer drives it: choose a brand and
// a refrigerant, type ten points, fit, try a point, enter, write; and the failures it reports.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "catalogue/coefimage.h"
#include "engine/polyfit.h"
#include "filelimit.h"
#include "qtestmain.h"
#include "selection/numbers.h"
#include "tools/tablebuilderwindow.h"
#include "widgetaccess.h"

using namespace tundrix;

using namespace tundrix::testing;

namespace {

void setCell(QTableWidget* grid, int row, int column, const QString& text) {
    if (!grid->item(row, column))
        grid->setItem(row, column, new QTableWidgetItem);
    grid->item(row, column)->setText(text);
}

const Poly10 kCapacity = {20.5,   0.71,   -0.23,   0.0105, -0.0031,
                          0.0007, 4.1e-5, -2.2e-5, 1.3e-5, -6e-6};

QString comma(double v) {
    return QString::number(v, 'g', 17).replace(QLatin1Char('.'), QLatin1Char(','));
}

}  // namespace

class TableBuilderWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<TableBuilderWindow> w_;

    std::filesystem::path folder() const { return dir_.path().toStdString(); }
    QPushButton* button(const char* caption) {
        for (QPushButton* b : w_->findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(caption))
                return b;
        qFatal("no button %s", caption);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void init() {
        CoefImage img;
        img.setName(0, 1, "HGX12P/60-4");
        img.setName(0, 2, "HGX22P/125-4");
        img.setName(2, 1, "HGX34P/215-4");
        img.setEnvelope(0, 2, {-40, 20, -40, 45, -10, 55, 10, 55, 10, 30, -20, 20});
        img.setCoefs(0, 2, CoefImage::Capacity, kCapacity);
        QVERIFY(img.save(folder() / "bock.dat"));
        std::filesystem::remove(folder() / "bitzer.dat");
        w_ = std::make_unique<TableBuilderWindow>(folder());
        w_->show();
    }
    void cleanup() { w_.reset(); }

    void controlsAndCaptions() {
        QCOMPARE(w_->objectName(), QStringLiteral("TForm3"));
        QCOMPARE(w_->windowTitle(), QStringLiteral("Создание таблицы компрессоров"));
        QCOMPARE(child<QGroupBox>(w_.get(), "GroupBox2")->title(),
                 QStringLiteral("Марка компрессора"));
        QCOMPARE(child<QRadioButton>(w_.get(), "RadioButton7")->text(),
                 QStringLiteral("Copeland Stream"));
        QCOMPARE(child<QRadioButton>(w_.get(), "RadioButton1")->text(), QStringLiteral("R404a"));
        QCOMPARE(child<QCheckBox>(w_.get(), "CheckBox1")->text(),
                 QStringLiteral("Только последний столбец"));
        QCOMPARE(child<QLineEdit>(w_.get(), "Edit1")->text(), QStringLiteral("-10"));
        QCOMPARE(child<QLineEdit>(w_.get(), "Edit2")->text(), QStringLiteral("45"));
        QCOMPARE(child<QLineEdit>(w_.get(), "Edit6")->text(), QStringLiteral("10"));
        QVERIFY(child<QLabel>(w_.get(), "Label6")
                    ->text()
                    .startsWith(QStringLiteral("y = c1 + c2*to + c3*tc")));
        auto* g1 = child<QTableWidget>(w_.get(), "StringGrid1");
        QCOMPARE(g1->rowCount(), 11);
        QCOMPARE(cell(g1, 0, 3), QStringLiteral("Qmo"));
        auto* g2 = child<QTableWidget>(w_.get(), "StringGrid2");
        QCOMPARE(cell(g2, 10, 0), QStringLiteral("10"));
        QCOMPARE(cell(g2, 0, 4), QStringLiteral("mo"));
        QCOMPARE(cell(child<QTableWidget>(w_.get(), "StringGrid4"), 0, 1), QStringLiteral("Yi"));
        for (const char* caption : {"Коэффициенты", "расчет ", "Внести", "Записать", "открыть",
                                    "Удалить последний", "перегнать", "Закрыть"})
            QVERIFY(button(caption));
    }

    void brandWithoutRefrigerantListsEveryTable() {
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox1")->count(), 0);
        auto* g3 = child<QTableWidget>(w_.get(), "StringGrid3");
        QCOMPARE(g3->rowCount(), 4);
        QCOMPARE(cell(g3, 1, 0), QStringLiteral("HGX12P/60-4"));
        QCOMPARE(cell(g3, 2, 1), QStringLiteral("R407C"));  // record 1 of table 3 before record 2
        QCOMPARE(cell(g3, 3, 0), QStringLiteral("HGX22P/125-4"));
    }

    void choosingACompressorShowsItsSetsAndEnvelope() {
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        child<QRadioButton>(w_.get(), "RadioButton1")->click();
        auto* combo = child<QComboBox>(w_.get(), "ComboBox1");
        QCOMPARE(combo->count(), 2);
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        QCOMPARE(child<QLineEdit>(w_.get(), "Edit8")->text(), QStringLiteral("HGX22P/125-4"));
        auto* g2 = child<QTableWidget>(w_.get(), "StringGrid2");
        QCOMPARE(cell(g2, 1, 1), QStringLiteral("20,5"));
        QCOMPARE(cell(g2, 3, 1), QStringLiteral("-0,23"));
        QCOMPARE(cell(g2, 7, 1), QStringLiteral("0"));  // 4.1e-5 shows as 0
        auto* g4 = child<QTableWidget>(w_.get(), "StringGrid4");
        QCOMPARE(cell(g4, 3, 0), QStringLiteral("-10"));
        QCOMPARE(cell(g4, 6, 1), QStringLiteral("20"));
        // The trial uses the full coefficients, not the rounded display.
        QTest::mouseClick(button("расчет "), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(w_.get(), "Edit3")->text(),
                 QString::fromStdString(formatGeneral(poly10(kCapacity, -10, 45), ',')));
        QCOMPARE(child<QLineEdit>(w_.get(), "Edit4")->text(), QStringLiteral("0"));
    }

    void tenTypedPointsFitAndEnterAndWrite() {
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        child<QRadioButton>(w_.get(), "RadioButton2")->click();
        auto* g1 = child<QTableWidget>(w_.get(), "StringGrid1");
        const double to[10] = {-30, -30, -20, -20, -10, -10, -10, 0, 0, 5};
        const double tc[10] = {30, 50, 35, 55, 30, 45, 55, 40, 50, 45};
        for (int q = 0; q < 10; ++q) {
            const double y = poly10(kCapacity, to[q], tc[q]);
            setCell(g1, q + 1, 0, comma(y));
            setCell(g1, q + 1, 1, comma(y / 3));
            setCell(g1, q + 1, 2, QStringLiteral("не число"));  // counts as 0
            setCell(g1, q + 1, 3, QStringLiteral("1,5"));
            setCell(g1, q + 1, 4, comma(to[q]));
            setCell(g1, q + 1, 5, comma(tc[q]));
        }
        QTest::mouseClick(button("Коэффициенты"), Qt::LeftButton);
        auto* g2 = child<QTableWidget>(w_.get(), "StringGrid2");
        QCOMPARE(cell(g2, 1, 1), QStringLiteral("20,5"));
        QCOMPARE(cell(g2, 2, 1), QStringLiteral("0,71"));
        QCOMPARE(cell(g2, 1, 3), QStringLiteral("0"));
        QCOMPARE(cell(g2, 1, 4), QStringLiteral("1,5"));
        QCOMPARE(w_->builder().sets().c[9], kCapacity[9]);

        // "Только последний столбец": only mo changes.
        for (int q = 0; q < 10; ++q)
            setCell(g1, q + 1, 3, QStringLiteral("2"));
        setCell(g1, 1, 0, QStringLiteral("999"));
        child<QCheckBox>(w_.get(), "CheckBox1")->setChecked(true);
        QTest::mouseClick(button("Коэффициенты"), Qt::LeftButton);
        QCOMPARE(cell(g2, 1, 1), QStringLiteral("20,5"));
        QCOMPARE(cell(g2, 1, 4), QStringLiteral("2"));

        child<QLineEdit>(w_.get(), "Edit8")->setText(QStringLiteral("NEW-1"));
        setCell(child<QTableWidget>(w_.get(), "StringGrid4"), 1, 0, QStringLiteral("-45,5"));
        QTest::mouseClick(button("Внести"), Qt::LeftButton);
        auto* g3 = child<QTableWidget>(w_.get(), "StringGrid3");
        // The R22 table was empty: two blank rows under the heading, then the new entry.
        QCOMPARE(g3->rowCount(), 4);
        QCOMPARE(cell(g3, 3, 0), QStringLiteral("NEW-1"));
        QCOMPARE(cell(g3, 3, 1), QStringLiteral("R22"));
        QTest::mouseClick(button("Записать"), Qt::LeftButton);

        CoefImage written;
        QVERIFY(written.load(folder() / "bock.dat"));
        QCOMPARE(QString::fromStdString(written.name(1, 1)), QStringLiteral("NEW-1"));
        QCOMPARE(written.envelope(1, 1)[0], -45.5);
        QCOMPARE(written.coefs(1, 1, CoefImage::Capacity)[1], w_->builder().sets().c[1]);
        QCOMPARE(QString::fromStdString(written.name(0, 2)), QStringLiteral("HGX22P/125-4"));
    }

    // Minimised and restored, the window is as it was; only the program opening it again starts
    // it afresh.
    void restoringAfterMinimisingKeepsTheChoiceAndEnterStores() {
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        child<QRadioButton>(w_.get(), "RadioButton1")->click();
        w_->showMinimized();
        QApplication::processEvents();
        w_->showNormal();
        QApplication::processEvents();
        QVERIFY(child<QRadioButton>(w_.get(), "RadioButton1")->isChecked());
        child<QLineEdit>(w_.get(), "Edit8")->setText(QStringLiteral("AFTER-RESTORE"));
        QTest::mouseClick(button("Внести"), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w_->builder().image().name(0, 3)),
                 QStringLiteral("AFTER-RESTORE"));
        w_->hide();
        w_->show();
        QVERIFY(!child<QRadioButton>(w_.get(), "RadioButton1")->isChecked());
        QCOMPARE(w_->builder().refrigerant(), TableBuilder::kNoRefrigerant);
    }

    // A brand file shorter than its layout: nothing of the file read before stays, and the
    // maintainer is told.
    void aShortFileIsSaidToBeShortAndLeavesNothingOfTheLastOne() {
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        child<QRadioButton>(w_.get(), "RadioButton3")->click();  // R407C: HGX34P/215-4
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox1")->count(), 1);
        std::filesystem::resize_file(folder() / "bock.dat", 2000);
        const auto text = catchMessage();
        QTest::mouseClick(button("открыть"), Qt::LeftButton);
        QVERIFY2(text->contains(QStringLiteral("короче своего формата")), qPrintable(*text));
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox1")->count(), 0);
    }

    void aMissingBrandFileIsReportedWithItsName() {
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        child<QRadioButton>(w_.get(), "RadioButton1")->click();
        const auto text = catchMessage();
        child<QRadioButton>(w_.get(), "RadioButton6")->click();
        QVERIFY2(text->contains(QStringLiteral("bitzer.dat")), qPrintable(*text));
        // The list still shows what was loaded before.
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox1")->count(), 2);
    }

    void enterIntoAFullTableSaysSo() {
        CoefImage full;
        for (int k = 1; k <= 150; ++k)
            full.setName(3, k, "C" + std::to_string(k));
        QVERIFY(full.save(folder() / "bitzer.dat"));
        // A refrigerant before any brand: there is no file to read yet, and that is said.
        const auto noBrand = catchMessage();
        child<QRadioButton>(w_.get(), "RadioButton4")->click();
        QVERIFY2(noBrand->contains(QStringLiteral("марка")), qPrintable(*noBrand));
        child<QRadioButton>(w_.get(), "RadioButton6")->click();
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox1")->count(), 150);
        child<QLineEdit>(w_.get(), "Edit8")->setText(QStringLiteral("C151"));
        const auto text = catchMessage();
        QTest::mouseClick(button("Внести"), Qt::LeftButton);
        QVERIFY2(text->contains(QStringLiteral("нет свободной записи")), qPrintable(*text));
        QVERIFY(text->contains(QStringLiteral("R134a")));
    }

    void aFailedWriteIsReportedAndTheFileStaysWhole() {
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        child<QRadioButton>(w_.get(), "RadioButton1")->click();
        child<QLineEdit>(w_.get(), "Edit8")->setText(QStringLiteral("NOT WRITTEN"));
        QTest::mouseClick(button("Внести"), Qt::LeftButton);
        const auto text = catchMessage();
        {
            const FileSizeLimit limit(1000);  // no room for the new file
            QTest::mouseClick(button("Записать"), Qt::LeftButton);
        }
        QVERIFY2(text->contains(QStringLiteral("bock.dat")), qPrintable(*text));
        QVERIFY2(text->contains(QStringLiteral("файл слишком велик")), qPrintable(*text));
        CoefImage onDisk;
        QVERIFY(onDisk.load(folder() / "bock.dat"));
        QVERIFY(onDisk.isFree(0, 3));
        QCOMPARE(QString::fromStdString(onDisk.name(0, 2)), QStringLiteral("HGX22P/125-4"));
    }

    void theInstalledCatalogueIsNeitherWrittenNorConverted() {
        const std::filesystem::path installed = folder() / "share" / "tundrix" / "data";
        std::filesystem::create_directories(installed);
        std::filesystem::copy_file(folder() / "bock.dat", installed / "bock.dat");
        const auto before = std::filesystem::last_write_time(installed / "bock.dat");
        w_ = std::make_unique<TableBuilderWindow>(installed);
        w_->show();
        child<QRadioButton>(w_.get(), "RadioButton5")->click();
        child<QRadioButton>(w_.get(), "RadioButton1")->click();
        child<QLineEdit>(w_.get(), "Edit8")->setText(QStringLiteral("NOT WRITTEN"));
        QTest::mouseClick(button("Внести"), Qt::LeftButton);
        for (const char* caption : {"Записать", "перегнать"}) {
            const auto text = catchMessage();
            QTest::mouseClick(button(caption), Qt::LeftButton);
            QVERIFY2(text->contains(QString::fromStdString(installed.string())), qPrintable(*text));
            QVERIFY2(text->contains(QStringLiteral("только для чтения")), qPrintable(*text));
            QVERIFY2(text->contains(QStringLiteral("--data")), qPrintable(*text));
        }
        QCOMPARE(std::filesystem::last_write_time(installed / "bock.dat"), before);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(installed), {}), 1);
    }
};

TUNDRIX_QTEST_MAIN(TableBuilderWindowTest)
#include "tablebuilderwindow_qtest.moc"
