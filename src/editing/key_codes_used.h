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
    vbKeyDelete = 46,
    vbKeyC = 67,
    vbKeyV = 86,
    vbKeyY = 89,
    vbKeyZ = 90,
};

// The Shift argument of KeyDown.
enum ShiftMaskUsed : qint16 {
    vbShiftMask = 1,
    vbCtrlMask = 2,
};

} // namespace Vantrel3
