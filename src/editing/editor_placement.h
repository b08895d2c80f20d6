#pragma once

#include <QtGlobal>

namespace Vantrel3 {

class VantrelPrivate;
class CellButton;

// Lays the editor over the grid's current cell: its rectangle, the trim to the grid's visible
// width, the cell's button at the editor's right edge, the cell's style and lookup items, and the
// cell's raw text. Every length is in twips, computed in 32 bits.
class EditorPlacement {
public:
    // Room kept past the last column, and the extra trim with a single border.
    static constexpr qint32 kMargin = 15;
    // Taken off the grid's height before testing whether all rows fit.
    static constexpr qint32 kHeightAllowance = 180;
    // Room kept for the vertical scroll bar when the rows do not all fit.
    static constexpr qint32 kScrollBarRoom = 235;

    explicit EditorPlacement(VantrelPrivate &d) : d(d) {}

    void PlaceEditor();

private:
    void layOnCell();
    void trimToGrid();
    void applyColumnMode();
    void applyCellButton();
    void fillLookupItems();
    void applyCellEditStyle();
    void setDataType(qint32 dataType);
    void attach(CellButton *button);
    void giveBackRoom(CellButton *hidden);

    VantrelPrivate &d;
    qint32 m_row = 0;
    qint32 m_col = 0;
    qint32 m_cellLeft = 0;
    qint32 m_cellTop = 0;
    qint32 m_cellWidth = 0;
    qint32 m_cellHeight = 0;
};

} // namespace Vantrel3
