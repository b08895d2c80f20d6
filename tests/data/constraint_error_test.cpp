#include "data/data_error.h"
#include "data/engine_test.h"
#include <Vantrel3/VbError.h>

#include <QHash>

using Vantrel3::Recordset;
using Vantrel3::VbError;

namespace {

class ConstraintError : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        exec({QStringLiteral("CREATE TABLE checks (id %1, a TEXT, nn TEXT NOT NULL, u TEXT "
                             "UNIQUE, q INT CHECK (q > 0), w INT CONSTRAINT w_pos CHECK (w > 0), "
                             "x INT, y INT, CONSTRAINT x_below_y CHECK (x < y), UNIQUE (x, y))")
                  .arg(engine("INTEGER PRIMARY KEY", "serial PRIMARY KEY")),
              QStringLiteral("INSERT INTO checks (a, nn, u, q, w, x, y) VALUES ('uno', 'n1', "
                             "'u1', 1, 1, 1, 2), ('due', 'n2', 'u2', 2, 2, 7, 8)")});
    }

    QStringList stored() const {
        return rows(QStringLiteral("SELECT id, a, nn, u, q, w, x, y FROM checks ORDER BY id"));
    }
};

const QVariant kNull = QVariant::fromValue(nullptr);

} // namespace

TEST_P(ConstraintError, ARefusedWriteNamesTheFieldAndKeepsTheDriversWords) {
    struct Case {
        const char *name;
        QHash<QString, QVariant> values; // written over a valid record
        qint32 error;
        QStringList fields; // named in the description, the first one blamed
        QStringList mentions;
    };
    const Case cases[] = {
        {"Null in a required field", {{"nn", kNull}}, 3314, {"nn"}, {}},
        {"duplicate in a unique field", {{"u", QStringLiteral("u1")}}, 3022, {"u"}, {}},
        {"unnamed rule", {{"q", 0}}, 3317, {"q"}, {"q > 0"}},
        {"named rule", {{"w", 0}}, 3317, {"w"}, {"w_pos", "w > 0"}},
        {"rule over two fields", {{"x", 5}, {"y", 1}}, 3317, {"x", "y"}, {"x_below_y", "x < y"}},
        {"duplicate pair", {{"x", 1}, {"y", 2}}, 3022, {"x", "y"}, {}},
    };
    const QStringList before = stored();
    Recordset &rs = open(QStringLiteral("checks"));
    for (const bool adding : {true, false}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (adding ? " (AddNew)" : " (Edit)"));
            if (adding) {
                rs.AddNew();
                const QHash<QString, QVariant> valid{{"a", "tre"}, {"nn", "n3"}, {"u", "u3"},
                                                     {"q", 3},     {"w", 3},     {"x", 30},
                                                     {"y", 40}};
                for (auto it = valid.cbegin(); it != valid.cend(); ++it) {
                    rs.Fields().Item(it.key()).SetValue(it.value());
                }
            } else {
                rs.SetAbsolutePosition(1);
                rs.Edit();
            }
            for (auto it = c.values.cbegin(); it != c.values.cend(); ++it) {
                rs.Fields().Item(it.key()).SetValue(it.value());
            }
            try {
                rs.Update();
                ADD_FAILURE() << "the database took it";
            } catch (const VbError &e) {
                const QString d = e.Description();
                EXPECT_EQ(e.Number(), c.error) << d.toStdString();
                EXPECT_EQ(Vantrel3::sql::failedField(e), c.fields.first()) << d.toStdString();
                for (const QString &f : c.fields) {
                    EXPECT_TRUE(d.contains(u'«' + f + u'»')) << d.toStdString();
                }
                for (const QString &m : c.mentions) {
                    EXPECT_TRUE(d.contains(m)) << d.toStdString();
                }
                EXPECT_TRUE(d.contains(engine("constraint failed", "violates"))) << d.toStdString();
            }
            // Nothing written, nothing added in memory, the user's values still at hand.
            EXPECT_EQ(stored(), before);
            EXPECT_EQ(rs.RecordCount(), 2);
            EXPECT_EQ(rs.EditMode(), adding ? 2 : 1);
            for (auto it = c.values.cbegin(); it != c.values.cend(); ++it) {
                EXPECT_EQ(rs.Fields().Item(it.key()).Value(), it.value()) << it.key().toStdString();
            }
            rs.CancelUpdate();
        }
    }
}

TEST_P(ConstraintError, OtherErrorsBlameNoField) {
    Recordset &rs = open(QStringLiteral("checks"));
    rs.SetAbsolutePosition(0);
    rs.Edit();
    rs.Fields().Item(QStringLiteral("a")).SetValue(QStringLiteral("zero"));
    exec({QStringLiteral("DELETE FROM checks WHERE id = 1")});
    try {
        rs.Update();
        ADD_FAILURE() << "the write went through";
    } catch (const VbError &e) {
        EXPECT_EQ(e.Number(), 3167);
        EXPECT_EQ(Vantrel3::sql::failedField(e), QString());
    }
    EXPECT_EQ(Vantrel3::sql::failedField(VbError(3022)), QString());
}

INSTANTIATE_TEST_SUITE_P(Engines, ConstraintError,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);
