#include "grid/flex_grid_accessible.h"

#include "grid/flex_grid_cell_accessible.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>

#include <QAccessible>
#include <algorithm>

namespace Vantrel3 {

namespace {

QAccessibleInterface *flexGridFactory(const QString &className, QObject *object) {
    if (className == QLatin1String(FlexGrid::staticMetaObject.className())) {
        if (auto *grid = qobject_cast<FlexGrid *>(object)) {
            return new FlexGridAccessible(grid);
        }
    }
    return nullptr;
}

quint64 cellKey(qint32 row, qint32 col) {
    return (quint64(quint32(row)) << 32) | quint32(col);
}

// Whether a pixel offset from the grid's edge falls inside [pos, pos + size).
bool within(int offset, int pos, int size) {
    return offset >= pos && offset < pos + size;
}

} // namespace

FlexGridAccessible::FlexGridAccessible(FlexGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

FlexGridAccessible::~FlexGridAccessible() {
    for (QAccessible::Id id : std::as_const(m_cells)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

void FlexGridAccessible::attach(FlexGrid *grid) {
    static const bool installed = [] {
        QAccessible::installFactory(&flexGridFactory);
        return true;
    }();
    Q_UNUSED(installed);
    // A move of the current cell moves the focus among the cells while the grid has it. Sent
    // whether or not a reader listens, as QWidget sends its own focus changes.
    QObject::connect(grid, &FlexGrid::RowColChange, grid, [grid] {
        if (!grid->hasFocus()) {
            return;
        }
        QAccessibleEvent event(grid, QAccessible::Focus);
        event.setChild(grid->Row() * grid->Cols() + grid->Col());
        QAccessible::updateAccessibility(&event);
    });
}

FlexGrid *FlexGridAccessible::grid() const {
    return static_cast<FlexGrid *>(object());
}

FlexGridAccessible::Range FlexGridAccessible::selection(const FlexGrid &grid) {
    Range range{std::min(grid.Row(), grid.RowSel()), std::min(grid.Col(), grid.ColSel()),
                std::max(grid.Row(), grid.RowSel()), std::max(grid.Col(), grid.ColSel())};
    if (grid.SelectionMode() == eSelectionByRow) {
        range.left = grid.FixedCols();
        range.right = grid.Cols() - 1;
    } else if (grid.SelectionMode() == eSelectionByColumn) {
        range.top = grid.FixedRows();
        range.bottom = grid.Rows() - 1;
    }
    // Header cells are never part of the selection.
    range.top = std::max(range.top, grid.FixedRows());
    range.left = std::max(range.left, grid.FixedCols());
    range.bottom = std::min(range.bottom, grid.Rows() - 1);
    range.right = std::min(range.right, grid.Cols() - 1);
    return range;
}

// ---- Children: the cells, row by row ----

int FlexGridAccessible::rowCount() const {
    return grid()->Rows();
}

int FlexGridAccessible::columnCount() const {
    return grid()->Cols();
}

int FlexGridAccessible::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface *FlexGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
        return nullptr;
    }
    const quint64 key = cellKey(row, column);
    if (const auto found = m_cells.constFind(key); found != m_cells.cend()) {
        // A cell that an assistive tool let go of is made again.
        if (QAccessibleInterface *cell = QAccessible::accessibleInterface(*found)) {
            return cell;
        }
    }
    auto *cell = new FlexGridCellAccessible(grid(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface *FlexGridAccessible::child(int index) const {
    const int cols = columnCount();
    if (index < 0 || cols == 0) {
        return nullptr;
    }
    return cellAt(index / cols, index % cols);
}

int FlexGridAccessible::indexOfChild(const QAccessibleInterface *child) const {
    if (!child || child->parent() != this) {
        return -1;
    }
    const auto *cell = const_cast<QAccessibleInterface *>(child)->tableCellInterface();
    return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
}

QAccessibleInterface *FlexGridAccessible::focusChild() const {
    const FlexGrid *g = grid();
    if (!g->hasFocus()) {
        return nullptr;
    }
    return cellAt(g->Row(), g->Col());
}

QAccessibleInterface *FlexGridAccessible::childAt(int x, int y) const {
    FlexGrid *g = grid();
    const QPoint at = g->mapFromGlobal(QPoint(x, y));
    const auto column = [&]() -> int {
        for (qint32 c = 0; c < g->Cols(); ++c) {
            if (g->ColIsVisible(c) && within(at.x(), Twips::toPixelsX(g, g->ColPos(c)),
                                             Twips::toPixelsX(g, g->ColWidth(c)))) {
                return c;
            }
        }
        return -1;
    }();
    if (column < 0) {
        return nullptr;
    }
    const auto hit = [&](qint32 r) {
        return within(at.y(), Twips::toPixelsY(g, g->RowPos(r)),
                      Twips::toPixelsY(g, g->RowHeight(r)));
    };
    // Only rows on screen can be under the point: the fixed ones, then those from TopRow on.
    for (qint32 r = 0; r < g->FixedRows(); ++r) {
        if (hit(r)) {
            return cellAt(r, column);
        }
    }
    for (qint32 r = std::max(g->TopRow(), g->FixedRows());
         r < g->Rows() && Twips::toPixelsY(g, g->RowPos(r)) < g->height(); ++r) {
        if (hit(r)) {
            return cellAt(r, column);
        }
    }
    return nullptr;
}

void *FlexGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface *>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

// ---- Headers and selection ----

QString FlexGridAccessible::columnDescription(int column) const {
    const FlexGrid *g = grid();
    if (g->FixedRows() == 0 || column < 0 || column >= g->Cols()) {
        return {};
    }
    return g->TextMatrix(0, column);
}

QString FlexGridAccessible::rowDescription(int row) const {
    const FlexGrid *g = grid();
    if (g->FixedCols() == 0 || row < 0 || row >= g->Rows()) {
        return {};
    }
    return g->TextMatrix(row, 0);
}

int FlexGridAccessible::selectedCellCount() const {
    const Range range = selection(*grid());
    return std::max(0, range.bottom - range.top + 1) * std::max(0, range.right - range.left + 1);
}

QList<QAccessibleInterface *> FlexGridAccessible::selectedCells() const {
    const Range range = selection(*grid());
    QList<QAccessibleInterface *> cells;
    for (qint32 r = range.top; r <= range.bottom; ++r) {
        for (qint32 c = range.left; c <= range.right; ++c) {
            cells.append(cellAt(r, c));
        }
    }
    return cells;
}

QList<int> FlexGridAccessible::selectedRows() const {
    QList<int> rows;
    for (int r = 0; r < rowCount(); ++r) {
        if (isRowSelected(r)) {
            rows.append(r);
        }
    }
    return rows;
}

QList<int> FlexGridAccessible::selectedColumns() const {
    QList<int> columns;
    for (int c = 0; c < columnCount(); ++c) {
        if (isColumnSelected(c)) {
            columns.append(c);
        }
    }
    return columns;
}

bool FlexGridAccessible::isRowSelected(int row) const {
    const FlexGrid *g = grid();
    const Range range = selection(*g);
    return row >= range.top && row <= range.bottom && range.left == g->FixedCols() &&
           range.right == g->Cols() - 1 && range.left <= range.right;
}

bool FlexGridAccessible::isColumnSelected(int column) const {
    const FlexGrid *g = grid();
    const Range range = selection(*g);
    return column >= range.left && column <= range.right && range.top == g->FixedRows() &&
           range.bottom == g->Rows() - 1 && range.top <= range.bottom;
}

} // namespace Vantrel3
