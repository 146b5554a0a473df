#include "techdata/techdatamodule.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace tundrix {

namespace {

QString quoted(const QString& identifier) {
    QString q = identifier;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

TechDataModule::TechDataModule(const std::filesystem::path& dataDir, QObject* parent)
    : QObject(parent), dataDir_(dataDir) {
    setObjectName(QStringLiteral("TDataModule1"));
    connection_ = QStringLiteral("tundrix-td-%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
}

TechDataModule::~TechDataModule() {
    close();
    if (QSqlDatabase::contains(connection_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection_);
    }
}

void TechDataModule::setDataDir(const std::filesystem::path& dataDir) {
    close();
    dataDir_ = dataDir;
    if (QSqlDatabase::contains(connection_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection_);
    }
}

std::filesystem::path TechDataModule::databaseFile() const {
    return dataDir_ / kFileName;
}

bool TechDataModule::ensureConnection() {
    const std::filesystem::path file = databaseFile();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        // Opening a missing SQLite file would create an empty one in the data folder.
        error_ = QStringLiteral("Файл базы технических данных не найден: ") +
                 QString::fromStdString(file.string());
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? QSqlDatabase::database(connection_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (db.isOpen())
        return true;
    db.setDatabaseName(QString::fromStdString(file.string()));
    if (!db.open()) {
        error_ = db.lastError().text();
        return false;
    }
    return true;
}

bool TechDataModule::open() {
    close();
    error_.clear();
    if (!ensureConnection())
        return false;
    if (!reload()) {
        close();
        return false;
    }
    open_ = true;
    current_ = rows_.isEmpty() ? 0 : 1;
    return true;
}

bool TechDataModule::reload() {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.tables().contains(tableName_)) {
        error_ = QStringLiteral("Таблица \"%1\" не найдена в %2")
                     .arg(tableName_, QString::fromUtf8(kFileName));
        return false;
    }
    fields_.clear();
    rowids_.clear();
    rows_.clear();
    const QSqlRecord layout = db.record(tableName_);
    for (int f = 0; f < layout.count(); ++f)
        fields_ << layout.fieldName(f);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quoted(tableName_)))) {
        error_ = q.lastError().text();
        return false;
    }
    while (q.next()) {
        rowids_ << q.value(0).toLongLong();
        QStringList row;
        for (int f = 0; f < fields_.size(); ++f)
            row << q.value(f + 1).toString();
        rows_ << row;
    }
    return true;
}

void TechDataModule::close() {
    open_ = false;
    fields_.clear();
    rowids_.clear();
    rows_.clear();
    current_ = 0;
}

QString TechDataModule::fieldName(int field) const {
    return field >= 0 && field < fields_.size() ? fields_[field] : QString();
}

QString TechDataModule::value(int record, int field) const {
    if (record < 1 || record > rows_.size() || field < 0 || field >= fields_.size())
        return {};
    return rows_[record - 1][field];
}

void TechDataModule::moveTo(int record) {
    if (rows_.isEmpty())
        current_ = 0;
    else
        current_ = std::clamp(record, 1, int(rows_.size()));
}

int TechDataModule::recordNo(const QString& name) {
    int found = 0;
    for (int r = 1; r <= recordCount(); ++r) {
        moveTo(r);
        if (value(r, 1) == name)
            found = r;
    }
    return found;
}

bool TechDataModule::updateRecord(int record, const QStringList& values) {
    if (!open_ || record < 1 || record > rows_.size() || fields_.size() < 2)
        return open_ && record >= 1 && record <= rows_.size();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QString sql = QStringLiteral("UPDATE %1 SET ").arg(quoted(tableName_));
    for (int f = 1; f < fields_.size(); ++f)
        sql += (f > 1 ? QStringLiteral(", ") : QString()) + quoted(fields_[f]) +
               QStringLiteral(" = ?");
    sql += QStringLiteral(" WHERE rowid = ?");
    QSqlQuery q(db);
    q.prepare(sql);
    for (int f = 1; f < fields_.size(); ++f)
        q.addBindValue(f - 1 < values.size() ? values[f - 1] : QString());
    q.addBindValue(rowids_[record - 1]);
    if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
    }
    for (int f = 1; f < fields_.size(); ++f)
        rows_[record - 1][f] = f - 1 < values.size() ? values[f - 1] : QString();
    current_ = record;
    return true;
}

bool TechDataModule::appendRecord(const QStringList& values) {
    if (!open_)
        return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    QString sql;
    if (fields_.size() < 2) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(tableName_));
    } else {
        QString names, marks;
        for (int f = 1; f < fields_.size(); ++f) {
            names += (f > 1 ? QStringLiteral(", ") : QString()) + quoted(fields_[f]);
            marks += (f > 1 ? QStringLiteral(", ?") : QStringLiteral("?"));
        }
        sql =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quoted(tableName_), names, marks);
    }
    q.prepare(sql);
    for (int f = 1; f < fields_.size(); ++f)
        q.addBindValue(f - 1 < values.size() ? values[f - 1] : QString());
    if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
    }
    // The record is stored whatever follows. A table that cannot be read back leaves the module
    // closed rather than open on an empty copy; the next open() reads it again.
    if (!reload()) {
        const QString why = error_;
        close();
        error_ = QStringLiteral("таблица \"%1\" не прочитана заново: %2").arg(tableName_, why);
        return true;
    }
    current_ = recordCount();
    return true;
}

}  // namespace tundrix
