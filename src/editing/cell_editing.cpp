#include "control/vantrel_p.h"
#include "editing/cell_button.h"
#include "editing/cell_text.h"
#include "editing/editor_box.h"
#include "host/ignoring_errors.h"
#include "pickers/frm_list.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/vbruntime.h>

#include <QApplication>
#include <QListWidget>
#include <QTimer>

// The editing cycle of a cell: entering places the editor, leaving commits its text to both
// grids, and the editor's change handling completes typed text from the cell's lookup items.

namespace Vantrel3 {

void VantrelPrivate::onGridClick() {
    // A click while a popup is open only closes it.
    if (!closeFirstOpenPopup()) {
        Q_EMIT q->Click();
    }
}

bool VantrelPrivate::closeFirstOpenPopup() {
    if (listOpen()) {
        unloadList();
    } else if (calendarOpen()) {
        unloadCalendar();
    } else if (calculatorOpen()) {
        unloadCalculator();
    } else {
        return false;
    }
    return true;
}

void VantrelPrivate::onEditorClick() {
    if (listOpen()) {
        unloadList();
    }
    if (calendarOpen()) {
        unloadCalendar();
    }
}

void VantrelPrivate::onEditorLostFocus() {
    QWidget *now = QApplication::focusWidget();
    // Focus that left the window (another window or popup became active) is not a move
    // inside the control.
    if (!now || now->window() != q->window()) {
        return;
    }
    if (now == Command1 || now == Command2) {
        return;
    }
    closeFirstOpenPopup();
}

bool VantrelPrivate::editorHoldsTyping(qint32 row, qint32 col) const {
    return row == loadedRow && col == loadedCol && Text1->Text() != loadedText;
}

void VantrelPrivate::schedulePlacement() {
    if (placementPending) {
        return;
    }
    placementPending = true;
    QTimer::singleShot(0, q, [this] {
        placementPending = false;
        guarded("PlaceEditor", [this] { followCurrentCell(); });
    });
}

void VantrelPrivate::followCurrentCell() {
    if (!allowEdit) {
        return;
    }
    const qint32 row = MSFlexGrid1->Row();
    const qint32 col = MSFlexGrid1->Col();
    const bool fixed = row < MSFlexGrid1->FixedRows() || col < MSFlexGrid1->FixedCols();
    if (!fixed && !(MSFlexGrid1->RowIsVisible(row) && MSFlexGrid1->ColIsVisible(col))) {
        // The cell scrolled out of view: the editor must not float over another cell.
        Text1->SetVisible(false);
        Command1->SetVisible(false);
        Command2->SetVisible(false);
        return;
    }
    PlaceEditor();
}

void VantrelPrivate::onEditorChange() {
    QListWidget *list = frmListObj->List1();
    // List1's own visibility flag, not whether its form is on screen.
    if (list->count() > 0 && autoComplete && !list->isHidden()) {
        const int found = frmList::findString(list, Text1->Text());
        list->setCurrentRow(qint16(found));
        if (list->currentRow() != -1) {
            const qint32 p = Text1->SelStart();
            Text1->SetText(list->currentItem()->text());
            Text1->SetSelStart(p);
            Text1->SetSelLength(qint32(Text1->Text().size()) - p);
        }
    }
    Q_EMIT q->Change();
}

void VantrelPrivate::onGridEnterCell() {
    MSFlexGrid2->SetCol(MSFlexGrid1->Col());
    MSFlexGrid2->SetRow(MSFlexGrid1->Row());
    if (allowEdit) {
        Text1->SetText(MSFlexGrid2->Text());
        MSFlexGrid1->SetText(Text1->Text());
    }
    PlaceEditor();
    Q_EMIT q->EnterCell();
}

void VantrelPrivate::onGridLeaveCell() {
    // The grid still addresses the cell being left. Every step runs even when one fails.
    if (allowEdit) {
        ignoringErrors([&] { recordEditPending = false; });
        bool written = true;
        ignoringErrors([&] { written = WriteCellToRecord(); });
        QString v;
        ignoringErrors([&] { v = CellText(*this).ValidateEditText(style.CurDataType); });
        // A value the record did not take is not shown as stored: the cell keeps its text and
        // the user is taken back to it with what they typed.
        ignoringErrors([&] {
            if (!written) {
                return;
            }
            switch (style.CurCaseType) {
            case UpperCase:
            case LowerCase:
                MSFlexGrid1->SetText(vb::StrConv(Text1->Text(), style.CurCaseType));
                break;
            case ProperCase:
                MSFlexGrid1->SetText(vb::StrConv(v, ProperCase));
                break;
            default:
                MSFlexGrid1->SetText(v);
                break;
            }
        });
        ignoringErrors([&] {
            if (written) {
                MSFlexGrid2->SetText(v == CellText::kErr ? CellText::kErr : Text1->Text());
            }
        });
        ignoringErrors([&] { Text1->SetText(QString()); });
    }
    forgetTyping();
    style.reset();
    ignoringErrors([&] { Text1->SetMaxLength(0); });
    ignoringErrors([&] { Text1->SetFont(MSFlexGrid1->font()); });
    ignoringErrors([&] { Command1->SetVisible(false); });
    ignoringErrors([&] { Command2->SetVisible(false); });
    ignoringErrors([&] { MSFlexGrid1->setFocus(); });
    ignoringErrors([&] { Q_EMIT q->LeaveCell(); });
    reportFailedWrite();
}

} // namespace Vantrel3
