#pragma once

#include "host/vb_date_core.h"
#include "host/vb_locale_info.h"

#include <QStringView>

namespace Vantrel3::vb::detail {

// The week arguments of Format, already resolved: 1 = Sunday ... 7 = Saturday, and 1-3.
struct WeekRule {
    int firstDayOfWeek = 1;
    int firstWeekOfYear = 1;
};

// Compiles one section of a user-defined date/time format ("dd/mm/yyyy hh:nn").
DatePattern compileDateSection(QStringView section);

void renderDate(const DatePattern &pattern, const DateParts &parts, const LocaleInfo &info,
                const WeekRule &week, QString &out);

// The standard date-to-text conversion (also the "c" token and General Date).
void appendDateText(const DateParts &parts, const LocaleInfo &info, QString &out);

} // namespace Vantrel3::vb::detail
