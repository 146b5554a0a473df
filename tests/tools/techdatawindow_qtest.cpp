// The technical-data window on a real store: a unit's record shown and written back, a new
// record pre-filled and appended with its key copied into the editor, the sum fields and the
// drawing button.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <fstream>
#include <map>
#include <memory>

#include "qtestmain.h"
#include "techdata/techdatamodule.h"
#include "tools/techdatawindow.h"
#include "widgetaccess.h"

using namespace tundrix;

using namespace tundrix::testing;

namespace {

struct EditorRow : EditorRowAccess {
    std::map<int, std::string> cells;
    std::string editorCell(int column) const override {
        const auto it = cells.find(column);
        return it == cells.end() ? std::string() : it->second;
    }
    void setEditorCell(int column, const std::string& text) override { cells[column] = text; }
};

// Table "out": key, name and 18 characteristics; two records of U1 and one of OTHER. Table
// "glco": key, name and one characteristic, no records.
void writeStore(const QString& file) {
    const QString connection = QStringLiteral("techdata-window-writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QString columns = QStringLiteral("\"Код\" INTEGER PRIMARY KEY, \"Название\" TEXT");
        for (int f = 2; f < 20; ++f)
            columns += QStringLiteral(", \"Поле %1\" TEXT").arg(f);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE out (%1)").arg(columns)));
        QVERIFY(
            q.exec(QStringLiteral("INSERT INTO out (\"Код\", \"Название\", \"Поле 2\") "
                                  "VALUES (5, 'U1', 'early')")));
        QVERIFY(
            q.exec(QStringLiteral("INSERT INTO out (\"Код\", \"Название\", \"Поле 2\") "
                                  "VALUES (9, 'U1', 'late')")));
        QVERIFY(
            q.exec(QStringLiteral("INSERT INTO out (\"Код\", \"Название\") "
                                  "VALUES (12, 'OTHER')")));
        QVERIFY(
            q.exec(QStringLiteral("CREATE TABLE glco (\"Код\" INTEGER PRIMARY KEY, "
                                  "\"Название\" TEXT, \"Поле 2\" TEXT)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

}  // namespace

class TechDataWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<TechDataModule> module_;
    std::unique_ptr<TechDataWindow> w_;
    Condenserprop condensers_;
    EditorRow row_;
    QList<QUrl> opened_;

    std::filesystem::path folder() const { return dir_.path().toStdString(); }
    QTableWidget* grid() { return child<QTableWidget>(w_.get(), "StringGrid1"); }

    void doubleClickRow(int row) {
        QTableWidget* g = grid();
        g->setCurrentCell(row, 1);
        g->scrollToItem(g->item(row, 1));
        const QRect r = g->visualItemRect(g->item(row, 1));
        // The first press after the window appears only moves the pointer in; a click before
        // the double click makes sure both reach the grid.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        condensers_.setNumfuns(3, 2);
        condensers_.setFunsCap(3, 0.12);
        condensers_.setFunsCurrent(3, 0.9);
        condensers_.setPol(3, "K3");
    }

    void init() {
        module_.reset();
        QFile::remove(dir_.filePath(QStringLiteral("TD.sqlite")));
        writeStore(dir_.filePath(QStringLiteral("TD.sqlite")));
        module_ = std::make_unique<TechDataModule>(folder());
        module_->setTableName(QStringLiteral("out"));
        QVERIFY(module_->open());
        w_ = std::make_unique<TechDataWindow>(folder());
        w_->setTechData(module_.get());
        w_->setCondensers(&condensers_);
        opened_.clear();
        w_->setUrlOpener([this](const QUrl& url) {
            opened_ << url;
            return true;
        });
        row_.cells = {{0, "АНН-K3-2xA+B"}, {1, "A+B"}, {2, "GVH 3"}, {3, "4+7"}, {4, "3"},
                      {5, "2+1"},          {6, "1"}};
    }
    void cleanup() {
        w_.reset();
        module_.reset();
    }

    void aUnitWithoutARecordIsPrefilledAndOkAppendsItWithItsKey() {
        w_->openFor(&row_);
        QCOMPARE(w_->objectName(), QStringLiteral("TForm5"));
        QCOMPARE(grid()->rowCount(), 21);
        QCOMPARE(cell(grid(), 0, 0), QStringLiteral("Характеристика"));
        QCOMPARE(cell(grid(), 0, 1), QStringLiteral("Значение"));
        QCOMPARE(cell(grid(), 5, 0), QStringLiteral("Поле 5"));
        QCOMPARE(cell(grid(), 1, 1), QStringLiteral("АНН-K3-2xA+B"));
        QCOMPARE(cell(grid(), 5, 1), QStringLiteral("A"));
        QCOMPARE(cell(grid(), 6, 1), QStringLiteral("B"));
        QCOMPARE(cell(grid(), 7, 1), QStringLiteral("2"));
        QCOMPARE(cell(grid(), 8, 1), QStringLiteral("1"));
        QCOMPARE(cell(grid(), 15, 1), QStringLiteral("0,12X2"));
        QCOMPARE(cell(grid(), 19, 1), QStringLiteral("50гц/380В/3фазы"));
        // The unit name row is fixed.
        QVERIFY(!(grid()->item(1, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid()->item(2, 1)->flags() & Qt::ItemIsEditable);

        QTest::mouseClick(child<QPushButton>(w_.get(), "Button1"), Qt::LeftButton);
        QVERIFY(!w_->isVisible());
        QCOMPARE(module_->recordCount(), 4);
        QCOMPARE(module_->value(4, 1), QStringLiteral("АНН-K3-2xA+B"));
        QCOMPARE(module_->value(4, 5), QStringLiteral("A"));
        QCOMPARE(QString::fromStdString(row_.cells[9]), module_->value(4, 0));
        QCOMPARE(module_->value(4, 0), QStringLiteral("13"));
    }

    // A cursor move on the chiller tab switches the shared table between filling and "ОК": the
    // record still goes into the table it was filled from, and the chiller table stays open.
    void okWritesIntoTheTableTheWindowWasFilledFrom() {
        w_->openFor(&row_);
        module_->close();
        module_->setTableName(QStringLiteral("glco"));
        QVERIFY(module_->open());
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button1"), Qt::LeftButton);
        QVERIFY(!w_->isVisible());
        QCOMPARE(module_->tableName(), QStringLiteral("glco"));
        QCOMPARE(module_->recordCount(), 0);
        module_->close();
        module_->setTableName(QStringLiteral("out"));
        QVERIFY(module_->open());
        QCOMPARE(module_->recordCount(), 4);
        QCOMPARE(module_->value(4, 1), QStringLiteral("АНН-K3-2xA+B"));
        QCOMPARE(module_->value(4, 5), QStringLiteral("A"));
        QCOMPARE(row_.cells[9], std::string("13"));
    }

    void nothingIsStoredIntoTheInstalledCatalogue() {
        QDir(dir_.path()).mkpath(QStringLiteral("share/tundrix/data"));
        const QString installed = dir_.filePath(QStringLiteral("share/tundrix/data"));
        writeStore(installed + QStringLiteral("/TD.sqlite"));
        TechDataModule module(installed.toStdString());
        QVERIFY(module.open());
        TechDataWindow w(installed.toStdString());
        w.setTechData(&module);
        w.openFor(&row_);
        const auto text = catchMessage();
        QTest::mouseClick(child<QPushButton>(&w, "Button1"), Qt::LeftButton);
        QVERIFY2(text->contains(installed) && text->contains(QStringLiteral("--data")),
                 qPrintable(*text));
        QVERIFY(w.isVisible());
        QVERIFY(module.open());
        QCOMPARE(module.recordCount(), 3);
    }

    void ofTwoRecordsWithTheSameNameTheLaterIsShownAndUpdated() {
        row_.cells[0] = "U1";
        w_->openFor(&row_);
        QCOMPARE(cell(grid(), 2, 1), QStringLiteral("late"));
        grid()->item(3, 1)->setText(QStringLiteral("typed"));
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button1"), Qt::LeftButton);
        QCOMPARE(module_->recordCount(), 3);
        QCOMPARE(module_->value(2, 3), QStringLiteral("typed"));
        QCOMPARE(module_->value(1, 3), QString());
        QCOMPARE(row_.cells[9], std::string("9"));
    }

    // Restored after minimising, the window keeps what was typed; "ОК" stores it.
    void typedValuesSurviveMinimisingAndRestoring() {
        row_.cells[0] = "U1";
        w_->openFor(&row_);
        grid()->item(3, 1)->setText(QStringLiteral("typed"));
        w_->showMinimized();
        QApplication::processEvents();
        w_->showNormal();
        QApplication::processEvents();
        QCOMPARE(cell(grid(), 3, 1), QStringLiteral("typed"));
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button1"), Qt::LeftButton);
        QCOMPARE(module_->value(2, 3), QStringLiteral("typed"));
    }

    void doubleClickOnFieldSeventeenAddsTheFanPower() {
        w_->openFor(&row_);
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        grid()->item(13, 1)->setText(QStringLiteral("5,5"));
        doubleClickRow(17);
        QCOMPARE(cell(grid(), 17, 1), QStringLiteral("5,74"));
        doubleClickRow(16);  // not a sum field
        QCOMPARE(cell(grid(), 16, 1), QStringLiteral("0,9X2"));
    }

    void aColumnFourThatIsNoNumberStopsThePrefillWithAMessage() {
        row_.cells[4] = "x";
        const auto text = catchMessage();
        w_->openFor(&row_);
        QVERIFY2(text->contains(QStringLiteral("\"x\"")), qPrintable(*text));
        QCOMPARE(cell(grid(), 5, 1), QStringLiteral("A"));
        QCOMPARE(cell(grid(), 12, 1), QString());
    }

    void theDrawingOpensOnlyFromInsideTheDataFolder() {
        std::filesystem::create_directories(folder() / "TechnicalData");
        std::ofstream(folder() / "TechnicalData" / "plan.pdf") << "%PDF-1.4\n";
        std::ofstream(folder().parent_path() / "outside.pdf") << "%PDF-1.4\n";
        w_->openFor(&row_);
        auto* label2 = child<QLabel>(w_.get(), "Label2");
        auto* button2 = child<QPushButton>(w_.get(), "Button2");
        QCOMPARE(button2->text(), QStringLiteral("Посмотреть чертеж"));

        row_.cells[7] = "TechnicalData\\plan.pdf";
        QTest::mouseClick(button2, Qt::LeftButton);
        QCOMPARE(label2->text(), QStringLiteral("да"));
        QCOMPARE(opened_.size(), 1);
        QCOMPARE(opened_[0].toLocalFile(),
                 QString::fromStdString((folder() / "TechnicalData" / "plan.pdf").string()));

        for (const char* path : {"..\\outside.pdf", "TechnicalData\\none.pdf", ""}) {
            row_.cells[7] = path;
            QTest::mouseClick(button2, Qt::LeftButton);
            QCOMPARE(label2->text(), QStringLiteral("нет"));
        }
        QCOMPARE(opened_.size(), 1);
        std::filesystem::remove(folder().parent_path() / "outside.pdf");
    }
};

TUNDRIX_QTEST_MAIN(TechDataWindowTest)
#include "techdatawindow_qtest.moc"
