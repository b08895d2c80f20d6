#include "host/vb_locale_info.h"

#include <Vantrel3/vbruntime.h>

#include <atomic>
#include <memory>
#include <mutex>

namespace Vantrel3::vb {

namespace {

std::mutex &settingsMutex() {
    static std::mutex m;
    return m;
}

QLocale &currentLocale() {
    static QLocale current = QLocale::system();
    return current;
}

std::atomic<int> g_twoDigitYearMax{2029};

} // namespace

QLocale locale() {
    const std::lock_guard lock(settingsMutex());
    return currentLocale();
}

void setLocale(const QLocale &locale) {
    const std::lock_guard lock(settingsMutex());
    currentLocale() = locale;
}

int twoDigitYearMax() {
    return g_twoDigitYearMax.load(std::memory_order_relaxed);
}

void setTwoDigitYearMax(int year) {
    g_twoDigitYearMax.store(qBound(99, year, 9999), std::memory_order_relaxed);
}

namespace detail {

namespace {

const QChar kCurrencyMark(0x00A4);

template <std::size_t N>
std::array<QString, N> names(const char *const (&list)[N]) {
    std::array<QString, N> out;
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = QString::fromUtf8(list[i]);
    }
    return out;
}

void buildParseNames(LocaleInfo &info) {
    auto add = [&info](const QString &name, DateNameKind kind, int value) {
        if (!name.isEmpty()) {
            info.parseNames.push_back({foldCase(name), kind, value});
        }
    };
    for (int i = 0; i < 12; ++i) {
        add(info.months[i], DateNameKind::Month, i + 1);
    }
    for (int i = 0; i < 12; ++i) {
        add(info.monthsAbbr[i], DateNameKind::Month, i + 1);
    }
    for (int i = 0; i < 7; ++i) {
        add(info.days[i], DateNameKind::Weekday, i + 1);
    }
    for (int i = 0; i < 7; ++i) {
        add(info.daysAbbr[i], DateNameKind::Weekday, i + 1);
    }
    add(info.am, DateNameKind::Am, 0);
    add(info.pm, DateNameKind::Pm, 0);
}

void finish(LocaleInfo &info, const QString &shortDate, const QString &longDate,
            const QString &longTime) {
    info.shortDate = compileLocalePattern(shortDate);
    info.longDate = compileLocalePattern(longDate);
    info.longTime = compileLocalePattern(longTime);
    buildParseNames(info);
}

std::unique_ptr<LocaleInfo> italian() {
    auto info = std::make_unique<LocaleInfo>();
    info->decimal = u',';
    info->group = u'.';
    info->negative = u'-';
    info->dateSep = u'/';
    info->timeSep = u':';
    info->currencySymbol = QStringLiteral("\u20ac");
    info->currencyPositive = QStringLiteral("\u00a4 n");
    info->currencyNegative = QStringLiteral("-\u00a4 n");
    info->order = DateOrder::DMY;
    // Newer classic data: AM/PM set (older data left them empty).
    info->am = QStringLiteral("AM");
    info->pm = QStringLiteral("PM");
    info->months = names({"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio",
                          "agosto", "settembre", "ottobre", "novembre", "dicembre"});
    info->monthsAbbr =
        names({"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"});
    info->days = names({"domenica", "luned\u00ec", "marted\u00ec", "mercoled\u00ec", "gioved\u00ec",
                        "venerd\u00ec", "sabato"});
    info->daysAbbr = names({"dom", "lun", "mar", "mer", "gio", "ven", "sab"});
    info->firstDayOfWeek = 2;
    info->firstWeekOfYear = 2;
    finish(*info, QStringLiteral("dd/MM/yyyy"), QStringLiteral("dddd d MMMM yyyy"),
           QStringLiteral("HH:mm:ss"));
    return info;
}

std::unique_ptr<LocaleInfo> american() {
    auto info = std::make_unique<LocaleInfo>();
    info->decimal = u'.';
    info->group = u',';
    info->negative = u'-';
    info->dateSep = u'/';
    info->timeSep = u':';
    info->currencySymbol = QStringLiteral("$");
    info->currencyPositive = QStringLiteral("\u00a4n");
    info->currencyNegative = QStringLiteral("(\u00a4n)");
    info->order = DateOrder::MDY;
    info->am = QStringLiteral("AM");
    info->pm = QStringLiteral("PM");
    info->months = names({"January", "February", "March", "April", "May", "June", "July", "August",
                          "September", "October", "November", "December"});
    info->monthsAbbr =
        names({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
    info->days =
        names({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
    info->daysAbbr = names({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"});
    info->firstDayOfWeek = 1;
    info->firstWeekOfYear = 1;
    finish(*info, QStringLiteral("M/d/yyyy"), QStringLiteral("dddd, MMMM d, yyyy"),
           QStringLiteral("h:mm:ss tt"));
    return info;
}

// Qt patterns to the classic letters: h is 24-hour unless AM/PM is shown, "t" is a time zone
// (dropped), "AP"/"ap" become "tt", and a lone 2-digit year is widened to 4 digits.
QString classicPattern(const QString &qt) {
    bool twelveHour = false;
    bool quoted = false;
    for (QChar c : qt) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && (c == u'A' || c == u'a')) {
            twelveHour = true;
        }
    }
    const bool hasLongYear = qt.contains(QStringLiteral("yyyy"));
    QString out;
    quoted = false;
    for (qsizetype i = 0; i < qt.size(); ++i) {
        const QChar c = qt.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (quoted) {
            out += c;
            continue;
        }
        qsizetype run = 1;
        while (i + run < qt.size() && qt.at(i + run) == c) {
            ++run;
        }
        if (c == u'h' && !twelveHour) {
            out += QString(run, u'H');
        } else if (c == u'A' || c == u'a') {
            out += QStringLiteral("tt");
            if (i + 1 < qt.size() && (qt.at(i + 1) == u'P' || qt.at(i + 1) == u'p')) {
                ++i;
            }
            continue;
        } else if (c == u't' || c == u'z') {
            while (out.endsWith(u' ') || (c == u'z' && out.endsWith(u'.'))) {
                out.chop(1);
            }
        } else if (c == u'y' && run == 2 && !hasLongYear) {
            out += QStringLiteral("yyyy");
        } else {
            out += QString(run, c);
        }
        i += run - 1;
    }
    return out.trimmed();
}

QChar firstSeparator(const QString &pattern, QChar fallback) {
    bool quoted = false;
    bool seenField = false;
    for (QChar c : pattern) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c.isLetter()) {
            seenField = true;
        } else if (!quoted && seenField && !c.isSpace() && !c.isLetter()) {
            return c;
        }
    }
    return fallback;
}

QString currencyTemplate(const QLocale &locale, double value) {
    QString text = locale.toCurrencyString(value);
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isAsciiDigit(text.at(i))) {
            if (first < 0) {
                first = i;
            }
            last = i;
        }
    }
    if (first < 0) {
        return value < 0 ? QStringLiteral("-n") : QStringLiteral("n");
    }
    text.replace(first, last - first + 1, QStringLiteral("n"));
    const QString symbol = locale.currencySymbol();
    if (!symbol.isEmpty()) {
        text.replace(symbol, QString(kCurrencyMark));
    }
    return text;
}

std::unique_ptr<LocaleInfo> derived(const QLocale &locale) {
    auto info = std::make_unique<LocaleInfo>();
    info->decimal = locale.decimalPoint().isEmpty() ? u'.' : locale.decimalPoint().at(0);
    info->group = locale.groupSeparator().isEmpty() ? u',' : locale.groupSeparator().at(0);
    info->negative = locale.negativeSign().isEmpty() ? u'-' : locale.negativeSign().at(0);
    const QString shortDate = classicPattern(locale.dateFormat(QLocale::ShortFormat));
    const QString longTime = classicPattern(locale.timeFormat(QLocale::LongFormat));
    info->dateSep = firstSeparator(shortDate, u'/');
    info->timeSep = firstSeparator(longTime, u':');
    info->currencySymbol = locale.currencySymbol();
    info->currencyPositive = currencyTemplate(locale, 1234.5);
    info->currencyNegative = currencyTemplate(locale, -1234.5);
    const qsizetype d = shortDate.indexOf(u'd');
    const qsizetype m = shortDate.indexOf(u'M');
    const qsizetype y = shortDate.indexOf(u'y');
    if (y >= 0 && y < d && y < m) {
        info->order = DateOrder::YMD;
    } else if (d >= 0 && d < m) {
        info->order = DateOrder::DMY;
    } else {
        info->order = DateOrder::MDY;
    }
    info->am = locale.amText();
    info->pm = locale.pmText();
    for (int i = 0; i < 12; ++i) {
        info->months[i] = locale.monthName(i + 1, QLocale::LongFormat);
        info->monthsAbbr[i] = locale.monthName(i + 1, QLocale::ShortFormat);
    }
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i; // Qt counts from Monday = 1
        info->days[i] = locale.dayName(qtDay, QLocale::LongFormat);
        info->daysAbbr[i] = locale.dayName(qtDay, QLocale::ShortFormat);
    }
    info->firstDayOfWeek = int(locale.firstDayOfWeek()) % 7 + 1;
    info->firstWeekOfYear = info->firstDayOfWeek == 2 ? 2 : 1;
    finish(*info, shortDate, classicPattern(locale.dateFormat(QLocale::LongFormat)), longTime);
    return info;
}

std::unique_ptr<LocaleInfo> build(const QLocale &locale) {
    if (locale.language() == QLocale::Italian && locale.territory() == QLocale::Italy) {
        return italian();
    }
    if (locale.language() == QLocale::C ||
        (locale.language() == QLocale::English && locale.territory() == QLocale::UnitedStates)) {
        return american();
    }
    return derived(locale);
}

struct CacheEntry {
    QLocale locale;
    std::unique_ptr<LocaleInfo> info;
};

} // namespace

const LocaleInfo &localeInfo(const QLocale &locale) {
    // Most calls repeat the previous locale; skip the shared table and its lock then.
    thread_local QLocale lastLocale = QLocale::c();
    thread_local const LocaleInfo *lastInfo = nullptr;
    if (lastInfo && lastLocale == locale) {
        return *lastInfo;
    }
    static std::mutex mutex;
    static std::vector<CacheEntry> cache;
    const std::lock_guard lock(mutex);
    const LocaleInfo *found = nullptr;
    for (const CacheEntry &entry : cache) {
        if (entry.locale == locale) {
            found = entry.info.get();
            break;
        }
    }
    if (!found) {
        cache.push_back({locale, build(locale)});
        found = cache.back().info.get();
    }
    lastLocale = locale;
    lastInfo = found;
    return *found;
}

DatePattern compileLocalePattern(const QString &pattern) {
    DatePattern out;
    auto literal = [&out](QChar c) {
        if (out.empty() || out.back().field != DateField::Literal) {
            out.push_back({DateField::Literal, {}, {}});
        }
        out.back().text += c;
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            ++i;
            while (i < pattern.size()) {
                if (pattern.at(i) == u'\'') {
                    if (i + 1 < pattern.size() && pattern.at(i + 1) == u'\'') {
                        literal(u'\'');
                        i += 2;
                        continue;
                    }
                    break;
                }
                literal(pattern.at(i++));
            }
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c) {
            ++run;
        }
        DateField field = DateField::Literal;
        switch (c.unicode()) {
        case 'd':
            field = run == 1   ? DateField::Day
                    : run == 2 ? DateField::Day2
                    : run == 3 ? DateField::DayAbbr
                               : DateField::DayName;
            break;
        case 'M':
            field = run == 1   ? DateField::Month
                    : run == 2 ? DateField::Month2
                    : run == 3 ? DateField::MonthAbbr
                               : DateField::MonthName;
            break;
        case 'y':
            field = run == 1 ? DateField::Year1 : run == 2 ? DateField::Year2 : DateField::Year4;
            break;
        case 'h':
            field = run == 1 ? DateField::Hour12 : DateField::Hour12Pad;
            break;
        case 'H':
            field = run == 1 ? DateField::Hour24 : DateField::Hour24Pad;
            break;
        case 'm':
            field = run == 1 ? DateField::Minute : DateField::Minute2;
            break;
        case 's':
            field = run == 1 ? DateField::Second : DateField::Second2;
            break;
        case 't':
            field = run == 1 ? DateField::AmPmLocaleOne : DateField::AmPmLocale;
            break;
        default:
            for (qsizetype k = 0; k < run; ++k) {
                literal(c);
            }
            i += run - 1;
            continue;
        }
        out.push_back({field, {}, {}});
        i += run - 1;
    }
    return out;
}

} // namespace detail
} // namespace Vantrel3::vb
