#include "host/vb_date_parse.h"

#include "host/vb_date_core.h"
#include "host/vb_number_reader.h"
#include "host/vb_value.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <array>

namespace Vantrel3::vb::detail {

namespace {

constexpr int kMaxFields = 6;
constexpr int kNumberCap = 1000000;

enum class Meridiem : quint8 { None, Am, Pm };

struct Field {
    int value = 0;
    bool timeSep = false; // followed by a time separator
    bool monthName = false;
    Meridiem meridiem = Meridiem::None;
};

struct Tokens {
    std::array<Field, kMaxFields> fields;
    int count = 0;
    bool meridiem = false;
};

bool startsWithFolded(QStringView text, qsizetype at, const QString &folded) {
    if (text.size() - at < folded.size()) {
        return false;
    }
    for (qsizetype k = 0; k < folded.size(); ++k) {
        if (text[at + k].toCaseFolded() != folded.at(k)) {
            return false;
        }
    }
    return true;
}

bool markMeridiem(Tokens &t, Meridiem m) {
    if (t.count == 0 || t.meridiem) {
        return false;
    }
    t.fields[t.count - 1].meridiem = m;
    t.meridiem = true;
    return true;
}

// A word: the locale's month, day, AM and PM names in that order, as a prefix of the text;
// failing those, a lone a/p after a number.
bool readWord(QStringView s, qsizetype &i, const LocaleInfo &info, Tokens &t) {
    for (const DateName &name : info.parseNames) {
        if (!startsWithFolded(s, i, name.folded)) {
            continue;
        }
        i += name.folded.size();
        switch (name.kind) {
        case DateNameKind::Month:
            if (t.count == kMaxFields) {
                return false;
            }
            t.fields[t.count].value = name.value;
            t.fields[t.count++].monthName = true;
            return true;
        case DateNameKind::Weekday:
            return true;
        case DateNameKind::Am:
            return markMeridiem(t, Meridiem::Am);
        case DateNameKind::Pm:
            return markMeridiem(t, Meridiem::Pm);
        }
    }
    const char16_t c = s[i].toLower().unicode();
    if (c == 'a' || c == 'p') {
        ++i;
        return markMeridiem(t, c == 'a' ? Meridiem::Am : Meridiem::Pm);
    }
    return false;
}

bool tokenize(QStringView s, const LocaleInfo &info, Tokens &t) {
    const qsizetype n = s.size();
    int dateSeps = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        const bool last = i + 1 == n;
        if (isAsciiDigit(c)) {
            if (t.count == kMaxFields) {
                return false;
            }
            int value = 0;
            while (i < n && isAsciiDigit(s[i])) {
                value = std::min(kNumberCap, value * 10 + (s[i++].unicode() - '0'));
            }
            t.fields[t.count++].value = value;
            continue;
        }
        if (c.isLetter()) {
            if (!readWord(s, i, info, t)) {
                return false;
            }
            continue;
        }
        if (c == u':' || c == u'.') {
            if (t.count == 0 || last) {
                return false;
            }
            if (c == info.dateSep) {
                ++dateSeps;
            } else {
                t.fields[t.count - 1].timeSep = true;
            }
        } else if (c == u'-' || c == u'/') {
            if (++dateSeps > 2 || t.count == 0 || last) {
                return false;
            }
        } else if (c == u',') {
            if (last) {
                return false;
            }
        } else if (!c.isSpace()) {
            return false;
        }
        ++i;
    }
    return dateSeps <= 2;
}

bool validDate(int year, int month, int day) {
    return year >= 100 && year <= 9999 && QDate::isValid(year, month, day);
}

enum Part : quint8 { D, M, Y };
using Order = std::array<Part, 3>;

// The locale's own order first, then the ones compatible with it, then the rest.
const std::array<Order, 4> &ordersFor(DateOrder order) {
    static const std::array<Order, 4> dmy{{{D, M, Y}, {Y, M, D}, {Y, D, M}, {M, D, Y}}};
    static const std::array<Order, 4> mdy{{{M, D, Y}, {Y, M, D}, {Y, D, M}, {D, M, Y}}};
    static const std::array<Order, 4> ymd{{{Y, M, D}, {Y, D, M}, {M, D, Y}, {D, M, Y}}};
    switch (order) {
    case DateOrder::DMY:
        return dmy;
    case DateOrder::YMD:
        return ymd;
    case DateOrder::MDY:
        break;
    }
    return mdy;
}

bool resolveThree(const std::array<int, 3> &v, int monthAt, DateOrder order, QDate &date) {
    for (const Order &o : ordersFor(order)) {
        int day = 0;
        int month = 0;
        int year = 0;
        for (int k = 0; k < 3; ++k) {
            (o[k] == D ? day : o[k] == M ? month : year) = v[k];
            if (o[k] == M && monthAt >= 0 && monthAt != k) {
                month = -1;
            }
        }
        year = windowYear(year);
        if (month > 0 && validDate(year, month, day)) {
            date = QDate(year, month, day);
            return true;
        }
    }
    return false;
}

// Two numbers are a day and month of this year; failing that, a month and a year (day 1).
bool resolveTwo(const std::array<int, 3> &v, int monthAt, DateOrder order, QDate &date) {
    const int thisYear = QDate::currentDate().year();
    if (monthAt >= 0) {
        const int month = v[monthAt];
        const int other = v[1 - monthAt];
        if (validDate(thisYear, month, other)) {
            date = QDate(thisYear, month, other);
            return true;
        }
        const int year = windowYear(other);
        if (validDate(year, month, 1)) {
            date = QDate(year, month, 1);
            return true;
        }
        return false;
    }
    const bool dayFirst = order == DateOrder::DMY;
    const int tries[4][3] = {
        // day index, month index, year index (-1: this year, day 1 when the day is -1)
        {dayFirst ? 0 : 1, dayFirst ? 1 : 0, -1},
        {dayFirst ? 1 : 0, dayFirst ? 0 : 1, -1},
        {-1, 0, 1},
        {-1, 1, 0},
    };
    for (const auto &t : tries) {
        const int day = t[0] < 0 ? 1 : v[t[0]];
        const int month = v[t[1]];
        const int year = t[2] < 0 ? thisYear : windowYear(v[t[2]]);
        if (validDate(year, month, day)) {
            date = QDate(year, month, day);
            return true;
        }
    }
    return false;
}

bool resolveTime(const Field *f, int count, bool haveMeridiem, Meridiem meridiem, int &hour,
                 int &minute, int &second) {
    if (count > 3 || (count == 1 && !haveMeridiem)) {
        return false;
    }
    hour = f[0].value;
    minute = count > 1 ? f[1].value : 0;
    second = count > 2 ? f[2].value : 0;
    // 12-hour clock: 0 and 12 PM are noon, 12 AM is midnight; above 12 the marker is ignored.
    if (hour <= 12) {
        if (meridiem == Meridiem::Pm && hour < 12) {
            hour += 12;
        } else if (meridiem == Meridiem::Am && hour == 12) {
            hour = 0;
        }
    }
    return hour <= 23 && minute <= 59 && second <= 59;
}

} // namespace

bool parseDateText(QStringView text, const LocaleInfo &info, double &serial) {
    Tokens t;
    if (!tokenize(text, info, t) || t.count == 0) {
        return false;
    }
    // A number is a time field when a time separator follows it or precedes it, or when it
    // carries AM/PM. Date and time fields must form at most one run each.
    std::array<bool, kMaxFields> isTime{};
    Meridiem meridiem = Meridiem::None;
    for (int k = 0; k < t.count; ++k) {
        const Field &f = t.fields[k];
        isTime[k] = f.timeSep || (k > 0 && t.fields[k - 1].timeSep) || f.meridiem != Meridiem::None;
        if (isTime[k] && f.monthName) {
            return false;
        }
    }
    for (int k = 0; k < t.count; ++k) {
        const Field &f = t.fields[k];
        if (f.meridiem == Meridiem::None) {
            continue;
        }
        // AM/PM closes a time: no minute or second may follow it ("3 am 4.5", "3 pm:30").
        if (f.timeSep || (k + 1 < t.count && isTime[k + 1])) {
            return false;
        }
        meridiem = f.meridiem;
    }
    int runs = 1;
    for (int k = 1; k < t.count; ++k) {
        runs += isTime[k] != isTime[k - 1] ? 1 : 0;
    }
    if (runs > 2) {
        return false;
    }
    std::array<int, 3> dateValues{};
    std::array<Field, kMaxFields> timeFields{};
    int dateCount = 0;
    int timeCount = 0;
    int monthAt = -1;
    for (int k = 0; k < t.count; ++k) {
        if (isTime[k]) {
            timeFields[timeCount++] = t.fields[k];
        } else {
            if (dateCount == 3) {
                return false;
            }
            if (t.fields[k].monthName && monthAt < 0) {
                monthAt = dateCount;
            }
            dateValues[dateCount++] = t.fields[k].value;
        }
    }
    double result = 0.0;
    if (dateCount > 0) {
        QDate date;
        const bool ok = dateCount == 3   ? resolveThree(dateValues, monthAt, info.order, date)
                        : dateCount == 2 ? resolveTwo(dateValues, monthAt, info.order, date)
                                         : false;
        if (!ok) {
            return false;
        }
        result = double(date.toJulianDay() - kSerialEpochJulianDay);
    }
    if (timeCount > 0) {
        int hour = 0;
        int minute = 0;
        int second = 0;
        if (!resolveTime(timeFields.data(), timeCount, t.meridiem, meridiem, hour, minute,
                         second)) {
            return false;
        }
        const double fraction = serialFromTimeOfDay(hour, minute, second);
        result = result < 0 ? result - fraction : result + fraction;
    }
    serial = result;
    return true;
}

} // namespace Vantrel3::vb::detail

namespace Vantrel3::vb {

using namespace detail;

bool IsDate(const QVariant &expression, const QLocale &locale) {
    const Value value = classify(expression);
    if (value.kind == ValueKind::Date) {
        return true;
    }
    double serial = 0.0;
    return value.kind == ValueKind::String && parseDateText(value.text, localeInfo(locale), serial);
}

QDateTime CDate(const QVariant &expression, const QLocale &locale) {
    switch (expression.metaType().id()) {
    case QMetaType::QDateTime:
        return expression.toDateTime();
    case QMetaType::QDate:
        return wallClockDateTime(expression.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return wallClockDateTime(QDate(1899, 12, 30), expression.toTime());
    default:
        break;
    }
    const Value value = classify(expression);
    double serial = value.number;
    if (value.kind == ValueKind::Null) {
        throw VbError(94, QStringLiteral("CDate"), QStringLiteral("Invalid use of Null"));
    }
    if (value.kind == ValueKind::String) {
        // A numeric text is a serial ("1" is 1899-12-31), though IsDate calls it no date.
        const LocaleInfo &info = localeInfo(locale);
        if (!parseDateText(value.text, info, serial) && !textToDouble(value.text, info, serial)) {
            throw VbError(VbError::TypeMismatch, QStringLiteral("CDate"));
        }
    }
    const QDateTime result = dateTimeFromSerial(serial);
    if (!result.isValid()) {
        throw VbError(VbError::Overflow, QStringLiteral("CDate"));
    }
    return result;
}

} // namespace Vantrel3::vb
