#include "host/vb_test_locale.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <gtest/gtest.h>

using namespace Vantrel3;
using vbtest::text;

namespace {

// What CDate gives, as "yyyy-MM-dd hh:mm:ss", or "" when IsDate is False.
QString reading(const char *input, const QLocale &locale) {
    const QVariant value = text(input);
    if (!vb::IsDate(value, locale)) {
        return {};
    }
    return vb::CDate(value, locale).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// Restores the two-digit year window after a test changes it.
class YearWindow {
public:
    explicit YearWindow(int max) : m_saved(vb::twoDigitYearMax()) { vb::setTwoDigitYearMax(max); }
    ~YearWindow() { vb::setTwoDigitYearMax(m_saved); }
    YearWindow(const YearWindow &) = delete;
    YearWindow &operator=(const YearWindow &) = delete;

private:
    int m_saved;
};

} // namespace

TEST(VbIsDate, ReadsDatesAndTimesInTheLocaleOrder) {
    struct Row {
        const char *input;
        const char *italian;
        const char *american;
    };
    const Row rows[] = {
        {"04/28/2014", "2014-04-28 00:00:00", "2014-04-28 00:00:00"},
        {"April 28, 2014", "", "2014-04-28 00:00:00"},
        {"13/32/2014", "", ""},
        {"04.28.14", "1899-12-30 04:28:14", "1899-12-30 04:28:14"},
        {"04.28.2014", "", ""},
        {"12/05/1999", "1999-05-12 00:00:00", "1999-12-05 00:00:00"},
        {"12-05-1999", "1999-05-12 00:00:00", "1999-12-05 00:00:00"},
        {"12 05 1999", "1999-05-12 00:00:00", "1999-12-05 00:00:00"},
        {"12.05.1999", "", ""},
        {"13/05/1999", "1999-05-13 00:00:00", "1999-05-13 00:00:00"},
        {"05/13/1999", "1999-05-13 00:00:00", "1999-05-13 00:00:00"},
        {"13/25/2000", "", ""},
        {"31/02/1999", "", ""},
        {"29/02/2000", "2000-02-29 00:00:00", "2000-02-29 00:00:00"},
        {"29/02/1900", "", ""},
        {"1999-05-12", "1999-05-12 00:00:00", "1999-05-12 00:00:00"},
        {"1999/05/12", "1999-05-12 00:00:00", "1999-05-12 00:00:00"},
        {"0/5/14", "2000-05-14 00:00:00", "2000-05-14 00:00:00"},
        {"12/05/99", "1999-05-12 00:00:00", "1999-12-05 00:00:00"},
        {"12/05/30", "1930-05-12 00:00:00", "1930-12-05 00:00:00"},
        {"12/05/29", "2029-05-12 00:00:00", "2029-12-05 00:00:00"},
        {"1/1/100", "0100-01-01 00:00:00", "0100-01-01 00:00:00"},
        {"1/1/10000", "", ""},
        {"12 maggio 1999", "1999-05-12 00:00:00", ""},
        {"12 mag 1999", "1999-05-12 00:00:00", ""},
        {"12 MAGGIO 1999", "1999-05-12 00:00:00", ""},
        {"maggio 1999", "1999-05-01 00:00:00", ""},
        {"Jan 35", "", "1935-01-01 00:00:00"},
        {"mercoled\u00ec 12 maggio 1999", "1999-05-12 00:00:00", ""},
        // "mar" (March) is tried before the day names and leaves "ted\u00ec" unread.
        {"marted\u00ec 12 maggio 1999", "", ""},
        {"Apr 28, 2014", "2014-04-28 00:00:00", "2014-04-28 00:00:00"},
        {"2 January 1970", "", "1970-01-02 00:00:00"},
        {"2-Jan-1970", "", "1970-01-02 00:00:00"},
        {"12:30", "1899-12-30 12:30:00", "1899-12-30 12:30:00"},
        {"12:30:45", "1899-12-30 12:30:45", "1899-12-30 12:30:45"},
        {"7:5", "1899-12-30 07:05:00", "1899-12-30 07:05:00"},
        {"12.30", "1899-12-30 12:30:00", "1899-12-30 12:30:00"},
        {"2.5", "1899-12-30 02:05:00", "1899-12-30 02:05:00"},
        {"12:30:45 PM", "1899-12-30 12:30:45", "1899-12-30 12:30:45"},
        {"12:30:45 P", "1899-12-30 12:30:45", "1899-12-30 12:30:45"},
        {"2:30 PM", "1899-12-30 14:30:00", "1899-12-30 14:30:00"},
        {"12 AM", "1899-12-30 00:00:00", "1899-12-30 00:00:00"},
        {"1 am", "1899-12-30 01:00:00", "1899-12-30 01:00:00"},
        {"1 a", "1899-12-30 01:00:00", "1899-12-30 01:00:00"},
        {"13:00 AM", "1899-12-30 13:00:00", "1899-12-30 13:00:00"},
        // 12-hour clock: 0 and 12 PM are noon, 0 and 12 AM midnight.
        {"00:00 pm", "1899-12-30 12:00:00", "1899-12-30 12:00:00"},
        {"0 pm", "1899-12-30 12:00:00", "1899-12-30 12:00:00"},
        {"12 pm", "1899-12-30 12:00:00", "1899-12-30 12:00:00"},
        {"0:30 am", "1899-12-30 00:30:00", "1899-12-30 00:30:00"},
        {"12:30 am", "1899-12-30 00:30:00", "1899-12-30 00:30:00"},
        {"11:59:59 PM", "1899-12-30 23:59:59", "1899-12-30 23:59:59"},
        // AM/PM ends a time; it may stand before or after the date but not inside a time.
        {"1 2 3 am 4.5", "", ""},
        {"3 am 4.5", "", ""},
        {"3 pm:30", "", ""},
        {"12/05/1999 2 pm:30", "", ""},
        {"1 am 2 3 1999", "1999-03-02 01:00:00", "1999-02-03 01:00:00"},
        {"2 3 1999 4:5 pm", "1999-03-02 16:05:00", "1999-02-03 16:05:00"},
        {"1 2 am 3", "", ""},
        {"24:00", "", ""},
        {"0:60", "", ""},
        {"12:", "", ""},
        {"12.", "", ""},
        {"12:30:45.5", "", ""},
        {"2013-05-14 02:04:12.017", "", ""},
        {"12/05/1999 14:30", "1999-05-12 14:30:00", "1999-12-05 14:30:00"},
        {"14:30 12/05/1999", "1999-05-12 14:30:00", "1999-12-05 14:30:00"},
        {"12/05/1999 2 PM", "1999-05-12 14:00:00", "1999-12-05 14:00:00"},
        {"12051999", "", ""},
        {"120599", "", ""},
        {"13/13/1999", "", ""},
        {"12", "", ""},
        {"", "", ""},
        {"   ", "", ""},
        {"abc", "", ""},
        {"12/05/1999,", "", ""},
        {"/12/05", "", ""},
        {"12/05/", "", ""},
        {"1/2/3/4", "", ""},
        {"1 2 3 4", "", ""},
        {"12/05/1999 !", "", ""},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(reading(row.input, vbtest::italian()), QString::fromUtf8(row.italian))
            << "it_IT: \"" << row.input << "\"";
        EXPECT_EQ(reading(row.input, vbtest::american()), QString::fromUtf8(row.american))
            << "en_US: \"" << row.input << "\"";
    }
}

TEST(VbIsDate, TwoNumbersAreADayAndMonthOfThisYear) {
    const QDate italian = vb::CDate(text("12/05"), vbtest::italian()).date();
    const QDate american = vb::CDate(text("12/05"), vbtest::american()).date();
    EXPECT_EQ(italian, QDate(vbtest::thisYear(), 5, 12));
    EXPECT_EQ(american, QDate(vbtest::thisYear(), 12, 5));
    // The comma counts as a blank.
    EXPECT_EQ(vb::CDate(text("2,5"), vbtest::italian()).date(), QDate(vbtest::thisYear(), 5, 2));
    EXPECT_EQ(vb::CDate(text("2,5"), vbtest::american()).date(), QDate(vbtest::thisYear(), 2, 5));
    // Neither day-month order works: a month and a year.
    EXPECT_EQ(vb::CDate(text("5/1999"), vbtest::italian()).date(), QDate(1999, 5, 1));
}

TEST(VbIsDate, TheTwoDigitYearWindowIsASetting) {
    const YearWindow window(2049);
    EXPECT_EQ(vb::CDate(text("12/05/30"), vbtest::italian()).date(), QDate(2030, 5, 12));
    EXPECT_EQ(vb::CDate(text("12/05/49"), vbtest::italian()).date(), QDate(2049, 5, 12));
    EXPECT_EQ(vb::CDate(text("12/05/50"), vbtest::italian()).date(), QDate(1950, 5, 12));
}

TEST(VbIsDate, UsesTheRuntimeLocaleByDefault) {
    {
        const vbtest::RuntimeLocale pinned(vbtest::italian());
        EXPECT_EQ(vb::CDate(text("12/05/1999")).date(), QDate(1999, 5, 12));
        EXPECT_TRUE(vb::IsDate(text("12 maggio 1999")));
    }
    {
        const vbtest::RuntimeLocale pinned(vbtest::american());
        EXPECT_EQ(vb::CDate(text("12/05/1999")).date(), QDate(1999, 12, 5));
        EXPECT_FALSE(vb::IsDate(text("12 maggio 1999")));
    }
}

TEST(VbIsDate, NonTextValues) {
    const vbtest::RuntimeLocale pinned(vbtest::italian());
    EXPECT_TRUE(vb::IsDate(QDate(1999, 5, 12)));
    EXPECT_TRUE(vb::IsDate(QDateTime(QDate(1999, 5, 12), QTime(1, 2))));
    EXPECT_TRUE(vb::IsDate(QTime(1, 2)));
    EXPECT_FALSE(vb::IsDate(36292));
    EXPECT_FALSE(vb::IsDate(QVariant()));
    EXPECT_FALSE(vb::IsDate(QVariant::fromValue(nullptr)));
}

TEST(VbCDate, ConvertsNumbersAndRaisesTheClassicErrors) {
    const vbtest::RuntimeLocale pinned(vbtest::italian());
    EXPECT_EQ(vb::CDate(36292.5), QDateTime(QDate(1999, 5, 12), QTime(12, 0)));
    EXPECT_EQ(vb::CDate(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(vb::CDate(QDate(1999, 5, 12)), QDateTime(QDate(1999, 5, 12), QTime(0, 0)));
    EXPECT_EQ(vb::CDate(QTime(14, 30)), QDateTime(QDate(1899, 12, 30), QTime(14, 30)));
    struct Row {
        QVariant value;
        int error;
    };
    const Row rows[] = {
        {text("abc"), VbError::TypeMismatch},
        {text(""), VbError::TypeMismatch},
        {text("31/02/1999"), VbError::TypeMismatch},

        {3e6, VbError::Overflow},
        {-700000, VbError::Overflow},
    };
    for (const Row &row : rows) {
        try {
            vb::CDate(row.value);
            ADD_FAILURE() << "no error for " << row.value.toString().toStdString();
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), row.error) << row.value.toString().toStdString();
            if (row.error == VbError::TypeMismatch) {
                EXPECT_EQ(e.Description(), QStringLiteral("Type mismatch"));
            }
        }
    }
}

TEST(VbCDate, ReadsNumericTextAsASerialThatIsDateCallsNoDate) {
    struct Row {
        const char *input;
        const char *italian; // "yyyy-MM-dd hh:mm:ss", or an error number
        const char *american;
    };
    const Row rows[] = {
        {"1", "1899-12-31 00:00:00", "1899-12-31 00:00:00"},
        {"0", "1899-12-30 00:00:00", "1899-12-30 00:00:00"},
        {"-1", "1899-12-29 00:00:00", "1899-12-29 00:00:00"},
        {"36292", "1999-05-12 00:00:00", "1999-05-12 00:00:00"},
        // The other locale reads the separator as grouping: 362925.
        {"36292,5", "1999-05-12 12:00:00", "2893-08-25 00:00:00"},
        {"36292.5", "2893-08-25 00:00:00", "1999-05-12 12:00:00"},
        {" (2) ", "1899-12-28 00:00:00", "1899-12-28 00:00:00"},
        {"-657434", "0100-01-01 00:00:00", "0100-01-01 00:00:00"},
        {"2958465", "9999-12-31 00:00:00", "9999-12-31 00:00:00"},
        {"2958466", "6", "6"},
        {"-657435", "6", "6"},
        {"1e400", "13", "13"},
        {"1 2 3 4", "13", "13"},
    };
    for (const Row &row : rows) {
        for (const bool inItalian : {true, false}) {
            const QLocale locale = inItalian ? vbtest::italian() : vbtest::american();
            const char *expected = inItalian ? row.italian : row.american;
            SCOPED_TRACE(std::string(row.input) + (inItalian ? " in it_IT" : " in en_US"));
            EXPECT_FALSE(vb::IsDate(text(row.input), locale));
            QString got;
            try {
                got = vb::CDate(text(row.input), locale)
                          .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
            } catch (const VbError &e) {
                got = QString::number(e.Number());
            }
            EXPECT_EQ(got, QString::fromUtf8(expected));
        }
    }
    // A text that reads both ways is a date first: "1,5" is 1 May in it_IT, not 1.5.
    EXPECT_EQ(vb::CDate(text("1,5"), vbtest::italian()).date(), QDate(vbtest::thisYear(), 5, 1));
}

TEST(VbDateText, ShortDateAndTheTimeOnlyWhenThereIsOne) {
    struct Row {
        QDateTime value;
        const char *italian;
        const char *american;
    };
    const Row rows[] = {
        {{{1999, 5, 12}, {0, 0}}, "12/05/1999", "5/12/1999"},
        {{{1999, 5, 12}, {14, 30}}, "12/05/1999 14:30:00", "5/12/1999 2:30:00 PM"},
        {{{1899, 12, 30}, {14, 30}}, "14:30:00", "2:30:00 PM"},
        {{{1899, 12, 30}, {0, 0}}, "00:00:00", "12:00:00 AM"},
        {vb::CDate(365.25), "30/12/1900 06:00:00", "12/30/1900 6:00:00 AM"},
        {vb::CDate(-49192.24), "24/04/1765 05:45:36", "4/24/1765 5:45:36 AM"},
        {vb::CDate(2958465), "31/12/9999", "12/31/9999"},
        {{{2024, 1, 5}, {9, 7, 3}}, "05/01/2024 09:07:03", "1/5/2024 9:07:03 AM"},
        {{}, "", ""},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(vb::DateText(row.value, vbtest::italian()), QString::fromUtf8(row.italian))
            << row.value.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(vb::DateText(row.value, vbtest::american()), QString::fromUtf8(row.american))
            << row.value.toString(Qt::ISODate).toStdString();
    }
}

TEST(VbDateText, OtherLocalesUseFourDigitYears) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(vb::DateText(QDateTime(QDate(1999, 5, 12), QTime(0, 0)), german), "12.05.1999");
    EXPECT_EQ(vb::CDate(text("12.05.1999"), german).date(), QDate(1999, 5, 12));
    EXPECT_EQ(vb::Format(QDate(1999, 5, 12), "dddd d mmmm", 1, 1, german), "Mittwoch 12 Mai");
}
