#include "grid/flex_grid_cell_accessible.h"

#include "grid/flex_grid_accessible.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>

#include <QAccessible>

namespace Vantrel3 {

FlexGridCellAccessible::FlexGridCellAccessible(FlexGrid *grid, qint32 row, qint32 col)
    : m_grid(grid), m_row(row), m_col(col) {}

bool FlexGridCellAccessible::isValid() const {
    return m_grid && m_row < m_grid->Rows() && m_col < m_grid->Cols();
}

QWindow *FlexGridCellAccessible::window() const {
    return m_grid ? m_grid->window()->windowHandle() : nullptr;
}

QAccessibleInterface *FlexGridCellAccessible::parent() const {
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

QString FlexGridCellAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !isValid()) {
        return {};
    }
    return m_grid->TextMatrix(m_row, m_col);
}

QRect FlexGridCellAccessible::rect() const {
    if (!isValid() || !m_grid->RowIsVisible(m_row) || !m_grid->ColIsVisible(m_col)) {
        return {};
    }
    const FlexGrid *g = m_grid.data();
    const QPoint topLeft(Twips::toPixelsX(g, g->ColPos(m_col)),
                         Twips::toPixelsY(g, g->RowPos(m_row)));
    const QSize size(Twips::toPixelsX(g, g->ColWidth(m_col)),
                     Twips::toPixelsY(g, g->RowHeight(m_row)));
    return QRect(g->mapToGlobal(topLeft), size);
}

QAccessible::Role FlexGridCellAccessible::role() const {
    if (isValid() && m_row < m_grid->FixedRows()) {
        return QAccessible::ColumnHeader;
    }
    if (isValid() && m_col < m_grid->FixedCols()) {
        return QAccessible::RowHeader;
    }
    return QAccessible::Cell;
}

QAccessible::State FlexGridCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (!m_grid->RowIsVisible(m_row) || !m_grid->ColIsVisible(m_col)) {
        state.invisible = true;
        state.offscreen = true;
    }
    if (role() != QAccessible::Cell) {
        return state;
    }
    state.focusable = true;
    state.selectable = true;
    state.readOnly = true; // the editor over the cell takes the typing
    state.selected = isSelected();
    state.focused = m_grid->hasFocus() && m_grid->Row() == m_row && m_grid->Col() == m_col;
    return state;
}

void *FlexGridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface *>(this);
    }
    return nullptr;
}

bool FlexGridCellAccessible::isSelected() const {
    return isValid() && FlexGridAccessible::selection(*m_grid).contains(m_row, m_col);
}

QList<QAccessibleInterface *> FlexGridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface *> headers;
    QAccessibleInterface *table = parent();
    if (!isValid() || !table || m_row < m_grid->FixedRows()) {
        return headers;
    }
    for (qint32 r = 0; r < m_grid->FixedRows(); ++r) {
        headers.append(table->tableInterface()->cellAt(r, m_col));
    }
    return headers;
}

QList<QAccessibleInterface *> FlexGridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface *> headers;
    QAccessibleInterface *table = parent();
    if (!isValid() || !table || m_col < m_grid->FixedCols()) {
        return headers;
    }
    for (qint32 c = 0; c < m_grid->FixedCols(); ++c) {
        headers.append(table->tableInterface()->cellAt(m_row, c));
    }
    return headers;
}

} // namespace Vantrel3
