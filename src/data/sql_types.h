#pragma once

#include "data/sql_errors.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

namespace Vantrel3::sql {

// DAO field type codes.
enum DaoType : qint16 {
    dbBoolean = 1,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbText = 10,
    dbLongBinary = 11,
    dbMemo = 12,
    dbGUID = 15,
    dbTime = 22,
};

// How values of a column are held in memory and sent to the database.
enum class Storage { Integer, Real, Boolean, Date, DateTime, Time, Text, Binary };

struct ColumnType {
    qint16 dao = dbText;
    Storage storage = Storage::Text;
    int integerBits = 64; // range of an Integer column
    int maxLength = 0;    // declared length of a text column, 0 when unbounded
};

// From the declared type text (SQLite's PRAGMA table_info, PostgreSQL's format_type), so that
// SQLite's BIGINT, DECIMAL or DATE columns get their real type.
ColumnType columnTypeFromDeclared(const QString &declared, Dialect dialect);
// For query columns whose declaration is unknown.
ColumnType columnTypeFromMeta(QMetaType type);

// The value the driver returned, in the column's storage type; Null gives an invalid QVariant.
QVariant fromDriver(const QVariant &raw, const ColumnType &type);
// The host string form; Null gives "".
QString displayText(const QVariant &raw, const ColumnType &type);
// The host string forms of a real number (at most 15 significant digits, the locale's decimal
// separator) and of a date, as displayText gives them.
QString realText(double value);
QString dateText(const QDate &date);
// realText() written into `out` (room for 24 units) when the number has at most four decimals
// and an integer part below 10^15, the common case, done without a general conversion. Returns
// the length, or -1 for a number left to realText().
qsizetype shortRealText(double value, QStringView point, char16_t *out);
// The same in Latin-1, -1 also when the separator is beyond it.
qsizetype shortRealText(double value, QStringView point, char *out);
// Checks a value assigned to a field and converts it to the storage type (raises 3421 or 3163).
QVariant coerce(const QVariant &value, const ColumnType &type, const QString &source);
// The value to bind for the database; dates and times go as ISO text in both dialects.
QVariant toBind(const QVariant &stored, const ColumnType &type, Dialect dialect);

bool isNullValue(const QVariant &value);

// The SQL that reads a column so that its value, bound back as read, compares equal to what the
// database holds. SQLite hands values back exactly as stored. The PostgreSQL driver decodes
// numeric to double and times to milliseconds, and some types have no equality at all, so there
// every column whose decoding is not exact is read as the server's own text for it.
QString readExpression(const QString &quotedColumn, const QString &declared, Dialect dialect);
// Null-safe equality of a column read by readExpression with one bound value.
QString sameValue(const QString &readExpression, Dialect dialect);

// "name" with embedded double quotes doubled, and back.
QString quoteIdentifier(const QString &name);
QString unquoteIdentifier(const QString &quoted);

} // namespace Vantrel3::sql
