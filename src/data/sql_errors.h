#pragma once

#include <Vantrel3/VbError.h>

#include <QSqlError>
#include <QString>

namespace Vantrel3::sql {

enum class Dialect { Sqlite, Postgres };

// The DAO error numbers the data layer raises.
enum DaoError : qint32 {
    ObjectNotSet = 91,
    InvalidArgument = 3001,
    ObjectNotFound = 3011,
    NothingPending = 3020,
    NoCurrentRecord = 3021,
    DuplicateKey = 3022,
    FileNotFound = 3024,
    ReadOnlyObject = 3027,
    InvalidPath = 3044,
    InputTableNotFound = 3078,
    DriverFailed = 3146,
    FieldTooSmall = 3163,
    RecordDeleted = 3167,
    DataChanged = 3197, // another user changed the record since it was read
    RelatedRecordRequired = 3201,
    RecordLocked = 3218,
    NotSupported = 3251,
    ItemNotFound = 3265,
    RequiredIsNull = 3314,
    ValidationRule = 3317,
    UnrecognizedFormat = 3343,
    ConversionError = 3421,
};

// The standard message, with name filled into messages that name an object or a field.
QString daoMessage(qint32 number, const QString &name = {});
VbError daoError(qint32 number, const QString &source, const QString &name = {});

// Our description followed by the driver's own text, so that nothing of the cause is lost.
QString withDriverText(const QString &ours, const QSqlError &error);

// Maps a driver error onto the nearest DAO number, the driver's text after ours. `name` is the
// object a message names (a table, or the database for a failed open); `file` the database file
// a failure to find it names, when it is not `name`. An SQLite file deleted or replaced while
// open is reported as not found (3024), not as read-only.
VbError fromSqlError(const QSqlError &error, Dialect dialect, const QString &source,
                     const QString &name = {}, const QString &file = {});

} // namespace Vantrel3::sql
