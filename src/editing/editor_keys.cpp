#include "editing/editor_keys.h"

#include "control/vantrel_p.h"
#include "editing/editor_box.h"
#include "editing/key_codes_used.h"
#include "editing/typing_filter.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>

#include <Vantrel3/MessageBox.h>
#include <Vantrel3/VbError.h>

namespace Vantrel3 {

void EditorKeys::leave() {
    d.MSFlexGrid1->setFocus();
}

void EditorKeys::KeyDown(qint16 &KeyCode, qint16 & /*Shift*/) {
    if (d.handleFunctionKey(KeyCode)) {
        return;
    }
    Vantrel &q = *d.q;
    switch (KeyCode) {
    case vbKeyUp:
        leave();
        // In the editor, Up stops at the first non-fixed row.
        if (q.Row() > q.FixedRows()) {
            q.SetRow(q.Row() - 1);
        }
        KeyCode = 0;
        break;
    case vbKeyDown:
        leave();
        if (q.Row() < q.Rows() - 1) {
            q.SetRow(q.Row() + 1);
        }
        KeyCode = 0;
        break;
    case vbKeyLeft:
        if (d.arrowAsKeyTab) {
            leave();
            if (q.Col() > q.FixedCols()) {
                q.SetCol(q.Col() - 1);
            }
            KeyCode = 0;
        }
        break;
    case vbKeyRight:
        if (d.arrowAsKeyTab) {
            leave();
            if (q.Col() < q.Cols() - 1) {
                q.SetCol(q.Col() + 1);
            }
            KeyCode = 0;
        }
        break;
    case vbKeyTab:
        leave();
        KeyCode = 0;
        break;
    case vbKeyReturn:
        KeyCode = 0;
        leave();
        if (d.enterAsKeyTab && q.Col() < q.Cols() - 1) {
            q.SetCol(q.Col() + 1);
        }
        break;
    default:
        break;
    }
}

void EditorKeys::KeyPress(qint16 &KeyAscii) {
    try {
        if (KeyAscii == vbKeyReturn) {
            KeyAscii = 0;
            if (d.autoComplete && d.listOpen()) {
                d.unloadList();
            }
            d.applyAutoInsert();
            return;
        }
        if (!d.allowEdit) {
            return;
        }
        if (TypingFilter::inTypingRange(KeyAscii)) {
            filterTypedCharacter(KeyAscii);
        } else if (KeyAscii == vbKeyBack) {
            if (d.autoComplete && d.listOpen()) {
                d.Text1->SetText(QString());
            }
        }
    } catch (const VbError &e) {
        d.showKeyPressFailure(e.Description());
    } catch (const std::exception &e) {
        d.showKeyPressFailure(QString::fromUtf8(e.what()));
    }
}

void EditorKeys::filterTypedCharacter(qint16 &KeyAscii) {
    d.giveTypingLook();
    // Before the filter, so that a refused character can still append a row.
    d.applyAutoInsert();
    if (!TypingFilter::accepts(d.style.CurDataType, KeyAscii)) {
        KeyAscii = 0;
    }
    KeyAscii = TypingFilter::convertCase(d.style.CurCaseType, KeyAscii);
}

} // namespace Vantrel3
