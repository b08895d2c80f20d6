#pragma once

#include <Vantrel3/Export.h>
#include <Vantrel3/VbError.h>

#include <functional>

namespace Vantrel3 {

// Where errors go that reach an entry point called by Qt (event handlers, slots, timers).
// No exception ever crosses back into the event loop; the default sink logs a warning.
using ErrorSink = std::function<void(const VbError &)>;

VANTREL3_EXPORT void setErrorSink(ErrorSink sink);
VANTREL3_EXPORT void reportError(const VbError &error);

// Runs f and reports any VbError or standard exception it throws instead of letting it escape.
template <typename F>
void guarded(const char *where, F &&f);

VANTREL3_EXPORT void reportUnknownError(const char *where, const char *what);

template <typename F>
void guarded(const char *where, F &&f) {
    try {
        f();
    } catch (const VbError &e) {
        reportError(e);
    } catch (const std::exception &e) {
        reportUnknownError(where, e.what());
    } catch (...) {
        reportUnknownError(where, "unknown exception");
    }
}

} // namespace Vantrel3
