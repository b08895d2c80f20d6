#pragma once

#include <Vantrel3/Export.h>
#include <Vantrel3/VbError.h>

#include <functional>

namespace Vantrel3 {

/// Where errors go that reach an entry point called by Qt (event handlers, slots, timers).
/// No exception ever crosses back into the event loop; the default sink logs a warning.
using ErrorSink = std::function<void(const VbError &)>;

/// Installs the sink for every control; an empty function restores the default, which logs a
/// warning with qWarning.
VANTREL3_EXPORT void setErrorSink(ErrorSink sink);
/// Hands @p error to the sink in use.
VANTREL3_EXPORT void reportError(const VbError &error);

/// Runs @p f and reports any VbError or standard exception it throws instead of letting it
/// escape; @p where names the entry point for exceptions that are no VbError.
template <typename F>
void guarded(const char *where, F &&f);

/// Reports an exception that is no VbError as error 5, with @p where as its source and
/// @p what as its description.
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
