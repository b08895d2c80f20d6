#pragma once

#include "host/vb_date_tokens.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <array>

namespace Vantrel3::vb::detail {

enum class DateOrder : quint8 { MDY, DMY, YMD };

// What the name in a date text stands for.
enum class DateNameKind : quint8 { Month, Weekday, Am, Pm };

struct DateName {
    QString folded; // case-folded, for the case-insensitive prefix match
    DateNameKind kind;
    int value; // month 1-12 for month names
};

// The classic runtime's view of a locale. Pinned for it_IT and en_US (and C, which reads as
// en_US); other locales are derived from QLocale, with its 2-digit short-date years widened.
struct LocaleInfo {
    QChar decimal;
    QChar group;
    QChar negative;
    QChar dateSep;
    QChar timeSep;
    QString currencySymbol;
    // Templates for Currency: '\u00a4' stands for the symbol, 'n' for the number.
    QString currencyPositive;
    QString currencyNegative;
    DateOrder order = DateOrder::MDY;
    QString am;
    QString pm;
    std::array<QString, 12> months;
    std::array<QString, 12> monthsAbbr;
    std::array<QString, 7> days; // Sunday first
    std::array<QString, 7> daysAbbr;
    int firstDayOfWeek = 1; // 1 = Sunday
    int firstWeekOfYear = 1;

    DatePattern shortDate;
    DatePattern longDate;
    DatePattern longTime;
    // Month names, then abbreviations, day names, abbreviations, AM and PM: the order in
    // which a date text's words are tried.
    std::vector<DateName> parseNames;
};

// Cached per locale; the reference stays valid for the life of the program.
const LocaleInfo &localeInfo(const QLocale &locale);

// Compiles a Windows-style locale pattern ("dddd, MMMM d, yyyy", "h:mm:ss tt").
DatePattern compileLocalePattern(const QString &pattern);

// Simple per-character folding: the folded text keeps the length of the original.
inline QString foldCase(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        out[i] = text[i].toCaseFolded();
    }
    return out;
}

inline bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 9 && u <= 13);
}

inline bool isAsciiDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace Vantrel3::vb::detail
