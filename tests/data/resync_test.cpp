#include "common/error_of.h"
#include "data/engine_test.h"
#include <Vantrel3/VbError.h>

#include <functional>

using Vantrel3::Recordset;

namespace {

class Resync : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        exec({engine("CREATE TABLE people (id INTEGER PRIMARY KEY, name VARCHAR(40) NOT NULL, "
                     "amount REAL)",
                     "CREATE TABLE people (id serial PRIMARY KEY, name varchar(40) NOT NULL, "
                     "amount double precision)"),
              QStringLiteral("INSERT INTO people (name, amount) VALUES ('Anna', 1), ('Bruno', "
                             "2), ('Carla', 3)")});
    }

    static QStringList names(const Recordset &rs) {
        QStringList out;
        for (int r = 0; r < rs.RecordCount(); ++r) {
            out.append(rs.text(r, 1));
        }
        return out;
    }
    static QList<QVariant> memory(const Recordset &rs, int record) {
        QList<QVariant> out;
        for (int f = 0; f < rs.fieldCount(); ++f) {
            out.append(rs.value(record, f));
        }
        return out;
    }
};

} // namespace

TEST_P(Resync, AfterAConflictTheRecordIsReadAgainAndThePendingEditCanBeSaved) {
    Recordset &rs = open(QStringLiteral("people"));
    rs.SetAbsolutePosition(2);
    rs.Edit();
    rs.Fields().Item(2).SetValue(30);
    rs.Update();
    ASSERT_EQ(rs.LastModified(), 2);

    rs.SetAbsolutePosition(1);
    rs.Edit();
    rs.Fields().Item(2).SetValue(20);
    exec({QStringLiteral("UPDATE people SET name = 'Bruna', amount = 5 WHERE id = 2")});
    EXPECT_EQ(errorOf([&] { rs.Update(); }), 3197);

    EXPECT_TRUE(rs.resync(1));
    EXPECT_EQ(names(rs), (QStringList{"Anna", "Bruna", "Carla"}));
    EXPECT_EQ(rs.value(1, 2), QVariant(5.0));
    // The cursor, LastModified and the user's pending value are as they were; the field the
    // user did not write shows what the database holds now.
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(rs.LastModified(), 2);
    EXPECT_EQ(rs.EditMode(), 1);
    EXPECT_EQ(rs.Fields().Item(2).Value(), QVariant(20.0));
    EXPECT_EQ(rs.Fields().Item(1).Value(), QVariant(QStringLiteral("Bruna")));

    rs.Update(); // checked against what was just read
    EXPECT_EQ(rows(QStringLiteral("SELECT name, amount FROM people WHERE id = 2")),
              QStringList{QStringLiteral("Bruna|20")});
}

TEST_P(Resync, TwoControlsOnTheSameRecord) {
    Recordset &mine = open(QStringLiteral("people"));
    Vantrel3::DataControl theirs;
    theirs.SetDatabaseName(databaseName());
    theirs.SetRecordSource(QStringLiteral("people"));
    theirs.Refresh();
    Recordset &other = theirs.Recordset();

    const auto write = [](Recordset &rs, int field, const QVariant &value) {
        return errorOf([&] {
            rs.SetAbsolutePosition(0);
            rs.Edit();
            rs.Fields().Item(field).SetValue(value);
            rs.Update();
        });
    };
    EXPECT_EQ(write(other, 1, QStringLiteral("Annalisa")), 0);
    EXPECT_EQ(write(mine, 2, 7), 0); // another field: both changes stay
    EXPECT_EQ(mine.text(0, 1), QStringLiteral("Annalisa"));
    EXPECT_EQ(write(other, 2, 8), 3197); // the field the other control read is no longer there
    other.CancelUpdate();
    EXPECT_EQ(other.text(0, 2), QStringLiteral("1"));
    EXPECT_TRUE(other.resync(0));
    EXPECT_EQ(other.text(0, 2), QStringLiteral("7"));
    EXPECT_EQ(write(other, 2, 8), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT name, amount FROM people WHERE id = 1")),
              QStringList{QStringLiteral("Annalisa|8")});
}

TEST_P(Resync, ARecordAnotherUserDeletedIsNotFoundAndCanBeForgotten) {
    Recordset &rs = open(QStringLiteral("people"));
    exec({QStringLiteral("DELETE FROM people WHERE id = 2")});
    const QList<QVariant> before = memory(rs, 1);
    EXPECT_FALSE(rs.resync(1));
    EXPECT_EQ(memory(rs, 1), before);
    EXPECT_EQ(rs.databaseValues(1), std::nullopt);

    rs.forget(1);
    EXPECT_EQ(names(rs), (QStringList{"Anna", "Carla"}));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM people")), QStringList{"2"});
    EXPECT_TRUE(rs.resync(1)); // Carla, now at position 1, is still found by her key
    EXPECT_EQ(rs.text(1, 1), QStringLiteral("Carla"));
}

TEST_P(Resync, ForgettingARecordKeepsTheCursorAndLastModifiedOnTheirRecords) {
    struct Case {
        const char *name;
        std::function<void(Recordset &)> place; // the cursor before the record is forgotten
        qint32 forgotten;
        qint32 position;       // AbsolutePosition after
        const char *afterNext; // the current name after MoveNext, "" at EOF
        qint32 lastModified;   // after; Carla (2) was modified
    };
    const Case cases[] = {
        {"after the current record", [](Recordset &rs) { rs.SetAbsolutePosition(0); }, 1, 0,
         "Carla", 1},
        {"before the current record", [](Recordset &rs) { rs.SetAbsolutePosition(2); }, 1, 1, "",
         1},
        {"the current record", [](Recordset &rs) { rs.SetAbsolutePosition(1); }, 1, -1, "Carla", 1},
        {"the last modified one", [](Recordset &rs) { rs.SetAbsolutePosition(0); }, 2, 0, "Bruno",
         -1},
        {"at EOF",
         [](Recordset &rs) {
             rs.MoveLast();
             rs.MoveNext();
         },
         0, -1, "", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Recordset &rs = open(QStringLiteral("people"));
        rs.SetAbsolutePosition(2);
        rs.Edit();
        rs.Update();
        c.place(rs);
        rs.forget(c.forgotten);
        EXPECT_EQ(rs.RecordCount(), 2);
        EXPECT_EQ(rs.AbsolutePosition(), c.position);
        EXPECT_EQ(rs.LastModified(), c.lastModified);
        if (c.position >= 0) {
            EXPECT_EQ(rs.Fields().Item(1).Value(), QVariant(rs.text(c.position, 1)));
        }
        if (rs.IsEOF()) {
            rs.MovePrevious();
            EXPECT_EQ(rs.Fields().Item(1).Value(), QVariant(QStringLiteral("Carla")));
        } else {
            rs.MoveNext();
            EXPECT_EQ(rs.IsEOF() ? QString() : rs.Fields().Item(1).Value().toString(),
                      QString::fromUtf8(c.afterNext));
        }
        EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM people")), QStringList{"3"});
    }
}

TEST_P(Resync, AForgottenCurrentRecordTakesItsPendingEditWithIt) {
    Recordset &rs = open(QStringLiteral("people"));
    rs.SetAbsolutePosition(1);
    rs.Edit();
    rs.Fields().Item(1).SetValue(QStringLiteral("Bruna"));
    rs.forget(1);
    EXPECT_EQ(rs.EditMode(), 0);
    EXPECT_EQ(errorOf([&] { rs.Update(); }), 3020);
    EXPECT_EQ(errorOf([&] { rs.Fields().Item(1).Value(); }), 3021);
    EXPECT_EQ(rows(QStringLiteral("SELECT name FROM people ORDER BY id")),
              (QStringList{"Anna", "Bruno", "Carla"}));
}

TEST_P(Resync, DatabaseValuesAreReadByKeyAndLeaveMemoryAlone) {
    Recordset &rs = open(QStringLiteral("people"));
    // A blank record saved the way the control saves its trailing row.
    rs.AddNew();
    rs.Fields().Item(1).SetValue(QStringLiteral(""));
    rs.Fields().Item(2).SetValue(0);
    rs.Update();
    const int blank = rs.LastModified();
    const QList<QVariant> saved = memory(rs, blank);
    EXPECT_EQ(rs.databaseValues(blank), saved);
    EXPECT_EQ(rs.databaseValues(0), memory(rs, 0));

    exec({QStringLiteral("UPDATE people SET name = 'Dario' WHERE name = ''")});
    const auto now = rs.databaseValues(blank);
    ASSERT_TRUE(now.has_value());
    EXPECT_EQ(now->value(1), QVariant(QStringLiteral("Dario")));
    EXPECT_EQ(memory(rs, blank), saved);
    // And the blank record, which now holds another user's data, is not deleted.
    rs.SetAbsolutePosition(blank);
    EXPECT_EQ(errorOf([&] { rs.Delete(); }), 3197);
    EXPECT_EQ(rows(QStringLiteral("SELECT name FROM people ORDER BY id")),
              (QStringList{"Anna", "Bruno", "Carla", "Dario"}));
}

TEST_P(Resync, PositionsAndRecordsetsWithoutAKeyAreRefused) {
    Recordset &rs = open(QStringLiteral("people"));
    for (qint32 position : {-1, 3}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(errorOf([&] { rs.resync(position); }), 381);
        EXPECT_EQ(errorOf([&] { rs.forget(position); }), 381);
        EXPECT_EQ(errorOf([&] { rs.databaseValues(position); }), 381);
    }
    Recordset &query = open(QStringLiteral("SELECT name FROM people ORDER BY name"));
    EXPECT_EQ(errorOf([&] { query.resync(0); }), 3251);
    EXPECT_EQ(errorOf([&] { query.databaseValues(0); }), 3251);
    query.forget(0); // memory only: a query's records can be dropped too
    EXPECT_EQ(query.RecordCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, Resync, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         engineName);
