// The program's windows together: created in their fixed order with their names, the basket fed
// by double clicks on result rows, the options and seasonal windows following the cursor and the
// chilled-liquid dialog handing its liquid to the chiller tab.
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "app/windowset.h"
#include "basket/basketwindow.h"
#include "basket/optionswindow.h"
#include "catalogue/datadir.h"
#include "chiller/chilledliquiddialog.h"
#include "mainwindow/seasonalchart.h"
#include "mainwindow/seasonalwindow.h"
#include "seasonal/seasonaltext.h"
#include "selection/numbers.h"
#include "qtestmain.h"
#include "techdata/techdatamodule.h"
#include "widgets/widgetstyle.h"
#include "windowfixture.h"

using namespace tundrix;
using namespace tundrix::testing;

namespace {

// The program's windows on the data folder `data`, the main window shown; none when it did not
// appear.
std::unique_ptr<WindowSet> shownWindows(const std::filesystem::path& data) {
    auto s = createWindows(data);
    s->form1->show();
    if (!QTest::qWaitForWindowExposed(s->form1.get()))
        return nullptr;
    return s;
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void theCatalogueIsFoundBesideTheProgramOneLevelUpOrInstalled() {
        QTemporaryDir top;
        const std::filesystem::path root = top.path().toStdString();
        const std::filesystem::path bin = root / "bin";
        std::filesystem::create_directories(bin);
        QCOMPARE(defaultDataDir(bin), bin);  // nothing anywhere: the program's own folder
        const std::filesystem::path installed = root / "share" / "tundrix" / "data";
        std::filesystem::create_directories(installed / "agrdata");
        QCOMPARE(defaultDataDir(bin), installed);
        std::filesystem::create_directories(root / "data" / "agrdata");
        QCOMPARE(defaultDataDir(bin), root / "data");
        std::filesystem::create_directories(bin / "data" / "agrdata");
        QCOMPARE(defaultDataDir(bin), bin / "data");
        QFile beside(QString::fromStdString((bin / "condensators.dat").string()));
        QVERIFY(beside.open(QIODevice::WriteOnly));
        beside.close();
        QCOMPARE(defaultDataDir(bin), bin);
    }

    void aFolderWithoutACatalogueIsSaidOnceAndTheProgramRuns() {
        QTemporaryDir empty;
        const std::filesystem::path folder = empty.path().toStdString();
        const auto s = createWindows(folder);
        showMainWindow(*s, false);
        QVERIFY(QTest::qWaitForWindowExposed(s->form1.get()));
        const QList<QMessageBox*> boxes =
            s->form1->findChildren<QMessageBox*>(QStringLiteral("MissingCatalogue"));
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0]->isVisible());
        QVERIFY(boxes[0]->text().contains(QString::fromStdString(folder.string())));
        QVERIFY(boxes[0]->text().contains(QStringLiteral("--data")));
        // The message waits for no answer: start-up has finished under it.
        QVERIFY(s->form1->started());
        boxes[0]->accept();

        // On a catalogue nothing is said.
        if (!haveSampleData())
            QSKIP("no sample catalogue in this build");
        const auto withCatalogue = createWindows(sampleData());
        showMainWindow(*withCatalogue, false);
        QVERIFY(withCatalogue->form1->findChildren<QMessageBox*>().isEmpty());
    }

    void everyWindowExistsWithItsName() {
        QTemporaryDir empty;
        const auto s = createWindows(std::filesystem::path(empty.path().toStdString()));
        QCOMPARE(s->form1->objectName(), QStringLiteral("TForm1"));
        QCOMPARE(s->form2->objectName(), QStringLiteral("TForm2"));
        QCOMPARE(s->form3->objectName(), QStringLiteral("TForm3"));
        QCOMPARE(s->form4->objectName(), QStringLiteral("TForm4"));
        QCOMPARE(s->form5->objectName(), QStringLiteral("TForm5"));
        QCOMPARE(s->form6->objectName(), QStringLiteral("TForm6"));
        QCOMPARE(s->form6->windowTitle(), QStringLiteral("Корзина"));
        QCOMPARE(s->form7->objectName(), QStringLiteral("TForm7"));
        QCOMPARE(s->form8->objectName(), QStringLiteral("TForm8"));
        QCOMPARE(s->dataModule1->objectName(), QStringLiteral("TDataModule1"));
        QCOMPARE(s->form9->objectName(), QStringLiteral("TForm9"));
        // Nothing is shown before the program shows the main window.
        QVERIFY(!s->form1->isVisible() && !s->form6->isVisible() && !s->form8->isVisible());

        QTest::mouseClick(child<QPushButton>(s->form1.get(), "Button19"), Qt::LeftButton);
        QVERIFY(s->form6->isVisible());
    }

    void everyWindowCarriesTheProgramIcon() {
        QTemporaryDir empty;
        const auto s = createWindows(std::filesystem::path(empty.path().toStdString()));
        const QWidget* windows[] = {s->form1.get(), s->form2.get(), s->form3.get(),
                                    s->form4.get(), s->form5.get(), s->form6.get(),
                                    s->form7.get(), s->form8.get(), s->form9.get()};
        for (const QWidget* w : windows) {
            const QList<QSize> sizes = w->windowIcon().availableSizes();
            QVERIFY2(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)),
                     qPrintable(w->objectName()));
        }
        // The small picture is the one drawn for its size, not the large one scaled down.
        const QImage small = s->form1->windowIcon().pixmap(QSize(16, 16)).toImage();
        QCOMPARE(small.size(), QSize(16, 16));
        QCOMPARE(small, QImage(QStringLiteral(TUNDRIX_SOURCE_DIR "/packaging/icons/16x16.png"))
                            .convertToFormat(small.format()));
    }

    void doubleClickingAResultRowPutsTheUnitIntoTheBasket() {
        if (!haveSampleData())
            QFAIL("the sample catalogue has not been generated");
        const auto s = shownWindows(sampleData());
        QVERIFY(s);
        MainWindow& w = *s->form1;
        showTab(child<QTabWidget>(&w, "PageControl1"), MainWindow::Condensing);
        QTableWidget* g = child<QTableWidget>(&w, "StringGrid1");
        QVERIFY(g->rowCount() > 2);
        const QString name = g->item(2, 0)->text();
        for (int i = 0; i < 3; ++i)
            emit g->cellDoubleClicked(2, 0);
        QVERIFY(s->form6->isVisible());
        const Basket& b = s->form6->basket();
        QCOMPARE(QString::fromStdString(b.cell(1, 1)), name);
        QCOMPARE(QString::fromStdString(b.cell(2, 1)), QStringLiteral("3"));
        QCOMPARE(QString::fromStdString(b.cell(0, 1)),
                 QStringLiteral("Компрессорно-конденсаторный агрегат"));

        // The options window lists the options of the unit the details view shows.
        g->setCurrentCell(1, 0);
        QVERIFY(!s->form7->ticks().empty());
    }

    void theSeasonalWindowFollowsTheCondensingUnitCursor() {
        if (!haveSampleData())
            QFAIL("the sample catalogue has not been generated");
        const auto s = shownWindows(sampleData());
        QVERIFY(s);
        MainWindow& w = *s->form1;
        child<QComboBox>(&w, "ComboBox6")->setCurrentIndex(2);  // middle temperature, -10 degC
        showTab(child<QTabWidget>(&w, "PageControl1"), MainWindow::Condensing);
        QTableWidget* g = child<QTableWidget>(&w, "StringGrid1");
        QVERIFY(g->rowCount() > 3);
        QWidget* sw = s->seasonal.get();
        QCOMPARE(sw->objectName(), QStringLiteral("TFormSeasonal"));
        QCOMPARE(sw->windowTitle(), QStringLiteral("Сезонная эффективность"));
        QTest::mouseClick(child<QPushButton>(&w, "ButtonSeasonal"), Qt::LeftButton);
        QVERIFY(sw->isVisible() && !sw->isModal());

        QTableWidget* points = child<QTableWidget>(sw, "SeasonalPoints");
        QLabel* model = child<QLabel>(sw, "SeasonalModel");
        int rated = 0, years = 0;
        for (int r = 0; r < 3; ++r) {
            g->setCurrentCell(r, 0);
            QCOMPARE(model->text(), QStringLiteral("Модель ") + cell(g, r, 0));
            QCOMPARE(points->rowCount(), 4);
            QCOMPARE(cell(points, 0, 0), QStringLiteral("32"));
            QCOMPARE(cell(points, 3, 0), QStringLiteral("5"));
            const QString verdict = child<QLabel>(sw, "SeasonalVerdict")->text();
            if (!cell(points, 3, 2).isEmpty() && !cell(points, 0, 2).isEmpty()) {
                ++rated;
                QVERIFY2(child<QLabel>(sw, "SeasonalSepr")->text().startsWith("SEPR: "),
                         qPrintable(verdict));
            }
            QVERIFY(!child<QLabel>(sw, "SeasonalAnnual")->text().isEmpty());
            // The chart draws the reference climate's 58 bins when the year has figures.
            years += child<SeasonalChart>(sw, "SeasonalChart")->year().size() == 58u;
        }
        QVERIFY(rated > 0 && years > 0);

        // A negative tariff is refused and the one in force shown again.
        QLineEdit* tariff = child<QLineEdit>(sw, "SeasonalTariff");
        tariff->selectAll();
        QTest::keyClicks(tariff, QStringLiteral("-1"));
        QTest::keyClick(tariff, Qt::Key_Return);
        QVERIFY(!child<QLabel>(sw, "SeasonalMessage")->text().isEmpty());
        QCOMPARE(tariff->text(), QString::fromStdString(formatGeneral(0.15, decimalSeparator())));

        // The two cursor rules exclude each other.
        QCheckBox* cheapest = child<QCheckBox>(&w, "CheckBox5");
        QCheckBox* owning = child<QCheckBox>(&w, "CheckBoxOwning");
        cheapest->setChecked(true);
        owning->setChecked(true);
        QVERIFY(!cheapest->isChecked());
        cheapest->setChecked(true);
        QVERIFY(!owning->isChecked());
    }

    void theChillerTabShowsTheLiquidDialogAndTakesItsOutletTemperature() {
        QTemporaryDir empty;
        const auto s = shownWindows(std::filesystem::path(empty.path().toStdString()));
        QVERIFY(s);
        MainWindow& w = *s->form1;
        child<QLineEdit>(&w, "Edit23")->setText(QStringLiteral("99"));
        showTab(child<QTabWidget>(&w, "PageControl1"), MainWindow::Chiller);
        QVERIFY(s->form8->isVisible());
        QCOMPARE(child<QLineEdit>(&w, "Edit23")->text(), s->form8->summary().edit23);
        QCOMPARE(child<QLabel>(&w, "Label51")->text(), s->form8->summary().label51);
    }
};

TUNDRIX_QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
