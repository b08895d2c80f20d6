#include "editing/key_handler.h"

#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "editing/key_actions.h"

#include <Vantrel3/MessageBox.h>

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

void KeyHandler::showKeyPressFailure(const QString &description) {
    const QString visible = t.editor.Visible() ? QStringLiteral("True") : QStringLiteral("False");
    MsgBox(description + QStringLiteral("KeyPress ") + visible, vbInformation,
           QStringLiteral("Avviso Utente"), t.editor.parentWidget());
}

} // namespace Vantrel3
