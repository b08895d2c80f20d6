#pragma once

#include <Vantrel3/Recordset.h>

#include "data/data_error.h"
#include "data/sql_types.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace Vantrel3 {

// The source of the errors a recordset raises.
inline const QString kRecordsetSource = QStringLiteral("DAO.Recordset");

struct FieldInfo {
    QString name;
    sql::ColumnType type;
    bool required = false;
    // Numbered by the database (SQLite's INTEGER PRIMARY KEY, a PostgreSQL serial or identity):
    // like an AutoNumber it holds its number from AddNew on, so it never reads as Null there.
    bool autoNumber = false;
    QString sequence; // PostgreSQL sequence that numbers it
    QString read;     // the SQL that reads it without loss (sql::readExpression)
};

// One record as the database returned it: its key and its fields' raw driver values.
struct StoredRecord {
    QList<QVariant> key;
    QList<QVariant> values;
};

class RecordsetPrivate {
public:
    RecordsetPrivate();

    // Set up by the opener.
    QString connection;
    sql::Dialect dialect = sql::Dialect::Sqlite;
    qint16 kind = 1;
    // Why the records can only be read, in the user's words; empty when they can be written.
    QString readOnlyReason;
    QString table;          // quoted, qualified name; empty for a query
    QString tableName;      // the table's own name, as messages give it
    QStringList keyColumns; // the columns of the key, quoted, or the row id; none for a query
    QStringList keySelect;  // expressions that read a record's key without loss
    // The key is the row's address (SQLite's rowid), which the database may give to another row
    // after a delete or a VACUUM: only the record's whole content confirms it is still the same.
    bool addressKey = false;
    QList<FieldInfo> info;

    // Records in memory: rows x fields raw driver values, rows x keys.
    qsizetype rows = 0;
    QList<QVariant> values;
    QList<QVariant> keys;

    // Cursor: pos in 0..rows; bof/eof flags; dead after Delete until the next move.
    qsizetype pos = 0;
    bool bof = true;
    bool eof = true;
    bool dead = false;
    qint16 editMode = 0;
    QList<QVariant> buffer; // stored-type values of the pending AddNew/Edit
    QList<bool> touched;
    qsizetype lastModified = -1;

    std::vector<std::unique_ptr<Field>> fieldObjects;
    Fields fields;

    void makeFields();
    QSqlDatabase db() const;
    const QVariant &raw(qsizetype record, int field) const {
        return values.at(record * info.size() + field);
    }
    bool updatable() const { return readOnlyReason.isEmpty(); }
    bool hasCurrent() const { return !bof && !eof && !dead; }
    void requireCurrent(const QString &source) const;
    void requireUpdatable(const QString &source) const;
    void discardEdit();
    // The number an AddNew record's auto-numbered field will get.
    void previewAutoNumbers();
    QVariant fieldValue(int field) const;
    void setFieldValue(int field, const QVariant &value);
    // The key and every field, as read from the table and returned by writes.
    QString selectList() const;
    // "key = ? AND ...", to bind with a key.
    QString keyWhere() const;
    QList<QVariant> keyOf(qsizetype record) const;
    // Puts a record read again from the database in place of record `record`.
    void store(qsizetype record, const StoredRecord &stored);
    // Removes record `record` from memory; the cursor and LastModified follow the records.
    void drop(qsizetype record);
    // 381 unless 0 <= record < rows.
    void requireRecord(qsizetype record) const;
    // Maps a driver error of a statement on this recordset's data onto the DAO error, naming
    // the field a NOT NULL, UNIQUE or CHECK refusal is about.
    sql::DataError sqlError(const QSqlError &error) const;
    void update();
    void remove();
};

// Reads the records of a table, a view or a query (3078/3011 when the name is unknown).
std::unique_ptr<RecordsetPrivate> openRecordset(const QString &connection, sql::Dialect dialect,
                                                const QString &recordSource, qint16 kind,
                                                bool readOnly, const QString &source);

} // namespace Vantrel3
