#pragma once

#include "host/vb_locale_info.h"

#include <QStringView>

namespace Vantrel3::vb::detail {

// Reads a text as a classic date/time in the locale's field order; the serial on success.
bool parseDateText(QStringView text, const LocaleInfo &info, double &serial);

} // namespace Vantrel3::vb::detail
