#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

class CellEditor;
class EditSession;
class EditorBox;
class FlexGrid;
class KeyActions;
struct EditOptions;

// The parts the grid's and the editor's key handling work on.
struct KeyTargets {
    FlexGrid &grid; // the visible grid
    EditorBox &editor;
    CellEditor &cells;
    EditSession &session;
    const EditOptions &options;
    KeyActions &actions;
};

// What the grid's and the editor's key handling share: the function key and the report of a
// failed key press.
class KeyHandler {
protected:
    explicit KeyHandler(const KeyTargets &t) : t(t) {}

    // The function key opens the current cell's popup; true when the key was the function key,
    // which then does nothing else.
    bool handleFunctionKey(qint16 &KeyCode);
    // Copy, paste, undo, redo and the removal of the current row; true when the key was one of
    // them and was handled here, which then does nothing else. In the editor, what the editor
    // does better itself is left to it: its selected text copied, a single cell pasted, typing
    // undone and redone.
    bool handleEditShortcut(qint16 &KeyCode, qint16 Shift, bool inEditor);
    // The character of a key handled as a shortcut (Ctrl+V gives "v" on some platforms, a
    // control character on others) is no typing: true for it, once.
    bool swallowsShortcutCharacter(qint16 KeyAscii);
    // The message box of a key press that failed.
    void showKeyPressFailure(const QString &description);

    KeyTargets t;

private:
    qint16 m_shortcutKey = 0;
};

} // namespace Vantrel3
