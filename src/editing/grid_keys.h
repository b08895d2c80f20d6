#pragma once

#include "editing/key_handler.h"

namespace Vantrel3 {

// Keys typed while the visible grid has the focus: arrows and Enter move the current cell, the
// function key opens the cell's popup, and a typed character starts editing the cell with it.
class GridKeys : private KeyHandler {
public:
    explicit GridKeys(const KeyTargets &targets) : KeyHandler(targets) {}

    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);
};

} // namespace Vantrel3
