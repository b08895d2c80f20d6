#pragma once

#include <Vantrel3/Export.h>

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>
#include <QtGlobal>

/// The classic host's string, number and date functions, re-created on Qt.
///
/// Values follow the classic Variant: an invalid QVariant is Empty, a QVariant holding
/// std::nullptr_t is Null, QDate/QTime/QDateTime are dates, bool and the arithmetic types are
/// numbers, everything else is read as text. Locale-aware functions take the locale explicitly;
/// by default they use the runtime's own locale (locale()), which starts on QLocale::system().
namespace Vantrel3::vb {

/// The runtime's locale; QLocale::setDefault does not change it.
VANTREL3_EXPORT QLocale locale();
/// Sets the runtime's locale, which the locale-aware functions use by default.
VANTREL3_EXPORT void setLocale(const QLocale &locale);

/// The last year a two-digit year stands for: 2029 reads 0-29 as 2000-2029 and 30-99 as
/// 1930-1999 (the classic window); newer hosts use 2049.
VANTREL3_EXPORT int twoDigitYearMax();
/// Sets the last year a two-digit year stands for (see twoDigitYearMax()).
VANTREL3_EXPORT void setTwoDigitYearMax(int year);

/// Format(expression, format, firstdayofweek, firstweekofyear): the expression as text, by a
/// named or custom number or date format. Days of the week count from 1 = Sunday; 0 means the
/// locale's own setting. Out-of-range day/week arguments raise error 5.
VANTREL3_EXPORT QString Format(const QVariant &expression, const QString &format = {},
                               int firstDayOfWeek = 1, int firstWeekOfYear = 1,
                               const QLocale &locale = vb::locale());

/// StrConv with 0 (unchanged), 1 (upper), 2 (lower) or 3 (proper case). One character in, one
/// character out. Other conversion codes raise error 5.
VANTREL3_EXPORT QString StrConv(const QString &text, int conversion);

/// True for Empty, a Boolean, a number, or a text that reads as a number in @p locale; False for
/// Null and dates.
VANTREL3_EXPORT bool IsNumeric(const QVariant &expression, const QLocale &locale = vb::locale());
/// True when the expression is a date, or a text that reads as a date or time in @p locale.
VANTREL3_EXPORT bool IsDate(const QVariant &expression, const QLocale &locale = vb::locale());

/// The longest numeric prefix, locale-independent. Raises error 13 for a fraction followed by
/// an Integer or Long type suffix ("50.5%").
VANTREL3_EXPORT double Val(const QString &text);

/// The expression as a date. Raises error 13 when the expression cannot be converted, 6 when it
/// is out of range, 94 for Null. A text is read as a date, or failing that as a number (a date
/// serial). The result is in local time, unless local time skips that wall-clock time (a
/// daylight-saving gap): then it is in UTC, so date() and time() always hold the value read.
VANTREL3_EXPORT QDateTime CDate(const QVariant &expression, const QLocale &locale = vb::locale());
/// The expression as a Double; raises error 13 when it cannot be converted, 6 when it is out of
/// range, 94 for Null.
VANTREL3_EXPORT double CDbl(const QVariant &expression, const QLocale &locale = vb::locale());
/// The expression as an Integer, rounded half to even like every classic conversion to an
/// integer type; raises error 13 when it cannot be converted, 6 outside -32768..32767, 94 for
/// Null.
VANTREL3_EXPORT qint16 CInt(const QVariant &expression, const QLocale &locale = vb::locale());

/// The standard date-to-text conversion: short date, plus the long time when there is one
/// (time alone when the date is 1899-12-30). A value without a valid date gives an empty text.
VANTREL3_EXPORT QString DateText(const QDateTime &value, const QLocale &locale = vb::locale());

} // namespace Vantrel3::vb
