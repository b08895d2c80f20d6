#pragma once

namespace Vantrel3 {

// Handlers that ignore errors step by step: a step that fails is skipped and the next one runs.
template <typename F>
void ignoringErrors(F &&f) {
    try {
        f();
    } catch (...) {
    }
}

// The same, telling whether the step went through.
template <typename F>
bool attempt(F &&f) {
    try {
        f();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace Vantrel3
