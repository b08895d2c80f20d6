#pragma once

#include <Vantrel3/Export.h>

namespace Vantrel3 {

/// Lets the host process its pending events before the caller goes on.
VANTREL3_EXPORT void DoEvents();

} // namespace Vantrel3
