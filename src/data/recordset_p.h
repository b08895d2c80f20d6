#pragma once

#include <Vantrel3/Recordset.h>

#include "data/sql_types.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace Vantrel3 {

struct FieldInfo {
    QString name;
    sql::ColumnType type;
    bool required = false;
    // Numbered by the database (SQLite's INTEGER PRIMARY KEY, a PostgreSQL serial or identity):
    // like an AutoNumber it holds its number from AddNew on, so it never reads as Null there.
    bool autoNumber = false;
    QString sequence; // PostgreSQL sequence that numbers it
};

class RecordsetPrivate {
public:
    RecordsetPrivate();

    // Set up by the opener.
    QString connection;
    sql::Dialect dialect = sql::Dialect::Sqlite;
    qint16 kind = 1;
    bool updatable = false;
    QString table;          // quoted, qualified name; empty for a query
    QStringList keySelect;  // expressions that read a record's key
    QStringList keyCompare; // "expr = ?" for each key part
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
    bool hasCurrent() const { return !bof && !eof && !dead; }
    void requireCurrent(const QString &source) const;
    void requireUpdatable(const QString &source) const;
    void discardEdit();
    // The number an AddNew record's auto-numbered field will get.
    void previewAutoNumbers();
    QVariant fieldValue(int field) const;
    void setFieldValue(int field, const QVariant &value);
    // Runs one write statement that returns the key and every field of the written record.
    void writeReturning(const QString &sql, const QList<QVariant> &binds, QList<QVariant> &key,
                        QList<QVariant> &record);
    QString returningList() const;
    void update();
    void remove();
};

// Reads the records of a table, a view or a query (3078/3011 when the name is unknown).
std::unique_ptr<RecordsetPrivate> openRecordset(const QString &connection, sql::Dialect dialect,
                                                const QString &recordSource, qint16 kind,
                                                bool readOnly, const QString &source);

} // namespace Vantrel3
