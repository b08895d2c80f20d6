#include "grid/flex_grid_p.h"

#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>

#include <QFontMetrics>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

namespace Vantrel3 {

namespace {

constexpr qint32 kDefaultColTwips = 960;
constexpr qint32 kDefaultRowTwips = 240;
// Handlers that keep moving the cell from inside LeaveCell/EnterCell would recurse forever;
// past this depth moves still happen, without events.
constexpr int kMaxMoveNesting = 32;

int twipsToPx(qint32 twips, int dpi) {
    return int(std::lround(double(twips) * dpi / 1440));
}

} // namespace

FlexGridPrivate::FlexGridPrivate(FlexGrid *grid) : q(grid) {}

// ---- Geometry ----

int FlexGridPrivate::toPxX(qint32 twips) const {
    return Twips::toPixelsX(q, twips);
}

int FlexGridPrivate::toPxY(qint32 twips) const {
    return Twips::toPixelsY(q, twips);
}

qint32 FlexGridPrivate::toTwipsX(int px) const {
    return Twips::fromPixelsX(q, px);
}

qint32 FlexGridPrivate::toTwipsY(int px) const {
    return Twips::fromPixelsY(q, px);
}

int FlexGridPrivate::defaultColPx() const {
    return toPxX(kDefaultColTwips);
}

int FlexGridPrivate::colPx(qint32 c) const {
    const qint32 w = columns[size_t(c)].width;
    return w < 0 ? defaultColPx() : toPxX(w);
}

int FlexGridPrivate::rowPx(qint32 r) const {
    const qint32 h = store.rowHeight(r);
    if (h == 0) {
        return 0;
    }
    return std::max(h < 0 ? defaultRowPx : toPxY(h), rowHeightMinPx());
}

GridAxis FlexGridPrivate::rowAxis() const {
    GridAxis axis;
    axis.count = store.rowCount();
    axis.fixed = std::min(fixedRows, axis.count);
    const int minPx = rowHeightMinPx();
    const int standard = std::max(defaultRowPx, minPx);
    if (store.customHeightCount() == 0) {
        axis.uniform = standard; // the common case: no walk over rows at all
    } else {
        const int dpi = std::max(1, q->logicalDpiY());
        axis.sizeOf = [this, standard, minPx, dpi](qint32 r) {
            const qint32 h = store.rowHeight(r);
            if (h < 0) {
                return standard;
            }
            return h == 0 ? 0 : std::max(minPx, twipsToPx(h, dpi));
        };
        axis.spanOf = [this, standard, minPx, dpi, sizeOf = axis.sizeOf](qint32 from, qint32 to) {
            const RowIndexKey key{store.heightsVersion(), standard, minPx, dpi};
            if (!(key == rowIndexKey)) {
                rowIndex.build(store.rowCount(),
                               [&](qint32 r) { return qint64(sizeOf(r)) - standard; });
                rowIndexKey = key;
            }
            return qint64(to - from) * standard + rowIndex.prefix(to) - rowIndex.prefix(from);
        };
    }
    return axis;
}

GridAxis FlexGridPrivate::colAxis() const {
    GridAxis axis;
    axis.count = store.colCount();
    axis.fixed = std::min(fixedCols, axis.count);
    const int dpi = std::max(1, q->logicalDpiX());
    const int standard = twipsToPx(kDefaultColTwips, dpi);
    axis.sizeOf = [this, standard, dpi](qint32 c) {
        const qint32 w = columns[size_t(c)].width;
        return w < 0 ? standard : twipsToPx(w, dpi);
    };
    return axis;
}

QSize FlexGridPrivate::viewportSize() const {
    if (!q->testAttribute(Qt::WA_PendingResizeEvent)) {
        return q->viewport()->size();
    }
    // Resized while hidden: Qt lays the viewport out only when shown, so work out what it
    // will be, scroll bars included, for geometry read before then.
    const QSize area = q->contentsRect().size();
    const int extent = q->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, q);
    bool vertical = false;
    bool horizontal = false;
    for (int round = 0; round < 2; ++round) {
        const int width = area.width() - (vertical ? extent : 0);
        const int height = area.height() - (horizontal ? extent : 0);
        vertical = (scrollBars & eScrollBarVertical) && rowAxis().maxFirst(height) > fixedRows;
        horizontal = (scrollBars & eScrollBarHorizontal) && colAxis().maxFirst(width) > fixedCols;
    }
    return area - QSize(vertical ? extent : 0, horizontal ? extent : 0);
}

int FlexGridPrivate::viewportWidth() const {
    return viewportSize().width();
}

int FlexGridPrivate::viewportHeight() const {
    return viewportSize().height();
}

QPoint FlexGridPrivate::viewportOrigin() const {
    return q->contentsRect().topLeft();
}

QRect FlexGridPrivate::cellRect(qint32 r, qint32 c) const {
    return QRect(colAxis().position(c, leftCol), rowAxis().position(r, topRow), colPx(c), rowPx(r));
}

int FlexGridPrivate::lineWidth(qint32 r, qint32 c) const {
    const qint32 lines = isFixed(r, c) ? gridLinesFixed : gridLines;
    return lines == eGridNone ? 0 : gridLineWidth;
}

CellRange FlexGridPrivate::selection() const {
    CellRange s{std::min(row, rowSel), std::min(col, colSel), std::max(row, rowSel),
                std::max(col, colSel)};
    if (selectionMode == eSelectionByRow) {
        s.left = fixedCols;
        s.right = store.colCount() - 1;
    } else if (selectionMode == eSelectionByColumn) {
        s.top = fixedRows;
        s.bottom = store.rowCount() - 1;
    }
    return s;
}

bool FlexGridPrivate::showsSelection() const {
    return highLight == eHighlightAlways || (highLight == eHighlightWithFocus && q->hasFocus());
}

// ---- Shape and scrolling ----

void FlexGridPrivate::checkShape(qint64 rows, qint64 cols) const {
    // TextArray addresses every cell with one Long, so the cell count must fit in one.
    if (rows * cols > std::numeric_limits<qint32>::max()) {
        raise(VbError::FlexOutOfMemory);
    }
}

void FlexGridPrivate::applyRows(qint32 rows) {
    try {
        store.setRowCount(rows);
    } catch (const std::bad_alloc &) {
        raise(VbError::FlexOutOfMemory);
    }
    fixedRows = std::min(fixedRows, rows);
    clampCurrent();
    layoutChanged();
}

void FlexGridPrivate::applyCols(qint32 cols) {
    try {
        store.setColCount(cols);
        columns.resize(size_t(cols));
    } catch (const std::bad_alloc &) {
        raise(VbError::FlexOutOfMemory);
    }
    fixedCols = std::min(fixedCols, cols);
    clampCurrent();
    layoutChanged();
}

void FlexGridPrivate::clampCurrent() {
    const qint32 lastRow = std::max(0, store.rowCount() - 1);
    const qint32 lastCol = std::max(0, store.colCount() - 1);
    row = std::min(row, lastRow);
    rowSel = std::min(rowSel, lastRow);
    col = std::min(col, lastCol);
    colSel = std::min(colSel, lastCol);
}

void FlexGridPrivate::setScroll(qint32 top, qint32 left) {
    if (top == topRow && left == leftCol) {
        return;
    }
    const qint32 oldTop = std::exchange(topRow, top);
    const qint32 oldLeft = std::exchange(leftCol, left);
    const bool wasSyncing = std::exchange(syncingScrollBars, true);
    q->verticalScrollBar()->setValue(top);
    q->horizontalScrollBar()->setValue(left);
    syncingScrollBars = wasSyncing;
    scrollViewport(oldTop, oldLeft);
    Q_EMIT q->Scroll();
}

void FlexGridPrivate::scrollViewport(qint32 oldTop, qint32 oldLeft) {
    // A short scroll along one axis moves the pixels already drawn and repaints only what
    // comes into view, as item views do; anything else repaints the viewport.
    const bool oneAxis = (topRow == oldTop) != (leftCol == oldLeft);
    if (!redraw || !q->isVisible() || !oneAxis || mergeCells != eMergeNever) {
        update();
        return;
    }
    const bool vertical = topRow != oldTop;
    const GridAxis axis = vertical ? rowAxis() : colAxis();
    const int extent = vertical ? viewportHeight() : viewportWidth();
    const qint32 from = vertical ? oldTop : oldLeft;
    const qint32 to = vertical ? topRow : leftCol;
    if (std::abs(to - from) > axis.pageCount(std::min(from, to), extent)) {
        update();
        return;
    }
    const int fixed = axis.fixedExtent();
    const int delta = int(to > from ? -axis.span(from, to) : axis.span(to, from));
    if (std::abs(delta) >= extent - fixed) {
        update();
        return;
    }
    // The back buffer moves its pixels too: a widget over the grid (the editor) keeps Qt from
    // moving the window's pixels, and the buffer then supplies them.
    const QRect area = vertical ? QRect(0, fixed, viewportWidth(), extent - fixed)
                                : QRect(fixed, 0, extent - fixed, viewportHeight());
    const int dx = vertical ? 0 : delta;
    const int dy = vertical ? delta : 0;
    backBuffer.scroll(dx, dy, area);
    q->viewport()->scroll(dx, dy, area);
}

void FlexGridPrivate::clampScroll() {
    const qint32 maxTop = std::max(fixedRows, rowAxis().maxFirst(viewportHeight()));
    const qint32 maxLeft = std::max(fixedCols, colAxis().maxFirst(viewportWidth()));
    setScroll(std::clamp(topRow, fixedRows, maxTop), std::clamp(leftCol, fixedCols, maxLeft));
}

void FlexGridPrivate::updateScrollBars() {
    // Showing or hiding a bar resizes the viewport (a nested call lands here and only marks
    // the ranges stale), which may change the ranges again; a few rounds settle it.
    if (updatingScrollBars) {
        scrollBarsStale = true;
        return;
    }
    updatingScrollBars = true;
    const bool wasSyncing = std::exchange(syncingScrollBars, true);
    QScrollBar *vertical = q->verticalScrollBar();
    QScrollBar *horizontal = q->horizontalScrollBar();
    qint32 top = topRow;
    qint32 left = leftCol;
    for (int round = 0; round < 4; ++round) {
        scrollBarsStale = false;
        const GridAxis rows = rowAxis();
        const GridAxis cols = colAxis();
        const qint32 maxTop = std::max(fixedRows, rows.maxFirst(viewportHeight()));
        const qint32 maxLeft = std::max(fixedCols, cols.maxFirst(viewportWidth()));
        top = std::clamp(topRow, fixedRows, maxTop);
        left = std::clamp(leftCol, fixedCols, maxLeft);
        vertical->setRange(fixedRows, maxTop);
        vertical->setPageStep(rows.pageCount(top, viewportHeight()));
        vertical->setValue(top);
        horizontal->setRange(fixedCols, maxLeft);
        horizontal->setPageStep(cols.pageCount(left, viewportWidth()));
        horizontal->setValue(left);
        if (!scrollBarsStale) {
            break;
        }
    }
    syncingScrollBars = wasSyncing;
    updatingScrollBars = false;
    setScroll(top, left);
}

void FlexGridPrivate::refreshDefaultRowHeight() {
    // The classic 240 twips, or more when the font needs it.
    const QFontMetrics metrics(q->font());
    defaultRowPx = std::max(toPxY(kDefaultRowTwips), metrics.height() + 2);
}

void FlexGridPrivate::layoutChanged() {
    updateScrollBars();
    update();
}

// ---- The current cell ----

void FlexGridPrivate::moveTo(qint32 r, qint32 c, qint32 rs, qint32 cs, qint32 preferredTop) {
    QPointer<FlexGrid> alive(q);
    const bool quiet = moveDepth >= kMaxMoveNesting;
    ++moveDepth;
    struct Unnest {
        QPointer<FlexGrid> &alive;
        int &depth;
        ~Unnest() {
            if (alive) {
                --depth;
            }
        }
    } unnest{alive, moveDepth};

    // LeaveCell sees the old cell. A handler that moves the cell itself (a nested move with
    // its own events) overrides this move, which keeps re-entry to one level per handler.
    if (!quiet && (r != row || c != col)) {
        const qint32 leftRow = row;
        const qint32 leftCol = col;
        Q_EMIT q->LeaveCell();
        if (!alive || row != leftRow || col != leftCol) {
            return;
        }
        if (r >= store.rowCount() || c >= store.colCount()) {
            return; // a handler reshaped the grid and the target is gone
        }
    }
    if (r == row && c == col) {
        setSelection(rs, cs, true);
        return;
    }

    const CellRange before = selection();
    row = r;
    col = c;
    rowSel = rs;
    colSel = cs;
    // Scrolling comes before EnterCell so that its handlers read on-screen cell positions.
    scrollIntoView(r, c, preferredTop);
    if (!alive) {
        return;
    }
    // Only what changed looks different: the cells of the old and the new selection, which hold
    // the old and the new current cell and its focus rectangle.
    updateRange(before);
    updateRange(selection());
    if (quiet) {
        return;
    }
    Q_EMIT q->EnterCell();
    if (!alive) {
        return;
    }
    Q_EMIT q->RowColChange();
    if (!alive) {
        return;
    }
    Q_EMIT q->SelChange();
}

void FlexGridPrivate::setSelection(qint32 rs, qint32 cs, bool emitChange) {
    if (rs == rowSel && cs == colSel) {
        return;
    }
    const CellRange before = selection();
    rowSel = rs;
    colSel = cs;
    updateRange(before);
    updateRange(selection());
    if (emitChange) {
        Q_EMIT q->SelChange();
    }
}

void FlexGridPrivate::scrollIntoView(qint32 r, qint32 c, qint32 preferredTop) {
    const GridAxis rows = rowAxis();
    const GridAxis cols = colAxis();
    const int height = viewportHeight();
    const int width = viewportWidth();
    const qint32 maxTop = std::max(fixedRows, rows.maxFirst(height));
    const qint32 maxLeft = std::max(fixedCols, cols.maxFirst(width));
    qint32 top = preferredTop >= 0 ? std::clamp(preferredTop, fixedRows, maxTop) : topRow;
    top = std::clamp(rows.firstToShow(r, top, height), fixedRows, maxTop);
    const qint32 left = std::clamp(cols.firstToShow(c, leftCol, width), fixedCols, maxLeft);
    setScroll(top, left);
}

// ---- Repaint requests ----

void FlexGridPrivate::update() {
    backBuffer.invalidate();
    if (redraw) {
        q->viewport()->update();
    }
}

void FlexGridPrivate::updateRange(const CellRange &range) {
    if (!redraw || !q->isVisible()) {
        backBuffer.invalidate();
        return;
    }
    if (mergeCells != eMergeNever) {
        update(); // a change can join or split merged blocks beyond these cells
        return;
    }
    const QRect rect = rangeRect(range);
    if (!rect.isEmpty()) {
        backBuffer.invalidate(rect);
        q->viewport()->update(rect);
    }
}

QRect FlexGridPrivate::rangeRect(const CellRange &range) const {
    // Clipped to what is on screen first, so the cost follows the viewport, not the range.
    auto extent = [](const GridAxis &axis, qint32 first, int size, qint32 from, qint32 to) {
        const qint32 fixedEnd = std::min(axis.fixed, axis.count);
        int lo = std::numeric_limits<int>::max();
        int hi = -1;
        if (from < fixedEnd) {
            lo = int(std::min<qint64>(size, axis.span(0, from)));
            hi = int(std::min<qint64>(size, axis.span(0, std::min(to, fixedEnd - 1) + 1)));
        }
        const qint32 last = axis.indexAt(size - 1, first, size);
        const qint32 a = std::max(from, first);
        const qint32 b = std::min(to, last < 0 ? axis.count - 1 : last);
        if (a <= b && a >= fixedEnd) {
            lo = std::min(lo, axis.position(a, first));
            hi = std::max(hi, std::min(size, axis.position(b + 1, first)));
        }
        return std::pair(lo, hi);
    };
    const auto [top, bottom] = extent(rowAxis(), topRow, viewportHeight(), range.top, range.bottom);
    if (bottom <= top) {
        return {};
    }
    const auto [left, right] = extent(colAxis(), leftCol, viewportWidth(), range.left, range.right);
    if (right <= left) {
        return {};
    }
    return QRect(left, top, right - left, bottom - top);
}

// ---- Errors ----

void FlexGridPrivate::raise(qint32 number) const {
    throw VbError(number, QStringLiteral("FlexGrid"));
}

void FlexGridPrivate::checkRowIndex(qint32 r) const {
    if (r < 0 || r >= store.rowCount()) {
        raise(VbError::SubscriptOutOfRange);
    }
}

void FlexGridPrivate::checkColIndex(qint32 c) const {
    if (c < 0 || c >= store.colCount()) {
        raise(VbError::SubscriptOutOfRange);
    }
}

void FlexGridPrivate::checkEnum(qint32 value, qint32 max) const {
    if (value < 0 || value > max) {
        raise(VbError::InvalidPropertyValue);
    }
}

void FlexGridPrivate::checkSize(qint32 twips) const {
    if (twips < -1) {
        raise(VbError::InvalidPropertyValue);
    }
}

} // namespace Vantrel3
