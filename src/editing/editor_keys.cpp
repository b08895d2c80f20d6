#include "editing/editor_keys.h"

#include "control/vantrel_p.h"
#include "editing/editor_box.h"
#include "editing/typing_filter.h"
#include "pickers/frm_list.h"

#include <Vantrel3/MessageBox.h>
#include <Vantrel3/VbError.h>

namespace Vantrel3 {

namespace {

constexpr qint16 kEnter = 13;
constexpr qint16 kBackspace = 8;

} // namespace

void EditorKeys::KeyPress(qint16 &KeyAscii) {
    try {
        if (KeyAscii == kEnter) {
            KeyAscii = 0;
            if (d.autoComplete && d.frmListObj->isVisible()) {
                d.frmListObj->hide();
            }
            d.applyAutoInsert();
            return;
        }
        if (!d.allowEdit) {
            return;
        }
        if (TypingFilter::inTypingRange(KeyAscii)) {
            filterTypedCharacter(KeyAscii);
        } else if (KeyAscii == kBackspace) {
            if (d.autoComplete && d.frmListObj->isVisible()) {
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
