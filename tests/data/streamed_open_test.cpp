// A recordset that streams its records to a sink (as a bound grid opens it) keeps only their keys
// and fingerprints; what the sink is given and what the recordset writes back must be what a
// recordset that keeps every value would show and write.

#include "common/error_of.h"
#include "data/engine_test.h"
#include <Vantrel3/Recordset.h>

using Vantrel3::Recordset;

namespace {

// Keeps every text it is given, and the calls around them.
class KeptTexts final : public Vantrel3::RecordSink {
public:
    QStringList names;
    qint32 expected = -2;
    QList<QStringList> records;
    qint32 ended = -1;
    bool ok = false;

    void begin(const QStringList &fieldNames, qint32 expectedRecords) override {
        names = fieldNames;
        expected = expectedRecords;
        records.clear();
    }
    void append(qint32 index, const QStringView *texts, qint32 count) override {
        EXPECT_EQ(index, records.size());
        QStringList record;
        for (qint32 i = 0; i < count; ++i) {
            record.append(texts[i].toString());
        }
        records.append(record);
    }
    void progress(qint32 count) override { EXPECT_EQ(count, records.size()); }
    void end(qint32 count, bool succeeded) override {
        ended = count;
        ok = succeeded;
    }
};

class StreamedOpen : public EngineTest {
protected:
    // Every record's texts as a recordset that keeps every value shows them.
    QList<QStringList> keptTexts(const QString &table) const {
        Vantrel3::DataControl plain;
        plain.SetDatabaseName(databaseName());
        plain.SetRecordSource(table);
        plain.Refresh();
        const Recordset &rs = plain.Recordset();
        QList<QStringList> out;
        for (qint32 r = 0; r < rs.RecordCount(); ++r) {
            QStringList record;
            for (qint32 f = 0; f < rs.fieldCount(); ++f) {
                record.append(rs.text(r, f));
            }
            out.append(record);
        }
        return out;
    }

    qint32 write(Recordset &rs, int record, int field, const QVariant &value) {
        return errorOf([&] {
            rs.SetAbsolutePosition(record);
            rs.Edit();
            rs.Fields().Item(field).SetValue(value);
            rs.Update();
        });
    }

    KeptTexts sink;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, StreamedOpen, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         engineName);

TEST_P(StreamedOpen, TheSinkGetsTheTextsARecordsetThatKeepsEveryValueShows) {
    // Texts in and beyond Latin-1, reals with and without a short decimal form, integers in a
    // real field, dates and what only looks like one, booleans, decimals and bytes; on SQLite
    // also values of another kind than their column's.
    if (sqlite()) {
        exec({QStringLiteral("CREATE TABLE mix (id INTEGER PRIMARY KEY, t TEXT, r REAL, d DATE, "
                             "n INTEGER, b BOOLEAN, dec DECIMAL(24,4), bl BLOB)"),
              QStringLiteral(
                  "INSERT INTO mix (t, r, d, n, b, dec, bl) VALUES "
                  "('plain', 0.25, '2024-02-29', 7, 1, 12.5, X'41'), "
                  "('città', -2.5, '2024-13-45', -9007199254740993, 0, "
                  "'12345678901234567.8912', X'e282ac'), "
                  "('€uro', 0.1, 'not a date', 'x12', 'yes', NULL, NULL), "
                  "('', 1e20, 20240101, 3.75, NULL, 7, ''), "
                  "(NULL, 1.0 / 3, NULL, NULL, NULL, NULL, NULL), "
                  "(' spaced ', 999999999999999.9, '2024-01-05', 1234567890123456789, 2, 1e15, "
                  "X'00'), "
                  "('x', -0.0001, '0001-01-01', 0, 0, 1234567890123456, NULL), "
                  "(X'C328', 123456.7891, '2024-1-5', '', 'f', -0.5, X'ff')"),
              QStringLiteral("UPDATE mix SET r = 12345678 WHERE id = 8")});
    } else {
        exec({QStringLiteral("CREATE TABLE mix (id serial PRIMARY KEY, t text, r double precision, "
                             "d date, n bigint, b boolean, dec numeric(24,4), bl bytea)"),
              QStringLiteral("INSERT INTO mix (t, r, d, n, b, dec, bl) VALUES "
                             "('plain', 0.25, '2024-02-29', 7, true, 12.5, '\\x41'), "
                             "('città', -2.5, '0001-01-01', -9007199254740993, false, "
                             "12345678901234567.8912, '\\xe282ac'), "
                             "('€uro', 0.1, NULL, 0, NULL, NULL, NULL), "
                             "('', 1e20, '2024-01-05', 3, NULL, 7, ''), "
                             "(NULL, 1.0 / 3, NULL, NULL, NULL, NULL, NULL), "
                             "(' spaced ', 999999999999999.9, '2024-01-05', "
                             "1234567890123456789, true, 1e15, '\\x00')")});
    }
    const QList<QStringList> expected = keptTexts(QStringLiteral("mix"));
    ASSERT_FALSE(expected.isEmpty());

    data.setRecordSink(&sink);
    Recordset &rs = open(QStringLiteral("mix"));
    data.setRecordSink(nullptr);
    EXPECT_TRUE(sink.ok);
    EXPECT_EQ(sink.ended, expected.size());
    EXPECT_TRUE(sink.expected == -1 || sink.expected == expected.size()) << sink.expected;
    EXPECT_EQ(rs.RecordCount(), expected.size());
    ASSERT_EQ(sink.names.size(), rs.fieldCount());
    for (qint32 f = 0; f < rs.fieldCount(); ++f) {
        EXPECT_EQ(sink.names[f], rs.Fields().Item(f).Name());
    }
    ASSERT_EQ(sink.records.size(), expected.size());
    for (qsizetype r = 0; r < expected.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(sink.records[r], expected[r]);
        // The recordset reads the record again by its key: the same texts.
        for (qint32 f = 0; f < rs.fieldCount(); ++f) {
            EXPECT_EQ(rs.text(qint32(r), f), expected[r][f]) << f;
        }
    }
}

TEST_P(StreamedOpen, AWriteBackFindsTheRecordAsLoadedWhateverItsKey) {
    struct Case {
        const char *name;
        const char *sqliteKey;
        const char *postgresKey;
        const char *constraint;
    };
    const Case cases[] = {
        {"integer key", "id INTEGER PRIMARY KEY", "id serial PRIMARY KEY", ""},
        {"text key", "code TEXT PRIMARY KEY", "code text PRIMARY KEY", ""},
        {"two-part key", "code TEXT, n INTEGER", "code text, n integer", ", PRIMARY KEY (code, n)"},
    };
    int table = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QStringLiteral("k%1").arg(++table);
        const bool textKey = table > 1;
        QStringList statements{QStringLiteral("CREATE TABLE %1 (%2, nome text, importo %3%4)")
                                   .arg(name, engine(c.sqliteKey, c.postgresKey),
                                        engine("REAL", "double precision"),
                                        QString::fromUtf8(c.constraint))};
        const char *codes[] = {"a", "bè", "c", "d"}; // in key order on both engines
        for (int i = 0; i < 4; ++i) {
            // Record 1's amount is a double the driver's decoding could round.
            const QString importo = i == 1 ? QStringLiteral("0.1 + 0.2") : QString::number(i);
            const QString code = QString::fromUtf8(codes[i]);
            const QString nome = QStringLiteral("'n%1'").arg(i);
            statements.append(
                table == 1 ? QStringLiteral("INSERT INTO %1 (nome, importo) VALUES (%2, %3)")
                                 .arg(name, nome, importo)
                : table == 2 ? QStringLiteral("INSERT INTO %1 (code, nome, importo) VALUES "
                                              "('%2', %3, %4)")
                                   .arg(name, code, nome, importo)
                             : QStringLiteral("INSERT INTO %1 (code, n, nome, importo) VALUES "
                                              "('%2', 1, %3, %4)")
                                   .arg(name, code, nome, importo));
        }
        exec(statements);
        data.setRecordSink(&sink);
        Recordset &rs = open(name);
        ASSERT_EQ(rs.RecordCount(), 4);
        const qint32 nome = textKey ? (table == 3 ? 2 : 1) : 1;
        // Records 2 and 3 as another user finds them.
        const QString third =
            textKey ? QStringLiteral("code = 'c'") : QStringLiteral("nome = 'n2'");
        const QString fourth =
            textKey ? QStringLiteral("code = 'd'") : QStringLiteral("nome = 'n3'");

        // Unchanged since loaded: written, and written again over our own write.
        EXPECT_EQ(write(rs, 0, nome, QStringLiteral("Anna")), 0);
        EXPECT_EQ(write(rs, 0, nome, QStringLiteral("Anita")), 0);
        EXPECT_EQ(rs.value(0, nome), QStringLiteral("Anita"));
        // A value the driver's doubles round (0.1 + 0.2) is found as loaded.
        EXPECT_EQ(write(rs, 1, nome, QStringLiteral("Bruno")), 0);

        // Another user's change or delete since the open: nothing is written and it is told.
        exec({QStringLiteral("UPDATE %1 SET importo = 20 WHERE %2").arg(name, third),
              QStringLiteral("DELETE FROM %1 WHERE %2").arg(name, fourth)});
        EXPECT_EQ(write(rs, 2, nome, QStringLiteral("Carlo")), 3197);
        rs.CancelUpdate();
        EXPECT_EQ(write(rs, 3, nome, QStringLiteral("Dora")), 3167);
        rs.CancelUpdate();
        rs.SetAbsolutePosition(2);
        EXPECT_EQ(errorOf([&] { rs.Delete(); }), 3197);
        data.setRecordSink(nullptr);

        // The other user's change is kept, the deleted record stays deleted.
        EXPECT_EQ(rows(QStringLiteral("SELECT nome FROM %1 ORDER BY nome").arg(name)).join(u','),
                  QStringLiteral("Anita,Bruno,n2"));
        EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM %1 WHERE nome = 'n2' AND importo = 20")
                           .arg(name)),
                  QStringList{QStringLiteral("1")});
    }
}
