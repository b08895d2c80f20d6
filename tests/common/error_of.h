#pragma once

#include <Vantrel3/VbError.h>

#include <functional>

// The number of the VbError a call raises, or 0 when it raises none.
inline qint32 errorOf(const std::function<void()> &call) {
    try {
        call();
    } catch (const Vantrel3::VbError &e) {
        return e.Number();
    }
    return 0;
}
