#pragma once

#include "common/pg_cluster.h"
#include "common/query_rows.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// The engines a bound control is tested against, behind one face: a fresh database per test,
// statements and reads through connections of the test's own, and what the control's
// DatabaseName is for it.
namespace dbtest {

enum class Engine { Sqlite, Postgres };

inline std::ostream &operator<<(std::ostream &os, Engine e) {
    return os << (e == Engine::Sqlite ? "Sqlite" : "Postgres");
}

inline std::string engineName(const ::testing::TestParamInfo<Engine> &info) {
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

class TestDatabase {
public:
    virtual ~TestDatabase() = default;
    virtual Engine engine() const = 0;
    // The control's DatabaseName for this database.
    virtual QString databaseName() const = 0;
    // Runs statements in order through a connection of the test's own; false on the first
    // failure, which error() then tells.
    virtual bool exec(const QStringList &statements) = 0;
    // A second connection to the same database, named `name` (removed by the caller).
    virtual QSqlDatabase connect(const QString &name) const = 0;
    // The rows of a query, one "a|b|c" per row, "<null>" for Null.
    QStringList rows(const QString &select) const {
        const QString name = QStringLiteral("dbtest_rows");
        QStringList out;
        {
            QSqlDatabase db = connect(name);
            out = querytest::rowsThrough(db, select);
        }
        QSqlDatabase::removeDatabase(name);
        return out;
    }
    QString error() const { return m_error; }

    // The column type of an auto-numbered key, and a date read back as ISO text.
    virtual QString serialKey() const = 0;
    virtual QString dateText(const QString &column) const = 0;

protected:
    bool run(QSqlDatabase &db, const QStringList &statements) {
        for (const QString &s : statements) {
            QSqlQuery q(db);
            if (!q.exec(s)) {
                m_error = s + QStringLiteral(": ") + q.lastError().text();
                return false;
            }
        }
        return true;
    }
    QString m_error;
};

class SqliteDatabase final : public TestDatabase {
public:
    SqliteDatabase() : m_file(m_dir.filePath(QStringLiteral("test.db"))) {}
    ~SqliteDatabase() override {
        QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
    }
    Engine engine() const override { return Engine::Sqlite; }
    QString databaseName() const override { return m_file; }
    QString file() const { return m_file; }
    QSqlDatabase connect(const QString &name) const override {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_file);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        return db;
    }
    bool exec(const QStringList &statements) override {
        const QString name = QStringLiteral("dbtest_exec");
        bool ok = false;
        {
            QSqlDatabase db = connect(name);
            ok = run(db, statements);
        }
        QSqlDatabase::removeDatabase(name);
        return ok;
    }
    QString serialKey() const override { return QStringLiteral("INTEGER PRIMARY KEY"); }
    QString dateText(const QString &column) const override { return column; }

private:
    QTemporaryDir m_dir;
    QString m_file;
};

class PostgresDatabase final : public TestDatabase {
public:
    // One server for a suite (starting one takes seconds), a new database per test. The suite
    // stops it in its TearDownTestSuite, while the application still runs.
    static Vantrel3::test::PgCluster &cluster() {
        std::unique_ptr<Vantrel3::test::PgCluster> &server = holder();
        if (!server) {
            server = std::make_unique<Vantrel3::test::PgCluster>();
        }
        return *server;
    }
    static void shutdown() { holder().reset(); }

    PostgresDatabase() {
        static int serial = 0;
        m_db = QStringLiteral("t%1").arg(++serial);
        if (!cluster().ok() || !cluster().start() || !cluster().createDatabase(m_db)) {
            m_error = cluster().error();
            m_db.clear();
        }
    }
    bool ok() const { return !m_db.isEmpty(); }
    Engine engine() const override { return Engine::Postgres; }
    QString databaseName() const override { return cluster().uri(m_db); }
    QSqlDatabase connect(const QString &name) const override {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(cluster().socketDir());
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(m_db);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        return db;
    }
    bool exec(const QStringList &statements) override {
        const bool ok = cluster().exec(m_db, statements);
        m_error = cluster().error();
        return ok;
    }
    QString serialKey() const override { return QStringLiteral("serial PRIMARY KEY"); }
    QString dateText(const QString &column) const override {
        return column + QStringLiteral("::text");
    }

private:
    static std::unique_ptr<Vantrel3::test::PgCluster> &holder() {
        static std::unique_ptr<Vantrel3::test::PgCluster> server;
        return server;
    }
    QString m_db;
};

// A fresh database of the engine, or nullptr with the reason in `why`.
inline std::unique_ptr<TestDatabase> open(Engine engine, QString *why) {
    if (engine == Engine::Sqlite) {
        return std::make_unique<SqliteDatabase>();
    }
    auto db = std::make_unique<PostgresDatabase>();
    if (!db->ok()) {
        *why = db->error();
        return nullptr;
    }
    return db;
}

} // namespace dbtest
