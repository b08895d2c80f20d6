#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace Vantrel3 {

class CellStyleRegistry;
struct CellStyleState;

// Which cell button stands at the editor's right edge.
enum class CellButtonKind { None, Drop, Browse };

// What placement reads: the current cell, its rectangle and the grid's shape and size, in twips.
struct PlacementMetrics {
    qint32 row = 0;
    qint32 col = 0;
    qint32 rows = 0;
    qint32 cols = 0;
    qint32 fixedRows = 0;
    qint32 fixedCols = 0;
    qint32 cellLeft = 0;
    qint32 cellTop = 0;
    qint32 cellWidth = 0;
    qint32 cellHeight = 0;
    qint32 controlWidth = 0;
    qint32 gridWidth = 0;
    qint32 gridHeight = 0;
    qint32 scrollBars = 0;
    qint32 borderStyle = 0;
    // Both buttons have the same width.
    qint32 buttonWidth = 255;
};

// The style a cell's records give it: the editor's length limit, data type, case and format.
struct PlacedStyle {
    qint32 maxLength = 0;
    qint32 dataType = 0;
    qint32 caseType = 0;
    QString customFormat;
};

// Where the editor and the cell button go, and what the cell's records set. Members the records
// do not set stay empty: placement resets nothing.
struct EditorLayout {
    qint32 left = 0;
    qint32 top = 0;
    qint32 width = 0;
    qint32 height = 0;
    // Which button to show; nullopt leaves both buttons as they are.
    std::optional<CellButtonKind> button;
    qint32 buttonLeft = 0;
    qint32 buttonTop = 0;
    qint32 buttonHeight = 0;
    std::optional<PlacedStyle> style;
    bool setsCalendar = false;
    bool setsCalculator = false;
    QStringList lookupItems;

    // Writes what the records set into the current-cell style state; the length limit goes to
    // the caller, which keeps it on the editor.
    void applyTo(CellStyleState &state) const;
};

// Lays the editor over the current cell: its rectangle, the trim to the grid's visible width,
// the cell's button at the editor's right edge, and the cell's style and lookup items. Pure
// geometry: every length is in twips, computed in 32 bits.
class EditorPlacement {
public:
    // Room kept past the last column, and the extra trim with a single border.
    static constexpr qint32 kMargin = 15;
    // Taken off the grid's height before testing whether all rows fit.
    static constexpr qint32 kHeightAllowance = 180;
    // Room kept for the vertical scroll bar when the rows do not all fit.
    static constexpr qint32 kScrollBarRoom = 235;

    // A fixed current cell gives no layout: the editor keeps its place.
    static bool placesOn(const PlacementMetrics &m) {
        return m.row >= m.fixedRows && m.col >= m.fixedCols;
    }

    static EditorLayout layout(const PlacementMetrics &m, const CellStyleRegistry &registry);
    // The style a cell's records give its editor, by the same rule as layout: the first column
    // mode, then the first cell style over it.
    static PlacedStyle typingStyle(const CellStyleRegistry &registry, qint32 row, qint32 col);
};

} // namespace Vantrel3
