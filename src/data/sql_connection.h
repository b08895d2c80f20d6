#pragma once

#include "data/sql_errors.h"

#include <QSqlDatabase>
#include <QString>

namespace Vantrel3::sql {

// How long a write waits for another user's lock before it is reported, the same on both
// engines: long enough that ordinary contention (another program saving a record) passes
// unnoticed, short enough that a lock left open does not freeze the user interface for long.
inline constexpr int kLockTimeoutMs = 5000;

// Where a DatabaseName points: an SQLite file, or a PostgreSQL server given by URI.
struct ConnectionTarget {
    Dialect dialect = Dialect::Sqlite;
    QString path; // SQLite file
    QString host; // PostgreSQL host name or socket directory
    int port = -1;
    QString user;
    QString password;
    QString database;
    QString options; // libpq options from the URI query, "key=value;..."
};

// Raises 3044 for a PostgreSQL URI it cannot read.
ConnectionTarget parseDatabaseName(const QString &name, const QString &source);

// Adds and opens the named connection; raises 3024/3044 for a missing SQLite file or folder and
// 3146 when the server cannot be reached. An SQLite file without write permission opens
// read-only. The connection is removed again when opening fails.
QSqlDatabase openConnection(const QString &connectionName, const ConnectionTarget &target,
                            const QString &source);

} // namespace Vantrel3::sql
