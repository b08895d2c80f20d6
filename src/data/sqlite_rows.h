#pragma once

#include "data/record_fingerprint.h"
#include "data/row_source.h"
#include "data/sql_types.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace Vantrel3 {

struct FieldInfo;

// The records of an SQLite table read through SQLite's own interface, on a read-only connection
// of their own to the same file: making a QVariant of every value, as Qt's driver does, costs
// more than all the rest of opening a large table. Texts, keys and fingerprints are exactly
// those that the driver's values would give.
class SqliteRows final : public RowSource {
public:
    // `select` reads the fields from column `firstField` on, and the key from `keyColumns`
    // (a key column that is also a field is read once). `integerKey`: the key is the row id or
    // its alias, always an integer.
    // `count` counts the records `select` gives; both run in one read transaction, so that the
    // count holds.
    SqliteRows(const QString &file, const QString &count, const QString &select,
               const QList<int> &keyColumns, int firstField, bool integerKey,
               const QList<FieldInfo> &fields, quint64 seed, const QString &source,
               const QString &name);
    ~SqliteRows() override;
    SqliteRows(const SqliteRows &) = delete;
    SqliteRows &operator=(const SqliteRows &) = delete;

    qint64 expectedCount() const override { return m_expected; }
    bool next() override;
    void appendKey(RecordKeys &keys) override;
    quint64 fingerprint() override;
    const QStringView *texts() override;
    const QLatin1StringView *latin1Texts() override;

private:
    [[noreturn]] void fail(int code, const QString &what) const;
    // The value as Qt's driver returns it.
    static QVariant driverValue(sqlite3_value *v);
    // The current record's fingerprint and texts, in one pass over its values.
    void readRecord();
    void appendGeneral(const sql::ColumnType &type, sqlite3_value *v);
    void appendReal(double d);
    void appendBytes(const char *text, qsizetype size); // Latin-1
    void appendUnits(QStringView text);
    void appendInteger(qint64 n);
    // From the first text beyond Latin-1 on, the record's texts are kept in UTF-16.
    void widen();
    void appendDate(int year, int month, int day, const sql::ColumnType &type, sqlite3_value *v);

    // Closed however the constructor ends, a failure included.
    struct CloseDatabase {
        void operator()(sqlite3 *db) const;
    };
    struct FinalizeStatement {
        void operator()(sqlite3_stmt *stmt) const;
    };
    std::unique_ptr<sqlite3, CloseDatabase> m_db;
    std::unique_ptr<sqlite3_stmt, FinalizeStatement> m_stmt;
    qint64 m_expected = -1;
    QList<int> m_keyColumns;
    int m_firstField;
    bool m_integerKey;
    std::vector<sql::ColumnType> m_types;
    QString m_source;
    QString m_name;
    QString m_point;                       // the locale's decimal separator
    std::vector<sqlite3_value *> m_values; // the current record's columns
    // The current record's texts, one after the other: in one byte a character while every
    // text fits in Latin-1 (m_wide false), in UTF-16 otherwise.
    std::vector<char> m_bytes;
    std::vector<char16_t> m_chars;
    qsizetype m_used = 0;
    bool m_wide = false;
    std::vector<qsizetype> m_ends;
    std::vector<QStringView> m_views;
    std::vector<QLatin1StringView> m_latin1;
    // ASCII texts of the record taken in place from SQLite's row rather than copied into
    // m_bytes (null for the others), and their sizes.
    std::vector<const char *> m_direct;
    std::vector<qsizetype> m_directSize;
    // Dates repeat: their texts by year, month and day, in a small table indexed by them.
    struct DateText {
        int key = -1;
        QString text;
        QByteArray latin1; // empty when the text does not fit in Latin-1
    };
    std::vector<DateText> m_dates;
    RecordFingerprint m_fingerprint;
    quint64 m_digest = 0;
    bool m_read = false;
};

} // namespace Vantrel3
