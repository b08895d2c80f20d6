#include "common/error_of.h"
#include "data/engine_test.h"
#include "data/lock_holder.h"
#include <Vantrel3/VbError.h>

#include <QElapsedTimer>

#include <functional>

using Vantrel3::Recordset;
using Vantrel3::VbError;

namespace {

class LockWait : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        exec({engine("CREATE TABLE people (id INTEGER PRIMARY KEY, name VARCHAR(40) NOT NULL)",
                     "CREATE TABLE people (id serial PRIMARY KEY, name varchar(40) NOT NULL)"),
              QStringLiteral("INSERT INTO people (name) VALUES ('Anna'), ('Bruno'), ('Carla')")});
    }

    // Another user's transaction holding the write lock on the table for holdMs.
    std::unique_ptr<LockHolder> holdLock(int holdMs) const {
        const QStringList statements =
            sqlite() ? QStringList{QStringLiteral("BEGIN IMMEDIATE")}
                     : QStringList{QStringLiteral("BEGIN"),
                                   QStringLiteral("LOCK TABLE people IN EXCLUSIVE MODE")};
        return std::make_unique<LockHolder>([this](const QString &name) { return connect(name); },
                                            statements, holdMs);
    }

    QStringList names() const {
        return rows(QStringLiteral("SELECT name FROM people ORDER BY id"));
    }
};

// A write split where it blocks: `prepare` puts it pending, `finish` reaches the database.
struct Write {
    const char *name;
    std::function<void(Recordset &)> prepare;
    std::function<void(Recordset &)> finish;
};

void update(Recordset &rs) {
    rs.Update();
}

const Write kEdit{"edit",
                  [](Recordset &rs) {
                      rs.SetAbsolutePosition(0);
                      rs.Edit();
                      rs.Fields().Item(1).SetValue(QStringLiteral("Anita"));
                  },
                  update};
const Write kAdd{"add",
                 [](Recordset &rs) {
                     rs.AddNew();
                     rs.Fields().Item(1).SetValue(QStringLiteral("Dario"));
                 },
                 update};
const Write kDelete{"delete", [](Recordset &rs) { rs.SetAbsolutePosition(1); },
                    [](Recordset &rs) { rs.Delete(); }};

} // namespace

TEST_P(LockWait, AWriteWaitsForAnotherUsersLockAndThenGoesThrough) {
    struct Case {
        Write write;
        QStringList names;
    };
    const Case cases[] = {
        {kEdit, {"Anita", "Bruno", "Carla"}},
        {kAdd, {"Anita", "Bruno", "Carla", "Dario"}},
        {kDelete, {"Anita", "Carla", "Dario"}},
    };
    Recordset &rs = open(QStringLiteral("people"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.write.name);
        c.write.prepare(rs);
        const auto lock = holdLock(1000);
        ASSERT_TRUE(lock->locked()) << lock->error().toStdString();
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(errorOf([&] { c.write.finish(rs); }), 0);
        EXPECT_GE(clock.elapsed(), 700);  // it waited for the other user...
        EXPECT_LT(clock.elapsed(), 4000); // ...and went on as soon as the lock was gone
        EXPECT_EQ(names(), c.names);
    }
}

TEST_P(LockWait, ALockHeldPastFiveSecondsIsReportedAndNothingIsWritten) {
    struct Case {
        Write write;
        QStringList before;
        QStringList after;
    };
    const Case cases[] = {
        {kEdit, {"Anna", "Bruno", "Carla"}, {"Anita", "Bruno", "Carla"}},
        {kAdd, {"Anita", "Bruno", "Carla"}, {"Anita", "Bruno", "Carla", "Dario"}},
    };
    Recordset &rs = open(QStringLiteral("people"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.write.name);
        c.write.prepare(rs);
        const qint16 mode = rs.EditMode();
        auto lock = holdLock(60000);
        ASSERT_TRUE(lock->locked()) << lock->error().toStdString();
        QElapsedTimer clock;
        clock.start();
        try {
            c.write.finish(rs);
            ADD_FAILURE() << "the write went through a lock";
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), 3218);
            EXPECT_TRUE(e.Description().contains(QStringLiteral("bloccato da un altro utente")))
                << e.Description().toStdString();
            // The driver's own words follow ours.
            EXPECT_TRUE(e.Description().contains(engine("database is locked", "lock timeout")))
                << e.Description().toStdString();
        }
        EXPECT_GE(clock.elapsed(), 4500);
        EXPECT_LT(clock.elapsed(), 15000);
        EXPECT_EQ(rs.EditMode(), mode); // still pending, for a second try
        EXPECT_EQ(rs.RecordCount(), c.before.size());
        EXPECT_EQ(rs.text(0, 1), c.before.first());
        EXPECT_EQ(names(), c.before);

        lock.reset();
        c.write.finish(rs); // the same pending record goes through once the lock is gone
        EXPECT_EQ(rs.RecordCount(), c.after.size());
        EXPECT_EQ(names(), c.after);
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, LockWait, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         engineName);
