#include "common/error_of.h"
#include "common/query_rows.h"
#include <Vantrel3/DataControl.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <QDate>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using Vantrel3::DataControl;
using Vantrel3::Recordset;
using Vantrel3::VbError;

namespace {

// Runs statements on the file through a connection of the test's own.
void sqlite(const QString &file, const QStringList &statements) {
    const QString name = QStringLiteral("data_control_test_setup");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const QString &s : statements) {
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

// The rows of a query, each as texts joined with '|'.
QStringList rowsOf(const QString &file, const QString &select) {
    return querytest::sqliteRows(file, select);
}

class DataControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("data.db"));
        Vantrel3::vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        sqlite(file, {QStringLiteral("CREATE TABLE people (id INTEGER PRIMARY KEY, name "
                                     "VARCHAR(40) NOT NULL UNIQUE, born DATE, amount REAL)"),
                      QStringLiteral("INSERT INTO people VALUES (1, 'Anna', '1980-05-17', 1.5)"),
                      QStringLiteral("INSERT INTO people VALUES (2, 'Bruno', NULL, NULL)"),
                      QStringLiteral("INSERT INTO people VALUES (3, 'Carla', '2001-12-31', 2)")});
    }
    void TearDown() override { Vantrel3::vb::setLocale(QLocale::system()); }

    Recordset &open(const QString &source, qint16 type = 1) {
        data.SetDatabaseName(file);
        data.SetRecordsetType(type);
        data.SetRecordSource(source);
        data.Refresh();
        return data.Recordset();
    }

    QTemporaryDir dir;
    QString file;
    DataControl data;
};

} // namespace

TEST_F(DataControlTest, OpensTablesAndQueries) {
    struct Case {
        const char *source;
        qint16 type;
        int records;
        QStringList firstRow;
        bool updatable;
    };
    const Case cases[] = {
        {"people", 1, 3, {"1", "Anna", "17/05/1980", "1,5"}, true},
        {"PEOPLE", 0, 3, {"1", "Anna", "17/05/1980", "1,5"}, true},
        {"[people]", 2, 3, {"1", "Anna", "17/05/1980", "1,5"}, false},
        {"SELECT name, amount FROM people WHERE id > 1 ORDER BY id", 1, 2, {"Bruno", ""}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        QSignalSpy refreshed(&data, &DataControl::Refreshed);
        Recordset &rs = open(QString::fromUtf8(c.source), c.type);
        EXPECT_EQ(refreshed.count(), 1);
        EXPECT_EQ(rs.RecordCount(), c.records);
        EXPECT_EQ(rs.AbsolutePosition(), 0);
        EXPECT_EQ(rs.Updatable(), c.updatable);
        QStringList first;
        for (int f = 0; f < rs.fieldCount(); ++f) {
            first.append(rs.text(0, f));
        }
        EXPECT_EQ(first, c.firstRow);
    }
    EXPECT_EQ(data.objectName(), QStringLiteral("Data1"));
}

TEST_F(DataControlTest, FieldTypesFollowTheDeclaredType) {
    sqlite(file,
           {QStringLiteral(
               "CREATE TABLE kinds (a INTEGER, b INT, c SMALLINT, d BIGINT, e REAL, f DOUBLE, "
               "g FLOAT, h NUMERIC(10,2), i DECIMAL(8,3), j DATE, k DATETIME, l TIMESTAMP, "
               "m TIME, n TEXT, o VARCHAR(20), p CHAR(3), q CLOB, r BLOB, s BOOLEAN, t)")});
    const qint16 expected[] = {4, 4, 3, 4, 7, 7, 7, 5, 5, 8, 8, 8, 22, 10, 10, 10, 12, 11, 1, 10};
    Recordset &rs = open(QStringLiteral("kinds"));
    ASSERT_EQ(rs.Fields().Count(), qint32(std::size(expected)));
    for (int i = 0; i < rs.Fields().Count(); ++i) {
        SCOPED_TRACE(rs.Fields().Item(i).Name().toStdString());
        EXPECT_EQ(rs.Fields().Item(i).Type(), expected[i]);
    }
    EXPECT_EQ(rs.Fields().Item(QStringLiteral("O")).Size(), 20);

    EXPECT_EQ(errorOf([&] { rs.Fields().Item(20); }), 3265);
    EXPECT_EQ(errorOf([&] { rs.Fields().Item(QStringLiteral("nosuch")); }), 3265);

    // A query's columns take the declared type of the table column they come from.
    Recordset &query = open(QStringLiteral("SELECT j, d, s, o AS renamed FROM kinds"));
    const qint16 queryTypes[] = {8, 4, 1, 10};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(query.Fields().Item(i).Type(), queryTypes[i]) << i;
    }
}

TEST_F(DataControlTest, AddNewAndUpdateInsertWithBoundParameters) {
    Recordset &rs = open(QStringLiteral("people"));
    rs.MoveNext();
    const QString tricky = QStringLiteral("O'Neil\"; DROP TABLE people; --");
    rs.AddNew();
    EXPECT_EQ(rs.EditMode(), 2);
    rs.Fields().Item(1).SetValue(tricky);
    rs.Fields().Item(2).SetValue(QStringLiteral("05/03/2024"));
    rs.Fields().Item(3).SetValue(QStringLiteral("12,25"));
    data.UpdateRecord();
    EXPECT_EQ(rs.EditMode(), 0);
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs.AbsolutePosition(), 1); // the old current record is current again
    EXPECT_EQ(rs.LastModified(), 3);
    EXPECT_EQ(rs.text(3, 1), tricky);
    EXPECT_EQ(rs.text(3, 0), QStringLiteral("4"));
    EXPECT_EQ(
        rowsOf(file, QStringLiteral("SELECT id, name, born, amount FROM people WHERE id = 4")),
        QStringList{QStringLiteral("4|") + tricky + QStringLiteral("|2024-03-05|12.25")});
}

TEST_F(DataControlTest, EditAndDeleteActOnThePositionedRecord) {
    Recordset &rs = open(QStringLiteral("people"));
    rs.SetAbsolutePosition(1);
    rs.Edit();
    rs.Fields().Item(QStringLiteral("amount")).SetValue(7);
    rs.Update();
    EXPECT_EQ(rs.text(1, 3), QStringLiteral("7"));
    EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT id, amount FROM people ORDER BY id")),
              (QStringList{"1|1.5", "2|7", "3|2"}));

    rs.SetAbsolutePosition(0);
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.AbsolutePosition(), -1);
    EXPECT_EQ(errorOf([&] { rs.Fields().Item(0).Value(); }), 3021);
    rs.MoveNext();
    EXPECT_EQ(rs.Fields().Item(1).Value(), QStringLiteral("Bruno"));
    EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT id FROM people ORDER BY id")),
              (QStringList{"2", "3"}));

    rs.MoveLast();
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(rs.Fields().Item(1).Value(), QStringLiteral("Carla"));
    EXPECT_EQ(errorOf([&] { rs.SetAbsolutePosition(2); }), 3001);
    EXPECT_EQ(errorOf([&] { rs.Update(); }), 3020);
}

TEST_F(DataControlTest, NewRecordsAreNumberedFromAddNewOn) {
    sqlite(file, {QStringLiteral("CREATE TABLE counted (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                 "label TEXT, qty INT)"),
                  QStringLiteral("INSERT INTO counted VALUES (10, 'gone', 1)"),
                  QStringLiteral("DELETE FROM counted")});
    struct Case {
        const char *table;
        qlonglong firstNumber;
    };
    const Case cases[] = {{"people", 4}, {"counted", 11}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.table);
        Recordset &rs = open(QString::fromUtf8(c.table));
        const int before = rs.RecordCount();
        for (qlonglong n = c.firstNumber; n < c.firstNumber + 2; ++n) {
            // Blank records as a bound grid saves them: Null numbers get 0, Null texts "".
            rs.AddNew();
            EXPECT_EQ(rs.Fields().Item(0).Value(), QVariant(n));
            for (int f = 1; f < rs.Fields().Count(); ++f) {
                Vantrel3::Field &field = rs.Fields().Item(f);
                const bool isNull =
                    field.Value().metaType() == QMetaType::fromType<std::nullptr_t>();
                if (isNull && field.Type() != 8) { // dates stay Null
                    field.SetValue(field.Type() == 10 ? QVariant(QString()) : QVariant(0));
                }
            }
            if (QString::fromUtf8(c.table) == u"people") {
                rs.Fields().Item(1).SetValue(QStringLiteral("blank %1").arg(n)); // it is UNIQUE
            }
            rs.Update();
            EXPECT_EQ(rs.text(rs.LastModified(), 0), QString::number(n));
        }
        EXPECT_EQ(rs.RecordCount(), before + 2);
    }
}

TEST_F(DataControlTest, NullsStayNull) {
    Recordset &rs = open(QStringLiteral("people"));
    rs.SetAbsolutePosition(1);
    EXPECT_EQ(rs.Fields().Item(2).Value().metaType(), QMetaType::fromType<std::nullptr_t>());
    EXPECT_EQ(rs.text(1, 2), QString());
    rs.SetAbsolutePosition(0);
    rs.Edit();
    rs.Fields().Item(2).SetValue(QVariant::fromValue(nullptr));
    rs.Update();
    EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT born FROM people WHERE id = 1")),
              QStringList{QStringLiteral("<null>")});
}

TEST_F(DataControlTest, ValuesAreCheckedAgainstTheFieldType) {
    sqlite(file, {QStringLiteral("CREATE TABLE checks (n INTEGER, s SMALLINT, r REAL, d DATE, "
                                 "t TIME, v VARCHAR(5), b BOOLEAN, m TEXT)")});
    struct Case {
        int field;
        QVariant value;
        qint32 error;
        const char *stored;
    };
    const Case cases[] = {
        {0, QStringLiteral("abc"), 3421, nullptr},
        {0, QStringLiteral(""), 3421, nullptr},
        {0, QStringLiteral("42"), 0, "42"},
        {0, 2.5, 0, "2"}, // rounds half to even
        {1, 40000, 3421, nullptr},
        {2, QStringLiteral("3,75"), 0, "3.75"},
        {2, QStringLiteral("1;2"), 3421, nullptr},
        {3, QStringLiteral("31/12/2024"), 0, "2024-12-31"},
        {3, QStringLiteral("not a date"), 3421, nullptr},
        {3, QDate(2020, 2, 29), 0, "2020-02-29"},
        {4, QStringLiteral("13:45:10"), 0, "13:45:10"},
        {5, QStringLiteral("abcde"), 0, "abcde"},
        {5, QStringLiteral("abcdef"), 3163, nullptr},
        {6, QStringLiteral("True"), 0, "1"},
        {6, QStringLiteral("forse"), 3421, nullptr},
        {7, 12.5, 0, "12,5"},
    };
    Recordset &rs = open(QStringLiteral("checks"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        rs.AddNew();
        EXPECT_EQ(errorOf([&] { rs.Fields().Item(c.field).SetValue(c.value); }), c.error);
        if (c.error == 0) {
            rs.Update();
            const QString column = rs.Fields().Item(c.field).Name();
            EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT %1 FROM checks WHERE rowid = "
                                                  "(SELECT max(rowid) FROM checks)")
                                       .arg(column)),
                      QStringList{QString::fromUtf8(c.stored)});
        } else {
            rs.CancelUpdate();
        }
    }
}

TEST_F(DataControlTest, SnapshotWritesNothing) {
    Recordset &rs = open(QStringLiteral("people"), 2);
    const std::function<void()> writes[] = {
        [&] { rs.AddNew(); },
        [&] { rs.Edit(); },
        [&] { rs.Delete(); },
        [&] { rs.Update(); },
        [&] { rs.Fields().Item(1).SetValue(QStringLiteral("x")); },
    };
    for (const auto &write : writes) {
        EXPECT_EQ(errorOf(write), 3027);
    }
    EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT count(*) FROM people")), QStringList{"3"});
}

TEST_F(DataControlTest, FailedWritesReportAndKeepMemory) {
    Recordset &rs = open(QStringLiteral("people"));
    struct Case {
        const char *name;
        std::function<void()> change;
        qint32 error;
    };
    const Case cases[] = {
        {"duplicate name",
         [&] {
             rs.Edit();
             rs.Fields().Item(1).SetValue(QStringLiteral("Anna"));
         },
         3022},
        {"missing required name",
         [&] {
             rs.AddNew();
             rs.Fields().Item(3).SetValue(1);
         },
         3314},
    };
    rs.SetAbsolutePosition(2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        const qint16 mode = rs.EditMode();
        EXPECT_EQ(errorOf([&] { rs.Update(); }), c.error);
        EXPECT_EQ(rs.EditMode(), mode); // still pending, for the user to correct
        EXPECT_EQ(rs.RecordCount(), 3);
        EXPECT_EQ(rs.text(2, 1), QStringLiteral("Carla"));
        rs.CancelUpdate();
    }
    EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT name FROM people ORDER BY id")),
              (QStringList{"Anna", "Bruno", "Carla"}));
}

TEST_F(DataControlTest, ReadOnlyFileOpensButRefusesWrites) {
    ASSERT_TRUE(
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    Recordset &rs = open(QStringLiteral("people"));
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_FALSE(rs.Updatable());
    EXPECT_EQ(errorOf([&] { rs.AddNew(); }), 3027);
    EXPECT_EQ(errorOf([&] { rs.Delete(); }), 3027);
    EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT count(*) FROM people")), QStringList{"3"});
}

TEST_F(DataControlTest, ADatabaseFileMovedAwayWhileOpenIsNotFoundRatherThanReadOnly) {
    const QString other = dir.filePath(QStringLiteral("other.db"));
    struct Case {
        const char *name;
        std::function<void()> move;
        QStringList after; // what the path holds afterwards
    };
    const Case cases[] = {
        {"deleted", [&] { ASSERT_TRUE(QFile::remove(file)); }, {}},
        {"replaced",
         [&] {
             sqlite(other, {QStringLiteral("CREATE TABLE people (id INTEGER PRIMARY KEY, name "
                                           "VARCHAR(40) NOT NULL UNIQUE, born DATE, amount REAL)"),
                            QStringLiteral("INSERT INTO people (name) VALUES ('Zeta')")});
             ASSERT_TRUE(QFile::remove(file));
             ASSERT_TRUE(QFile::rename(other, file));
         },
         {"Zeta"}},
    };
    const std::function<void(Recordset &)> writes[] = {
        [](Recordset &rs) {
            rs.SetAbsolutePosition(0);
            rs.Edit();
            rs.Fields().Item(1).SetValue(QStringLiteral("Anita"));
            rs.Update();
        },
        [](Recordset &rs) {
            rs.AddNew();
            rs.Fields().Item(1).SetValue(QStringLiteral("Dario"));
            rs.Update();
        },
        [](Recordset &rs) {
            rs.SetAbsolutePosition(1);
            rs.Delete();
        },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (!QFile::exists(file)) {
            sqlite(file, {QStringLiteral("CREATE TABLE people (id INTEGER PRIMARY KEY, name "
                                         "VARCHAR(40) NOT NULL UNIQUE, born DATE, amount REAL)"),
                          QStringLiteral("INSERT INTO people (name) VALUES ('Anna'), ('Bruno')")});
        }
        Recordset &rs = open(QStringLiteral("people"));
        const int records = rs.RecordCount();
        c.move();
        for (const auto &write : writes) {
            try {
                write(rs);
                ADD_FAILURE() << "written to a file no longer there";
            } catch (const VbError &e) {
                // Not 3027: the file is not read-only, it is gone from where it was opened.
                EXPECT_EQ(e.Number(), 3024) << e.Description().toStdString();
                EXPECT_TRUE(e.Description().contains(file)) << e.Description().toStdString();
                EXPECT_TRUE(e.Description().contains(QStringLiteral("spostato")));
                EXPECT_TRUE(e.Description().contains(QStringLiteral("readonly database")));
            }
            EXPECT_EQ(rs.RecordCount(), records);
            EXPECT_EQ(rs.text(0, 1), QStringLiteral("Anna"));
            if (rs.EditMode() != 0) {
                rs.CancelUpdate();
            }
        }
        if (QFile::exists(file)) {
            EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT name FROM people")), c.after);
        }
    }
}

TEST_F(DataControlTest, ARecordsetThatOnlyReadsSaysWhy) {
    sqlite(file, {QStringLiteral("CREATE VIEW grown AS SELECT * FROM people WHERE born IS NOT "
                                 "NULL"),
                  QStringLiteral("CREATE TABLE plain (v TEXT)")});
    struct Case {
        const char *name;
        const char *source;
        qint16 type;
        bool readOnlyControl;
        bool readOnlyFile;
        QStringList mentions; // empty when the recordset is updatable
    };
    const Case cases[] = {
        {"table", "people", 1, false, false, {}},
        {"table type", "people", 0, false, false, {}},
        {"table without a primary key", "plain", 1, false, false, {}},
        {"snapshot", "people", 2, false, false, {"Snapshot"}},
        {"query", "SELECT name FROM people", 1, false, false, {"query"}},
        {"view", "grown", 1, false, false, {"«grown»", "vista"}},
        {"read-only control", "people", 1, true, false, {"ReadOnly"}},
        {"read-only file", "people", 1, false, true, {"sola lettura", "data.db"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto writable = QFile::ReadOwner | QFile::WriteOwner;
        ASSERT_TRUE(QFile::setPermissions(file, c.readOnlyFile ? QFile::ReadOwner : writable));
        data.SetReadOnly(c.readOnlyControl);
        Recordset &rs = open(QString::fromUtf8(c.source), c.type);
        EXPECT_EQ(rs.Updatable(), c.mentions.isEmpty());
        EXPECT_EQ(rs.readOnlyReason().isEmpty(), c.mentions.isEmpty())
            << rs.readOnlyReason().toStdString();
        for (const QString &m : c.mentions) {
            EXPECT_TRUE(rs.readOnlyReason().contains(m)) << rs.readOnlyReason().toStdString();
        }
        if (!c.mentions.isEmpty()) {
            EXPECT_TRUE(
                rs.readOnlyReason().endsWith(QStringLiteral(": i dati si possono solo leggere.")));
            try {
                rs.Edit();
                ADD_FAILURE() << "Edit was let through";
            } catch (const VbError &e) {
                EXPECT_EQ(e.Number(), 3027);
                EXPECT_TRUE(e.Description().contains(rs.readOnlyReason()));
            }
        }
    }
    data.SetReadOnly(false);
}

TEST_F(DataControlTest, RefreshFailuresNameTheCause) {
    QFile junk(dir.filePath(QStringLiteral("junk.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    struct Case {
        QString database;
        const char *source;
        qint16 type;
        qint32 error;
        const char *mentions;
    };
    const Case cases[] = {
        {file, "nosuch", 1, 3078, "nosuch"},
        {file, "nosuch", 0, 3011, "nosuch"},
        {file, "SELECT * FROM people", 0, 3011, "SELECT"},
        {file, "SELECT nope FROM people", 1, 3146, "nope"},
        {dir.filePath(QStringLiteral("missing.db")), "people", 1, 3024, "missing.db"},
        {dir.filePath(QStringLiteral("no/such/dir.db")), "people", 1, 3044, "dir.db"},
        {junk.fileName(), "people", 1, 3343, ""},
        {QStringLiteral("postgresql://postgres@localhost:notaport/db"), "people", 1, 3044, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        data.SetDatabaseName(c.database);
        data.SetRecordsetType(c.type);
        data.SetRecordSource(QString::fromUtf8(c.source));
        try {
            data.Refresh();
            ADD_FAILURE() << "Refresh succeeded";
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), c.error) << e.Description().toStdString();
            EXPECT_TRUE(e.Description().contains(QString::fromUtf8(c.mentions)));
        }
        EXPECT_FALSE(data.HasRecordset());
        EXPECT_EQ(errorOf([&] { data.Recordset(); }), 91);
    }
}

TEST_F(DataControlTest, EmptySettingsOpenNothing) {
    QSignalSpy refreshed(&data, &DataControl::Refreshed);
    data.SetDatabaseName(file);
    data.Refresh(); // no RecordSource yet, as while settings load
    EXPECT_EQ(refreshed.count(), 1);
    EXPECT_FALSE(data.HasRecordset());
    EXPECT_EQ(errorOf([&] { data.UpdateRecord(); }), 91);
    EXPECT_EQ(errorOf([&] { data.SetRecordsetType(3); }), 380);
}

TEST_F(DataControlTest, TableWithoutKeyUsesRowidAndQuotedNames) {
    sqlite(file, {QStringLiteral("CREATE TABLE \"odd \"\"table\"\"\" (\"first name\" TEXT, n INT)"),
                  QStringLiteral("INSERT INTO \"odd \"\"table\"\"\" VALUES ('same', 1), ('same', "
                                 "1), ('same', 1)")});
    Recordset &rs = open(QStringLiteral("odd \"table\""));
    ASSERT_EQ(rs.RecordCount(), 3);
    // Three identical rows, each written on its own.
    rs.SetAbsolutePosition(1);
    rs.Edit();
    rs.Fields().Item(QStringLiteral("first name")).SetValue(QStringLiteral("changed"));
    rs.Update();
    rs.SetAbsolutePosition(0);
    rs.Edit();
    rs.Fields().Item(QStringLiteral("n")).SetValue(2);
    rs.Update();
    rs.SetAbsolutePosition(2);
    rs.Delete();
    EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT rowid, \"first name\", n FROM \"odd "
                                          "\"\"table\"\"\"")),
              (QStringList{"1|same|2", "2|changed|1"}));
}

TEST_F(DataControlTest, ARowidGivenToAnotherRowIsNotTakenForTheRecord) {
    // Without a primary key a record is found by its rowid, which SQLite hands to a new row after
    // the last one is deleted, and renumbers on VACUUM. Every row holds n = 1, so a check of the
    // written field alone would not see the difference.
    struct Case {
        const char *name;
        QStringList otherUser;
        QStringList
            rowidsAfter; // what the other user left, proving the rowid now names another row
        int position;
    };
    const Case cases[] = {
        {"rowid reused",
         {"DELETE FROM plain WHERE v = 'c'", "INSERT INTO plain VALUES ('d', 1)"},
         {"1|a", "2|b", "3|d"},
         2},
        {"renumbered by VACUUM", {"DELETE FROM plain WHERE v = 'a'", "VACUUM"}, {"1|b", "2|c"}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sqlite(file, {QStringLiteral("DROP TABLE IF EXISTS plain"),
                      QStringLiteral("CREATE TABLE plain (v TEXT, n INT)"),
                      QStringLiteral("INSERT INTO plain VALUES ('a', 1), ('b', 1), ('c', 1)")});
        Recordset &rs = open(QStringLiteral("plain"));
        sqlite(file, c.otherUser);
        ASSERT_EQ(rowsOf(file, QStringLiteral("SELECT rowid, v FROM plain")), c.rowidsAfter);

        rs.SetAbsolutePosition(c.position);
        rs.Edit();
        rs.Fields().Item(QStringLiteral("n")).SetValue(5);
        EXPECT_EQ(errorOf([&] { rs.Update(); }), 3197);
        rs.CancelUpdate();
        EXPECT_EQ(errorOf([&] { rs.Delete(); }), 3197);
        EXPECT_EQ(rowsOf(file, QStringLiteral("SELECT rowid, v FROM plain WHERE n = 1")),
                  c.rowidsAfter);
    }
}

TEST(DataControlConnections, EachControlHasItsOwnConnection) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("c.db"));
    sqlite(file, {QStringLiteral("CREATE TABLE t (x INT)")});
    QString first;
    {
        DataControl a;
        DataControl b;
        EXPECT_NE(a.connectionName(), b.connectionName());
        for (DataControl *d : {&a, &b}) {
            d->SetDatabaseName(file);
            d->SetRecordSource(QStringLiteral("t"));
            d->Refresh();
        }
        first = a.connectionName();
        EXPECT_TRUE(QSqlDatabase::contains(first));
    }
    EXPECT_FALSE(QSqlDatabase::contains(first));
}
