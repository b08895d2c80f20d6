#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace Vantrel3 {

class FlexGrid;

// The grid for assistive technology: a table whose rows and columns are the grid's own (fixed
// ones included, as header cells), whose cells carry the texts the grid shows, and whose
// focused child is the current cell.
class FlexGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit FlexGridAccessible(FlexGrid *grid);
    ~FlexGridAccessible() override;

    // Installs the interface factory once, and has the grid report its current cell's moves.
    static void attach(FlexGrid *grid);

    // The selected data cells, as the grid's SelectionMode widens Row/Col to RowSel/ColSel.
    struct Range {
        qint32 top = 0;
        qint32 left = 0;
        qint32 bottom = -1;
        qint32 right = -1;
        bool contains(qint32 row, qint32 col) const {
            return row >= top && row <= bottom && col >= left && col <= right;
        }
    };
    static Range selection(const FlexGrid &grid);

    // QAccessibleInterface
    QAccessibleInterface *focusChild() const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    // The selection belongs to the grid's own keys and mouse; assistive tools read it only.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    FlexGrid *grid() const;

    // Cell interfaces are made on demand and kept, by position, until the grid goes.
    mutable QHash<quint64, QAccessible::Id> m_cells;
};

} // namespace Vantrel3
