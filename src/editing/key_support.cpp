#include "control/vantrel_p.h"
#include "editing/editor_box.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>

// Support shared by the grid's and the editor's key handling.

namespace Vantrel3 {

void VantrelPrivate::applyAutoInsert() {
    if (autoInsert && MSFlexGrid1->Row() == MSFlexGrid1->Rows() - 1) {
        q->AddItem(QString());
        PlaceEditor();
    }
}

void VantrelPrivate::giveTypingLook() {
    Text1->SetForeColor(foreColorEdit);
    Text1->SetFont(fontEditText);
}

void VantrelPrivate::showKeyPressFailure(const QString &description) {
    const QString visible = Text1->Visible() ? QStringLiteral("True") : QStringLiteral("False");
    MsgBox(description + QStringLiteral("KeyPress ") + visible, vbInformation,
           QStringLiteral("Avviso Utente"), q);
}

bool VantrelPrivate::handleFunctionKey(qint16 &KeyCode) {
    if (KeyCode != setKeyFunction) {
        return false;
    }
    if (style.CellHasList || style.CellHasCalendar || style.CellHasCalculator) {
        Command1_Click();
    }
    KeyCode = 0;
    return true;
}

} // namespace Vantrel3
