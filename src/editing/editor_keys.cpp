#include "editing/editor_keys.h"

#include "editing/cell_editor.h"
#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "editing/key_actions.h"
#include "editing/key_codes_used.h"
#include "editing/typing_filter.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/VbError.h>

namespace Vantrel3 {

void EditorKeys::leave() {
    t.grid.setFocus();
}

void EditorKeys::KeyDown(qint16 &KeyCode, qint16 &Shift) {
    // A key for a cell scrolled out of view brings it back first: what is typed shows where
    // it goes.
    if (!t.cells.currentCellInView()) {
        t.actions.bringCurrentCellIntoView();
    }
    if (handleFunctionKey(KeyCode) || handleEditShortcut(KeyCode, Shift, true)) {
        return;
    }
    const FlexGrid &g = t.grid;
    switch (KeyCode) {
    case vbKeyUp:
        leave();
        // In the editor, Up stops at the first non-fixed row.
        if (g.Row() > g.FixedRows()) {
            t.actions.setRow(g.Row() - 1);
        }
        KeyCode = 0;
        break;
    case vbKeyDown:
        leave();
        if (g.Row() < g.Rows() - 1) {
            t.actions.setRow(g.Row() + 1);
        }
        KeyCode = 0;
        break;
    case vbKeyLeft:
        if (t.options.arrowAsKeyTab) {
            leave();
            if (g.Col() > g.FixedCols()) {
                t.actions.setCol(g.Col() - 1);
            }
            KeyCode = 0;
        }
        break;
    case vbKeyRight:
        if (t.options.arrowAsKeyTab) {
            leave();
            if (g.Col() < g.Cols() - 1) {
                t.actions.setCol(g.Col() + 1);
            }
            KeyCode = 0;
        }
        break;
    case vbKeyTab:
        leave();
        KeyCode = 0;
        break;
    case vbKeyEscape:
        // The edit is cancelled: the editor gets back the cell's own text, nothing is written.
        t.editor.SetText(t.session.loadedText());
        t.editor.SetSelStart(0);
        t.editor.SetSelLength(qint32(t.editor.Text().size()));
        t.session.recordEditPending = false;
        KeyCode = 0;
        break;
    case vbKeyReturn:
        KeyCode = 0;
        leave();
        if (t.options.enterAsKeyTab && g.Col() < g.Cols() - 1) {
            t.actions.setCol(g.Col() + 1);
        }
        break;
    default:
        break;
    }
}

void EditorKeys::KeyPress(qint16 &KeyAscii) {
    if (swallowsShortcutCharacter(KeyAscii)) {
        KeyAscii = 0;
        return;
    }
    try {
        if (KeyAscii == vbKeyReturn) {
            KeyAscii = 0;
            if (t.options.autoComplete && t.actions.listPopupOpen()) {
                t.actions.closeListPopup();
            }
            t.actions.applyAutoInsert();
            return;
        }
        if (!t.options.allowEdit) {
            return;
        }
        if (TypingFilter::inTypingRange(KeyAscii)) {
            filterTypedCharacter(KeyAscii);
        } else if (KeyAscii == vbKeyBack) {
            if (t.options.autoComplete && t.actions.listPopupOpen()) {
                t.editor.SetText(QString());
            }
        }
    } catch (const VbError &e) {
        showKeyPressFailure(e.Description());
    } catch (const std::exception &e) {
        showKeyPressFailure(QString::fromUtf8(e.what()));
    }
}

void EditorKeys::filterTypedCharacter(qint16 &KeyAscii) {
    t.cells.giveTypingLook();
    // Before the filter, so that a refused character can still append a row.
    t.actions.applyAutoInsert();
    const qint32 type = t.session.style.CurDataType;
    if (!TypingFilter::accepts(type, KeyAscii) ||
        !TypingFilter::fitsText(type, KeyAscii, t.editor.Text(), t.editor.SelStart(),
                                t.editor.SelLength())) {
        KeyAscii = 0;
    }
    KeyAscii = TypingFilter::convertCase(t.session.style.CurCaseType, KeyAscii);
}

} // namespace Vantrel3
