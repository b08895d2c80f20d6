#pragma once

#include <QAccessibleInterface>
#include <QPointer>

namespace Vantrel3 {

class FlexGrid;

// One cell of a grid for assistive technology: its shown text, its place in the table, and
// whether it is a header, selected or current. It reads the grid each time it is asked, so it
// stays right while texts change; it stands for a position, not for a record.
class FlexGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    FlexGridCellAccessible(FlexGrid *grid, qint32 row, qint32 col);

    // QAccessibleInterface
    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPointer<FlexGrid> m_grid;
    qint32 m_row;
    qint32 m_col;
};

} // namespace Vantrel3
