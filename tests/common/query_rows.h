#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>

// What a database holds, read through a connection of its own: one "a|b|c" text per row of the
// query, "<null>" for Null, so tests compare records with plain string lists.
namespace querytest {

inline QStringList rowsThrough(QSqlDatabase &db, const QString &select) {
    QStringList out;
    EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(select)) << q.lastError().text().toStdString();
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < q.record().count(); ++i) {
            row.append(q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        }
        out.append(row.join(u'|'));
    }
    return out;
}

inline QStringList sqliteRows(const QString &file, const QString &select) {
    const QString name = QStringLiteral("querytest_sqlite");
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        out = rowsThrough(db, select);
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

inline QStringList postgresRows(const QString &socketDir, const QString &database,
                                const QString &select) {
    const QString name = QStringLiteral("querytest_postgres");
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(socketDir);
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(database);
        out = rowsThrough(db, select);
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

} // namespace querytest
