#pragma once

#include "editing/cell_text.h"
#include "editing/editor_placement.h"
#include "editing/row_follower.h"
#include "editing/validation_notes.h"
#include "styles/cell_style_state.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace Vantrel3 {

class CellButton;
class CellStyleRegistry;
class EditSession;
class EditorBox;
class FlexGrid;
struct EditOptions;

// The widgets the editing of the current cell works on.
struct EditorParts {
    FlexGrid &shown;    // MSFlexGrid1: formatted texts
    FlexGrid &raw;      // MSFlexGrid2: raw texts, never shown
    EditorBox &editor;  // Text1
    CellButton &drop;   // Command1
    CellButton &browse; // Command2
};

// The editor over the current cell: placing it, loading the cell's raw text on entering,
// committing the editor's text on leaving, and the styled write of a text that code sets.
class CellEditor {
public:
    CellEditor(const EditorParts &parts, const CellStyleRegistry &registry, EditSession &session,
               const EditOptions &options);

    // The one placement, whoever asks: lays the editor and the cell's button over the current
    // cell, loads the cell's style and lookup items, and its raw text unless the editor holds
    // typing for that cell. A fixed current cell changes nothing; a cell out of view hides them.
    void placeEditor();
    // The same after the current event: a placement changes geometry and text, which must not
    // happen inside a paint, resize or scroll event.
    void schedulePlacement();
    bool currentCellInView() const;
    // Receives the current cell's lookup items each time placement reads them.
    void setLookupItemsSink(std::function<void(const QStringList &)> sink);

    // Entering: the editor takes the new cell's raw text, which the visible cell shows while
    // it is current. A code of the cell's lookup items reads as its label in both.
    void loadCurrentCell();
    // The editor takes the current cell's raw text as entering gives it, and holds no typing.
    void reloadEditor();
    // A lookup item was added for (row, col): a cell already holding its code shows its label,
    // and the current cell's editor too unless it holds typing. A cell outside the grids is
    // left for the fill or write that creates it.
    void lookUpItemAdded(qint32 row, qint32 col);
    // The text of a cell being left, validated: what the grids and the record would take.
    struct Commit {
        qint32 row = -1;
        qint32 col = -1;
        QString typed;       // the editor's
        QString text;        // the raw text it stands for: a lookup label's code
        QString rawBefore;   // the hidden grid's, before
        QString validated;   // to show, or "Err"
        qint32 dataType = 0; // the type it was checked by
        qint32 caseType = 0; // the case the shown text takes
        // The lookup label of a coded text, which the cell shows.
        std::optional<QString> label;
        bool changed() const { return text != rawBefore; }
        bool invalid() const { return validated == CellText::kErr; }
    };
    // Leaving, first half, while the grids still address the cell: the editor's text checked by
    // the cell's data type, or by `fallbackType` (the bound field's) when the cell has none.
    // Touches nothing.
    Commit endEdit(qint32 fallbackType) const;
    // Second half: the grids take the shown and raw texts of the commit's cell. With
    // `keepInvalidRaw` (a bound grid) an invalid text shows "Err" while the hidden grid keeps what
    // was typed, so that entering the cell again shows it; the record was not written. Each step
    // runs even when one fails.
    void applyEdit(const Commit &commit, bool keepInvalidRaw);
    // The editor and the current cell take again what the hidden grid holds for the cell, after
    // something other than typing wrote it.
    void reloadCurrentCell();
    // The rest of leaving, whatever AllowEdit is: style state back to neutral, the plain look,
    // the buttons hidden and the focus to the grid.
    void finishLeaving();

    // The style code writes a cell's text with: the cell's column mode (the last) and cell style
    // (the first). The current cell's style state is left alone: it changes only when the
    // current cell does.
    CellStyleState styleFor(qint32 row, qint32 col) const;
    // Writes the shown and raw texts of (row, col) to both grids, in the cell's style.
    void formatCellText(qint32 row, qint32 col, const QString &text);
    // Shows rows [firstRow, lastRow], filled with stored values, in the look a text written by
    // code gets; the hidden grid keeps them as stored. Only cells whose style converts case or
    // has a format change, so the others keep the text the two grids share.
    void styleStoredRows(qint32 firstRow, qint32 lastRow);
    // The shown and raw texts of `text` in a style.
    static CellText::Styled styled(const QString &text, const CellStyleState &style);
    // The same for a text code writes into (row, col): a code of the cell's lookup items shows
    // its label.
    CellText::Styled styledFor(qint32 row, qint32 col, const QString &text,
                               const CellStyleState &style) const;

    // The editor's look while the user types.
    void giveTypingLook();
    const CellStyleRegistry &registry() const { return m_registry; }
    // Why each cell showing "Err" is invalid.
    const ValidationNotes &notes() const { return m_notes; }
    // Rows inserted or removed in the grids: what is kept by cell follows its row, here and in
    // every follower.
    void rowsInserted(qint32 first, qint32 count);
    void rowsRemoved(qint32 first, qint32 count);
    // The grids were emptied or filled again: nothing kept by cell stands any more.
    void cellsReplaced();
    void addRowFollower(RowFollower *follower);
    // The control's own width in twips, which placement keeps the editor inside.
    qint32 controlWidth() const;

private:
    PlacementMetrics metrics() const;
    void applyLayout(const EditorLayout &layout);

    EditorParts m_parts;
    const CellStyleRegistry &m_registry;
    EditSession &m_session;
    const EditOptions &m_options;
    std::function<void(const QStringList &)> m_lookupItemsSink;
    ValidationNotes m_notes;
    std::vector<RowFollower *> m_followers;
    bool m_placementPending = false;
};

} // namespace Vantrel3
