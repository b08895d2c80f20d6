#pragma once

namespace Vantrel3 {

// Lets the host process its pending events before the caller goes on.
void DoEvents();

} // namespace Vantrel3
