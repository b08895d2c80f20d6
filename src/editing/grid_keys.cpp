#include "editing/grid_keys.h"

#include "editing/cell_editor.h"
#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "editing/key_actions.h"
#include "editing/key_codes_used.h"
#include "editing/typing_filter.h"
#include "host/key_codes.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/VbError.h>

namespace Vantrel3 {

void GridKeys::KeyDown(qint16 &KeyCode, qint16 &Shift) {
    if (handleFunctionKey(KeyCode) || handleEditShortcut(KeyCode, Shift, false)) {
        return;
    }
    const FlexGrid &g = t.grid;
    switch (KeyCode) {
    case vbKeyUp:
        // The limit is row 0, so this can move into a fixed row.
        if (g.Row() >= 1) {
            t.actions.setRow(g.Row() - 1);
        }
        break;
    case vbKeyDown:
        if (g.Row() < g.Rows() - 1) {
            t.actions.setRow(g.Row() + 1);
        }
        break;
    case vbKeyLeft:
        if (g.Col() > g.FixedCols()) {
            t.actions.setCol(g.Col() - 1);
        }
        break;
    case vbKeyRight:
        if (g.Col() < g.Cols() - 1) {
            t.actions.setCol(g.Col() + 1);
        }
        break;
    case vbKeyReturn:
        if (t.options.enterAsKeyTab) {
            if (g.Col() < g.Cols() - 1) {
                t.actions.setCol(g.Col() + 1);
            }
        } else if (t.options.allowEdit) {
            t.editor.setFocus();
        }
        break;
    default:
        return; // other keys are left to the grid
    }
    // The move is done here; the grid must not move again.
    KeyCode = 0;
}

void GridKeys::KeyPress(qint16 &KeyAscii) {
    if (swallowsShortcutCharacter(KeyAscii)) {
        KeyAscii = 0;
        return;
    }
    // A fixed cell is never edited by typing.
    if (!t.options.allowEdit || t.grid.Row() < t.grid.FixedRows() ||
        t.grid.Col() < t.grid.FixedCols()) {
        return;
    }
    // The second half of a character beyond 16 bits completes the first, if that was let in.
    if (KeyCodes::charFromKeyAscii(KeyAscii).isLowSurrogate()) {
        if (!m_pendingHigh.isNull()) {
            t.editor.SetText(QString(m_pendingHigh) + KeyCodes::charFromKeyAscii(KeyAscii));
            t.editor.SetSelStart(qint32(t.editor.Text().size()));
            m_pendingHigh = QChar();
        }
        KeyAscii = 0;
        return;
    }
    m_pendingHigh = QChar();
    try {
        if (KeyAscii == vbKeyReturn) {
            KeyAscii = 0;
            t.cells.giveTypingLook();
            t.actions.applyAutoInsert();
        }
        // The range handled here starts at 32; an Enter has become 0 and stops here.
        if (!TypingFilter::inTypingRange(KeyAscii) || KeyAscii == 31) {
            return;
        }
        t.cells.giveTypingLook();
        t.actions.applyAutoInsert();
    } catch (const VbError &e) {
        showKeyPressFailure(e.Description());
        return;
    }

    const bool editStarted = t.actions.startRecordEdit();
    try {
        t.editor.setFocus();
        const bool accepted = TypingFilter::accepts(t.session.style.CurDataType, KeyAscii);
        KeyAscii = TypingFilter::convertCase(t.session.style.CurCaseType, KeyAscii);
        const QChar ch = KeyCodes::charFromKeyAscii(KeyAscii);
        if (accepted && ch.isHighSurrogate()) {
            m_pendingHigh = ch; // the character is whole with its second half
        } else if (accepted) {
            t.editor.SetText(QString(ch));
            t.editor.SetSelStart(qint32(t.editor.Text().size()));
        }
        // The character now lives in the editor; the grid does nothing more with it.
        KeyAscii = 0;
    } catch (const VbError &e) {
        // Failures are reported only while a record edit was already pending.
        if (t.session.recordEditPending && !editStarted) {
            showKeyPressFailure(e.Description());
        }
    }
}

} // namespace Vantrel3
