#pragma once

#include <QtGlobal>

namespace Vantrel3 {

class VantrelPrivate;

// The editor's key handling: the typing filter by data type, the case conversion, and the
// Enter and Backspace steps.
class EditorKeys {
public:
    explicit EditorKeys(VantrelPrivate &d) : d(d) {}

    void KeyPress(qint16 &KeyAscii);

private:
    void filterTypedCharacter(qint16 &KeyAscii);

    VantrelPrivate &d;
};

} // namespace Vantrel3
