#include "host/vb_date_format.h"
#include "host/vb_format_literal.h"

#include <Vantrel3/vbruntime.h>

namespace Vantrel3::vb::detail {

namespace {

// Date parts are small and never negative; this skips QString::number's allocation.
void appendNumber(QString &out, int value, int width = 1) {
    char16_t digits[12];
    int count = 0;
    unsigned rest = unsigned(std::max(0, value));
    do {
        digits[count++] = char16_t(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    for (int k = count; k < width; ++k) {
        out += u'0';
    }
    while (count > 0) {
        out += QChar(digits[--count]);
    }
}

int weekdayFrom(int dayOfWeek, int firstDayOfWeek) {
    return (dayOfWeek - firstDayOfWeek + 7) % 7 + 1;
}

DateParts partsOf(const QDate &date) {
    DateParts parts;
    parts.year = date.year();
    parts.month = date.month();
    parts.day = date.day();
    parts.dayOfWeek = date.dayOfWeek() % 7 + 1;
    parts.dayOfYear = date.dayOfYear();
    return parts;
}

// Week 1 holds 1 January (rule 1), or is the first week with four days of the year (2), or the
// first full week (3); days before week 1 belong to the previous year's last week.
int weekOfYear(const DateParts &parts, const WeekRule &rule) {
    const int jan1 = ((parts.dayOfWeek - 1 - (parts.dayOfYear - 1)) % 7 + 7) % 7 + 1;
    const int offset = (jan1 - rule.firstDayOfWeek + 7) % 7;
    int week = (parts.dayOfYear - 1 + offset) / 7 + 1;
    if (rule.firstWeekOfYear == 1) {
        return week;
    }
    const int daysInFirstWeek = 7 - offset;
    const bool firstCounts = rule.firstWeekOfYear == 2 ? daysInFirstWeek >= 4 : offset == 0;
    if (!firstCounts) {
        --week;
    }
    if (week == 0) {
        return weekOfYear(partsOf(QDate(parts.year - 1, 12, 31)), rule);
    }
    return week;
}

bool hasAmPm(const DatePattern &pattern) {
    for (const DateToken &t : pattern) {
        if (t.field == DateField::AmPmText || t.field == DateField::AmPmLocale) {
            return true;
        }
    }
    return false;
}

// How many times `c` repeats from `i`, case-insensitively.
qsizetype runLength(QStringView s, qsizetype i, char16_t lower) {
    qsizetype run = 0;
    while (i + run < s.size() && s[i + run].toLower().unicode() == lower) {
        ++run;
    }
    return run;
}

bool matchesAt(QStringView s, qsizetype i, QStringView word) {
    return s.mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

} // namespace

DatePattern compileDateSection(QStringView s) {
    DatePattern out;
    auto literal = [&out](QStringView text) {
        if (out.empty() || out.back().field != DateField::Literal) {
            out.push_back({DateField::Literal, {}, {}});
        }
        out.back().text += text;
    };
    auto push = [&out](DateField field) { out.push_back({field, {}, {}}); };
    // "m" is minutes right after an hour, until a day token intervenes or minutes were written.
    bool afterHour = false;
    bool minutesWritten = false;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        const char16_t lower = c.toLower().unicode();
        qsizetype used = 1;
        if (const FormatLiteral lit = formatLiteralAt(s, i); lit.used > 0) {
            if (lit.text) {
                literal(*lit.text);
            }
            i += lit.used;
            continue;
        }
        switch (lower) {
        case ':':
            push(DateField::TimeSep);
            break;
        case '/':
            push(DateField::DateSep);
            break;
        case 'c':
            push(DateField::GeneralDate);
            break;
        case 'q':
            push(DateField::Quarter);
            break;
        case 'd': {
            used = std::min<qsizetype>(6, runLength(s, i, 'd'));
            static const DateField days[] = {DateField::Day,       DateField::Day2,
                                             DateField::DayAbbr,   DateField::DayName,
                                             DateField::ShortDate, DateField::LongDate};
            push(days[used - 1]);
            afterHour = false;
            break;
        }
        case 'w':
            used = std::min<qsizetype>(2, runLength(s, i, 'w'));
            push(used == 1 ? DateField::Weekday : DateField::WeekOfYear);
            break;
        case 'm':
            used = std::min<qsizetype>(4, runLength(s, i, 'm'));
            if (used <= 2 && afterHour && !minutesWritten) {
                push(used == 1 ? DateField::Minute : DateField::Minute2);
                minutesWritten = true;
                afterHour = false;
            } else {
                static const DateField months[] = {DateField::Month, DateField::Month2,
                                                   DateField::MonthAbbr, DateField::MonthName};
                push(months[used - 1]);
            }
            break;
        case 'y': {
            const qsizetype run = runLength(s, i, 'y');
            // "yyy" reads as "yy" then "y".
            used = run >= 4 ? 4 : run >= 2 ? 2 : 1;
            push(used == 4   ? DateField::Year4
                 : used == 2 ? DateField::Year2
                             : DateField::DayOfYear);
            break;
        }
        case 'h':
            used = std::min<qsizetype>(2, runLength(s, i, 'h'));
            push(used == 1 ? DateField::Hour24 : DateField::Hour24Pad);
            afterHour = true;
            break;
        case 'n':
            used = std::min<qsizetype>(2, runLength(s, i, 'n'));
            push(used == 1 ? DateField::Minute : DateField::Minute2);
            minutesWritten = true;
            break;
        case 's':
            used = std::min<qsizetype>(2, runLength(s, i, 's'));
            push(used == 1 ? DateField::Second : DateField::Second2);
            break;
        case 't':
            if (runLength(s, i, 't') >= 5) {
                push(DateField::LongTime);
                used = 5;
            } else {
                literal(s.mid(i, 1));
            }
            break;
        case 'a':
            if (matchesAt(s, i, u"am/pm") || matchesAt(s, i, u"a/p")) {
                used = matchesAt(s, i, u"am/pm") ? 5 : 3;
                const qsizetype half = used == 5 ? 2 : 1;
                out.push_back({DateField::AmPmText, s.mid(i, half).toString(),
                               s.mid(i + half + 1, half).toString()});
            } else if (matchesAt(s, i, u"ampm")) {
                push(DateField::AmPmLocale);
                used = 4;
            } else {
                literal(s.mid(i, 1));
            }
            break;
        default:
            literal(s.mid(i, 1));
            break;
        }
        i += used;
    }
    if (hasAmPm(out)) {
        for (DateToken &t : out) {
            if (t.field == DateField::Hour24) {
                t.field = DateField::Hour12;
            } else if (t.field == DateField::Hour24Pad) {
                t.field = DateField::Hour12Pad;
            }
        }
    }
    return out;
}

void renderDate(const DatePattern &pattern, const DateParts &p, const LocaleInfo &info,
                const WeekRule &week, QString &out) {
    const bool morning = p.hour < 12;
    const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    for (const DateToken &t : pattern) {
        switch (t.field) {
        case DateField::Literal:
            out += t.text;
            break;
        case DateField::Day:
            appendNumber(out, p.day);
            break;
        case DateField::Day2:
            appendNumber(out, p.day, 2);
            break;
        case DateField::DayAbbr:
            out += info.daysAbbr[p.dayOfWeek - 1];
            break;
        case DateField::DayName:
            out += info.days[p.dayOfWeek - 1];
            break;
        case DateField::ShortDate:
            renderDate(info.shortDate, p, info, week, out);
            break;
        case DateField::LongDate:
            renderDate(info.longDate, p, info, week, out);
            break;
        case DateField::Weekday:
            appendNumber(out, weekdayFrom(p.dayOfWeek, week.firstDayOfWeek));
            break;
        case DateField::WeekOfYear:
            appendNumber(out, weekOfYear(p, week));
            break;
        case DateField::Month:
            appendNumber(out, p.month);
            break;
        case DateField::Month2:
            appendNumber(out, p.month, 2);
            break;
        case DateField::MonthAbbr:
            out += info.monthsAbbr[p.month - 1];
            break;
        case DateField::MonthName:
            out += info.months[p.month - 1];
            break;
        case DateField::Quarter:
            appendNumber(out, (p.month - 1) / 3 + 1);
            break;
        case DateField::DayOfYear:
            appendNumber(out, p.dayOfYear);
            break;
        case DateField::Year1:
            appendNumber(out, p.year % 100);
            break;
        case DateField::Year2:
            appendNumber(out, p.year % 100, 2);
            break;
        case DateField::Year4:
            appendNumber(out, p.year);
            break;
        case DateField::Hour12:
            appendNumber(out, hour12);
            break;
        case DateField::Hour12Pad:
            appendNumber(out, hour12, 2);
            break;
        case DateField::Hour24:
            appendNumber(out, p.hour);
            break;
        case DateField::Hour24Pad:
            appendNumber(out, p.hour, 2);
            break;
        case DateField::Minute:
            appendNumber(out, p.minute);
            break;
        case DateField::Minute2:
            appendNumber(out, p.minute, 2);
            break;
        case DateField::Second:
            appendNumber(out, p.second);
            break;
        case DateField::Second2:
            appendNumber(out, p.second, 2);
            break;
        case DateField::LongTime:
            renderDate(info.longTime, p, info, week, out);
            break;
        case DateField::GeneralDate:
            appendDateText(p, info, out);
            break;
        case DateField::AmPmText:
            out += morning ? t.text : t.pmText;
            break;
        case DateField::AmPmLocale:
            out += morning ? info.am : info.pm;
            break;
        case DateField::AmPmLocaleOne: {
            const QString &text = morning ? info.am : info.pm;
            out += text.left(1);
            break;
        }
        case DateField::TimeSep:
            out += info.timeSep;
            break;
        case DateField::DateSep:
            out += info.dateSep;
            break;
        }
    }
}

void appendDateText(const DateParts &parts, const LocaleInfo &info, QString &out) {
    const WeekRule week;
    if (!parts.hasDate) {
        renderDate(info.longTime, parts, info, week, out);
        return;
    }
    renderDate(info.shortDate, parts, info, week, out);
    if (parts.hasTime) {
        out += u' ';
        renderDate(info.longTime, parts, info, week, out);
    }
}

} // namespace Vantrel3::vb::detail

namespace Vantrel3::vb {

QString DateText(const QDateTime &value, const QLocale &locale) {
    detail::DateParts parts;
    // A local time the clock skips is an invalid QDateTime that still holds its date and time.
    if (!value.date().isValid() ||
        !detail::partsFromSerial(detail::serialFromDateTime(value.date(), value.time()), parts)) {
        return {};
    }
    QString out;
    detail::appendDateText(parts, detail::localeInfo(locale), out);
    return out;
}

} // namespace Vantrel3::vb
