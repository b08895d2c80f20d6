#include "common/error_of.h"
#include "data/engine_test.h"
#include <Vantrel3/VbError.h>

#include <QDate>
#include <QHash>

using Vantrel3::Recordset;

namespace {

// A table whose required fields are not the first ones, with a unique and a checked field; a
// trigger logs every statement that writes a row of it.
class NewRecord : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        exec({QStringLiteral("CREATE TABLE orders (id %1, note TEXT, code TEXT NOT NULL, qty INT "
                             "NOT NULL CHECK (qty > 0), ref TEXT UNIQUE, due DATE NOT NULL)")
                  .arg(engine("INTEGER PRIMARY KEY", "serial PRIMARY KEY")),
              QStringLiteral("INSERT INTO orders (note, code, qty, ref, due) VALUES (NULL, 'A', "
                             "1, 'R1', '2024-01-31')"),
              QStringLiteral("CREATE TABLE log (what TEXT)")});
        if (sqlite()) {
            exec({QStringLiteral("CREATE TRIGGER orders_insert AFTER INSERT ON orders BEGIN "
                                 "INSERT INTO log VALUES ('insert'); END"),
                  QStringLiteral("CREATE TRIGGER orders_update AFTER UPDATE ON orders BEGIN "
                                 "INSERT INTO log VALUES ('update'); END")});
        } else {
            exec({QStringLiteral("CREATE FUNCTION log_write() RETURNS trigger LANGUAGE plpgsql "
                                 "AS $$ BEGIN INSERT INTO log VALUES (lower(TG_OP)); RETURN "
                                 "NULL; END $$"),
                  QStringLiteral("CREATE TRIGGER orders_log AFTER INSERT OR UPDATE ON orders FOR "
                                 "EACH ROW EXECUTE FUNCTION log_write()")});
        }
    }

    QStringList log() const { return rows(QStringLiteral("SELECT what FROM log")); }
    QStringList orders() const {
        return rows(QStringLiteral("SELECT id, note, code, qty, ref, due FROM orders ORDER BY id"));
    }

    // AddNew with every field but the numbered id set.
    static void addWith(Recordset &rs, const QHash<QString, QVariant> &values) {
        rs.AddNew();
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            rs.Fields().Item(it.key()).SetValue(it.value());
        }
    }

    static const inline QHash<QString, QVariant> kValid{
        {"note", QStringLiteral("urgente")}, {"code", QStringLiteral("B")}, {"qty", 3},
        {"ref", QStringLiteral("R2")},       {"due", QDate(2024, 2, 29)},
    };
};

} // namespace

TEST_P(NewRecord, EveryFieldGoesInOneInsert) {
    Recordset &rs = open(QStringLiteral("orders"));
    addWith(rs, kValid);
    rs.Update();
    EXPECT_EQ(log(), QStringList{QStringLiteral("insert")}); // no second statement completed it
    EXPECT_EQ(orders().value(1), QStringLiteral("2|urgente|B|3|R2|2024-02-29"));
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.LastModified(), 1);
    EXPECT_EQ(rs.AbsolutePosition(), 0);
    EXPECT_EQ(rs.text(1, 0), QStringLiteral("2"));
    EXPECT_EQ(rs.text(1, 5), QStringLiteral("29/02/2024"));
}

TEST_P(NewRecord, ARefusedInsertLeavesNoRecordAndKeepsTheValuesForAnotherTry) {
    struct Case {
        const char *name;
        QHash<QString, QVariant> wrong; // over the valid values
        qint32 error;
        QHash<QString, QVariant> fix; // empty: the user gives up
    };
    const Case cases[] = {
        {"a required field left Null",
         {{"code", QVariant::fromValue(nullptr)}},
         3314,
         {{"code", QStringLiteral("C")}}},
        {"a checked field out of its rule", {{"qty", 0}}, 3317, {{"qty", 4}}},
        {"a unique field taken", {{"ref", QStringLiteral("R1")}}, 3022, {}},
    };
    Recordset &rs = open(QStringLiteral("orders"));
    int records = 1;
    QString next = QStringLiteral("2");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QHash<QString, QVariant> values = kValid;
        values.insert(QStringLiteral("ref"), QStringLiteral("R%1").arg(records + 1));
        values.insert(c.wrong);
        addWith(rs, values);
        EXPECT_EQ(rs.Fields().Item(0).Value().toString(), next); // the number it will get
        EXPECT_EQ(errorOf([&] { rs.Update(); }), c.error);

        EXPECT_EQ(orders().size(), records);
        EXPECT_EQ(log().size(), records - 1);
        EXPECT_EQ(rs.RecordCount(), records);
        EXPECT_EQ(rs.EditMode(), 2);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            EXPECT_EQ(rs.Fields().Item(it.key()).Value(), it.value()) << it.key().toStdString();
        }

        if (c.fix.isEmpty()) {
            rs.CancelUpdate();
            EXPECT_EQ(rs.EditMode(), 0);
            EXPECT_EQ(orders().size(), records);
            continue;
        }
        for (auto it = c.fix.cbegin(); it != c.fix.cend(); ++it) {
            rs.Fields().Item(it.key()).SetValue(it.value());
        }
        rs.Update();
        ++records;
        EXPECT_EQ(orders().size(), records);
        EXPECT_EQ(rs.RecordCount(), records);
        EXPECT_EQ(rs.text(rs.LastModified(), 0), next); // the number shown at AddNew
        EXPECT_EQ(rs.text(rs.LastModified(), 4), values.value(QStringLiteral("ref")).toString());
        next = QString::number(next.toInt() + 1);
    }
    EXPECT_EQ(log().size(), records - 1);
    EXPECT_FALSE(log().contains(QStringLiteral("update")));
}

INSTANTIATE_TEST_SUITE_P(Engines, NewRecord, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         engineName);
