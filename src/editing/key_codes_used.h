#pragma once

#include <QtGlobal>

namespace Vantrel3 {

// The host's key and character codes that the key handling acts on.
enum KeyCodeUsed : qint16 {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyEscape = 27,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
};

} // namespace Vantrel3
