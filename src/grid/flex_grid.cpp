// FlexGrid's public surface: shape, texts, rows, the current cell, scrolling and sizes.
// The settings are in flex_grid_settings.cpp, input in flex_grid_input.cpp.

#include "grid/flex_grid_accessible.h"
#include "grid/flex_grid_p.h"
#include "grid/grid_scroll_bar.h"

#include <Vantrel3/VbError.h>

#include <QScrollBar>
#include <algorithm>
#include <new>

namespace Vantrel3 {

FlexGrid::FlexGrid(QWidget *parent)
    : QAbstractScrollArea(parent), d(std::make_unique<FlexGridPrivate>(this)) {
    setVerticalScrollBar(new GridScrollBar(Qt::Vertical, this));
    setHorizontalScrollBar(new GridScrollBar(Qt::Horizontal, this));
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    d->store.setColCount(2);
    d->store.setRowCount(2);
    d->columns.resize(2);
    d->refreshDefaultRowHeight();
    d->updateScrollBars();
    FlexGridAccessible::attach(this);
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::scrollToCurrentCell() {
    d->scrollIntoView(d->row, d->col, -1);
}

// ---- Shape ----

qint32 FlexGrid::Rows() const {
    return d->store.rowCount();
}

void FlexGrid::SetRows(qint32 rows) {
    if (rows < 0) {
        d->raise(VbError::InvalidPropertyValue);
    }
    if (rows != Rows()) {
        d->checkShape(rows, Cols());
        d->applyRows(rows);
    }
}

qint32 FlexGrid::Cols() const {
    return d->store.colCount();
}

void FlexGrid::SetCols(qint32 cols) {
    if (cols < 0) {
        d->raise(VbError::InvalidPropertyValue);
    }
    if (cols != Cols()) {
        d->checkShape(Rows(), cols);
        d->applyCols(cols);
    }
}

qint32 FlexGrid::FixedRows() const {
    return d->fixedRows;
}

void FlexGrid::SetFixedRows(qint32 rows) {
    if (rows < 0 || rows > Rows()) {
        d->raise(VbError::InvalidPropertyValue);
    }
    d->fixedRows = rows;
    // The current cell leaves the new header rows when there is a data row to go to.
    if (rows < Rows()) {
        d->row = std::max(d->row, rows);
        d->rowSel = std::max(d->rowSel, rows);
    }
    d->layoutChanged();
}

qint32 FlexGrid::FixedCols() const {
    return d->fixedCols;
}

void FlexGrid::SetFixedCols(qint32 cols) {
    if (cols < 0 || cols > Cols()) {
        d->raise(VbError::InvalidPropertyValue);
    }
    d->fixedCols = cols;
    if (cols < Cols()) {
        d->col = std::max(d->col, cols);
        d->colSel = std::max(d->colSel, cols);
    }
    d->layoutChanged();
}

// ---- Texts ----

QString FlexGrid::Text() const {
    if (d->row >= Rows() || d->col >= Cols()) {
        return {};
    }
    return d->store.text(d->row, d->col);
}

void FlexGrid::SetText(const QString &text) {
    SetTextMatrix(d->row, d->col, text);
}

QString FlexGrid::TextMatrix(qint32 row, qint32 col) const {
    d->checkRowIndex(row);
    d->checkColIndex(col);
    return d->store.text(row, col);
}

void FlexGrid::SetTextMatrix(qint32 row, qint32 col, const QString &text) {
    d->checkRowIndex(row);
    d->checkColIndex(col);
    try {
        d->store.setText(row, col, text);
    } catch (const std::bad_alloc &) {
        d->raise(VbError::FlexOutOfMemory);
    }
    d->updateRange({row, col, row, col});
}

QString FlexGrid::TextArray(qint32 index) const {
    if (index < 0 || Cols() == 0 || index / Cols() >= Rows()) {
        d->raise(VbError::SubscriptOutOfRange);
    }
    return d->store.text(index / Cols(), index % Cols());
}

void FlexGrid::SetTextArray(qint32 index, const QString &text) {
    if (index < 0 || Cols() == 0 || index / Cols() >= Rows()) {
        d->raise(VbError::SubscriptOutOfRange);
    }
    SetTextMatrix(index / Cols(), index % Cols(), text);
}

// ---- Rows ----

void FlexGrid::AddItem(const QString &item, std::optional<qint32> index) {
    const qint32 at = index.value_or(Rows());
    // Rows cannot be inserted among the header rows; appending is always allowed.
    if (at < 0 || at > Rows() || (at < d->fixedRows && at != Rows())) {
        d->raise(VbError::SubscriptOutOfRange);
    }
    d->checkShape(qint64(Rows()) + 1, Cols());
    try {
        d->store.insertRow(at);
        d->store.setRowTexts(at, QStringView(item).split(u'\t'));
    } catch (const std::bad_alloc &) {
        d->raise(VbError::FlexOutOfMemory);
    }
    // The current cell stays on its row, which moved down; it is no move of the current cell.
    if (at < Rows() - 1) {
        if (at <= d->row) {
            ++d->row;
        }
        if (at <= d->rowSel) {
            ++d->rowSel;
        }
    }
    d->layoutChanged();
}

void FlexGrid::RemoveItem(qint32 index) {
    if (index < 0 || index >= Rows() || index < d->fixedRows) {
        d->raise(VbError::SubscriptOutOfRange);
    }
    if (Rows() - d->fixedRows <= 1) {
        d->raise(VbError::FlexCannotRemoveLastRow);
    }
    d->store.removeRow(index);
    // The current cell stays on its row, which moved up, unless the row removed was its own.
    if (index < d->row) {
        --d->row;
    }
    if (index < d->rowSel) {
        --d->rowSel;
    }
    d->clampCurrent();
    d->layoutChanged();
}

void FlexGrid::Clear() {
    d->store.clearCells();
    d->update();
}

namespace {

// Both text kinds of a row filled in bulk: packed into the store, the row repainted.
template <typename Text>
void packRow(FlexGridPrivate &d, qint32 cols, qint32 row, const Text *texts, qint32 count) {
    d.checkRowIndex(row);
    try {
        d.store.packRowTexts(row, texts, std::max(count, 0));
    } catch (const std::bad_alloc &) {
        d.raise(VbError::FlexOutOfMemory);
    }
    d.updateRange({row, 0, row, std::max(0, cols - 1)});
}

} // namespace

void FlexGrid::setRowTexts(qint32 row, const QStringView *texts, qint32 count) {
    packRow(*d, Cols(), row, texts, count);
}

void FlexGrid::setRowTexts(qint32 row, const QLatin1StringView *texts, qint32 count) {
    packRow(*d, Cols(), row, texts, count);
}

void FlexGrid::shareRowTexts(qint32 row, const FlexGrid &from, qint32 fromRow, qint32 count) {
    if (count <= 0) {
        return;
    }
    d->checkRowIndex(row);
    d->checkRowIndex(row + count - 1);
    from.d->checkRowIndex(fromRow);
    from.d->checkRowIndex(fromRow + count - 1);
    try {
        d->store.shareRowTexts(row, from.d->store, fromRow, count);
    } catch (const std::bad_alloc &) {
        d->raise(VbError::FlexOutOfMemory);
    }
    d->updateRange({row, 0, row + count - 1, std::max(0, Cols() - 1)});
}

void FlexGrid::reserveRows(qint32 rows) {
    try {
        d->store.reserveRows(rows);
    } catch (const std::bad_alloc &) {
        d->raise(VbError::FlexOutOfMemory);
    }
}

void FlexGrid::squeeze() {
    d->store.squeeze();
}

void FlexGrid::Refresh() {
    d->updateScrollBars();
    d->backBuffer.invalidate();
    if (d->redraw) {
        viewport()->repaint();
    }
}

// ---- Current cell, selection, scrolling ----

qint32 FlexGrid::Row() const {
    return d->row;
}

void FlexGrid::SetRow(qint32 row) {
    if (row < 0 || row >= Rows()) {
        d->raise(VbError::FlexInvalidRow);
    }
    if (row == d->row) {
        d->setSelection(d->row, d->col, true);
    } else {
        d->moveTo(row, d->col);
    }
}

qint32 FlexGrid::Col() const {
    return d->col;
}

void FlexGrid::SetCol(qint32 col) {
    if (col < 0 || col >= Cols()) {
        d->raise(VbError::FlexInvalidCol);
    }
    if (col == d->col) {
        d->setSelection(d->row, d->col, true);
    } else {
        d->moveTo(d->row, col);
    }
}

qint32 FlexGrid::RowSel() const {
    return d->rowSel;
}

void FlexGrid::SetRowSel(qint32 row) {
    if (row < 0 || row >= Rows()) {
        d->raise(VbError::FlexInvalidRow);
    }
    d->setSelection(row, d->colSel, true);
}

qint32 FlexGrid::ColSel() const {
    return d->colSel;
}

void FlexGrid::SetColSel(qint32 col) {
    if (col < 0 || col >= Cols()) {
        d->raise(VbError::FlexInvalidCol);
    }
    d->setSelection(d->rowSel, col, true);
}

qint32 FlexGrid::TopRow() const {
    return d->topRow;
}

void FlexGrid::SetTopRow(qint32 row) {
    if (row < 0 || row >= Rows()) {
        d->raise(VbError::FlexInvalidRow);
    }
    const qint32 maxTop = std::max(d->fixedRows, d->rowAxis().maxFirst(d->viewportHeight()));
    d->setScroll(std::clamp(row, d->fixedRows, maxTop), d->leftCol);
}

qint32 FlexGrid::LeftCol() const {
    return d->leftCol;
}

void FlexGrid::SetLeftCol(qint32 col) {
    if (col < 0 || col >= Cols()) {
        d->raise(VbError::FlexInvalidCol);
    }
    const qint32 maxLeft = std::max(d->fixedCols, d->colAxis().maxFirst(d->viewportWidth()));
    d->setScroll(d->topRow, std::clamp(col, d->fixedCols, maxLeft));
}

qint32 FlexGrid::MouseRow() const {
    return d->mouseRow;
}

qint32 FlexGrid::MouseCol() const {
    return d->mouseCol;
}

qint32 FlexGrid::CellLeft() const {
    if (d->row >= Rows() || d->col >= Cols()) {
        return 0;
    }
    return d->toTwipsX(d->viewportOrigin().x() + d->cellRect(d->row, d->col).x());
}

qint32 FlexGrid::CellTop() const {
    if (d->row >= Rows() || d->col >= Cols()) {
        return 0;
    }
    return d->toTwipsY(d->viewportOrigin().y() + d->cellRect(d->row, d->col).y());
}

qint32 FlexGrid::CellWidth() const {
    if (d->row >= Rows() || d->col >= Cols()) {
        return 0;
    }
    const int px = d->colPx(d->col);
    return d->toTwipsX(std::max(0, px - (px > 0 ? d->lineWidth(d->row, d->col) : 0)));
}

qint32 FlexGrid::CellHeight() const {
    if (d->row >= Rows() || d->col >= Cols()) {
        return 0;
    }
    const int px = d->rowPx(d->row);
    return d->toTwipsY(std::max(0, px - (px > 0 ? d->lineWidth(d->row, d->col) : 0)));
}

qint32 FlexGrid::Width() const {
    return d->toTwipsX(width());
}

void FlexGrid::SetWidth(qint32 twips) {
    if (twips < 0) {
        d->raise(VbError::InvalidPropertyValue);
    }
    resize(d->toPxX(twips), height());
}

qint32 FlexGrid::Height() const {
    return d->toTwipsY(height());
}

void FlexGrid::SetHeight(qint32 twips) {
    if (twips < 0) {
        d->raise(VbError::InvalidPropertyValue);
    }
    resize(width(), d->toPxY(twips));
}

// ---- Sizes ----

qint32 FlexGrid::ColWidth(qint32 col) const {
    d->checkColIndex(col);
    const qint32 w = d->columns[size_t(col)].width;
    return w < 0 ? d->toTwipsX(d->defaultColPx()) : w;
}

void FlexGrid::SetColWidth(qint32 col, qint32 twips) {
    d->checkColIndex(col);
    d->checkSize(twips);
    d->columns[size_t(col)].width = twips;
    d->layoutChanged();
}

qint32 FlexGrid::RowHeight(qint32 row) const {
    d->checkRowIndex(row);
    const qint32 h = d->store.rowHeight(row);
    if (h == 0) {
        return 0;
    }
    return std::max(h < 0 ? d->toTwipsY(d->defaultRowPx) : h, d->rowHeightMin);
}

void FlexGrid::SetRowHeight(qint32 row, qint32 twips) {
    d->checkRowIndex(row);
    d->checkSize(twips);
    d->store.setRowHeight(row, twips);
    d->layoutChanged();
}

qint32 FlexGrid::RowHeightMin() const {
    return d->rowHeightMin;
}

void FlexGrid::SetRowHeightMin(qint32 twips) {
    if (twips < 0) {
        d->raise(VbError::InvalidPropertyValue);
    }
    d->rowHeightMin = twips;
    d->layoutChanged();
}

} // namespace Vantrel3
