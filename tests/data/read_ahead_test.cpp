// A table read on a thread of its own while the grid takes the records: the records arrive whole
// and in order, and a failure on either side ends the read without losing it or hanging.

#include "common/error_of.h"
#include "data/read_ahead.h"
#include "data/record_stream.h"
#include "data/recordset_p.h"
#include "data/row_source.h"
#include <Vantrel3/VbError.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace Vantrel3;

namespace {

constexpr int kFields = 2;

// Records 1..count: an integer key up to 5,000 and a text key after it, texts "r<n>" and a
// second one beyond Latin-1 in every 1,000th record. Fails with 3146 on reaching `failAt`.
class NumberedRows final : public RowSource {
public:
    NumberedRows(int count, int failAt) : m_count(count), m_failAt(failAt) {}

    bool next() override {
        if (m_at + 1 == m_failAt) {
            throw VbError(3146, QStringLiteral("Data1"), QStringLiteral("lettura interrotta"));
        }
        return ++m_at <= m_count;
    }
    void appendKey(RecordKeys &keys) override {
        if (m_at <= 5000) {
            keys.appendInteger(m_at, QMetaType::fromType<qlonglong>());
        } else {
            keys.append({QVariant(QStringLiteral("k%1").arg(m_at))});
        }
    }
    quint64 fingerprint() override { return quint64(m_at) * 7; }
    const QStringView *texts() override {
        fill();
        m_views[0] = m_texts[0];
        m_views[1] = m_texts[1];
        return m_views;
    }
    const QLatin1StringView *latin1Texts() override {
        if (wide()) {
            return nullptr;
        }
        fill();
        m_latin1Texts[0] = m_texts[0].toLatin1();
        m_latin1Texts[1] = m_texts[1].toLatin1();
        m_latin1[0] = QLatin1StringView(m_latin1Texts[0]);
        m_latin1[1] = QLatin1StringView(m_latin1Texts[1]);
        return m_latin1;
    }

private:
    bool wide() const { return m_at % 1000 == 0; }
    void fill() {
        m_texts[0] = QStringLiteral("r%1").arg(m_at);
        m_texts[1] = wide() ? QStringLiteral("€%1").arg(m_at) : QString();
    }

    int m_count;
    int m_failAt;
    int m_at = 0;
    QString m_texts[kFields];
    QByteArray m_latin1Texts[kFields];
    QStringView m_views[kFields];
    QLatin1StringView m_latin1[kFields];
};

// Keeps what it hears; throws at record `throwAt` when asked to.
class Collected final : public RecordSink {
public:
    explicit Collected(int throwAt = -1) : m_throwAt(throwAt) {}
    int begins = 0;
    QStringList firsts; // each record's first text
    QStringList wideSeconds;
    std::optional<bool> endedOk;
    qint32 endedWith = -1;

    void begin(const QStringList &, qint32) override { ++begins; }
    void append(qint32 index, const QStringView *texts, qint32 count) override {
        check(index, count);
        firsts.append(texts[0].toString());
        wideSeconds.append(texts[1].toString());
    }
    void appendLatin1(qint32 index, const QLatin1StringView *texts, qint32 count) override {
        check(index, count);
        firsts.append(QString(texts[0]));
        EXPECT_TRUE(texts[1].isEmpty());
    }
    void progress(qint32) override {}
    void end(qint32 count, bool ok) override {
        endedOk = ok;
        endedWith = count;
    }

private:
    void check(qint32 index, qint32 count) {
        EXPECT_EQ(index, firsts.size());
        EXPECT_EQ(count, kFields);
        if (index == m_throwAt) {
            throw VbError(30000, QStringLiteral("MSFlexGrid1"));
        }
    }
    int m_throwAt;
};

QElapsedTimer started() {
    QElapsedTimer timer;
    timer.start();
    return timer;
}

std::unique_ptr<RecordsetPrivate> recordset() {
    auto p = std::make_unique<RecordsetPrivate>();
    for (const char *name : {"a", "b"}) {
        FieldInfo field;
        field.name = QString::fromUtf8(name);
        p->info.append(field);
    }
    p->keys.reset(1);
    return p;
}

} // namespace

TEST(ReadAhead, RecordsArriveWholeAndInOrderAcrossBatchesAndKeyKinds) {
    if (!ReadAhead::worthwhile()) {
        GTEST_SKIP() << "one core: records are read on the caller's thread";
    }
    for (const int count : {0, 1, 2048, 9999}) {
        SCOPED_TRACE(count);
        auto p = recordset();
        NumberedRows rows(count, -1);
        Collected sink;
        streamRecords(*p, rows, sink, started(), nullptr, true);
        EXPECT_EQ(sink.begins, 1);
        EXPECT_EQ(sink.endedOk, true);
        EXPECT_EQ(sink.endedWith, count);
        ASSERT_EQ(sink.firsts.size(), count);
        ASSERT_EQ(p->rows, count);
        ASSERT_EQ(p->fingerprints.size(), size_t(count));
        for (int i = 0; i < count; ++i) {
            const int n = i + 1;
            ASSERT_EQ(sink.firsts[i], QStringLiteral("r%1").arg(n)) << i;
            ASSERT_EQ(p->fingerprints[size_t(i)], quint64(n) * 7) << i;
            const QVariant key =
                n <= 5000 ? QVariant(qlonglong(n)) : QVariant(QStringLiteral("k%1").arg(n));
            ASSERT_EQ(p->keys.at(i), QList<QVariant>{key}) << i;
        }
        QStringList wide;
        for (int n = 1000; n <= count; n += 1000) {
            wide.append(QStringLiteral("€%1").arg(n));
        }
        EXPECT_EQ(sink.wideSeconds, wide);
    }
}

TEST(ReadAhead, AFailureOnEitherSideEndsTheReadAndIsRaised) {
    struct Case {
        const char *name;
        int failAt;    // the step of the read that fails
        int sinkThrow; // the record the sink refuses
        qint32 error;
        bool begun;
    };
    const Case cases[] = {
        {"first step", 1, -1, 3146, false},
        {"read, third batch", 5000, -1, 3146, true},
        {"sink, first batch", -1, 10, 30000, true},
        {"sink, while the reader waits", -1, 9000, 30000, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto p = recordset();
        NumberedRows rows(20000, c.failAt);
        Collected sink(c.sinkThrow);
        EXPECT_EQ(errorOf([&] { streamRecords(*p, rows, sink, started(), nullptr, true); }),
                  c.error);
        EXPECT_EQ(sink.begins, c.begun ? 1 : 0);
        if (c.begun) {
            EXPECT_EQ(sink.endedOk, false);
            // What came before the failure came whole and in order.
            for (qsizetype i = 0; i < sink.firsts.size(); ++i) {
                ASSERT_EQ(sink.firsts[i], QStringLiteral("r%1").arg(i + 1));
            }
        } else {
            EXPECT_FALSE(sink.endedOk.has_value());
        }
        if (c.failAt > 0 && c.begun) {
            EXPECT_LT(sink.firsts.size(), c.failAt);
        }
    }
}
