#include "host/vb_test_locale.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <gtest/gtest.h>

using namespace Vantrel3;
using vbtest::FormatRow;
using vbtest::text;

namespace {

// Wednesday 12 May 1999, day 132 of the year.
QVariant sample() {
    return QDateTime(QDate(1999, 5, 12), QTime(14, 35, 9));
}

} // namespace

TEST(VbFormatDate, DateAndTimeTokens) {
    const QVariant v = sample();
    vbtest::expectFormatInBothLocales({
        {v, "dd/mm/yyyy", "12/05/1999"},
        {v, "d mmmm yyyy", "12 maggio 1999", "12 May 1999"},
        {v, "dddd, mmm d yyyy", "mercoled\u00ec, mag 12 1999", "Wednesday, May 12 1999"},
        {v, "ddd dd/mm/yy", "mer 12/05/99", "Wed 12/05/99"},
        {v, "ddddd", "12/05/1999", "5/12/1999"},
        {v, "dddddd", "mercoled\u00ec 12 maggio 1999", "Wednesday, May 12, 1999"},
        {v, "w", "4"},
        {v, "ww", "20"},
        {v, "q", "2"},
        {v, "y", "132"},
        {v, "yyy", "99132"},
        {v, "h:m:s", "14:35:9"},
        {v, "hh:mm:ss", "14:35:09"},
        {v, "nn:ss", "35:09"},
        {v, "hh:nn AM/PM", "02:35 PM"},
        {v, "h:nn a/p", "2:35 p"},
        {v, "h:nn am/pm", "2:35 pm"},
        {v, "hh:mm AMPM", "02:35 PM"},
        {v, "ttttt", "14:35:09", "2:35:09 PM"},
        {v, "c", "12/05/1999 14:35:09", "5/12/1999 2:35:09 PM"},
        {v, "dd/mm/yyyy hh:nn", "12/05/1999 14:35"},
        {v, "DD/MM/YYYY", "12/05/1999"},
        {QDateTime(QDate(1999, 5, 12), QTime(0, 5)), "h:nn AM/PM", "12:05 AM"},
    });
}

TEST(VbFormatDate, MonthOrMinutesDependsOnWhatComesBefore) {
    const QVariant v = sample();
    vbtest::expectFormatInBothLocales({
        // "m" after an hour is minutes; alone or after seconds it stays the month.
        {v, "mm:ss", "05:09"},
        {v, "hh:mm dd/mm", "14:35 12/05"},
        {v, "hh:mm:ss mm", "14:35:09 05"},
        {v, "hh dd mm", "14 12 05"},
        {v, "m/d/yy", "5/12/99"},
    });
}

TEST(VbFormatDate, LettersThatAreTokensNeedEscaping) {
    const QVariant v = sample();
    vbtest::expectFormatInBothLocales({
        {v, "dd de mmmm", "12 12e maggio", "12 12e May"},
        {v, "dd \\d\\e mmmm", "12 de maggio", "12 de May"},
        {v, "dd \"de\" mmmm", "12 de maggio", "12 de May"},
        {v, "dd\\/mm", "12/05"},
        {v, "tt dd", "tt 12"},
    });
}

TEST(VbFormatDate, NamedDateFormats) {
    const QVariant v = sample();
    const QVariant dateOnly = QDate(1999, 5, 12);
    const QVariant timeOnly = QTime(14, 35, 9);
    vbtest::expectFormatInBothLocales({
        {v, "General Date", "12/05/1999 14:35:09", "5/12/1999 2:35:09 PM"},
        {dateOnly, "General Date", "12/05/1999", "5/12/1999"},
        {timeOnly, "General Date", "14:35:09", "2:35:09 PM"},
        {v, "Long Date", "mercoled\u00ec 12 maggio 1999", "Wednesday, May 12, 1999"},
        {v, "Medium Date", "12-mag-99", "12-May-99"},
        {v, "Short Date", "12/05/1999", "5/12/1999"},
        {v, "Long Time", "14:35:09", "2:35:09 PM"},
        {v, "Medium Time", "02:35 PM"},
        {v, "Short Time", "14:35"},
        {v, "short time", "14:35"},
    });
}

TEST(VbFormatDate, WeekdayAndWeekFollowTheirArguments) {
    struct Row {
        QDate date;
        const char *format;
        int firstDay;
        int firstWeek;
        const char *expected;
    };
    const Row rows[] = {
        // 1899-12-30 is a Saturday.
        {{1899, 12, 30}, "w", 1, 1, "7"},
        {{1899, 12, 30}, "w", 2, 1, "6"},
        {{1899, 12, 30}, "w", 7, 1, "1"},
        // 12 May 1999: 1 January was a Friday, so the first week holds two days.
        {{1999, 5, 12}, "ww", 1, 1, "20"},
        {{1999, 5, 12}, "ww", 1, 2, "19"},
        {{1999, 5, 12}, "ww", 1, 3, "19"},
        // 1 January 2021 (Friday) lies in 2020's week 53 when week 1 needs four days.
        {{2021, 1, 1}, "ww", 2, 2, "53"},
        {{2021, 1, 4}, "ww", 2, 2, "1"},
        // With full weeks from Sunday, 1999 starts on Sunday 3 January.
        {{1999, 1, 1}, "ww", 1, 3, "52"},
        {{1999, 1, 3}, "ww", 1, 3, "1"},
    };
    const vbtest::RuntimeLocale pinned(vbtest::italian());
    for (const Row &row : rows) {
        EXPECT_EQ(vb::Format(row.date, row.format, row.firstDay, row.firstWeek), row.expected)
            << row.date.toString(Qt::ISODate).toStdString() << " " << row.format << " "
            << row.firstDay << "," << row.firstWeek;
    }
    // 0 takes the locale's setting: Monday and four-day weeks in Italy, Sunday in the US.
    EXPECT_EQ(vb::Format(QDate(1899, 12, 30), "w", 0, 0), "6");
    EXPECT_EQ(vb::Format(QDate(2021, 1, 1), "ww", 0, 0), "53");
    EXPECT_EQ(vb::Format(QDate(1899, 12, 30), "w", 0, 0, vbtest::american()), "7");
}

TEST(VbFormatDate, TextIsReadAsADateThenAsANumber) {
    const QString year = QString::number(vbtest::thisYear());
    const QByteArray firstOfMay = ("01/05/" + year).toUtf8();
    const QByteArray fifthOfJanuary = ("05/01/" + year).toUtf8();
    vbtest::expectFormatInBothLocales({
        {text("12-11"), "dd-mm", "12-11", "11-12"},
        {text("12/05/1999"), "dddd d mmmm yyyy", "mercoled\u00ec 12 maggio 1999",
         "Sunday 5 December 1999"},
        {text("12:30"), "hh:nn", "12:30"},
        {text("12:30"), "dd/mm/yyyy", "30/12/1899"},
        {text("14:30"), "h:nn AM/PM", "2:30 PM"},
        {text("abc"), "dd/mm/yyyy", "abc"},
        {text("36292"), "dd/mm/yyyy", "12/05/1999"},
        {text("12/05/1999"), "Long Date", "mercoled\u00ec 12 maggio 1999",
         "Sunday, December 5, 1999"},
        {text("abc"), "Long Date", "abc"},
        {text("99999999"), "dd/mm/yyyy", "99999999"},
        {text(""), "dd/mm/yyyy", ""},
        // Text that reads both ways is a date: "1,5" is 1 May in Italy, 5 January in the US.
        {text("1,5"), "dd/mm/yyyy", firstOfMay.constData(), fifthOfJanuary.constData()},
    });
    {
        const vbtest::RuntimeLocale pinned(vbtest::american());
        EXPECT_EQ(vb::Format(text("39697.11"), "hh:mm"), "02:38");
        EXPECT_EQ(vb::Format(text("39697.11"), "mm-dd-yy"), "09-06-08");
    }
    {
        const vbtest::RuntimeLocale pinned(vbtest::italian());
        EXPECT_EQ(vb::Format(text("39697,11"), "hh:mm"), "02:38");
        EXPECT_EQ(vb::Format(text("39697,11"), "mm-dd-yy"), "09-06-08");
    }
}

TEST(VbFormatDate, NumbersAreSerialDates) {
    vbtest::expectFormatInBothLocales({
        {36292, "dd/mm/yyyy", "12/05/1999"},
        {36292.5, "General Date", "12/05/1999 12:00:00", "5/12/1999 12:00:00 PM"},
        {0, "General Date", "00:00:00", "12:00:00 AM"},
        {-1.25, "yyyy-mm-dd hh:nn", "1899-12-29 06:00"},
        {2958465, "dd/mm/yyyy", "31/12/9999"},
        {QVariant::fromValue(nullptr), "dd/mm/yyyy", ""},
    });
    try {
        vb::Format(3e6, "dd/mm/yyyy");
        ADD_FAILURE() << "no overflow";
    } catch (const VbError &e) {
        EXPECT_EQ(e.Number(), VbError::Overflow);
    }
}

TEST(VbFormatDate, DatesWithoutAFormatUseTheDateText) {
    vbtest::expectFormatInBothLocales({
        {sample(), "", "12/05/1999 14:35:09", "5/12/1999 2:35:09 PM"},
        {QDate(1999, 5, 12), "", "12/05/1999", "5/12/1999"},
        {QTime(14, 30), "", "14:30:00", "2:30:00 PM"},
    });
}
