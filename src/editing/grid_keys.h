#pragma once

#include <QtGlobal>

namespace Vantrel3 {

class VantrelPrivate;

// Keys typed while the visible grid has the focus: arrows and Enter move the current cell, the
// function key opens the cell's popup, and a typed character starts editing the cell with it.
class GridKeys {
public:
    explicit GridKeys(VantrelPrivate &d) : d(d) {}

    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);

private:
    VantrelPrivate &d;
};

} // namespace Vantrel3
