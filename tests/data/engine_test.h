#pragma once

#include "common/pg_cluster.h"
#include "common/query_rows.h"
#include <Vantrel3/DataControl.h>
#include <Vantrel3/vbruntime.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>

enum class Engine { Sqlite, Postgres };

inline std::string engineName(const ::testing::TestParamInfo<Engine> &info) {
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

// A fresh database for each test, on an SQLite file or on the throwaway PostgreSQL server, opened
// by the data control under test and reached by connections of the test's own that stand for
// another user of the same data.
class EngineTest : public ::testing::TestWithParam<Engine> {
protected:
    static void TearDownTestSuite() { cluster.reset(); }

    void SetUp() override {
        Vantrel3::vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        if (sqlite()) {
            ASSERT_TRUE(dir.isValid());
            file = dir.filePath(QStringLiteral("data.db"));
            return;
        }
        if (!cluster) { // started once for the suite: a server takes seconds to start
            cluster = std::make_unique<Vantrel3::test::PgCluster>();
        }
        ASSERT_TRUE(cluster->ok()) << cluster->error().toStdString();
        ASSERT_TRUE(cluster->start()) << cluster->error().toStdString();
        database = QStringLiteral("e%1").arg(++serial);
        ASSERT_TRUE(cluster->createDatabase(database)) << cluster->error().toStdString();
    }
    void TearDown() override { Vantrel3::vb::setLocale(QLocale::system()); }

    bool sqlite() const { return GetParam() == Engine::Sqlite; }
    QString engine(const char *sqliteText, const char *postgresText) const {
        return QString::fromUtf8(sqlite() ? sqliteText : postgresText);
    }

    // What DataControl::DatabaseName takes for this database.
    QString databaseName() const { return sqlite() ? file : cluster->uri(database); }

    // Adds connection `name` to this database and opens it, in the calling thread.
    QSqlDatabase connect(const QString &name) const {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            sqlite() ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        if (sqlite()) {
            db.setDatabaseName(file);
        } else {
            db.setHostName(cluster->socketDir());
            db.setUserName(QStringLiteral("postgres"));
            db.setDatabaseName(database);
        }
        db.open();
        return db;
    }

    // Runs statements as another user, each committed at once.
    void exec(const QStringList &statements) const {
        const QString name = QStringLiteral("engine_test_other");
        {
            QSqlDatabase db = connect(name);
            ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
            for (const QString &s : statements) {
                QSqlQuery q(db);
                ASSERT_TRUE(q.exec(s))
                    << s.toStdString() << ": " << q.lastError().text().toStdString();
            }
        }
        QSqlDatabase::removeDatabase(name);
    }

    // What the database holds: one "a|b|c" text per row, "<null>" for Null.
    QStringList rows(const QString &select) const {
        return sqlite() ? querytest::sqliteRows(file, select)
                        : querytest::postgresRows(cluster->socketDir(), database, select);
    }

    Vantrel3::Recordset &open(const QString &source, qint16 type = 1) {
        data.SetDatabaseName(databaseName());
        data.SetRecordsetType(type);
        data.SetRecordSource(source);
        data.Refresh();
        return data.Recordset();
    }

    static inline std::unique_ptr<Vantrel3::test::PgCluster> cluster;
    static inline int serial = 0;
    QTemporaryDir dir;
    QString file;
    QString database;
    Vantrel3::DataControl data;
};
