// Selections as the user makes them on the sample catalogue: "подбор" on each kind tab fills its
// grid ascending by capacity under the headings, the cursor meets the required capacity, "<" and
// ">" move it, and the details of the cursor row follow. The calculator computes a machine and
// flags a point outside the compressor's envelope.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "mainwindow/envelopechart.h"
#include "mainwindow/pictureview.h"
#include "qtestmain.h"
#include "techdata/techdatamodule.h"
#include "windowfixture.h"

using namespace tundrix;
using namespace tundrix::testing;

namespace {

struct TabCase {
    MainWindow::Tab tab;
    const char* button;
    const char* grid;
    const char* label;
    const char* techGrid;
    const char* picture;
    const char* description;
    const char* heading;
};

const TabCase kTabs[] = {
    {MainWindow::Condensing, "Button8", "StringGrid1", "Label19", "StringGrid4", "Image1", "Memo5",
     "Агрегат"},
    {MainWindow::Receiver, "Button10", "StringGrid6", "Label38", "StringGrid11", "Image4", "Memo6",
     "Агрегат"},
    {MainWindow::Rack, "Button20", "StringGrid13", "Label42", "StringGrid14", "Image6", "Memo7",
     "Агрегат"},
    {MainWindow::Chiller, "Button23", "StringGrid16", "Label46", "StringGrid17", "Image8", "Memo8",
     "Холодильная установка"},
};

}  // namespace

class SelectionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> w_;
    std::unique_ptr<TechDataModule> td_;

    QTabWidget* pages() { return child<QTabWidget>(w_.get(), "PageControl1"); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(w_.get(), name); }

    // The figure columns are as wide as a table measuring every cell makes them: the same texts
    // in a plain table, each column fitted to its contents and padded alike.
    static void checkFigureColumnsFitEveryCell(QTableWidget* g) {
        QTableWidget plain(g->rowCount(), g->columnCount());
        plain.setFont(g->font());
        plain.verticalHeader()->hide();
        for (int c = 0; c < g->columnCount(); ++c)
            plain.setHorizontalHeaderItem(c, g->horizontalHeaderItem(c)->clone());
        for (int r = 0; r < g->rowCount(); ++r)
            for (int c = 0; c < g->columnCount(); ++c)
                if (const QTableWidgetItem* item = g->item(r, c))
                    plain.setItem(r, c, item->clone());
        fitFigureColumns(&plain);
        for (int c = 1; c < g->columnCount(); ++c)
            QCOMPARE(g->columnWidth(c), plain.columnWidth(c));
    }

    void checkAllBrandsAndLevels() {
        QListWidget* brands = child<QListWidget>(w_.get(), "CheckListBox1");
        for (int i = 0; i < brands->count(); ++i)
            brands->item(i)->setCheckState(Qt::Checked);
        child<QComboBox>(w_.get(), "ComboBox6")->setCurrentIndex(0);
    }

private slots:
    void init() {
        if (!haveSampleData())
            QFAIL("the sample catalogue has not been generated");
        w_ = std::make_unique<MainWindow>(sampleData());
        td_ = std::make_unique<TechDataModule>(sampleData());
        w_->setTechData(td_.get());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        w_.reset();
        td_.reset();
    }

    void eachKindTabListsItsUnitsAscending() {
        for (const TabCase& c : kTabs) {
            showTab(pages(), c.tab);
            if (c.tab != MainWindow::Chiller)
                checkAllBrandsAndLevels();
            QTest::mouseClick(child<QPushButton>(w_.get(), c.button), Qt::LeftButton);
            QTableWidget* g = child<QTableWidget>(w_.get(), c.grid);
            QVERIFY2(g->rowCount() > 1, c.grid);
            QCOMPARE(g->columnCount(), 6);
            QCOMPARE(g->horizontalHeaderItem(0)->text(), QString::fromUtf8(c.heading));
            QCOMPARE(g->horizontalHeaderItem(1)->text(), QStringLiteral("Холод-сть, кВт"));
            QCOMPARE(g->horizontalHeaderItem(5)->text(), QStringLiteral("Цена(EUR)"));
            const QList<double> caps = columnNumbers(g, 1);
            QVERIFY2(caps.size() > 1, c.grid);
            for (int i = 1; i < caps.size(); ++i)
                QVERIFY2(caps[i - 1] <= caps[i], c.grid);
            QCOMPARE(child<QLabel>(w_.get(), "Label48")->text(),
                     QStringLiteral("Всего установок:%1").arg(g->rowCount()));
            QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
            checkFigureColumnsFitEveryCell(g);
        }
    }

    // A re-run rewrites the cells the grid already has: after other conditions and back, the
    // grid holds what a fresh window shows for them, cell for cell.
    void aRerunShowsWhatAFreshWindowShows() {
        auto run = [](MainWindow& w, const QString& evaporate, bool allBrands) {
            showTab(child<QTabWidget>(&w, "PageControl1"), MainWindow::Receiver);
            child<QComboBox>(&w, "ComboBox6")->setCurrentIndex(0);
            QListWidget* brands = child<QListWidget>(&w, "CheckListBox1");
            for (int i = 1; i < brands->count(); ++i)
                brands->item(i)->setCheckState(allBrands ? Qt::Checked : Qt::Unchecked);
            child<QLineEdit>(&w, "evaporate")->setText(evaporate);
            QTest::mouseClick(child<QPushButton>(&w, "Button10"), Qt::LeftButton);
        };
        run(*w_, QStringLiteral("-5"), false);  // fewer rows
        run(*w_, QStringLiteral("-30"), true);
        run(*w_, QStringLiteral("-10"), true);
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid6");
        MainWindow fresh(sampleData());
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        run(fresh, QStringLiteral("-10"), true);
        QTableWidget* f = child<QTableWidget>(&fresh, "StringGrid6");
        QVERIFY(g->rowCount() > 1);
        QCOMPARE(g->rowCount(), f->rowCount());
        for (int r = 0; r < g->rowCount(); ++r)
            for (int c = 0; c < 6; ++c) {
                QCOMPARE(cell(g, r, c), cell(f, r, c));
                QCOMPARE(g->item(r, c)->textAlignment(), f->item(r, c)->textAlignment());
                QCOMPARE(g->item(r, c)->data(Qt::UserRole), f->item(r, c)->data(Qt::UserRole));
            }
        QCOMPARE(g->currentRow(), f->currentRow());
        for (int c = 1; c < 6; ++c)
            QCOMPARE(g->columnWidth(c), f->columnWidth(c));
    }

    void theCursorMeetsTheRequiredCapacityAndTheDetailsFollowIt() {
        showTab(pages(), MainWindow::Condensing);
        checkAllBrandsAndLevels();
        QPushButton* podbor = child<QPushButton>(w_.get(), "Button8");
        QTest::mouseClick(podbor, Qt::LeftButton);
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        // A required capacity between two neighbouring units in the middle of the list: the
        // cursor goes to the first unit whose capacity exceeds it.
        auto capAt = [g](int r) {
            QString t = g->item(r, 1)->text();
            return t.isEmpty() ? -1.0 : t.replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
        };
        int middle = g->rowCount() / 2;
        while (middle < g->rowCount() - 1 &&
               (capAt(middle - 1) < 0 || capAt(middle) - capAt(middle - 1) < 0.05))
            ++middle;
        QVERIFY(capAt(middle - 1) >= 0 && capAt(middle) > capAt(middle - 1));
        const QList<double> caps = {capAt(middle - 1), capAt(middle)};
        const double required = (caps[0] + caps[1]) / 2;
        edit("Edit11")->setText(
            QString::number(required, 'f', 3).replace(QLatin1Char('.'), QLocale().decimalPoint()));
        QTest::mouseClick(podbor, Qt::LeftButton);
        QCOMPARE(g->currentRow(), middle);
        const int row = g->currentRow();
        QLabel* model = child<QLabel>(w_.get(), "Label19");
        QCOMPARE(model->text(), g->item(row, 0)->text());
        QCOMPARE(w_->selrow(), row + 1);

        // The details of the cursor row: picture, description and its own technical record.
        QVERIFY(!child<PictureView>(w_.get(), "Image1")->image().isNull());
        QVERIFY(!child<QPlainTextEdit>(w_.get(), "Memo5")->toPlainText().isEmpty());
        QTableWidget* tech = child<QTableWidget>(w_.get(), "StringGrid4");
        QCOMPARE(tech->horizontalHeaderItem(0)->text(), QStringLiteral("Характеристика"));
        QVERIFY(tech->rowCount() > 1);
        // Without a record: the field names with empty values. Walking down the list finds a
        // unit with a record, whose fields are shown, field 1 being its name.
        QVERIFY(!tech->item(0, 0)->text().isEmpty());
        int withRecord = -1;
        for (int r = 0; r < g->rowCount() && withRecord < 0; ++r) {
            g->setCurrentCell(r, 0);
            if (!tech->item(0, 1)->text().isEmpty())
                withRecord = r;
        }
        QVERIFY(withRecord >= 0);
        QCOMPARE(tech->item(0, 1)->text(), g->item(withRecord, 0)->text());
        QCOMPARE(tech->item(0, 0)->text(), QStringLiteral("Название агрегата"));
        g->setCurrentCell(row, 0);
        QVERIFY(child<EnvelopeChart>(w_.get(), "PaintBox2")->hasData());

        QTest::mouseClick(child<QPushButton>(w_.get(), "Button1"), Qt::LeftButton);  // "<"
        QCOMPARE(g->currentRow(), row - 1);
        QCOMPARE(model->text(), g->item(row - 1, 0)->text());
        QCOMPARE(w_->selrow(), row);
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button7"), Qt::LeftButton);  // ">"
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button7"), Qt::LeftButton);
        QCOMPARE(g->currentRow(), row + 1);
        // The ambient mode writes the unit's condensing temperature back.
        QVERIFY(edit("condensate")->text() != QStringLiteral("45"));
    }

    void onChillersTheTypeOnReadsTableOl() {
        showTab(pages(), MainWindow::Chiller);
        child<QComboBox>(w_.get(), "ComboBox5")->setCurrentIndex(6);  // ОН(низкотемпературные)
        // The sample has no ОН units for R407C, which the chiller tab chooses: nothing to show.
        QVERIFY(child<QLabel>(w_.get(), "Label59")->isVisibleTo(w_.get()));
        QVERIFY(!child<QTabWidget>(w_.get(), "PageControl5")->isVisibleTo(w_.get()));
        child<QComboBox>(w_.get(), "ComboBox8")->setCurrentIndex(0);  // R404A/R507
        QVERIFY(child<QTabWidget>(w_.get(), "PageControl5")->isVisibleTo(w_.get()));
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid16");
        QVERIFY(g->rowCount() > 0);
        QCOMPARE(td_->tableName(), QStringLiteral("ol"));
        QVERIFY(td_->isOpen());
        QTableWidget* tech = child<QTableWidget>(w_.get(), "StringGrid17");
        QCOMPARE(tech->rowCount(), td_->fieldCount() - 1);
        QCOMPARE(tech->item(0, 0)->text(), td_->fieldName(1));
    }

    void theCalculatorFlagsOnlyAPointOutsideTheEnvelope() {
        QCOMPARE(pages()->currentIndex(), int(MainWindow::Description));
        QComboBox* compressors = child<QComboBox>(w_.get(), "Selectcompr");
        QVERIFY(compressors->count() > 0);
        QPushButton* compute = child<QPushButton>(w_.get(), "interpxy");
        QLabel* outside = child<QLabel>(w_.get(), "Label15");
        QTest::mouseClick(compute, Qt::LeftButton);
        QVERIFY(!child<QLineEdit>(w_.get(), "solution")->text().isEmpty());
        QVERIFY(!outside->isVisibleTo(w_.get()));

        edit("evaporate")->setText(QStringLiteral("-70"));
        QTest::mouseClick(compute, Qt::LeftButton);
        QVERIFY(outside->isVisibleTo(w_.get()));
        QCOMPARE(outside->text(), QStringLiteral("Вне границ диапазона"));

        edit("evaporate")->setText(QStringLiteral("-25"));
        QTest::mouseClick(compute, Qt::LeftButton);
        QVERIFY(!outside->isVisibleTo(w_.get()));
    }

    void numbersFollowTheUsersLocale() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QPushButton* compute = child<QPushButton>(w_.get(), "interpxy");
        QTest::mouseClick(compute, Qt::LeftButton);
        const QString comma = child<QLineEdit>(w_.get(), "solution")->text();
        const QString tc = edit("condensate")->text();
        // A typed decimal comma is read as such: half a kelvin warmer evaporating changes
        // the result.
        edit("evaporate")->setText(QStringLiteral("-24,5"));
        QTest::mouseClick(compute, Qt::LeftButton);
        const QString warmer = child<QLineEdit>(w_.get(), "solution")->text();
        QLocale::setDefault(QLocale::c());
        QVERIFY(!comma.contains(QLatin1Char('.')));
        QVERIFY(tc.contains(QLatin1Char(',')));
        QVERIFY(warmer != comma);
    }

    // R32 condensing units are catalogued at the middle and high levels only: the empty tab of
    // the low level says so beside its label.
    void anEmptyTabNamesTheLevelsTheCatalogueHolds() {
        showTab(pages(), MainWindow::Condensing);
        QComboBox* refrigerant = child<QComboBox>(w_.get(), "ComboBox8");
        refrigerant->setCurrentIndex(refrigerant->findText(QStringLiteral("R32")));
        child<QComboBox>(w_.get(), "ComboBox6")->setCurrentIndex(1);
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button8"), Qt::LeftButton);
        QLabel* none = child<QLabel>(w_.get(), "Label18");
        QLabel* note = child<QLabel>(w_.get(), "Label18Note");
        QVERIFY(none->isVisible() && note->isVisible());
        QCOMPARE(none->text(), QStringLiteral("Установок с заданными характеристиками нет."));
        QCOMPARE(note->text(), QStringLiteral("В каталоге на R32 установки этого вида есть только "
                                              "в исполнении «Среднетемпературное» и "
                                              "«Высокотемпературное»."));
        // At a level the catalogue holds, the list is back and the note gone.
        child<QComboBox>(w_.get(), "ComboBox6")->setCurrentIndex(2);
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button8"), Qt::LeftButton);
        QVERIFY(!none->isVisible() && !note->isVisible());
        QVERIFY(child<QTableWidget>(w_.get(), "StringGrid1")->rowCount() > 0);
    }

    void typedCondensingTemperatureUnlocksItsField() {
        QCheckBox* typed = child<QCheckBox>(w_.get(), "CheckBox2");
        QTest::mouseClick(typed, Qt::LeftButton);
        QVERIFY(!edit("condensate")->isReadOnly());
        QVERIFY(edit("Edit7")->isReadOnly());
        edit("condensate")->setText(QStringLiteral("40"));
        QTest::mouseClick(child<QPushButton>(w_.get(), "interpxy"), Qt::LeftButton);
        QCOMPARE(edit("condensate")->text(), QStringLiteral("40"));
        QTest::mouseClick(typed, Qt::LeftButton);
        QVERIFY(edit("condensate")->isReadOnly());
    }
};

TUNDRIX_QTEST_MAIN(SelectionTest)
#include "selection_test.moc"
