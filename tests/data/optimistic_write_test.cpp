#include "common/error_of.h"
#include "data/engine_test.h"
#include <Vantrel3/VbError.h>

#include <QDateTime>

using Vantrel3::Recordset;

namespace {

// One column of every mapped type; `original` is what record 1 holds, with digits the driver's
// own decoding would lose (a 21-digit numeric, microseconds, 0.1 + 0.2), and `other` is a value
// close to it that another user writes (`sqliteOther` where SQLite would store the same double).
// "blob:" values are spelled in hex.
struct Kind {
    const char *column;
    const char *sqliteType;
    const char *postgresType;
    const char *original;
    const char *other;
    QVariant ours;
    QVariant ours2;
    const char *sqliteOther = nullptr;
};

const Kind kKinds[] = {
    {"i", "INTEGER", "integer", "7", "70", 8, 9},
    {"r", "REAL", "double precision", "0.30000000000000004", "0.3", 1.5, 2.5},
    {"d", "DECIMAL(24,4)", "numeric(24,4)", "12345678901234567.8912", "12345678901234567.8913",
     1.25, 2.5, "12345678901234572"},
    {"t", "TEXT", "text", "''", "'x'", QStringLiteral("uno"), QStringLiteral("due")},
    {"dd", "DATE", "date", "'2024-03-05'", "'2024-03-04'", QDate(2024, 3, 6), QDate(2024, 3, 7)},
    {"tm", "TIME", "time", "'10:11:12.345678'", "'10:11:12.345679'", QTime(8, 0), QTime(9, 30)},
    {"ts", "DATETIME", "timestamp", "'2024-03-05 10:11:12.123456'", "'2024-03-05 10:11:12.123457'",
     QDateTime(QDate(2024, 3, 6), QTime(8, 0)), QDateTime(QDate(2024, 3, 7), QTime(9, 30))},
    {"b", "BOOLEAN", "boolean", "1 = 1", "1 = 0", false, true},
    {"bl", "BLOB", "bytea", "blob:610063", "blob:610064", QByteArray("x\0y", 3),
     QByteArray("z", 1)},
};

class OptimisticWrite : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        QStringList columns{engine("id INTEGER PRIMARY KEY", "id serial PRIMARY KEY")};
        QStringList names;
        QStringList originals;
        for (const Kind &k : kKinds) {
            columns.append(QString::fromUtf8(k.column) + u' ' +
                           QString::fromUtf8(sqlite() ? k.sqliteType : k.postgresType));
            names.append(QString::fromUtf8(k.column));
            originals.append(literal(k.original));
        }
        // Record 1 holds values, records 2 and 3 hold Null in every field.
        exec({QStringLiteral("CREATE TABLE kinds (%1)").arg(columns.join(u", ")),
              QStringLiteral("INSERT INTO kinds (%1) VALUES (%2)")
                  .arg(names.join(u", "), originals.join(u", ")),
              QStringLiteral("INSERT INTO kinds (i) VALUES (NULL), (NULL)")});
    }

    // The SQL for a value, in parentheses so that it reads as one term after "=".
    QString literal(const char *value) const {
        const QString v = QString::fromUtf8(value);
        if (v.startsWith(u"blob:")) {
            return sqlite() ? QStringLiteral("(X'%1')").arg(v.mid(5))
                            : QStringLiteral("('\\x%1'::bytea)").arg(v.mid(5));
        }
        return u'(' + v + u')';
    }
    QString other(const Kind &k) const {
        return literal(sqlite() && k.sqliteOther ? k.sqliteOther : k.other);
    }

    // How many records of kinds have this id and this condition, read by another connection.
    QString countWhere(int id, const QString &condition) const {
        return rows(QStringLiteral("SELECT count(*) FROM kinds WHERE id = %1 AND %2")
                        .arg(id)
                        .arg(condition))
            .value(0);
    }

    // The field as a second control reads it from the database now.
    QVariant stored(int record, int field) {
        Vantrel3::DataControl fresh;
        fresh.SetDatabaseName(databaseName());
        fresh.SetRecordSource(QStringLiteral("kinds"));
        fresh.Refresh();
        return fresh.Recordset().value(record, field);
    }

    qint32 write(Recordset &rs, int record, int field, const QVariant &value) {
        return errorOf([&] {
            rs.SetAbsolutePosition(record);
            rs.Edit();
            rs.Fields().Item(field).SetValue(value);
            rs.Update();
        });
    }
};

} // namespace

TEST_P(OptimisticWrite, AWriteGoesThroughOnlyWhileTheFieldHoldsWhatWasLoaded) {
    Recordset &rs = open(QStringLiteral("kinds"));
    for (int f = 1; f < rs.fieldCount(); ++f) {
        const Kind &k = kKinds[f - 1];
        SCOPED_TRACE(k.column);
        const QString column = QString::fromUtf8(k.column);

        // Untouched since loaded: the loaded value, bound back, finds the record, and so does
        // the value the write itself returned.
        EXPECT_EQ(write(rs, 0, f, k.ours), 0);
        EXPECT_EQ(rs.value(0, f), k.ours);
        EXPECT_EQ(write(rs, 0, f, k.ours2), 0);
        EXPECT_EQ(rs.value(0, f), k.ours2);
        EXPECT_EQ(stored(0, f), k.ours2);
        EXPECT_EQ(write(rs, 2, f, k.ours), 0); // Null is found as Null
        EXPECT_EQ(stored(2, f), k.ours);

        // Another user's change, from a value to Null and from Null to a value near the one
        // loaded, is kept; ours is refused and stays pending.
        exec({QStringLiteral("UPDATE kinds SET %1 = NULL WHERE id = 1").arg(column),
              QStringLiteral("UPDATE kinds SET %1 = %2 WHERE id = 2").arg(column, other(k))});
        for (int record : {0, 1}) {
            SCOPED_TRACE(record);
            const QVariant before = rs.value(record, f);
            EXPECT_EQ(write(rs, record, f, k.ours), 3197);
            EXPECT_EQ(rs.EditMode(), 1);
            EXPECT_EQ(rs.value(record, f), before);
            rs.CancelUpdate();
        }
        EXPECT_EQ(countWhere(1, column + QStringLiteral(" IS NULL")), QStringLiteral("1"));
        EXPECT_EQ(countWhere(2, column + QStringLiteral(" = ") + other(k)), QStringLiteral("1"));
    }
}

TEST_P(OptimisticWrite, TheOriginalDigitsAreWhatIsCompared) {
    // A change the driver's own decoding could not see (the last digit of a long numeric, a
    // microsecond) is still another user's change.
    Recordset &rs = open(QStringLiteral("kinds"));
    for (const char *column : {"d", "tm", "ts", "r"}) {
        SCOPED_TRACE(column);
        const int f = [&] {
            for (int i = 0; i < rs.fieldCount(); ++i) {
                if (rs.Fields().Item(i).Name() == QString::fromUtf8(column)) {
                    return i;
                }
            }
            return -1;
        }();
        ASSERT_GT(f, 0);
        const Kind &k = kKinds[f - 1];
        exec({QStringLiteral("UPDATE kinds SET %1 = %2 WHERE id = 1")
                  .arg(QString::fromUtf8(column), other(k))});
        EXPECT_EQ(write(rs, 0, f, k.ours), 3197);
        rs.CancelUpdate();
        EXPECT_EQ(countWhere(1, QString::fromUtf8(column) + QStringLiteral(" = ") + other(k)),
                  QStringLiteral("1"));
    }
}

TEST_P(OptimisticWrite, AnotherUsersChangeToAFieldNotWrittenIsKeptAndRead) {
    Recordset &rs = open(QStringLiteral("kinds"));
    exec({QStringLiteral("UPDATE kinds SET t = 'altro' WHERE id = 1")});
    EXPECT_EQ(write(rs, 0, 1, 42), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT i, t FROM kinds WHERE id = 1")),
              QStringList{QStringLiteral("42|altro")});
    EXPECT_EQ(rs.text(0, 4), QStringLiteral("altro")); // the write brought the record back
}

TEST_P(OptimisticWrite, ARecordAnotherUserDeletedOrChangedIsNeitherWrittenNorDeleted) {
    struct Case {
        const char *name;
        const char *otherUser;
        bool deleteIt;
        qint32 error;
    };
    const Case cases[] = {
        {"edit after a delete", "DELETE FROM kinds WHERE id = 1", false, 3167},
        {"delete after a delete", "DELETE FROM kinds WHERE id = 1", true, 3167},
        {"delete after a change", "UPDATE kinds SET t = 'altro' WHERE id = 1", true, 3197},
        {"delete after a change to Null", "UPDATE kinds SET t = NULL WHERE id = 1", true, 3197},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        exec({QStringLiteral("DELETE FROM kinds"),
              QStringLiteral("INSERT INTO kinds (id, i, t) VALUES (1, 1, 'uno'), (2, 2, 'due')")});
        Recordset &rs = open(QStringLiteral("kinds"));
        exec({QString::fromUtf8(c.otherUser)});
        const QStringList before = rows(QStringLiteral("SELECT id, i, t FROM kinds ORDER BY id"));
        try {
            rs.SetAbsolutePosition(0);
            if (c.deleteIt) {
                rs.Delete();
            } else {
                rs.Edit();
                rs.Fields().Item(1).SetValue(10);
                rs.Update();
            }
            ADD_FAILURE() << "the write went through";
        } catch (const Vantrel3::VbError &e) {
            EXPECT_EQ(e.Number(), c.error);
            EXPECT_TRUE(
                e.Description().contains(QStringLiteral("un altro utente"), Qt::CaseInsensitive))
                << e.Description().toStdString();
        }
        EXPECT_EQ(rows(QStringLiteral("SELECT id, i, t FROM kinds ORDER BY id")), before);
        EXPECT_EQ(rs.RecordCount(), 2);
        EXPECT_EQ(rs.AbsolutePosition(), 0); // still current, not dead
        EXPECT_EQ(rs.text(0, 4), QStringLiteral("uno"));
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, OptimisticWrite,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);
