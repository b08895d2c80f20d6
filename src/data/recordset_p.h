#pragma once

#include <Vantrel3/Recordset.h>

#include "data/data_error.h"
#include "data/record_keys.h"
#include "data/sql_types.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <QElapsedTimer>

#include <memory>
#include <optional>
#include <vector>

namespace Vantrel3 {

class RecordSink;

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

    // The records: their count and keys, and every raw driver value (rows x fields) unless
    // they were streamed to a grid.
    qsizetype rows = 0;
    RecordKeys keys;
    QList<QVariant> values;
    // Streamed to a grid, which holds the texts: no values are kept here, only a fingerprint of
    // each record's values (RecordFingerprint, with `seed`), and the values of the few records
    // read again since, the most recently used last.
    bool streamed = false;
    quint64 seed;
    std::vector<quint64> fingerprints;
    struct Held {
        qsizetype record;
        QList<QVariant> values;
    };
    mutable std::vector<Held> held;

    // Cursor: pos in 0..rows; bof/eof flags; dead after Delete until the next move.
    qsizetype pos = 0;
    bool bof = true;
    bool eof = true;
    bool dead = false;
    qint16 editMode = 0;
    QList<QVariant> buffer; // stored-type values of the pending AddNew/Edit
    QList<bool> touched;
    // The edited record's values as loaded, which Update finds it by; and, for a streamed
    // record that another user changed (3197) or deleted (3167) before Edit, that error, which
    // Update then raises without writing.
    QList<QVariant> editOriginals;
    qint32 editConflict = 0;
    qsizetype lastModified = -1;

    std::vector<std::unique_ptr<Field>> fieldObjects;
    Fields fields;

    void makeFields();
    QSqlDatabase db() const;
    // How a streamed record read again by its key compares with what was loaded.
    enum class ReadBack { Loaded, Changed, Gone };
    ReadBack readBack(qsizetype record, QList<QVariant> &values) const;
    // A streamed record's values, from the records held or read back by key: empty when the
    // record is gone; `outcome` says whether they are still as loaded.
    std::optional<QList<QVariant>> heldOrRead(qsizetype record, ReadBack &outcome) const;
    // The record's values as loaded: kept, held, or read again by key. Raises 3197 when another
    // user changed the record since it was loaded, 3167 when another user deleted it.
    QList<QVariant> loadedValues(qsizetype record) const;
    // The record's values to read: as loaded, or what the database holds now for a streamed
    // record another user changed since. Raises 3167 for a streamed record that is gone.
    QList<QVariant> currentValues(qsizetype record) const;
    QVariant raw(qsizetype record, int field) const;
    void hold(qsizetype record, const QList<QVariant> &values) const;
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
    // Adds a record the database returned after an insert, as the last.
    void append(const StoredRecord &stored);
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

// Reads the records of a table, a view or a query (3078/3011 when the name is unknown). With a
// sink, the records stream to it; a table's recordset then keeps keys and fingerprints only.
// `since` is when the open began, for the sink's progress.
std::unique_ptr<RecordsetPrivate> openRecordset(const QString &connection, sql::Dialect dialect,
                                                const QString &recordSource, qint16 kind,
                                                bool readOnly, const QString &source,
                                                RecordSink *sink = nullptr,
                                                const QElapsedTimer &since = {});

} // namespace Vantrel3
