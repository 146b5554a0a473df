// The unit list editor and the data file browser driven as a maintainer drives them: choices name
// the file, "Добавить" composes units from the main window's calculator, "Записать" and
// "Загрузить" round-trip the file, the selection run then lists the composed units; prices,
// browser picks, deletions and failures.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/windowset.h"
#include "catalogue/catalogue.h"
#include "catalogue/pricefile.h"
#include "catalogue/unitlisttable.h"
#include "mainwindow/mainwindow.h"
#include "qtestmain.h"
#include "techdata/techdatamodule.h"
#include "tools/datafilebrowser.h"
#include "tools/unitlisteditor.h"
#include "widgetaccess.h"

namespace fs = std::filesystem;
using namespace tundrix;

using namespace tundrix::testing;

namespace {

bool haveSampleData() {
    std::error_code ec;
    return fs::exists(fs::path(TUNDRIX_SAMPLE_DATA) / "condensators.dat", ec);
}

// A data folder of the test's own: the sample catalogue linked in file by file, so that what the
// editor writes replaces links here and never touches the sample. Pricedata and TechnicalData are
// the test's own.
fs::path makeDataFolder(const fs::path& root) {
    const fs::path sample(TUNDRIX_SAMPLE_DATA);
    for (const auto& e : fs::directory_iterator(sample)) {
        const std::string name = e.path().filename().string();
        if (name == "agrdata") {
            fs::create_directories(root / name);
            for (const auto& f : fs::directory_iterator(e.path()))
                fs::create_symlink(f.path(), root / name / f.path().filename());
        } else if (name != "Pricedata" && name != "TechnicalData") {
            fs::create_symlink(e.path(), root / name);
        }
    }
    fs::create_directories(root / "Pricedata");
    fs::create_directories(root / "TechnicalData" / "series" / "small");
    std::ofstream(root / "TechnicalData" / "plan.pdf") << "%PDF";
    std::ofstream(root / "TechnicalData" / "series" / "small" / "a.pdf") << "%PDF";
    return root;
}

}  // namespace

class UnitListEditorTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    fs::path data_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<TechDataModule> td_;
    std::unique_ptr<DataFileBrowser> browser_;
    std::unique_ptr<UnitListEditor> editor_;
    int techDataOpened_ = 0;

    QTableWidget* grid() { return child<QTableWidget>(editor_.get(), "StringGrid1"); }
    // Clicks a button; radio buttons and check boxes on their indicator, which a stretched
    // layout may have moved away from the widget's centre.
    void click(const char* name) {
        QAbstractButton* b = child<QAbstractButton>(editor_.get(), name);
        if (qobject_cast<QPushButton*>(b))
            QTest::mouseClick(b, Qt::LeftButton);
        else
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        QApplication::processEvents();
    }
    QString cell(int gridRow, int col) {
        const QTableWidgetItem* item = grid()->item(gridRow - 1, col);
        return item ? item->text() : QString();
    }
    void doubleClick(int gridRow, int col) {
        QTableWidget* g = grid();
        g->setCurrentCell(gridRow - 1, col);
        g->scrollToItem(g->item(gridRow - 1, col));
        const QRect rect = g->visualItemRect(g->item(gridRow - 1, col));
        // A real double click: the first click, then the second one as a double click.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, rect.center());
        QApplication::processEvents();
    }
    // Bock, low temperature, R404A condensing units: "outbocklow404a.dat".
    void chooseBockLowR404a() {
        click("RadioButton10");
        click("RadioButton9");
        click("RadioButton1");
        click("RadioButton4");
    }
    // The calculator on the main window set to Bock, low temperature (refrigerant R404A).
    void calculatorBockLow() {
        child<QComboBox>(main_.get(), "ComboBox8")->setCurrentIndex(0);
        child<QComboBox>(main_.get(), "ComboBox7")->setCurrentIndex(0);
        child<QComboBox>(main_.get(), "ComboBox9")->setCurrentIndex(0);
        QApplication::processEvents();
    }
    // Message boxes the editor has shown (and closes them).
    QStringList takeMessages() {
        QStringList texts;
        for (QMessageBox* box : editor_->findChildren<QMessageBox*>()) {
            if (!box->isVisible())
                continue;
            texts << box->text();
            box->close();
        }
        QApplication::processEvents();
        return texts;
    }
    void writePriceFile(int n, int units) {
        auto p = std::make_unique<PriceFile>();
        for (int k = 0; k < units; ++k) {
            p->setName(k, "Прайс " + std::to_string(k + 1));
            p->setPrice(k, std::to_string(100 * (k + 1)));
            p->setOptionPrice(k, 2, "7");
        }
        p->setOptionName(1, "Опция 1");
        p->setOptionName(2, "Опция 2");
        QVERIFY(p->save(data_ / "Pricedata" / ("mashine" + std::to_string(n) + ".dat")));
    }

private slots:
    void init() {
        QVERIFY2(haveSampleData(), "the sample catalogue is missing: the build writes it");
        tmp_ = std::make_unique<QTemporaryDir>();
        data_ = makeDataFolder(fs::path(tmp_->path().toStdString()));
        main_ = std::make_unique<MainWindow>(data_);
        td_ = std::make_unique<TechDataModule>(data_);
        main_->setTechData(td_.get());
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        browser_ = std::make_unique<DataFileBrowser>(data_);
        editor_ =
            std::make_unique<UnitListEditor>(maintenanceContext(*main_), td_.get(), browser_.get());
        techDataOpened_ = 0;
        editor_->setTechDataOpener([this] { ++techDataOpened_; });
        editor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
    }
    void cleanup() {
        editor_.reset();
        browser_.reset();
        main_.reset();
        td_.reset();
        tmp_.reset();
    }

    void startsWithHeadingsAndOneEmptyRow() {
        QCOMPARE(editor_->objectName(), QStringLiteral("TForm2"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Редактор списка агрегатов"));
        QCOMPARE(child<QLineEdit>(editor_.get(), "Edit1")->text(), QStringLiteral("Edit1"));
        QVERIFY(child<QRadioButton>(editor_.get(), "RadioButton10")->isChecked());
        QCOMPARE(child<QComboBox>(editor_.get(), "ComboBox1")->count(), 7);
        QCOMPARE(grid()->columnCount(), 24);
        QCOMPARE(grid()->rowCount(), 1);
        QCOMPARE(grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Название агрегата"));
        QCOMPARE(grid()->horizontalHeaderItem(9)->text(),
                 QStringLiteral("Техничекие характеристики"));
        QCOMPARE(editor_->insertionRow(), 1);
        const int widths[24] = {123, 64, 64, 37, 34, 35, 33, 42, 51, 56, 64, 64,
                                64,  64, 64, 64, 64, 51, 46, 50, 43, 48, 43, 40};
        for (int c = 0; c < 24; ++c)
            QCOMPARE(grid()->columnWidth(c), widths[c]);
    }

    // A row dragged by its header moves its unit: the file, the price filling and the fixed
    // name column follow the order shown. A dragged column changes only the view.
    void draggedRowsAreWrittenInTheOrderShown() {
        writePriceFile(22, 3);
        calculatorBockLow();
        chooseBockLowR404a();
        for (int i = 0; i < 3; ++i) {
            main_->calculatorTab().selectcompr->setCurrentIndex(i);
            click("Button3");
        }
        const QString first = cell(1, 0), third = cell(3, 0), thirdCompressor = cell(3, 1);
        // The third row's header dragged above the first, as a mouse does it.
        QHeaderView* rows = grid()->verticalHeader();
        const QPoint from(rows->width() / 2, rows->sectionViewportPosition(2) + 5);
        const QPoint to(rows->width() / 2, rows->sectionViewportPosition(0) + 2);
        QTest::mousePress(rows->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(rows->viewport(), (from + to) / 2);
        QTest::mouseMove(rows->viewport(), to);
        QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, to);
        QApplication::processEvents();
        QCOMPARE(cell(1, 0), third);
        QCOMPARE(cell(2, 0), first);
        QCOMPARE(rows->visualIndex(0), 0);
        click("CheckBox2");
        QCOMPARE(child<QTableView>(editor_.get(), "FixedColumn")->model()->index(0, 0).data(),
                 QVariant(third));
        grid()->horizontalHeader()->moveSection(1, 5);  // a column dragged: the view only
        click("Button1");
        auto t = std::make_unique<UnitListTable>();
        QVERIFY(t->load(data_ / "agrdata" / "outbocklow404a.dat"));
        QCOMPARE(QString::fromStdString(t->cell(0, 1)), third);
        QCOMPARE(QString::fromStdString(t->cell(1, 1)), thirdCompressor);
        QCOMPARE(QString::fromStdString(t->cell(0, 2)), first);
        click("CheckBox1");
        click("Button6");
        QCOMPARE(cell(1, 10), QStringLiteral("100"));
        QCOMPARE(cell(1, 1), thirdCompressor);
    }

    void choicesNameTheFileAndTheTechnicalDataTable() {
        chooseBockLowR404a();
        QLineEdit* edit1 = child<QLineEdit>(editor_.get(), "Edit1");
        QCOMPARE(edit1->text(), QStringLiteral("outbocklow404a.dat"));
        QCOMPARE(td_->tableName(), QStringLiteral("out"));
        click("RadioButton11");
        click("RadioButton8");
        click("RadioButton5");
        QCOMPARE(edit1->text(), QStringLiteral("agrlow22.dat"));
        QCOMPARE(td_->tableName(), QStringLiteral("agr"));
        click("RadioButton12");
        child<QComboBox>(editor_.get(), "ComboBox1")->setCurrentIndex(6);
        QApplication::processEvents();
        QCOMPARE(edit1->text(), QStringLiteral("onlow22.dat"));
        QCOMPARE(td_->tableName(), QStringLiteral("ol"));
    }

    // Compose two units from the calculator, write them, and find them in the selection run.
    void composedListIsSelectedOnTheMainWindow() {
        calculatorBockLow();
        chooseBockLowR404a();
        const CalculatorTab& calc = main_->calculatorTab();
        QVERIFY(calc.selectcompr->count() >= 2);
        calc.selectcompr->setCurrentIndex(0);
        calc.condensator->setCurrentIndex(0);
        calc.edit12->setValue(2);
        click("Button3");
        const QString model0 = calc.selectcompr->itemText(0);
        const std::string pol = main_->catalogue().conderlist.pol(1);
        QCOMPARE(cell(1, 0),
                 QStringLiteral("АННП%1-2x%2").arg(QString::fromStdString(pol), model0));
        QCOMPARE(cell(1, 3), QString::number(main_->catalogue().brandpos[0]));
        QCOMPARE(cell(1, 4), QStringLiteral("1"));
        QCOMPARE(cell(1, 5), QStringLiteral("2"));
        QCOMPARE(grid()->currentRow(), 1);

        calc.selectcompr->setCurrentIndex(1);
        calc.condensator->setCurrentIndex(1);
        calc.edit12->setValue(1);
        click("Button3");
        QCOMPARE(cell(2, 0), QStringLiteral("АННП%1-%2")
                                 .arg(QString::fromStdString(main_->catalogue().conderlist.pol(2)),
                                      calc.selectcompr->itemText(1)));
        QCOMPARE(grid()->rowCount(), 3);  // the two units and an empty row
        click("Button1");
        QVERIFY(takeMessages().isEmpty());

        const fs::path file = data_ / "agrdata" / "outbocklow404a.dat";
        QVERIFY(!fs::is_symlink(file));
        QCOMPARE(qint64(fs::file_size(file)), qint64(317'781));
        const QString name1 = cell(1, 0), name2 = cell(2, 0);

        // The selection run on the condensing-unit tab: Bock only, low temperature.
        QListWidget* brands = child<QListWidget>(main_.get(), "CheckListBox1");
        for (int i = 0; i < brands->count(); ++i)
            brands->item(i)->setCheckState(i == 0 ? Qt::Checked : Qt::Unchecked);
        child<QComboBox>(main_.get(), "ComboBox6")->setCurrentIndex(1);
        child<QTabWidget>(main_.get(), "PageControl1")->setCurrentIndex(MainWindow::Condensing);
        QApplication::processEvents();
        QTest::mouseClick(child<QPushButton>(main_.get(), "Button8"), Qt::LeftButton);
        QApplication::processEvents();
        QTableWidget* results = main_->unitTab(MainWindow::Condensing).grid;
        QStringList names;
        for (int r = 0; r < results->rowCount(); ++r)
            if (results->item(r, 0) && !results->item(r, 0)->text().isEmpty())
                names << results->item(r, 0)->text();
        names.removeAll(QStringLiteral("Агрегат"));
        names.sort();
        QStringList expected{name1, name2};
        expected.sort();
        QCOMPARE(names, expected);

        // Loading the file shows the same two units.
        click("Button4");
        QCOMPARE(grid()->rowCount(), 2);
        QCOMPARE(cell(1, 0), name1);
        QCOMPARE(cell(2, 0), name2);
        QCOMPARE(editor_->insertionRow(), 3);
    }

    void writeDeleteWriteLeavesNoTrace() {
        calculatorBockLow();
        chooseBockLowR404a();
        for (int i = 0; i < 3; ++i) {
            main_->calculatorTab().selectcompr->setCurrentIndex(i);
            click("Button3");
        }
        const QString third = cell(3, 0);
        click("Button1");
        click("Button4");
        QCOMPARE(grid()->rowCount(), 3);
        grid()->setCurrentCell(1, 0);  // grid row 2
        click("Button5");
        QCOMPARE(grid()->rowCount(), 2);
        QCOMPARE(cell(2, 0), third);
        QCOMPARE(QString::fromStdString(editor_->readTable().cell(0, 2)), third);
        click("Button1");
        auto t = std::make_unique<UnitListTable>();
        QVERIFY(t->load(data_ / "agrdata" / "outbocklow404a.dat"));
        QCOMPARE(QString::fromStdString(t->cell(0, 2)), third);
        for (int c = 0; c < UnitListTable::kColumns; ++c)
            QVERIFY(t->cellEmpty(c, 3));
    }

    void deletingTheOnlyUnitKeepsAnEmptyRow() {
        calculatorBockLow();
        chooseBockLowR404a();
        click("Button3");
        grid()->setRowCount(1);  // as after writing and loading a one-unit list
        grid()->setCurrentCell(0, 0);
        click("Button5");
        QCOMPARE(grid()->rowCount(), 1);
        QCOMPARE(cell(1, 0), QString());
        QCOMPARE(grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Название агрегата"));
        click("Button3");
        QVERIFY(!cell(1, 0).isEmpty());
        QCOMPARE(grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Название агрегата"));
    }

    void doubleClicksByColumn() {
        calculatorBockLow();
        chooseBockLowR404a();
        click("Button3");
        click("Button3");
        doubleClick(1, 9);
        QCOMPARE(techDataOpened_, 1);
        // Column 0 makes the row the insertion row; its name stays, the rest is filled again.
        grid()->item(0, 1)->setText(QStringLiteral("changed"));
        grid()->item(0, 0)->setText(QStringLiteral("Свое имя"));
        doubleClick(1, 0);
        QCOMPARE(editor_->insertionRow(), 1);
        click("Button3");
        QCOMPARE(cell(1, 0), QStringLiteral("Свое имя"));
        QVERIFY(cell(1, 1) != QStringLiteral("changed"));
    }

    void browserPicksARelativePathTwoLevelsDown() {
        calculatorBockLow();
        chooseBockLowR404a();
        click("Button3");
        doubleClick(1, 7);
        QVERIFY(browser_->isVisible());
        QCOMPARE(browser_->objectName(), QStringLiteral("TForm4"));
        QLineEdit* edit1 = child<QLineEdit>(browser_.get(), "Edit1");
        QVERIFY(edit1->text().endsWith(QStringLiteral("TechnicalData/")));
        QListWidget* list = child<QListWidget>(browser_.get(), "ListView1");
        auto activate = [list](const QString& name) {
            const auto items = list->findItems(name, Qt::MatchExactly);
            QVERIFY(items.size() == 1);
            list->setCurrentItem(items[0]);
            const QPoint at = list->visualItemRect(items[0]).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QApplication::processEvents();
        };
        QCOMPARE(list->count(), 2);
        const auto plan = list->findItems(QStringLiteral("plan.pdf"), Qt::MatchExactly);
        QCOMPARE(plan.size(), 1);
        QCOMPARE(plan[0]->data(DataFileBrowser::SizeRole).toString(), QStringLiteral("4"));
        QCOMPARE(plan[0]->data(DataFileBrowser::KindRole).toString(), QStringLiteral("file"));
        QVERIFY(!plan[0]->icon().isNull());
        activate(QStringLiteral("series"));
        activate(QStringLiteral("small"));
        QCOMPARE(browser_->relativeFolder(), QStringLiteral("TechnicalData\\series\\small\\"));
        activate(QStringLiteral("a.pdf"));
        QVERIFY(!browser_->isVisible());
        QCOMPARE(cell(1, 7), QStringLiteral("TechnicalData\\series\\small\\a.pdf"));

        // Opening again starts at the top; "ОК" closes without touching the grid.
        doubleClick(1, 7);
        QCOMPARE(browser_->relativeFolder(), QStringLiteral("TechnicalData\\"));
        activate(QStringLiteral("series"));
        QTest::mouseClick(child<QPushButton>(browser_.get(), "Button1"), Qt::LeftButton);
        QVERIFY(!browser_->isVisible());
        QCOMPARE(cell(1, 7), QStringLiteral("TechnicalData\\series\\small\\a.pdf"));
        doubleClick(1, 11);
        QCOMPARE(browser_->relativeFolder(), QStringLiteral("images\\"));
        QVERIFY(child<QListWidget>(browser_.get(), "ListView1")->count() > 0);
    }

    void priceFillingFollowsTheCheckBox() {
        writePriceFile(22, 2);  // Bock low condensing units
        calculatorBockLow();
        chooseBockLowR404a();
        for (int i = 0; i < 3; ++i)
            click("Button3");
        QCOMPARE(grid()->rowCount(), 4);
        const QString compressor2 = cell(2, 1);
        click("Button6");  // box not checked: nothing happens
        QCOMPARE(grid()->rowCount(), 4);
        QVERIFY(cell(1, 0).startsWith(QStringLiteral("АННП")));

        click("CheckBox1");
        click("Button6");
        QVERIFY(takeMessages().isEmpty());
        QCOMPARE(grid()->rowCount(), 2);  // cut to the price file's two units
        QCOMPARE(cell(1, 0), QStringLiteral("Прайс 1"));
        QCOMPARE(cell(2, 10), QStringLiteral("200"));
        QCOMPARE(cell(2, 13), QStringLiteral("7"));
        QCOMPARE(cell(2, 1), compressor2);
        QCOMPARE(grid()->horizontalHeaderItem(12)->text(), QStringLiteral("Опция 1"));

        // No file for the choice: said so, the grid stays.
        click("RadioButton11");  // compressor-receiver, Bock, low: file 1, not written
        click("Button6");
        const QStringList messages = takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("mashine1.dat")));
        QCOMPARE(grid()->rowCount(), 2);
        // Copeland, high, R404A condensing units have no price file: nothing happens.
        click("RadioButton10");
        click("RadioButton8");
        click("RadioButton3");
        click("Button6");
        QVERIFY(takeMessages().isEmpty());
        QCOMPARE(cell(1, 0), QStringLiteral("Прайс 1"));
    }

    void failedLoadAndWriteSaySoAndKeepTheOldFile() {
        calculatorBockLow();
        chooseBockLowR404a();
        click("RadioButton3");  // outbockhigh404a.dat does not exist
        click("Button3");
        click("Button4");
        QStringList messages = takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("outbockhigh404a.dat")));
        QVERIFY2(messages[0].contains(QStringLiteral("нет такого файла или папки")),
                 qPrintable(messages[0]));
        QCOMPARE(grid()->rowCount(), 1);
        QCOMPARE(grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Название агрегата"));

        // A write that cannot replace the file leaves it whole.
        click("RadioButton1");
        const fs::path file = data_ / "agrdata" / "outbocklow404a.dat";
        auto before = std::make_unique<UnitListTable>();
        QVERIFY(before->load(file));
        fs::remove(file);
        fs::create_directories(file / "blocker");
        click("Button3");
        click("Button1");
        messages = takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("outbocklow404a.dat")));
        QVERIFY(messages[0].contains(QStringLiteral("Не удалось записать")));
        QVERIFY(fs::is_directory(file / "blocker"));
        QCOMPARE(grid()->rowCount(), 2);
    }

    void theInstalledCatalogueIsReadButNotWritten() {
        const fs::path installed = data_ / "share" / "tundrix" / "data";
        fs::create_directories(installed);
        makeDataFolder(installed);
        editor_.reset();
        main_ = std::make_unique<MainWindow>(installed);
        editor_ =
            std::make_unique<UnitListEditor>(maintenanceContext(*main_), td_.get(), browser_.get());
        editor_->show();
        calculatorBockLow();
        chooseBockLowR404a();
        click("Button4");
        QVERIFY(takeMessages().isEmpty());
        QVERIFY(grid()->rowCount() > 1);
        click("Button1");
        const QStringList messages = takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QString::fromStdString(installed.string())));
        QVERIFY(messages[0].contains(QStringLiteral("только для чтения")));
        QVERIFY(messages[0].contains(QStringLiteral("--data")));
        QVERIFY(fs::is_symlink(installed / "agrdata" / "outbocklow404a.dat"));
    }

    void longCellsAreReportedWhenWritten() {
        calculatorBockLow();
        chooseBockLowR404a();
        click("Button3");
        grid()->item(0, 23)->setText(QString(60, QLatin1Char('x')));
        click("Button1");
        const QStringList messages = takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("Обрезано до 50 символов ячеек: 1")));
        auto t = std::make_unique<UnitListTable>();
        QVERIFY(t->load(data_ / "agrdata" / "outbocklow404a.dat"));
        QCOMPARE(t->cell(23, 1), std::string(50, 'x'));
    }

    void fixingTheFirstColumnKeepsNamesInView() {
        calculatorBockLow();
        chooseBockLowR404a();
        click("Button3");
        auto* fixed = child<QTableView>(editor_.get(), "FixedColumn");
        QVERIFY(!fixed->isVisible());
        click("CheckBox2");
        QVERIFY(fixed->isVisible());
        QCOMPARE(fixed->model(), grid()->model());
        int shown = 0;
        for (int c = 0; c < 24; ++c)
            shown += fixed->isColumnHidden(c) ? 0 : 1;
        QCOMPARE(shown, 1);
        QVERIFY(!fixed->isColumnHidden(0));
        // Scrolled sideways to the last column, the names are still over the grid's left edge.
        grid()->scrollToItem(grid()->item(0, 23));
        QApplication::processEvents();
        QVERIFY(grid()->horizontalScrollBar()->value() > 0);
        QCOMPARE(fixed->x(), grid()->verticalHeader()->width() + grid()->frameWidth());
        QCOMPARE(fixed->model()->index(0, 0).data().toString(), cell(1, 0));
        click("CheckBox2");
        QVERIFY(!fixed->isVisible());
    }

    void closingEmptiesAndShowingResets() {
        calculatorBockLow();
        chooseBockLowR404a();
        click("Button4");
        QVERIFY(grid()->rowCount() > 1);
        click("Button2");
        QVERIFY(!editor_->isVisible());
        QVERIFY(editor_->readTable().cellEmpty(0, 1));
        editor_->show();
        QCOMPARE(grid()->rowCount(), 1);
        QCOMPARE(editor_->insertionRow(), 1);
        // Radio choices persist between showings.
        QCOMPARE(child<QLineEdit>(editor_.get(), "Edit1")->text(),
                 QStringLiteral("outbocklow404a.dat"));
    }
};

TUNDRIX_QTEST_MAIN(UnitListEditorTest)
#include "unitlisteditor_qtest.moc"
