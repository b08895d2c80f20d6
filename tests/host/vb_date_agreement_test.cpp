#include "host/vb_test_locale.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <QDateTime>
#include <gtest/gtest.h>

#include <ctime>
#include <random>
#include <string>
#include <vector>

using namespace Vantrel3;

namespace {

const QString kIsoPattern = QStringLiteral("yyyy-mm-dd hh:nn:ss");

// Sets the process's local time zone for one scope. A POSIX rule needs no zone database; this one
// skips 02:00-03:00 on the last Sunday of March and repeats an hour on the last one of October.
class LocalZone {
public:
    explicit LocalZone(const char *rule)
        : m_had(qEnvironmentVariableIsSet("TZ")), m_saved(qgetenv("TZ")) {
        qputenv("TZ", rule);
        tzset();
    }
    ~LocalZone() {
        if (m_had) {
            qputenv("TZ", m_saved);
        } else {
            qunsetenv("TZ");
        }
        tzset();
    }
    LocalZone(const LocalZone &) = delete;
    LocalZone &operator=(const LocalZone &) = delete;

private:
    bool m_had;
    QByteArray m_saved;
};

const char *const kZones[] = {"UTC0", "CET-1CEST,M3.5.0,M10.5.0/3"};

struct Moment {
    QDate date;
    QTime time;
};

QDate lastSunday(int year, int month) {
    QDate d(year, month, QDate(year, month, 1).daysInMonth());
    return d.addDays(-(d.dayOfWeek() % 7));
}

// Years 100-9999 in uneven steps; in each, the first and last second of the year, a quarter past
// midnight, a leap day where there is one, the hours a European clock skips and repeats, and a
// random day and time.
std::vector<Moment> sweep() {
    std::mt19937 random(20240517);
    auto pick = [&random](int below) { return int(random() % unsigned(below)); };
    std::vector<int> years{100, 101, 1899, 1900, 1999, 2000, 9998, 9999};
    for (int year = 102; year < 9999; year += 1 + pick(60)) {
        years.push_back(year);
    }
    std::vector<Moment> out;
    for (const int year : years) {
        out.push_back({QDate(year, 1, 1), QTime(0, 0, 0)});
        out.push_back({QDate(year, 1, 1), QTime(0, 15, 0)});
        out.push_back({QDate(year, 12, 31), QTime(23, 59, 59)});
        if (QDate::isLeapYear(year)) {
            out.push_back({QDate(year, 2, 29), QTime(12, 0, 1)});
        }
        out.push_back({lastSunday(year, 3), QTime(2, 30, 0)});
        out.push_back({lastSunday(year, 10), QTime(2, 30, 0)});
        const QDate day = QDate(year, 1, 1).addDays(pick(QDate(year, 1, 1).daysInYear()));
        out.push_back({day, QTime(pick(24), pick(60), pick(60))});
    }
    return out;
}

QString iso(const Moment &m) {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", m.date.year(), m.date.month(),
                             m.date.day(), m.time.hour(), m.time.minute(), m.time.second());
}

// What kIsoPattern writes: "yyyy" is the year's own digits (100, not 0100).
std::string formatted(const Moment &m) {
    return QString::asprintf("%d-%02d-%02d %02d:%02d:%02d", m.date.year(), m.date.month(),
                             m.date.day(), m.time.hour(), m.time.minute(), m.time.second())
        .toStdString();
}

// The ways a user or a host writes the moment in the locale: ISO, the locale's field order with a
// 24-hour or 12-hour clock, the time first, a month name.
std::vector<QString> textsOf(const Moment &m, const QLocale &locale, bool italian) {
    const int y = m.date.year();
    const int mo = m.date.month();
    const int d = m.date.day();
    const int h = m.time.hour();
    const int mi = m.time.minute();
    const int s = m.time.second();
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    const char *ampm = h < 12 ? "AM" : "PM";
    const QString month = locale.monthName(mo, QLocale::LongFormat);
    if (italian) {
        return {iso(m), QString::asprintf("%d/%d/%04d %d.%02d.%02d", d, mo, y, h, mi, s),
                QString::asprintf("%02d:%02d:%02d %d-%d-%04d", h, mi, s, d, mo, y),
                QString::asprintf("%d/%d/%04d %d:%02d:%02d %s", d, mo, y, h12, mi, s,
                                  h < 12 ? "a" : "p"),
                QStringLiteral("%1 %2 %3 %4:%5:%6").arg(d).arg(month).arg(y).arg(h).arg(mi).arg(s)};
    }
    return {iso(m), QString::asprintf("%d/%d/%04d %d:%02d:%02d %s", mo, d, y, h12, mi, s, ampm),
            QString::asprintf("%d:%02d:%02d %s %d-%d-%04d", h12, mi, s, ampm, mo, d, y),
            QString::asprintf("%04d/%d/%d %02d:%02d:%02d", y, mo, d, h, mi, s),
            QStringLiteral("%1 %2, %3 %4:%5:%6").arg(month).arg(d).arg(y).arg(h).arg(mi).arg(s)};
}

// The text reads as the moment through IsDate, CDate and Format alike, and so does the runtime's
// own date text of the result.
void expectAgreement(const QString &text, const Moment &m, const QLocale &locale) {
    SCOPED_TRACE(text.toStdString());
    ASSERT_TRUE(vb::IsDate(text, locale));
    QDateTime value;
    try {
        value = vb::CDate(text, locale);
    } catch (const VbError &e) {
        FAIL() << "CDate raised " << e.Number();
    }
    EXPECT_EQ(value.date(), m.date);
    EXPECT_EQ(value.time(), m.time);
    EXPECT_EQ(vb::Format(value, kIsoPattern, 1, 1, locale).toStdString(), formatted(m));
    EXPECT_EQ(vb::Format(text, kIsoPattern, 1, 1, locale).toStdString(), formatted(m));
    const QString own = vb::DateText(value, locale);
    EXPECT_TRUE(vb::IsDate(own, locale)) << own.toStdString();
    EXPECT_EQ(vb::Format(own, kIsoPattern, 1, 1, locale).toStdString(), formatted(m))
        << own.toStdString();
}

// Texts of numbers, separators and words in random order: most are no date, some are.
QString randomText(std::mt19937 &random, const QLocale &locale) {
    auto pick = [&random](int below) { return int(random() % unsigned(below)); };
    static const int numbers[] = {0,  1,  2,    5,     11,    12,     13,   23,   24,   29,   30,
                                  31, 59, 60,   99,    100,   101,    1899, 1900, 1999, 2000, 2029,
                                  30, 9,  9999, 10000, 36292, 657434, 4,    6,    7,    8};
    static const char *const separators[] = {"/", "-", ":", ".", " ", ",", "  ", " / "};
    const QString words[] = {QStringLiteral("am"),
                             QStringLiteral("PM"),
                             QStringLiteral("a"),
                             QStringLiteral("p"),
                             locale.monthName(1 + pick(12), QLocale::LongFormat),
                             locale.monthName(1 + pick(12), QLocale::ShortFormat),
                             locale.dayName(1 + pick(7), QLocale::LongFormat)};
    QString out;
    const int parts = 1 + pick(8);
    for (int k = 0; k < parts; ++k) {
        if (k > 0) {
            out += QString::fromLatin1(separators[pick(std::size(separators))]);
        }
        if (pick(5) == 0) {
            out += words[pick(std::size(words))];
        } else {
            out += QString::number(numbers[pick(std::size(numbers))]);
        }
    }
    return out;
}

} // namespace

TEST(VbDateAgreement, EveryWrittenMomentFromYear100To9999ReadsBackAlike) {
    const std::vector<Moment> moments = sweep();
    ASSERT_GT(moments.size(), 1000u);
    for (const char *zone : kZones) {
        const LocalZone pinned(zone);
        for (const bool italian : {true, false}) {
            const QLocale locale = italian ? vbtest::italian() : vbtest::american();
            SCOPED_TRACE(std::string(zone) + (italian ? " it_IT" : " en_US"));
            for (const Moment &m : moments) {
                for (const QString &text : textsOf(m, locale, italian)) {
                    expectAgreement(text, m, locale);
                }
            }
        }
    }
}

TEST(VbDateAgreement, WhateverIsDateAcceptsCDateAndFormatReadTheSame) {
    std::mt19937 random(7);
    for (const char *zone : kZones) {
        const LocalZone pinned(zone);
        for (const bool italian : {true, false}) {
            const QLocale locale = italian ? vbtest::italian() : vbtest::american();
            int accepted = 0;
            for (int n = 0; n < 8000; ++n) {
                const QString text = randomText(random, locale);
                if (!vb::IsDate(text, locale)) {
                    continue;
                }
                ++accepted;
                SCOPED_TRACE(text.toStdString() + (italian ? " it_IT " : " en_US ") + zone);
                QDateTime value;
                try {
                    value = vb::CDate(text, locale);
                } catch (const VbError &e) {
                    ADD_FAILURE() << "CDate raised " << e.Number();
                    continue;
                }
                const Moment m{value.date(), value.time()};
                EXPECT_GE(m.date.year(), 100);
                EXPECT_LE(m.date.year(), 9999);
                expectAgreement(text, m, locale);
            }
            // Enough of the random texts are dates for the check to mean something.
            EXPECT_GT(accepted, 300) << (italian ? "it_IT" : "en_US");
        }
    }
}

TEST(VbDateAgreement, ALocalTimeTheClockSkipsKeepsItsDateAndTime) {
    const LocalZone pinned(kZones[1]);
    const QDateTime skipped(QDate(2021, 3, 28), QTime(2, 30));
    const QDateTime read = vb::CDate(QStringLiteral("2021-03-28 02:30"), vbtest::american());
    EXPECT_TRUE(read.isValid());
    EXPECT_EQ(read.date(), QDate(2021, 3, 28));
    EXPECT_EQ(read.time(), QTime(2, 30));
    EXPECT_EQ(vb::DateText(skipped, vbtest::italian()), QStringLiteral("28/03/2021 02:30:00"));
    EXPECT_EQ(vb::DateText(read, vbtest::american()), QStringLiteral("3/28/2021 2:30:00 AM"));
    EXPECT_EQ(vb::CDate(QDate(2021, 3, 28), vbtest::american()).time(), QTime(0, 0));
}
