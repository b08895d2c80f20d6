#pragma once

#include "control/record_binding.h"
#include "control/row_operations.h"
#include "control/settings_table.h"
#include "control/user_edits.h"
#include "editing/cell_editor.h"
#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_keys.h"
#include "editing/grid_keys.h"
#include "editing/key_actions.h"
#include "pickers/popup_controller.h"
#include "styles/cell_style_registry.h"

#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>

#include <QPixmap>

#include <optional>

class QFrame;

namespace Vantrel3 {

class CellButton;
class DataControl;
class EditorBox;
class FlexGrid;

// The control's private side: it owns the child widgets and the parts, and wires the events of
// the one to the other. Each part keeps its own state; this class decides nothing itself.
class VantrelPrivate final : private KeyActions {
public:
    // A write the user is told about after the move, then taken back to the cell.
    struct FailedWrite {
        qint32 row;
        qint32 col;
        QString text; // put back in the editor; empty keeps what the cell holds
        QString description;
    };

    explicit VantrelPrivate(Vantrel *q);

    Vantrel *q;
    FlexGrid *MSFlexGrid1;
    FlexGrid *MSFlexGrid2;
    EditorBox *Text1;
    CellButton *Command1;
    CellButton *Command2;
    // Draws the sunken frame of the three-dimensional appearance over the whole control.
    QFrame *surfaceFrame;

    EditOptions options;
    CellStyleRegistry registry;
    EditSession session;
    PopupController popups;
    DataControl *Data1;
    CellEditor cells;
    RecordBinding binding;
    RowOperations rows;
    UserEdits edits;
    EditorKeys editorKeys;
    GridKeys gridKeys;
    SettingsTable settings;

    // What Col and Row were last set to, saved with the control.
    qint32 recordedRow = 0;
    qint32 recordedCol = 0;
    // The cell last left, and a popup that a click on another cell closed (that click raises no
    // Click).
    qint32 leftRow = -1;
    qint32 leftCol = -1;
    bool popupClosedByClick = false;
    std::optional<FailedWrite> failedWrite;
    struct PendingTyping {
        qint32 row = -1;
        qint32 col = -1;
        QString text;
        bool operator==(const PendingTyping &) const = default;
    };
    PendingTyping lastFailedTyping;
    // The surface's own settings.
    qint32 appearance = 0;
    qint16 mousePointer = 0;
    QPixmap mouseIcon;

    void connectParts();
    // Commits what the editor holds for the current cell, and the current new row, as leaving
    // them would: before the control ends or hides, and before its data source opens again.
    // Failures are told at once.
    void commitPendingTyping();
    // The data source opens again (DatabaseName, RecordSource): what is pending is committed
    // and bound entry on the old records ends first.
    void beforeRefresh();
    // A data source that did not open: one message, and bound entry waits for one that does
    // while the grids keep what they show.
    void tellSourceUnavailable(const VbError &error);
    // Emits the change signal of a property.
    void notify(const QString &property);
    QFont ambientFont() const;
    void applyAppearance();
    void applyCursor();

private:
    void onGridEnterCell();
    void onGridLeaveCell();
    void onGridClick();
    void onEditorChange();
    // Writes a left cell: validated, to its record when the row has one, then to the grids.
    void commitCell(qint32 row, qint32 col);
    // A new row the user left becomes a record.
    void insertLeftRow(qint32 row, qint32 col);
    // After a failed write: tell the user, then take them back to the cell with their text.
    void reportFailedWrite(bool queued);
    void removeRowOfDeletedRecord(qint32 row);
    SettingsTable makeSettings();

    // KeyActions
    void setRow(qint32 row) override;
    void setCol(qint32 col) override;
    void bringCurrentCellIntoView() override;
    void applyAutoInsert() override;
    bool startRecordEdit() override;
    void openCellPopup() override;
    bool listPopupOpen() const override;
    void closeListPopup() override;
    void copyCells() override;
    bool pasteCells(bool blockOnly) override;
    void undo() override;
    void redo() override;
    void removeCurrentRow() override;
};

} // namespace Vantrel3
