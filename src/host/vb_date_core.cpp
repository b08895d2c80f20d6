#include "host/vb_date_core.h"

#include <Vantrel3/vbruntime.h>

#include <cmath>

namespace Vantrel3::vb::detail {

bool partsFromSerial(double serial, DateParts &parts) {
    // The day is the serial's whole part: a negative serial carries its time below the day
    // (0100-01-01 00:15 is -657434.0104...), so the range is checked on the day, not the serial.
    if (!std::isfinite(serial) || serial <= double(kMinSerialDay - 1) ||
        serial >= double(kMaxSerialDay + 1)) {
        return false;
    }
    const double whole = std::trunc(serial);
    qint64 days = qint64(whole);
    qint64 seconds = qint64(std::llround(std::fabs(serial - whole) * 86400.0));
    if (seconds >= 86400) {
        // Rounding reached midnight: that is the next calendar day in either direction.
        seconds -= 86400;
        ++days;
    }
    if (days < kMinSerialDay || days > kMaxSerialDay) {
        return false;
    }
    const QDate date = QDate::fromJulianDay(kSerialEpochJulianDay + days);
    parts.year = date.year();
    parts.month = date.month();
    parts.day = date.day();
    parts.dayOfWeek = date.dayOfWeek() % 7 + 1;
    parts.dayOfYear = date.dayOfYear();
    parts.hour = int(seconds / 3600);
    parts.minute = int(seconds / 60 % 60);
    parts.second = int(seconds % 60);
    parts.hasDate = days != 0;
    parts.hasTime = seconds != 0;
    return true;
}

double serialFromTimeOfDay(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

double serialFromDateTime(const QDate &date, const QTime &time) {
    const double days = date.isValid() ? double(date.toJulianDay() - kSerialEpochJulianDay) : 0.0;
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
    return days < 0 ? days - fraction : days + fraction;
}

int windowYear(int year) {
    if (year < 0 || year > 99) {
        return year;
    }
    const int max = twoDigitYearMax();
    const int century = max / 100 * 100;
    const int candidate = century + year;
    return candidate > max ? candidate - 100 : candidate;
}

QDateTime wallClockDateTime(const QDate &date, const QTime &time) {
    const QDateTime local(date, time);
    if (local.isValid() && local.date() == date && local.time() == time) {
        return local;
    }
    return QDateTime(date, time, Qt::UTC);
}

QDateTime dateTimeFromSerial(double serial) {
    DateParts parts;
    if (!partsFromSerial(serial, parts)) {
        return {};
    }
    return wallClockDateTime(QDate(parts.year, parts.month, parts.day),
                             QTime(parts.hour, parts.minute, parts.second));
}

} // namespace Vantrel3::vb::detail
