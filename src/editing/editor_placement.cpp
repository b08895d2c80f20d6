#include "editing/editor_placement.h"

#include "control/vantrel_p.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"
#include "pickers/frm_list.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/FlexGrid.h>

#include <QListWidget>
#include <cmath>
#include <cstdlib>

namespace Vantrel3 {

void EditorPlacement::PlaceEditor() {
    if (!d.allowEdit) {
        return;
    }
    FlexGrid &grid = *d.MSFlexGrid1;
    m_col = grid.Col();
    m_row = grid.Row();
    if (m_row < grid.FixedRows() || m_col < grid.FixedCols()) {
        return;
    }
    m_cellLeft = grid.CellLeft();
    m_cellTop = grid.CellTop();
    m_cellWidth = grid.CellWidth();
    m_cellHeight = grid.CellHeight();

    layOnCell();
    trimToGrid();
    applyColumnMode();
    applyCellButton();
    fillLookupItems();
    applyCellEditStyle();
    if (!d.editorHoldsTyping(m_row, m_col)) {
        const QString raw = d.MSFlexGrid2->Text();
        d.Text1->SetText(raw);
        d.loadedRow = m_row;
        d.loadedCol = m_col;
        d.loadedText = raw;
    }
    d.Text1->SetVisible(true);
    d.Text1->raise();
}

void EditorPlacement::layOnCell() {
    const FlexGrid &grid = *d.MSFlexGrid1;
    // The last column may reach past the control's right edge: keep the editor inside.
    qint32 overhang = 0;
    if (m_col == grid.Cols() - 1) {
        overhang = (m_cellLeft + m_cellWidth) - d.controlWidth() + kMargin;
        if (overhang < 0) {
            overhang = 0;
        }
    }
    EditorBox &editor = *d.Text1;
    editor.SetLeft(m_cellLeft);
    editor.SetTop(m_cellTop);
    editor.SetHeight(m_cellHeight);
    editor.SetWidth(m_cellWidth - overhang);
}

void EditorPlacement::trimToGrid() {
    const FlexGrid &grid = *d.MSFlexGrid1;
    const qint32 bars = grid.ScrollBars();
    if (bars != eScrollBarVertical && bars != eScrollBarBoth) {
        return;
    }
    EditorBox &editor = *d.Text1;
    // The current cell's height stands for every row's height.
    const bool rowsDoNotFit =
        qint64(grid.Height()) - kHeightAllowance < qint64(m_cellHeight) * grid.Rows();
    const qint32 right = editor.Left() + editor.Width() + (rowsDoNotFit ? kScrollBarRoom : 0);
    const qint32 trim = grid.Width() - right;
    if (trim < 0) {
        const qint32 loss = std::abs(trim) + (grid.BorderStyle() == 1 ? kMargin : 0);
        editor.SetWidth(editor.Width() - loss);
    }
}

void EditorPlacement::setDataType(qint32 dataType) {
    d.style.CurDataType = dataType;
    if (dataType == Date) {
        d.style.CellHasCalendar = true;
    } else if (dataType == Numeric) {
        d.style.CellHasCalculator = true;
    }
}

void EditorPlacement::applyColumnMode() {
    const clsGrid *mode = d.registry.firstColumnMode(m_col);
    if (!mode) {
        return;
    }
    d.Text1->SetMaxLength(mode->MaxLen);
    setDataType(mode->DataType);
    d.style.CurCaseType = mode->CaseFormat;
    d.style.CurCustomFormat = mode->CustomFormat;
    switch (mode->ButtonStyle) {
    case ButtonStyleDrop:
        attach(d.Command1);
        d.Command2->SetVisible(false);
        break;
    case ButtonStyleBrowse:
        attach(d.Command2);
        d.Command1->SetVisible(false);
        break;
    default:
        d.Command1->SetVisible(false);
        d.Command2->SetVisible(false);
        break;
    }
}

void EditorPlacement::applyCellButton() {
    const clsButtons *button = d.registry.firstButton(m_row, m_col);
    if (!button) {
        return;
    }
    CellButton *wanted = nullptr;
    CellButton *other = nullptr;
    if (button->Style == ButtonStyleDrop) {
        wanted = d.Command1;
        other = d.Command2;
    } else if (button->Style == ButtonStyleBrowse) {
        wanted = d.Command2;
        other = d.Command1;
    } else {
        return;
    }
    if (wanted->Visible()) {
        return;
    }
    if (other->Visible()) {
        giveBackRoom(other);
    }
    attach(wanted);
}

void EditorPlacement::giveBackRoom(CellButton *hidden) {
    hidden->SetVisible(false);
    // Both buttons have the same width; the room is reckoned with the drop button's.
    d.Text1->SetWidth(d.Text1->Width() + d.Command1->Width() - kMargin);
}

void EditorPlacement::attach(CellButton *button) {
    EditorBox &editor = *d.Text1;
    editor.SetWidth(editor.Width() - button->Width() + kMargin);
    button->SetHeight(m_cellHeight);
    button->SetTop(m_cellTop);
    button->SetLeft(m_cellLeft + editor.Width());
    button->SetVisible(true);
    button->raise();
}

void EditorPlacement::fillLookupItems() {
    QListWidget *list = d.frmListObj->List1();
    list->clear();
    list->addItems(d.registry.lookUpItems(m_row, m_col));
    if (list->count() > 0) {
        d.style.CellHasList = true;
    }
}

void EditorPlacement::applyCellEditStyle() {
    const clsEdit *edit = d.registry.firstEditStyle(m_row, m_col);
    if (!edit) {
        return;
    }
    d.Text1->SetMaxLength(edit->MaxLen);
    setDataType(edit->DataFormat);
    d.style.CurCaseType = edit->CaseFormat;
    d.style.CurCustomFormat = edit->CustomFormat;
}

} // namespace Vantrel3
