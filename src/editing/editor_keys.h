#pragma once

#include "editing/key_handler.h"

namespace Vantrel3 {

// The editor's key handling: Up, Down, Tab, Enter (and Left, Right as Tab) leave the editor and
// move; typed characters are filtered by data type and converted by case type.
class EditorKeys : private KeyHandler {
public:
    explicit EditorKeys(const KeyTargets &targets) : KeyHandler(targets) {}

    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);

private:
    void filterTypedCharacter(qint16 &KeyAscii);
    // Gives the focus to the grid, so the editor loses it.
    void leave();
};

} // namespace Vantrel3
