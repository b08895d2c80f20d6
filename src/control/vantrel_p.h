#pragma once

#include "styles/cell_style_registry.h"
#include "styles/cell_style_state.h"

#include <Vantrel3/OleColor.h>
#include <Vantrel3/Vantrel.h>

#include <QFont>
#include <QVariantList>
#include <optional>

namespace Vantrel3 {

class FlexGrid;
class EditorBox;
class CellButton;
class frmList;
class DataControl;
class frmCal;
class Calculator;

// The control's parts and shared state. The concerns (placement, editing, keys, pickers,
// binding) work on this object instead of reaching into each other.
class VantrelPrivate {
public:
    explicit VantrelPrivate(Vantrel *q);

    static VantrelPrivate *get(Vantrel *q) { return q->d.get(); }
    static const VantrelPrivate *get(const Vantrel *q) { return q->d.get(); }

    Vantrel *q;
    FlexGrid *MSFlexGrid1 = nullptr;
    FlexGrid *MSFlexGrid2 = nullptr;
    EditorBox *Text1 = nullptr;
    CellButton *Command1 = nullptr;
    CellButton *Command2 = nullptr;
    // The three popups, created once in this order and kept for the control's life.
    frmCal *frmCalObj = nullptr;
    Calculator *frmCalc = nullptr;
    frmList *frmListObj = nullptr;
    DataControl *Data1 = nullptr;

    CellStyleRegistry registry;
    CellStyleState style;

    // Own settings
    bool allowEdit = true;
    bool autoInsert = true;
    bool autoComplete = false;
    bool recordEditPending = false;
    bool arrowAsKeyTab = false;
    bool enterAsKeyTab = false;
    qint32 setKeyFunction = 118; // F7
    // Set when the control was shown while its data source had an open recordset.
    bool boundEntry = false;
    // The blank record this control saved for the trailing empty row, and its position.
    bool blankRecordSaved = false;
    qint32 blankRecordPosition = -1;
    // The values the blank record was saved with (server-filled keys included), for "still blank".
    QVariantList blankRecordValues;
    // A write-back that failed while its cell was left: reported, then the cell is entered
    // again with the user's text.
    struct FailedWrite {
        qint32 row;
        qint32 col;
        QString text;
        QString description;
    };
    std::optional<FailedWrite> failedWrite;
    OleColor foreColorEdit = 0x80;
    QFont fontEditText;
    qint32 recordedRow = 0;
    qint32 recordedCol = 0;

    // The cell whose raw text the editor was last loaded with, and that text. While the editor
    // stays on that cell and its text differs, it holds the user's uncommitted typing, which a
    // new placement keeps (repaints, scrolling, writes to other cells).
    qint32 loadedRow = -1;
    qint32 loadedCol = -1;
    QString loadedText;
    bool editorHoldsTyping(qint32 row, qint32 col) const;
    // The next placement reloads the raw text whatever the editor holds.
    void forgetTyping() { loadedRow = loadedCol = -1; }

    // Re-lays the editor after the current event: a placement changes geometry and text, which
    // must not happen inside a paint or scroll event. Hidden while its cell is out of view.
    bool placementPending = false;
    void schedulePlacement();
    void followCurrentCell();

    // The control's own width in twips, as placement reads it.
    qint32 controlWidth() const;

    void PlaceEditor();
    // Loads the style of (Row, Col) into the current-cell style state and the editor's limit.
    void ApplyCellStyle(qint32 Row, qint32 Col);
    // On the last row, appends an empty row and places the editor again.
    void applyAutoInsert();
    // The editor's look while the user types.
    void giveTypingLook();
    // The message box of a failed key press.
    void showKeyPressFailure(const QString &description);
    void onGridEnterCell();
    void onGridLeaveCell();
    void onGridClick();
    // Closes the list, else the calendar, else the calculator; false when none was open.
    bool closeFirstOpenPopup();
    void onEditorClick();
    void onEditorLostFocus();
    // The editor's change handling: completion from the lookup items, then Change.
    void onEditorChange();

    // The function key opens the current cell's popup; true when the key was the function key.
    bool handleFunctionKey(qint16 &KeyCode);
    // Popups and the cell-button click procedure (pickers/popup_dispatch.cpp).
    void createPopups();
    bool listOpen() const;
    bool calendarOpen() const;
    bool calculatorOpen() const;
    void unloadList();
    void unloadCalendar();
    void unloadCalculator();
    void Command1_Click();
    void Command2_Click();
    void FillLookupList();
    // Data binding (control/data_binding.cpp).
    // Puts the bound record of the current row into edit mode; true when it started one now.
    bool startRecordEdit();
    void loadDataSource(const QString &database, qint16 type, const QString &source);
    void fillGridsFromRecordset();
    void onShow();
    void onTerminate();
    bool trailingBlankRecordIntact() const;
    void startRecordForItem();
    // Gives the started record one field of an item; returns the text the cell shows.
    QString writeItemField(qint32 col, const QString &field);
    // The record save; a failure is reported to the user and false comes back.
    bool saveRecord();
    void CompleteNewRecord();
    // False when the edited value could not be written; the failure is kept in failedWrite.
    bool WriteCellToRecord();
    void reportFailedWrite();

    QFont ambientFont() const;
};

} // namespace Vantrel3
