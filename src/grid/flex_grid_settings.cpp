// FlexGrid's settings: per-column and per-row values, the format string, merging, colours and
// the look-and-behaviour properties. Each setter checks, stores and asks for a repaint.

#include "grid/flex_grid_p.h"
#include "grid/grid_format_string.h"

#include <Vantrel3/VbError.h>

#include <QFontMetrics>
#include <algorithm>

namespace Vantrel3 {

namespace {

// Space between a cell's edge and its text, in pixels; FormatString widths include it.
constexpr int kTextMargin = 3;

} // namespace

// ---- Per-column and per-row settings ----

qint32 FlexGrid::ColAlignment(qint32 col) const {
    d->checkColIndex(col);
    return d->columns[size_t(col)].alignment;
}

void FlexGrid::SetColAlignment(qint32 col, qint32 alignment) {
    d->checkColIndex(col);
    d->checkEnum(alignment, eAlignGeneral);
    d->columns[size_t(col)].alignment = alignment;
    d->update();
}

qint16 FlexGrid::FixedAlignment(qint32 col) const {
    d->checkColIndex(col);
    const GridColumn &c = d->columns[size_t(col)];
    return qint16(c.fixedAlignment < 0 ? c.alignment : c.fixedAlignment);
}

void FlexGrid::SetFixedAlignment(qint32 col, qint16 alignment) {
    d->checkColIndex(col);
    d->checkEnum(alignment, eAlignGeneral);
    d->columns[size_t(col)].fixedAlignment = alignment;
    d->update();
}

qint32 FlexGrid::ColData(qint32 col) const {
    d->checkColIndex(col);
    return d->columns[size_t(col)].data;
}

void FlexGrid::SetColData(qint32 col, qint32 value) {
    d->checkColIndex(col);
    d->columns[size_t(col)].data = value;
}

qint32 FlexGrid::RowData(qint32 row) const {
    d->checkRowIndex(row);
    return d->store.rowData(row);
}

void FlexGrid::SetRowData(qint32 row, qint32 value) {
    d->checkRowIndex(row);
    d->store.setRowData(row, value);
}

qint32 FlexGrid::ColPos(qint32 col) const {
    d->checkColIndex(col);
    return d->toTwipsX(d->viewportOrigin().x() + d->colAxis().position(col, d->leftCol));
}

qint32 FlexGrid::RowPos(qint32 row) const {
    d->checkRowIndex(row);
    return d->toTwipsY(d->viewportOrigin().y() + d->rowAxis().position(row, d->topRow));
}

bool FlexGrid::ColIsVisible(qint32 col) const {
    d->checkColIndex(col);
    return d->colAxis().isVisible(col, d->leftCol, d->viewportWidth());
}

bool FlexGrid::RowIsVisible(qint32 row) const {
    d->checkRowIndex(row);
    return d->rowAxis().isVisible(row, d->topRow, d->viewportHeight());
}

void FlexGrid::SetColPosition(qint32 col, qint32 position) {
    d->checkColIndex(col);
    d->checkColIndex(position);
    d->store.moveCol(col, position);
    auto first = d->columns.begin();
    if (col < position) {
        std::rotate(first + col, first + col + 1, first + position + 1);
    } else if (position < col) {
        std::rotate(first + position, first + col, first + col + 1);
    }
    d->layoutChanged();
}

void FlexGrid::SetRowPosition(qint32 row, qint32 position) {
    d->checkRowIndex(row);
    d->checkRowIndex(position);
    d->store.moveRow(row, position);
    d->layoutChanged();
}

// ---- Format string, wrapping, merging, drawing ----

QString FlexGrid::FormatString() const {
    return d->formatString;
}

void FlexGrid::SetFormatString(const QString &format) {
    const GridFormatString parsed = GridFormatString::parse(format);
    qint32 rows = Rows();
    qint32 cols = Cols();
    if (!parsed.columns.empty()) {
        rows = std::max(rows, 1);
        cols = std::max(cols, qint32(parsed.columns.size()));
    }
    if (parsed.hasRowPart) {
        rows = std::max(rows, qint32(parsed.rows.size()));
        cols = std::max(cols, 1);
    }
    d->checkShape(rows, cols);
    if (rows != Rows()) {
        d->applyRows(rows);
    }
    if (cols != Cols()) {
        d->applyCols(cols);
    }
    d->formatString = format;

    const QFontMetrics metrics(font());
    auto widthOf = [&](const QString &measured) {
        return d->toTwipsX(metrics.horizontalAdvance(measured) + 2 * kTextMargin +
                           d->gridLineWidth);
    };
    for (size_t k = 0; k < parsed.columns.size(); ++k) {
        const GridFormatString::Segment &s = parsed.columns[k];
        d->store.setText(0, qint32(k), s.text);
        if (s.alignment >= 0) {
            d->columns[k].alignment = s.alignment;
        }
        if (!s.measured.isEmpty()) {
            d->columns[k].width = widthOf(s.measured);
        }
    }
    // The longest row heading sets the width of column 0.
    qint32 headingWidth = -1;
    for (size_t k = 0; k < parsed.rows.size(); ++k) {
        const GridFormatString::Segment &s = parsed.rows[k];
        d->store.setText(qint32(k), 0, s.text);
        if (!s.measured.isEmpty()) {
            headingWidth = std::max(headingWidth, widthOf(s.measured));
        }
    }
    if (headingWidth >= 0) {
        GridColumn &first = d->columns[0];
        first.width = std::max(headingWidth, first.width);
    }
    d->layoutChanged();
}

bool FlexGrid::WordWrap() const {
    return d->wordWrap;
}

void FlexGrid::SetWordWrap(bool wrap) {
    d->wordWrap = wrap;
    d->update();
}

qint32 FlexGrid::MergeCells() const {
    return d->mergeCells;
}

void FlexGrid::SetMergeCells(qint32 mode) {
    d->checkEnum(mode, eMergeRestrictAll);
    d->mergeCells = mode;
    d->update();
}

bool FlexGrid::MergeRow(qint32 row) const {
    d->checkRowIndex(row);
    return d->store.rowMerge(row);
}

void FlexGrid::SetMergeRow(qint32 row, bool merge) {
    d->checkRowIndex(row);
    d->store.setRowMerge(row, merge);
    d->update();
}

bool FlexGrid::MergeCol(qint32 col) const {
    d->checkColIndex(col);
    return d->columns[size_t(col)].merge;
}

void FlexGrid::SetMergeCol(qint32 col, bool merge) {
    d->checkColIndex(col);
    d->columns[size_t(col)].merge = merge;
    d->update();
}

bool FlexGrid::Redraw() const {
    return d->redraw;
}

void FlexGrid::SetRedraw(bool redraw) {
    if (redraw == d->redraw) {
        return;
    }
    d->redraw = redraw;
    viewport()->setUpdatesEnabled(redraw);
    if (redraw) {
        d->updateScrollBars();
        d->update();
    }
}

QPixmap FlexGrid::CellPicture() const {
    if (d->row >= Rows() || d->col >= Cols()) {
        return {};
    }
    return d->store.picture(d->row, d->col);
}

void FlexGrid::SetCellPicture(const QPixmap &picture) {
    d->checkRowIndex(d->row);
    d->checkColIndex(d->col);
    d->store.setPicture(d->row, d->col, picture);
    d->updateRange({d->row, d->col, d->row, d->col});
}

// ---- Colours ----

#define VANTREL3_FLEX_COLOR(Name, member)                                                          \
    OleColor FlexGrid::Name() const {                                                              \
        return d->member;                                                                          \
    }                                                                                              \
    void FlexGrid::Set##Name(OleColor color) {                                                     \
        d->member = color;                                                                         \
        d->update();                                                                               \
    }

VANTREL3_FLEX_COLOR(BackColor, backColor)
VANTREL3_FLEX_COLOR(ForeColor, foreColor)
VANTREL3_FLEX_COLOR(BackColorFixed, backColorFixed)
VANTREL3_FLEX_COLOR(ForeColorFixed, foreColorFixed)
VANTREL3_FLEX_COLOR(BackColorSel, backColorSel)
VANTREL3_FLEX_COLOR(ForeColorSel, foreColorSel)
VANTREL3_FLEX_COLOR(BackColorBkg, backColorBkg)
VANTREL3_FLEX_COLOR(GridColor, gridColor)
VANTREL3_FLEX_COLOR(GridColorFixed, gridColorFixed)

#undef VANTREL3_FLEX_COLOR

// ---- Look and behaviour ----

qint32 FlexGrid::GridLines() const {
    return d->gridLines;
}

void FlexGrid::SetGridLines(qint32 style) {
    d->checkEnum(style, eGridRaised);
    d->gridLines = style;
    d->update();
}

qint32 FlexGrid::GridLinesFixed() const {
    return d->gridLinesFixed;
}

void FlexGrid::SetGridLinesFixed(qint32 style) {
    d->checkEnum(style, eGridRaised);
    d->gridLinesFixed = style;
    d->update();
}

qint16 FlexGrid::GridLineWidth() const {
    return d->gridLineWidth;
}

void FlexGrid::SetGridLineWidth(qint16 width) {
    if (width < 1 || width > 10) {
        d->raise(VbError::InvalidPropertyValue);
    }
    d->gridLineWidth = width;
    d->update();
}

qint32 FlexGrid::FocusRect() const {
    return d->focusRect;
}

void FlexGrid::SetFocusRect(qint32 style) {
    d->checkEnum(style, 2);
    d->focusRect = style;
    d->update();
}

qint32 FlexGrid::HighLight() const {
    return d->highLight;
}

void FlexGrid::SetHighLight(qint32 mode) {
    d->checkEnum(mode, eHighlightWithFocus);
    d->highLight = mode;
    d->update();
}

qint32 FlexGrid::SelectionMode() const {
    return d->selectionMode;
}

void FlexGrid::SetSelectionMode(qint32 mode) {
    d->checkEnum(mode, eSelectionByColumn);
    d->selectionMode = mode;
    d->update();
}

qint32 FlexGrid::TextStyle() const {
    return d->textStyle;
}

void FlexGrid::SetTextStyle(qint32 style) {
    d->checkEnum(style, eTextInsetLight);
    d->textStyle = style;
    d->update();
}

qint32 FlexGrid::TextStyleFixed() const {
    return d->textStyleFixed;
}

void FlexGrid::SetTextStyleFixed(qint32 style) {
    d->checkEnum(style, eTextInsetLight);
    d->textStyleFixed = style;
    d->update();
}

qint32 FlexGrid::ScrollBars() const {
    return d->scrollBars;
}

void FlexGrid::SetScrollBars(qint32 bars) {
    d->checkEnum(bars, eScrollBarBoth);
    d->scrollBars = bars;
    setHorizontalScrollBarPolicy((bars & eScrollBarHorizontal) ? Qt::ScrollBarAsNeeded
                                                               : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((bars & eScrollBarVertical) ? Qt::ScrollBarAsNeeded
                                                           : Qt::ScrollBarAlwaysOff);
    d->updateScrollBars();
}

qint32 FlexGrid::AllowUserResizing() const {
    return d->allowUserResizing;
}

void FlexGrid::SetAllowUserResizing(qint32 mode) {
    d->checkEnum(mode, eResizeBoth);
    d->allowUserResizing = mode;
}

qint32 FlexGrid::BorderStyle() const {
    return d->borderStyle;
}

void FlexGrid::SetBorderStyle(qint32 style) {
    d->checkEnum(style, 1);
    d->borderStyle = style;
    setFrameStyle(style == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    setLineWidth(style == 1 ? 1 : 0);
    d->updateScrollBars();
}

QString FlexGrid::ToolTipText() const {
    return toolTip();
}

void FlexGrid::SetToolTipText(const QString &text) {
    setToolTip(text);
}

} // namespace Vantrel3
