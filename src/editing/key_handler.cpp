#include "editing/key_handler.h"

#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "editing/key_actions.h"
#include "editing/key_codes_used.h"

#include <Vantrel3/FlexGrid.h>

#include <Vantrel3/MessageBox.h>

#include <utility>

namespace Vantrel3 {

bool KeyHandler::handleFunctionKey(qint16 &KeyCode) {
    if (KeyCode != t.options.setKeyFunction) {
        return false;
    }
    const CellStyleState &style = t.session.style;
    if (style.CellHasList || style.CellHasCalendar || style.CellHasCalculator) {
        t.actions.openCellPopup();
    }
    KeyCode = 0;
    return true;
}

bool KeyHandler::handleEditShortcut(qint16 &KeyCode, qint16 Shift, bool inEditor) {
    m_shortcutKey = 0;
    const FlexGrid &g = t.grid;
    const bool ctrl = Shift == vbCtrlMask;
    const bool ctrlShift = Shift == (vbCtrlMask | vbShiftMask);
    // What the editor would do with the key itself, when it is the editor's.
    const bool typing = inEditor && t.session.holdsTyping(g.Row(), g.Col(), t.editor.Text());
    const bool oneCellSelected = g.RowSel() == g.Row() && g.ColSel() == g.Col();
    if (ctrl && KeyCode == vbKeyC) {
        // Selected text in the editor is copied by the editor; otherwise the cells.
        if (inEditor && oneCellSelected && t.editor.SelLength() > 0) {
            return false;
        }
        t.actions.copyCells();
    } else if (ctrl && KeyCode == vbKeyV) {
        // A single cell pasted in the editor goes through the editor's own paste.
        if (!t.actions.pasteCells(inEditor)) {
            return false;
        }
    } else if (ctrl && KeyCode == vbKeyZ) {
        if (typing) {
            return false;
        }
        t.actions.undo();
    } else if ((ctrl && KeyCode == vbKeyY) || (ctrlShift && KeyCode == vbKeyZ)) {
        if (inEditor && t.editor.isRedoAvailable()) {
            return false;
        }
        t.actions.redo();
    } else if (ctrl && KeyCode == vbKeyDelete) {
        t.actions.removeCurrentRow();
    } else {
        return false;
    }
    m_shortcutKey = KeyCode;
    KeyCode = 0;
    return true;
}

bool KeyHandler::swallowsShortcutCharacter(qint16 KeyAscii) {
    const qint16 key = std::exchange(m_shortcutKey, 0);
    const qint16 lower = qint16(key + ('a' - 'A'));
    return key != 0 && (KeyAscii == key || KeyAscii == lower || (KeyAscii > 0 && KeyAscii < 32));
}

void KeyHandler::showKeyPressFailure(const QString &description) {
    const QString visible = t.editor.Visible() ? QStringLiteral("True") : QStringLiteral("False");
    MsgBox(description + QStringLiteral("KeyPress ") + visible, vbInformation,
           QStringLiteral("Avviso Utente"), t.editor.parentWidget());
}

} // namespace Vantrel3
