#pragma once

#include <QtGlobal>

namespace Vantrel3 {

// What the key handling asks of the control: moves that commit the cell being left, the
// AutoInsert row, the record edit that typing starts, and the popups.
class KeyActions {
public:
    // Moves the current cell in both grids, running the leave and enter handling.
    virtual void setRow(qint32 row) = 0;
    virtual void setCol(qint32 col) = 0;
    // Scrolls the current cell back into view and places the editor on it again.
    virtual void bringCurrentCellIntoView() = 0;
    // On the last row, appends an empty row and places the editor again.
    virtual void applyAutoInsert() = 0;
    // Puts the current row's bound record into edit mode; true when it started one now.
    virtual bool startRecordEdit() = 0;
    // The cell-button click procedure: opens or closes the current cell's popup.
    virtual void openCellPopup() = 0;
    virtual bool listPopupOpen() const = 0;
    virtual void closeListPopup() = 0;
    // The edits beyond the current cell's text: the selection to the clipboard, the clipboard
    // pasted from the current cell (with `blockOnly`, a single cell is left to the editor and
    // false comes back), undo and redo, and the removal of the current row.
    virtual void copyCells() = 0;
    virtual bool pasteCells(bool blockOnly) = 0;
    virtual void undo() = 0;
    virtual void redo() = 0;
    virtual void removeCurrentRow() = 0;

protected:
    ~KeyActions() = default;
};

} // namespace Vantrel3
