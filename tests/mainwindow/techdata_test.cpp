// The technical-data store as the details view and the technical-data window use it: tables by
// kind, records by 1-based position, the last record of a name wins, text values written back.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include "qtestmain.h"
#include "techdata/techdatamodule.h"
#include "techdata/techdatatables.h"

using namespace tundrix;

namespace {

// A store with table "ol" (key, name, two characteristics) and one table "out" with a key only.
void writeStore(const QString& file) {
    const QString connection = QStringLiteral("techdata-test-writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(
            q.exec(QStringLiteral("CREATE TABLE ol (\"Код\" INTEGER PRIMARY KEY, "
                                  "\"Название\" TEXT, \"Питание\" TEXT, \"Ток\" TEXT)")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO ol VALUES (10, 'ОН-1', '380В', '5,5')")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO ol VALUES (11, 'ОН-2', '380В', '7')")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO ol VALUES (12, 'ОН-1', '220В', '9,25')")));
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE out (\"Код\" INTEGER PRIMARY KEY)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

}  // namespace

class TechDataTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    std::filesystem::path folder() const { return dir_.path().toStdString(); }

private slots:
    void init() {
        QFile::remove(dir_.filePath(QStringLiteral("TD.sqlite")));
        writeStore(dir_.filePath(QStringLiteral("TD.sqlite")));
    }

    void tablesByKindAndChillerType() {
        QCOMPARE(techDataTableForTab(UnitKind::Out, 0), QStringLiteral("out"));
        QCOMPARE(techDataTableForTab(UnitKind::Agr, 6), QStringLiteral("agr"));
        QCOMPARE(techDataTableForTab(UnitKind::Mka, 0), QStringLiteral("mka"));
        const QStringList chillers = {"glco", "glcu", "glcr", "glck", "ov", "os", "ol"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(techDataTableForTab(UnitKind::Glco, i), chillers[i]);
        // ОН chillers: the table is "ol" although their unit lists are named with "on".
        QCOMPARE(techDataTableForKind(UnitKind::On), QStringLiteral("ol"));
        QVERIFY(techDataTableForTab(UnitKind::Glco, 7).isEmpty());
        QVERIFY(techDataTableForTab(UnitKind::None, 0).isEmpty());
    }

    void theLastOfTwoRecordsWithTheSameNameIsFound() {
        TechDataModule m(folder());
        QCOMPARE(m.objectName(), QStringLiteral("TDataModule1"));
        QCOMPARE(m.tableName(), QStringLiteral("out"));
        m.setTableName(QStringLiteral("ol"));
        QVERIFY2(m.open(), qPrintable(m.lastError()));
        QCOMPARE(m.fieldCount(), 4);
        QCOMPARE(m.recordCount(), 3);
        QCOMPARE(m.fieldName(2), QStringLiteral("Питание"));
        QCOMPARE(m.recordNo(QStringLiteral("ОН-1")), 3);
        QCOMPARE(m.value(3, 2), QStringLiteral("220В"));
        QCOMPARE(m.value(3, 0), QStringLiteral("12"));
        QCOMPARE(m.currentRecord(), 3);  // the walk ends on the last record
        QCOMPARE(m.recordNo(QStringLiteral("ОН-2")), 2);
        // Exact and case-sensitive.
        QCOMPARE(m.recordNo(QStringLiteral("он-1")), 0);
        QCOMPARE(m.recordNo(QStringLiteral("ОН-1 ")), 0);
        QCOMPARE(m.recordNo(QString()), 0);
    }

    void valuesWrittenBackAndAppendedSurviveReopening() {
        {
            TechDataModule m(folder());
            m.setTableName(QStringLiteral("ol"));
            QVERIFY(m.open());
            QVERIFY(m.updateRecord(
                1, {QStringLiteral("ОН-1"), QStringLiteral("400В"), QStringLiteral("6")}));
            QVERIFY(m.appendRecord({QStringLiteral("ОН-3"), QStringLiteral("380В")}));
            QCOMPARE(m.recordCount(), 4);
            QCOMPARE(m.currentRecord(), 4);
            QVERIFY(!m.value(4, 0).isEmpty());  // a new key
        }
        TechDataModule m(folder());
        m.setTableName(QStringLiteral("ol"));
        QVERIFY(m.open());
        QCOMPARE(m.value(1, 2), QStringLiteral("400В"));
        QCOMPARE(m.recordNo(QStringLiteral("ОН-3")), 4);
        QCOMPARE(m.value(4, 3), QString());
    }

    // Another program turns the table into a view after the module read it: the insert still
    // lands (through the view's trigger), reading the table back fails. The record is reported as
    // stored and the module closed, not left open on an empty copy.
    void aRecordStoredButNotReadBackIsStoredAndClosesTheTable() {
        TechDataModule m(folder());
        m.setTableName(QStringLiteral("ol"));
        QVERIFY(m.open());
        const QString connection = QStringLiteral("techdata-test-other");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(dir_.filePath(QStringLiteral("TD.sqlite")));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("ALTER TABLE ol RENAME TO ol_data")));
            QVERIFY(q.exec(QStringLiteral("CREATE VIEW ol AS SELECT * FROM ol_data")));
            QVERIFY(q.exec(QStringLiteral(
                "CREATE TRIGGER ol_insert INSTEAD OF INSERT ON ol BEGIN INSERT INTO ol_data "
                "(\"Название\", \"Питание\", \"Ток\") VALUES (NEW.\"Название\", "
                "NEW.\"Питание\", NEW.\"Ток\"); END")));
        }
        QVERIFY(m.appendRecord({QStringLiteral("ОН-4"), QStringLiteral("380В"), QString()}));
        QVERIFY(!m.isOpen());
        QCOMPARE(m.recordCount(), 0);
        QCOMPARE(m.currentRecord(), 0);
        QVERIFY(m.lastError().contains(QStringLiteral("не прочитана заново")));
        {
            QSqlDatabase db = QSqlDatabase::database(connection);
            QSqlQuery q(db);
            QVERIFY(
                q.exec(QStringLiteral("SELECT count(*) FROM ol_data WHERE \"Название\" = 'ОН-4'")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 1);
        }
        QSqlDatabase::removeDatabase(connection);
    }

    void aTableWithOnlyTheKeyHasNoRecordsToShow() {
        TechDataModule m(folder());
        QVERIFY(m.open());  // "out"
        QCOMPARE(m.fieldCount(), 1);
        QCOMPARE(m.recordNo(QStringLiteral("x")), 0);
        QVERIFY(m.appendRecord({}));
        QCOMPARE(m.recordCount(), 1);
    }

    void aMissingStoreOrTableFailsToOpenWithoutCreatingAFile() {
        QTemporaryDir other;
        TechDataModule m(std::filesystem::path(other.path().toStdString()));
        QVERIFY(!m.open());
        QVERIFY(!m.lastError().isEmpty());
        QVERIFY(!QFile::exists(other.filePath(QStringLiteral("TD.sqlite"))));
        TechDataModule n(folder());
        n.setTableName(QStringLiteral("glcu"));
        QVERIFY(!n.open());
        QVERIFY(!n.isOpen());
        QCOMPARE(n.value(1, 1), QString());
    }
};

TUNDRIX_QTEST_MAIN(TechDataTest)
#include "techdata_test.moc"
