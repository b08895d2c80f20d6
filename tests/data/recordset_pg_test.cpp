#include "common/error_of.h"
#include "common/query_rows.h"
#include <Vantrel3/DataControl.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include "common/pg_cluster.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using Vantrel3::DataControl;
using Vantrel3::Recordset;
using Vantrel3::VbError;
using Vantrel3::test::PgCluster;

namespace {

// One server for the whole suite: starting a cluster takes seconds.
class RecordsetPg : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cluster = std::make_unique<PgCluster>(); }
    static void TearDownTestSuite() { cluster.reset(); }

    void SetUp() override {
        ASSERT_TRUE(cluster->ok()) << cluster->error().toStdString();
        ASSERT_TRUE(cluster->start()) << cluster->error().toStdString();
        db = QStringLiteral("t%1").arg(++serial);
        ASSERT_TRUE(cluster->createDatabase(db)) << cluster->error().toStdString();
        ASSERT_TRUE(cluster->exec(
            db, {QStringLiteral("CREATE TABLE people (id serial PRIMARY KEY, name varchar(40) NOT "
                                "NULL UNIQUE, born date, amount numeric(10,2))"),
                 QStringLiteral("INSERT INTO people (name, born, amount) VALUES ('Anna', "
                                "'1980-05-17', 1.5), ('Bruno', NULL, NULL), ('Carla', "
                                "'2001-12-31', 2)")}))
            << cluster->error().toStdString();
        Vantrel3::vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    }
    void TearDown() override { Vantrel3::vb::setLocale(QLocale::system()); }

    Recordset &open(const QString &source, qint16 type = 1) {
        data.SetDatabaseName(cluster->uri(db));
        data.SetRecordsetType(type);
        data.SetRecordSource(source);
        data.Refresh();
        return data.Recordset();
    }

    QStringList rowsOf(const QString &select) {
        return querytest::postgresRows(cluster->socketDir(), db, select);
    }

    static inline std::unique_ptr<PgCluster> cluster;
    static inline int serial = 0;
    QString db;
    DataControl data;
};

} // namespace

TEST_F(RecordsetPg, UriFormsReachTheServer) {
    const QString dir = cluster->socketDir();
    QString encoded = QString::fromUtf8(QUrl::toPercentEncoding(dir));
    const QString uris[] = {
        cluster->uri(db),
        QStringLiteral("postgresql://postgres@%1/%2").arg(encoded, db),
        QStringLiteral("postgres://postgres@%1:5432/%2").arg(encoded, db),
    };
    for (const QString &uri : uris) {
        SCOPED_TRACE(uri.toStdString());
        data.SetDatabaseName(uri);
        data.SetRecordSource(QStringLiteral("people"));
        data.Refresh();
        EXPECT_EQ(data.Recordset().RecordCount(), 3);
    }
}

TEST_F(RecordsetPg, CoreSession) {
    Recordset &rs = open(QStringLiteral("People"));
    ASSERT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("17/05/1980"));
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("1,5"));
    EXPECT_EQ(rs.text(1, 3), QString());

    const QString tricky = QStringLiteral("O'Neil\"; DROP TABLE people; --");
    rs.AddNew();
    EXPECT_EQ(rs.Fields().Item(0).Value(), QVariant(qlonglong(4))); // numbered from AddNew on
    rs.Fields().Item(1).SetValue(tricky);
    rs.Fields().Item(2).SetValue(QStringLiteral("05/03/2024"));
    rs.Fields().Item(3).SetValue(QStringLiteral("12,25"));
    data.UpdateRecord();
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs.AbsolutePosition(), 0);
    EXPECT_EQ(rs.text(3, 0), QStringLiteral("4"));

    rs.SetAbsolutePosition(1);
    rs.Edit();
    rs.Fields().Item(3).SetValue(7);
    rs.Update();
    rs.SetAbsolutePosition(0);
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.MoveLast();
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    EXPECT_EQ(rs.Fields().Item(1).Value(), tricky);
    EXPECT_EQ(
        rowsOf(QStringLiteral("SELECT id, name, born, amount FROM people ORDER BY id")),
        (QStringList{QStringLiteral("2|Bruno|<null>|7"), QStringLiteral("3|Carla|2001-12-31|2"),
                     QStringLiteral("4|") + tricky + QStringLiteral("|2024-03-05|12.25")}));

    rs.AddNew();
    rs.Fields().Item(1).SetValue(QStringLiteral("Carla"));
    EXPECT_EQ(errorOf([&] { rs.Update(); }), 3022);
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.CancelUpdate();

    Recordset &snapshot = open(QStringLiteral("people"), 2);
    EXPECT_EQ(errorOf([&] { snapshot.AddNew(); }), 3027);
    EXPECT_EQ(errorOf([&] { snapshot.Delete(); }), 3027);
    EXPECT_EQ(errorOf([&] { open(QStringLiteral("nosuch")); }), 3078);
}

TEST_F(RecordsetPg, FieldTypesFollowTheDeclaredType) {
    ASSERT_TRUE(cluster->exec(
        db,
        {QStringLiteral("CREATE TABLE kinds (a integer, b smallint, c bigint, d numeric(8,2), "
                        "e real, f double precision, g date, h timestamp, i time, j "
                        "varchar(20), k text, l char(3), m bytea, n boolean, o money, p uuid)")}));
    const qint16 expected[] = {4, 3, 4, 5, 6, 7, 8, 8, 22, 10, 10, 10, 11, 1, 5, 15};
    Recordset &rs = open(QStringLiteral("kinds"));
    ASSERT_EQ(rs.Fields().Count(), qint32(std::size(expected)));
    for (int i = 0; i < rs.Fields().Count(); ++i) {
        SCOPED_TRACE(rs.Fields().Item(i).Name().toStdString());
        EXPECT_EQ(rs.Fields().Item(i).Type(), expected[i]);
    }
}

TEST_F(RecordsetPg, TableWithoutKeyOpensReadOnlyAndSaysWhy) {
    // A row's ctid changes with every update, so it cannot stand for the record: an edit of one
    // of two identical rows could reach the other.
    ASSERT_TRUE(cluster->exec(db, {QStringLiteral("CREATE TABLE plain (v text, n int)"),
                                   QStringLiteral("INSERT INTO plain VALUES ('same', 1), ('same', "
                                                  "1), ('other', 2)")}));
    Recordset &rs = open(QStringLiteral("plain"));
    EXPECT_FALSE(rs.Updatable());
    EXPECT_EQ(rs.readOnlyReason(),
              QStringLiteral("La tabella «plain» non ha una chiave primaria: i dati si possono "
                             "solo leggere."));
    EXPECT_EQ(rs.RecordCount(), 3);
    const std::function<void()> writes[] = {
        [&] { rs.AddNew(); },
        [&] { rs.Edit(); },
        [&] { rs.Delete(); },
    };
    for (const auto &write : writes) {
        try {
            write();
            ADD_FAILURE() << "a write was let through";
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), 3027);
            EXPECT_TRUE(e.Description().contains(rs.readOnlyReason()));
        }
    }
    EXPECT_EQ(rowsOf(QStringLiteral("SELECT v, n FROM plain ORDER BY v, n")),
              (QStringList{"other|2", "same|1", "same|1"}));
    // With a primary key the same table is written.
    ASSERT_TRUE(cluster->exec(db, {QStringLiteral("ALTER TABLE plain ADD COLUMN id serial "
                                                  "PRIMARY KEY")}));
    Recordset &keyed = open(QStringLiteral("plain"));
    EXPECT_TRUE(keyed.Updatable());
    EXPECT_EQ(keyed.readOnlyReason(), QString());
}

TEST_F(RecordsetPg, LostServerIsAnErrorAndKeepsMemory) {
    Recordset &rs = open(QStringLiteral("people"));
    rs.SetAbsolutePosition(0);
    rs.Edit();
    rs.Fields().Item(1).SetValue(QStringLiteral("Anita"));
    cluster->stop();
    EXPECT_EQ(errorOf([&] { rs.Update(); }), 3146);
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("Anna"));
    EXPECT_EQ(errorOf([&] { rs.AddNew(); }), 3146); // the new record's number comes from the server
    EXPECT_EQ(rs.EditMode(), 0);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(errorOf([&] { data.Refresh(); }), 3146);
    EXPECT_FALSE(data.HasRecordset());
    ASSERT_TRUE(cluster->start());
    EXPECT_EQ(
        rowsOf(QStringLiteral("SELECT name FROM people ORDER BY id")),
        (QStringList{QStringLiteral("Anna"), QStringLiteral("Bruno"), QStringLiteral("Carla")}));
}

TEST_F(RecordsetPg, ARowLockedByAnotherSessionIsAnErrorNotAFreeze) {
    Recordset &rs = open(QStringLiteral("people"));
    const QString name = QStringLiteral("recordset_pg_lock");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        other.setHostName(cluster->socketDir());
        other.setUserName(QStringLiteral("postgres"));
        other.setDatabaseName(db);
        ASSERT_TRUE(other.open());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN")));
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT * FROM people WHERE name = 'Anna' FOR UPDATE")));

        rs.SetAbsolutePosition(0);
        rs.Edit();
        rs.Fields().Item(1).SetValue(QStringLiteral("Anita"));
        QElapsedTimer clock;
        clock.start();
        EXPECT_NE(errorOf([&] { rs.Update(); }), 0);
        EXPECT_LT(clock.elapsed(), 30000);
        EXPECT_EQ(rs.text(0, 1), QStringLiteral("Anna"));
        ASSERT_TRUE(q.exec(QStringLiteral("ROLLBACK")));
    }
    QSqlDatabase::removeDatabase(name);
}

TEST_F(RecordsetPg, RecordsAreFoundByTheirPrimaryKey) {
    // Another user's change to a field moves the row on the server: only the key finds it then.
    ASSERT_TRUE(cluster->exec(
        db, {QStringLiteral("CREATE TABLE pair (a int, b int, v text, PRIMARY KEY (b, a))"),
             QStringLiteral("INSERT INTO pair VALUES (1, 2, 'x'), (2, 1, 'y')")}));
    struct Case {
        const char *table;
        const char *otherUser;
        int field;
        QStringList first; // the first record, in key order
        const char *check;
        QStringList after;
    };
    const Case cases[] = {
        {"people",
         "UPDATE people SET amount = 9 WHERE name = 'Anna'",
         1,
         {"1", "Anna"},
         "SELECT name, amount FROM people WHERE id = 1",
         {"Anita|9"}},
        {"pair",
         "UPDATE pair SET a = a WHERE v = 'y'",
         2,
         {"2", "1"},
         "SELECT a, b, v FROM pair ORDER BY b, a",
         {"2|1|Anita", "1|2|x"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.table);
        Recordset &rs = open(QString::fromUtf8(c.table));
        EXPECT_EQ((QStringList{rs.text(0, 0), rs.text(0, 1)}), c.first);
        ASSERT_TRUE(cluster->exec(db, {QString::fromUtf8(c.otherUser)}));
        rs.SetAbsolutePosition(0);
        rs.Edit();
        rs.Fields().Item(c.field).SetValue(QStringLiteral("Anita"));
        EXPECT_EQ(errorOf([&] { rs.Update(); }), 0);
        EXPECT_EQ(rowsOf(QString::fromUtf8(c.check)), c.after);
    }
}
