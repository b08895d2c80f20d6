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
    // The message box of a key press that failed.
    void showKeyPressFailure(const QString &description);

    KeyTargets t;
};

} // namespace Vantrel3
