#include "editing/grid_keys.h"

#include "control/vantrel_p.h"
#include "editing/editor_box.h"
#include "editing/key_codes_used.h"
#include "editing/typing_filter.h"
#include "host/key_codes.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/VbError.h>

namespace Vantrel3 {

void GridKeys::KeyDown(qint16 &KeyCode, qint16 & /*Shift*/) {
    if (d.handleFunctionKey(KeyCode)) {
        return;
    }
    Vantrel &q = *d.q;
    switch (KeyCode) {
    case vbKeyUp:
        // The limit is row 0, so this can move into a fixed row.
        if (q.Row() >= 1) {
            q.SetRow(q.Row() - 1);
        }
        break;
    case vbKeyDown:
        if (q.Row() < q.Rows() - 1) {
            q.SetRow(q.Row() + 1);
        }
        break;
    case vbKeyLeft:
        if (q.Col() > q.FixedCols()) {
            q.SetCol(q.Col() - 1);
        }
        break;
    case vbKeyRight:
        if (q.Col() < q.Cols() - 1) {
            q.SetCol(q.Col() + 1);
        }
        break;
    case vbKeyReturn:
        if (d.enterAsKeyTab) {
            if (q.Col() < q.Cols() - 1) {
                q.SetCol(q.Col() + 1);
            }
        } else if (d.allowEdit) {
            d.Text1->setFocus();
        }
        break;
    default:
        return; // other keys are left to the grid
    }
    // The move is done here; the grid must not move again.
    KeyCode = 0;
}

void GridKeys::KeyPress(qint16 &KeyAscii) {
    if (!d.allowEdit) {
        return;
    }
    try {
        if (KeyAscii == vbKeyReturn) {
            KeyAscii = 0;
            d.giveTypingLook();
            d.applyAutoInsert();
        }
        // The range handled here starts at 32; an Enter has become 0 and stops here.
        if (!TypingFilter::inTypingRange(KeyAscii) || KeyAscii == 31) {
            return;
        }
        d.giveTypingLook();
        d.applyAutoInsert();
    } catch (const VbError &e) {
        d.showKeyPressFailure(e.Description());
        return;
    }

    const bool editStarted = d.startRecordEdit();
    try {
        d.Text1->setFocus();
        const bool accepted = TypingFilter::accepts(d.style.CurDataType, KeyAscii);
        KeyAscii = TypingFilter::convertCase(d.style.CurCaseType, KeyAscii);
        if (accepted) {
            d.Text1->SetText(QString(KeyCodes::charFromKeyAscii(KeyAscii)));
            d.Text1->SetSelStart(qint32(d.Text1->Text().size()));
        }
        // The character now lives in the editor; the grid does nothing more with it.
        KeyAscii = 0;
    } catch (const VbError &e) {
        // Failures are reported only while a record edit was already pending.
        if (d.recordEditPending && !editStarted) {
            d.showKeyPressFailure(e.Description());
        }
    }
}

} // namespace Vantrel3
