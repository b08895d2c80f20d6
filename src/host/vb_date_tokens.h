#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace Vantrel3::vb::detail {

// One piece of a compiled date/time pattern, whether it came from a user format ("dd/mm/yyyy")
// or from the locale's own short/long patterns ("M/d/yyyy", "h:mm:ss tt").
enum class DateField : quint8 {
    Literal,
    Day,
    Day2,
    DayAbbr,
    DayName,
    ShortDate,
    LongDate,
    Weekday,
    WeekOfYear,
    Month,
    Month2,
    MonthAbbr,
    MonthName,
    Quarter,
    DayOfYear,
    Year1,
    Year2,
    Year4,
    Hour12,
    Hour12Pad,
    Hour24,
    Hour24Pad,
    Minute,
    Minute2,
    Second,
    Second2,
    LongTime,
    GeneralDate,
    AmPmText,      // the format's own pair, as written: "AM/PM", "am/pm", "A/P", "a/p"
    AmPmLocale,    // the locale's AM/PM text
    AmPmLocaleOne, // its first character
    TimeSep,
    DateSep,
};

struct DateToken {
    DateField field = DateField::Literal;
    QString text;   // literal text, or the morning text of an AM/PM pair
    QString pmText; // the afternoon text of an AM/PM pair
};

using DatePattern = std::vector<DateToken>;

} // namespace Vantrel3::vb::detail
