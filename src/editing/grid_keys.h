#pragma once

#include "editing/key_handler.h"

#include <QChar>

namespace Vantrel3 {

// Keys typed while the visible grid has the focus: arrows and Enter move the current cell, the
// function key opens the cell's popup, and a typed character starts editing the cell with it.
class GridKeys : private KeyHandler {
public:
    explicit GridKeys(const KeyTargets &targets) : KeyHandler(targets) {}

    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);

private:
    // The first half of a character beyond 16 bits, let in and waiting for its second.
    QChar m_pendingHigh;
};

} // namespace Vantrel3
