#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace Vantrel3::vb::detail {

// Classic Date values are serial numbers: days since 1899-12-30, the time as the fraction.
// A negative serial counts its days backwards but its time forwards (-1.25 is 1899-12-29 06:00).
constexpr qint64 kSerialEpochJulianDay = 2415019; // 1899-12-30
constexpr qint64 kMinSerialDay = -657434;         // 0100-01-01
constexpr qint64 kMaxSerialDay = 2958465;         // 9999-12-31

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 7; // 1 = Sunday
    int dayOfYear = 364;
    bool hasDate = false; // the day part is not 1899-12-30
    bool hasTime = false; // the time is not midnight
};

// False when the serial lies outside 0100-01-01 ... 9999-12-31. Rounds to whole seconds, and
// a time that rounds up to midnight belongs to the next day, which must be in range too.
bool partsFromSerial(double serial, DateParts &parts);

double serialFromDateTime(const QDate &date, const QTime &time);
double serialFromTimeOfDay(int hour, int minute, int second);

// 2-digit years through the runtime's window; others as they stand.
int windowYear(int year);

// The date and time as a local QDateTime; a wall-clock time that local time skips (a
// daylight-saving gap) comes back in UTC instead, so date() and time() still hold it.
QDateTime wallClockDateTime(const QDate &date, const QTime &time);

// Invalid when the serial lies outside 0100-01-01 ... 9999-12-31.
QDateTime dateTimeFromSerial(double serial);

} // namespace Vantrel3::vb::detail
