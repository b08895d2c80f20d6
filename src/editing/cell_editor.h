#pragma once

#include "editing/cell_text.h"
#include "editing/editor_placement.h"

#include <QString>
#include <QStringList>
#include <functional>

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
    // Receives the current cell's lookup items each time placement reads them.
    void setLookupItemsSink(std::function<void(const QStringList &)> sink);

    // Entering: the editor takes the new cell's raw text, which the visible cell shows while
    // it is current.
    void loadCurrentCell();
    // Leaving, while the grids still address the cell: `writeBack` writes the editor's text to
    // the bound record first and says whether the record took it; the grids then get the shown
    // and raw texts and the editor is emptied. Each step runs even when one before fails.
    void commit(const std::function<bool(const QString &)> &writeBack);
    // The rest of leaving, whatever AllowEdit is: style state back to neutral, the plain look,
    // the buttons hidden and the focus to the grid.
    void finishLeaving();

    // Loads the style of (row, col) into the current-cell style state and the editor's limit.
    void applyCellStyle(qint32 row, qint32 col);
    // Loads the cell's style, then writes the shown and raw texts to both grids.
    void formatCellText(qint32 row, qint32 col, const QString &text);
    // The shown and raw texts of `text` under the style now in force.
    CellText::Styled styled(const QString &text) const;

    // The editor's look while the user types.
    void giveTypingLook();
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
    bool m_placementPending = false;
};

} // namespace Vantrel3
