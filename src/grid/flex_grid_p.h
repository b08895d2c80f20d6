#pragma once

#include "grid/cell_store.h"
#include "grid/grid_axis.h"
#include "grid/grid_back_buffer.h"
#include "grid/grid_size_index.h"
#include "grid/grid_text_cache.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/OleColor.h>

#include <QMouseEvent>
#include <QRect>
#include <vector>

namespace Vantrel3 {

// Settings of one column; the texts live in the cell store.
struct GridColumn {
    qint32 width = -1; // twips, -1 for the default
    qint32 alignment = eAlignGeneral;
    qint32 fixedAlignment = -1; // -1: fixed cells follow the column's alignment
    qint32 data = 0;
    bool merge = false;
};

// A rectangle of cells, as (top, left) .. (bottom, right), inclusive.
struct CellRange {
    qint32 top = 0;
    qint32 left = 0;
    qint32 bottom = 0;
    qint32 right = 0;
    bool operator==(const CellRange &) const = default;
};

class FlexGridPrivate {
public:
    explicit FlexGridPrivate(FlexGrid *grid);

    FlexGrid *q;
    CellStore store;
    GridBackBuffer backBuffer;
    GridTextCache texts; // filled by painting, which is const otherwise
    // Row positions far apart when rows differ in height; built when first needed after a change.
    struct RowIndexKey {
        quint64 version = ~quint64(0);
        int standard = 0;
        int minPx = 0;
        int dpi = 0;
        bool operator==(const RowIndexKey &) const = default;
    };
    mutable GridSizeIndex rowIndex;
    mutable RowIndexKey rowIndexKey;
    std::vector<GridColumn> columns;

    qint32 fixedRows = 1;
    qint32 fixedCols = 1;
    qint32 row = 1;
    qint32 col = 1;
    qint32 rowSel = 1;
    qint32 colSel = 1;
    qint32 topRow = 1;
    qint32 leftCol = 1;
    qint32 mouseRow = -1;
    qint32 mouseCol = -1;
    qint32 rowHeightMin = 0;

    QString formatString;
    bool wordWrap = false;
    bool redraw = true;
    qint32 mergeCells = eMergeNever;

    OleColor backColor = OleColor::WindowBackground;
    OleColor foreColor = OleColor::WindowText;
    OleColor backColorFixed = OleColor::ButtonFace;
    OleColor foreColorFixed = OleColor::ButtonText;
    OleColor backColorSel = OleColor::Highlight;
    OleColor foreColorSel = OleColor::HighlightText;
    OleColor backColorBkg = 0x808080u;
    OleColor gridColor = 0xC0C0C0u;
    OleColor gridColorFixed = 0u;

    qint32 gridLines = eGridFlat;
    qint32 gridLinesFixed = eGridInset;
    qint16 gridLineWidth = 1;
    qint32 focusRect = 1;
    qint32 highLight = eHighlightAlways;
    qint32 selectionMode = eSelectionFree;
    qint32 textStyle = eTextFlat;
    qint32 textStyleFixed = eTextFlat;
    qint32 scrollBars = eScrollBarBoth;
    qint32 allowUserResizing = eResizeNone;
    qint32 borderStyle = 1;

    int defaultRowPx = 16;          // from the font; see refreshDefaultRowHeight
    int moveDepth = 0;              // nesting of cell moves made by event handlers
    bool syncingScrollBars = false; // our own scroll bar updates, not the user's
    bool updatingScrollBars = false;
    bool scrollBarsStale = false;

    // Mouse interaction in progress.
    enum class Drag { None, Select, ResizeCol, ResizeRow };
    Drag drag = Drag::None;
    qint32 dragIndex = -1;
    int dragOrigin = 0;
    int dragStartSize = 0;
    CellRange dragStartSelection;
    bool afterDoubleClick = false;
    // What a drag selects: cells, or whole columns/rows after a press on a heading.
    enum class SelectWhole { Cells, Columns, Rows, All };
    SelectWhole selectWhole = SelectWhole::Cells;

    // A border under the pointer that can be dragged to resize a column or row.
    struct Grip {
        Drag drag = Drag::None;
        qint32 index = -1;
        int size = 0;
    };
    // The classic mouse event arguments: button bits, shift bits, position in twips.
    struct MouseArgs {
        qint16 button;
        qint16 shift;
        float x;
        float y;
    };

    // Input, in viewport coordinates (flex_grid_input.cpp).
    bool navigate(qint16 keyCode, qint16 shift);
    MouseArgs mouseArgs(const QMouseEvent *event, Qt::MouseButtons buttons) const;
    void trackMouse(const QPoint &pos);
    Grip gripAt(const QPoint &pos) const;
    void pressAt(const QPoint &pos, bool extend);
    void dragTo(const QPoint &pos);

    // Geometry, in pixels of the viewport.
    int toPxX(qint32 twips) const;
    int toPxY(qint32 twips) const;
    qint32 toTwipsX(int px) const;
    qint32 toTwipsY(int px) const;
    int colPx(qint32 c) const;
    int rowPx(qint32 r) const;
    int defaultColPx() const;
    int rowHeightMinPx() const { return toPxY(rowHeightMin); }
    GridAxis rowAxis() const;
    GridAxis colAxis() const;
    QSize viewportSize() const;
    int viewportWidth() const;
    int viewportHeight() const;
    QPoint viewportOrigin() const; // the viewport's top-left in the grid's own coordinates
    QRect cellRect(qint32 r, qint32 c) const; // grid line included
    int lineWidth(qint32 r, qint32 c) const;  // pixels of grid line at the cell's right/bottom
    bool isFixed(qint32 r, qint32 c) const { return r < fixedRows || c < fixedCols; }

    // Selection as drawn: whole rows or columns in the matching SelectionMode.
    CellRange selection() const;
    bool showsSelection() const;

    // Shape and scroll state; none of these raise cell events.
    void checkShape(qint64 rows, qint64 cols) const;
    void applyRows(qint32 rows);
    void applyCols(qint32 cols);
    void clampCurrent();
    void setScroll(qint32 top, qint32 left); // emits Scroll when either changes
    void scrollViewport(qint32 oldTop, qint32 oldLeft);
    void clampScroll();
    void updateScrollBars();
    void refreshDefaultRowHeight();
    void layoutChanged(); // sizes or shape changed: scroll bars, clamps, repaint

    // The current cell: LeaveCell, the change, EnterCell, RowColChange, SelChange.
    void moveTo(qint32 r, qint32 c, qint32 rs, qint32 cs, qint32 preferredTop = -1);
    void moveTo(qint32 r, qint32 c) { moveTo(r, c, r, c); }
    void setSelection(qint32 rs, qint32 cs, bool emitChange);
    void scrollIntoView(qint32 r, qint32 c, qint32 preferredTop = -1);

    // Repaint requests; no-ops while Redraw is False.
    void update();
    void updateRange(const CellRange &range);
    // The on-screen part of a range of cells, in viewport pixels; empty when none of it shows.
    QRect rangeRect(const CellRange &range) const;

    // Index checks that raise the classic errors.
    void checkRowIndex(qint32 r) const;
    void checkColIndex(qint32 c) const;
    void checkEnum(qint32 value, qint32 max) const;
    void checkSize(qint32 twips) const;
    [[noreturn]] void raise(qint32 number) const;
};

} // namespace Vantrel3
