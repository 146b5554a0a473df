// The technical-data store: one table of "TD.sqlite" in the data folder open at a time, read
// into memory when it is opened. Records are addressed by their 1-based position in the table
// (in storage order), fields by their 0-based position; every value is handled as text. Field 0
// is the integer key, field 1 the unit name by which records are found.
//
// The main window's details view and the technical-data window share one object of this class,
// so both always see the table that was switched to last.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <filesystem>

namespace tundrix {

class TechDataModule : public QObject {
public:
    static constexpr const char* kFileName = "TD.sqlite";

    explicit TechDataModule(const std::filesystem::path& dataDir, QObject* parent = nullptr);
    ~TechDataModule() override;
    TechDataModule(const TechDataModule&) = delete;
    TechDataModule& operator=(const TechDataModule&) = delete;

    void setDataDir(const std::filesystem::path& dataDir);
    std::filesystem::path databaseFile() const;

    // The table the next open() reads; the name at start is "out".
    void setTableName(const QString& name) { tableName_ = name; }
    const QString& tableName() const { return tableName_; }

    // Reads the named table. False (with the reason in lastError) when the database file is
    // missing, cannot be opened or has no such table; the module is then closed.
    bool open();
    void close();
    bool isOpen() const { return open_; }
    const QString& lastError() const { return error_; }

    int fieldCount() const { return int(fields_.size()); }
    int recordCount() const { return int(rows_.size()); }
    QString fieldName(int field) const;
    // Value of a field of record 1..recordCount as text; empty outside the table.
    QString value(int record, int field) const;

    // The record the table is positioned on (0 when the table is empty or closed).
    int currentRecord() const { return current_; }
    void moveTo(int record);
    void first() { moveTo(1); }

    // Number of the last record whose field 1 equals name exactly; 0 when none does. Leaves the
    // table on its last record, as walking it does.
    int recordNo(const QString& name);

    // Writes fields 1..n-1 of record `record` (values[0] is field 1). False on a storage error.
    bool updateRecord(int record, const QStringList& values);
    // Appends a record with fields 1..n-1 from values and a new key; positions the table on it.
    // True when the record was stored. When the table cannot be read back afterwards the module
    // is closed (no current record, lastError says why) instead of staying open on an empty copy.
    bool appendRecord(const QStringList& values);

private:
    bool ensureConnection();
    bool reload();

    std::filesystem::path dataDir_;
    QString connection_;
    QString tableName_ = QStringLiteral("out");
    bool open_ = false;
    QString error_;
    QStringList fields_;
    QVector<qint64> rowids_;
    QVector<QStringList> rows_;
    int current_ = 0;
};

}  // namespace tundrix
