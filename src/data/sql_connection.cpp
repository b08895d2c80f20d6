#include "data/sql_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace Vantrel3::sql {

namespace {

// How long a write waits for another user's lock before it is reported, the same on both
// engines: long enough that ordinary contention (another program saving a record) passes
// unnoticed, short enough that a lock left open does not freeze the user interface for long.
constexpr int kLockTimeoutMs = 5000;
constexpr int kConnectTimeoutS = 5;

QString decode(const QString &s) {
    return QUrl::fromPercentEncoding(s.toUtf8());
}

} // namespace

ConnectionTarget parseDatabaseName(const QString &name, const QString &source) {
    ConnectionTarget t;
    const QString trimmed = name.trimmed();
    QString rest;
    for (const auto &scheme : {QStringLiteral("postgresql://"), QStringLiteral("postgres://")}) {
        if (trimmed.startsWith(scheme, Qt::CaseInsensitive)) {
            rest = trimmed.mid(scheme.size());
            t.dialect = Dialect::Postgres;
        }
    }
    if (t.dialect == Dialect::Sqlite) {
        t.path = name;
        return t;
    }
    // Parsed by hand: QUrl rejects a socket directory written as a percent-encoded host.
    const qsizetype q = rest.indexOf(u'?');
    const QString query = q < 0 ? QString() : rest.mid(q + 1);
    rest = q < 0 ? rest : rest.left(q);
    const qsizetype slash = rest.indexOf(u'/');
    const QString authority = slash < 0 ? rest : rest.left(slash);
    t.database = slash < 0 ? QString() : decode(rest.mid(slash + 1));
    QString hostPort = authority;
    const qsizetype at = authority.lastIndexOf(u'@');
    if (at >= 0) {
        const QString userInfo = authority.left(at);
        hostPort = authority.mid(at + 1);
        t.user = decode(userInfo.section(u':', 0, 0));
        t.password = userInfo.contains(u':') ? decode(userInfo.section(u':', 1)) : QString();
    }
    const qsizetype colon = hostPort.lastIndexOf(u':');
    if (colon >= 0 && !hostPort.startsWith(u'[')) {
        bool ok = false;
        t.port = hostPort.mid(colon + 1).toInt(&ok);
        if (!ok) {
            throw daoError(InvalidPath, source, name);
        }
        hostPort = hostPort.left(colon);
    }
    t.host = decode(hostPort);
    QStringList options;
    for (const auto &item : QUrlQuery(query).queryItems(QUrl::FullyDecoded)) {
        if (item.first == u"host") {
            t.host = item.second;
        } else if (item.first == u"port") {
            t.port = item.second.toInt();
        } else if (item.first == u"user") {
            t.user = item.second;
        } else if (item.first == u"password") {
            t.password = item.second;
        } else if (item.first == u"dbname") {
            t.database = item.second;
        } else {
            options.append(item.first + QLatin1Char('=') + item.second);
        }
    }
    options.append(QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutS));
    t.options = options.join(u';');
    if (t.database.isEmpty()) {
        throw daoError(InvalidPath, source, name);
    }
    return t;
}

QSqlDatabase openConnection(const QString &connectionName, const ConnectionTarget &target,
                            const QString &source) {
    QSqlDatabase db;
    if (target.dialect == Dialect::Sqlite) {
        const QFileInfo file(target.path);
        if (!file.exists()) {
            const bool folderExists = file.absoluteDir().exists();
            throw daoError(folderExists ? FileNotFound : InvalidPath, source, target.path);
        }
        if (!file.isFile()) {
            throw daoError(InvalidPath, source, target.path);
        }
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(target.path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kLockTimeoutMs);
        // Permission bits only (WriteUser asks access(), which says yes to root): the owner's
        // intent holds even for a root process.
        const auto writable =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!(file.permissions() & writable)) {
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        }
        db.setConnectOptions(options);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
        if (!db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName);
            throw VbError(DriverFailed, source,
                          daoMessage(DriverFailed) +
                              QStringLiteral(" (the PostgreSQL driver QPSQL is not installed)"));
        }
        db.setHostName(target.host);
        if (target.port > 0) {
            db.setPort(target.port);
        }
        db.setUserName(target.user);
        db.setPassword(target.password);
        db.setDatabaseName(target.database);
        db.setConnectOptions(target.options);
    }
    if (!db.open()) {
        const VbError error =
            fromSqlError(db.lastError(), target.dialect, source,
                         target.dialect == Dialect::Sqlite ? target.path : target.database);
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw error;
    }
    if (target.dialect == Dialect::Sqlite) {
        // SQLite enforces a table's declared foreign keys only when each connection asks it to:
        // without this, deleting a customer would leave their orders pointing at nothing.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    }
    if (target.dialect == Dialect::Postgres) {
        // A row or table locked by another session is reported after the same wait as
        // SQLite's busy timeout instead of freezing the user interface.
        QSqlQuery(db).exec(QStringLiteral("SET lock_timeout = %1").arg(kLockTimeoutMs));
        // Floating-point values print with every digit they need to read back exactly (the
        // default from version 12 on), so a value compares equal to itself once bound back.
        QSqlQuery(db).exec(QStringLiteral("SET extra_float_digits = 3"));
    }
    return db;
}

} // namespace Vantrel3::sql
