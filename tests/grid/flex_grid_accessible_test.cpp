#include <Vantrel3/Enums.h>
#include <Vantrel3/FlexGrid.h>

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

using Vantrel3::FlexGrid;

namespace {

QAccessibleInterface *tableOf(FlexGrid &grid) {
    return QAccessible::queryAccessibleInterface(&grid);
}

// A grid of four columns and six rows with a header row and column, shown and focused.
class ShownGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.SetCols(4);
        grid.SetRows(6);
        grid.SetTextMatrix(0, 1, QStringLiteral("nome"));
        grid.SetTextMatrix(0, 2, QStringLiteral("città"));
        grid.SetTextMatrix(2, 0, QStringLiteral("B"));
        grid.SetTextMatrix(2, 1, QStringLiteral("Bianchi"));
        grid.SetTextMatrix(3, 2, QStringLiteral("Roma"));
        grid.resize(400, 200);
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
        table = tableOf(grid);
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->tableInterface(), nullptr);
    }

    QAccessibleInterface *cell(int row, int col) {
        return table->tableInterface()->cellAt(row, col);
    }

    FlexGrid grid;
    QAccessibleInterface *table = nullptr;
};

} // namespace

TEST(FlexGridAccessible, IsATableOfTheGridsOwnRowsAndColumns) {
    FlexGrid grid;
    grid.SetRows(4);
    grid.SetCols(3);
    QAccessibleInterface *table = tableOf(grid);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 4);
    EXPECT_EQ(table->tableInterface()->columnCount(), 3);
    EXPECT_EQ(table->childCount(), 12);

    // The counts follow the grid.
    grid.SetRows(7);
    grid.SetCols(2);
    EXPECT_EQ(table->tableInterface()->rowCount(), 7);
    EXPECT_EQ(table->tableInterface()->columnCount(), 2);
    EXPECT_EQ(table->childCount(), 14);
    EXPECT_EQ(table->tableInterface()->cellAt(7, 0), nullptr);
    EXPECT_EQ(table->tableInterface()->cellAt(0, 2), nullptr);
}

TEST_F(ShownGridTest, CellsCarryTheShownTextsAndTheirPlaceInTheTable) {
    const struct {
        int row;
        int col;
        QString text;
        QAccessible::Role role;
    } cases[] = {
        {0, 1, QStringLiteral("nome"), QAccessible::ColumnHeader},
        {0, 0, QString(), QAccessible::ColumnHeader},
        {2, 0, QStringLiteral("B"), QAccessible::RowHeader},
        {2, 1, QStringLiteral("Bianchi"), QAccessible::Cell},
        {3, 2, QStringLiteral("Roma"), QAccessible::Cell},
        {5, 3, QString(), QAccessible::Cell},
    };
    for (const auto &c : cases) {
        QAccessibleInterface *iface = cell(c.row, c.col);
        ASSERT_NE(iface, nullptr) << c.row << "," << c.col;
        EXPECT_EQ(iface->text(QAccessible::Name), c.text) << c.row << "," << c.col;
        EXPECT_EQ(iface->role(), c.role) << c.row << "," << c.col;
        ASSERT_NE(iface->tableCellInterface(), nullptr);
        EXPECT_EQ(iface->tableCellInterface()->rowIndex(), c.row);
        EXPECT_EQ(iface->tableCellInterface()->columnIndex(), c.col);
        EXPECT_EQ(iface->tableCellInterface()->table(), table);
        EXPECT_EQ(iface->parent(), table);
        const int index = table->indexOfChild(iface);
        EXPECT_EQ(index, c.row * 4 + c.col);
        EXPECT_EQ(table->child(index), iface) << "the same cell is given back";
    }
    // A text written later is read at once.
    grid.SetTextMatrix(2, 1, QStringLiteral("Bianco"));
    EXPECT_EQ(cell(2, 1)->text(QAccessible::Name), QStringLiteral("Bianco"));
}

TEST_F(ShownGridTest, HeaderCellsAreTheFixedCellsOfTheCellsRowAndColumn) {
    grid.SetFixedRows(2);
    grid.SetTextMatrix(1, 2, QStringLiteral("provincia"));
    const auto texts = [](const QList<QAccessibleInterface *> &cells) {
        QStringList result;
        for (QAccessibleInterface *c : cells) {
            result << c->text(QAccessible::Name);
        }
        return result;
    };
    QAccessibleTableCellInterface *roma = cell(3, 2)->tableCellInterface();
    EXPECT_EQ(texts(roma->columnHeaderCells()), (QStringList{"città", "provincia"}));
    EXPECT_EQ(texts(cell(2, 1)->tableCellInterface()->rowHeaderCells()), (QStringList{"B"}));
    EXPECT_TRUE(cell(0, 2)->tableCellInterface()->columnHeaderCells().isEmpty());
    EXPECT_EQ(table->tableInterface()->columnDescription(1), QStringLiteral("nome"));
    EXPECT_EQ(table->tableInterface()->rowDescription(2), QStringLiteral("B"));
}

TEST_F(ShownGridTest, TheCurrentCellIsTheFocusedChild) {
    grid.SetRow(3);
    grid.SetCol(2);

    QAccessibleInterface *focused = table->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused, cell(3, 2));
    EXPECT_TRUE(focused->state().focused);
    EXPECT_FALSE(cell(1, 1)->state().focused);

    // Without the focus, no cell is focused.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(table->focusChild(), nullptr);
    EXPECT_FALSE(cell(3, 2)->state().focused);
}

TEST_F(ShownGridTest, TheCellUnderAPointIsTheCellWhoseRectangleHoldsIt) {
    const std::pair<int, int> cells[] = {{0, 0}, {0, 3}, {2, 1}, {4, 2}, {5, 3}};
    for (const auto &[row, col] : cells) {
        const QRect rect = cell(row, col)->rect();
        ASSERT_FALSE(rect.isEmpty()) << row << "," << col;
        EXPECT_EQ(table->childAt(rect.center().x(), rect.center().y()), cell(row, col))
            << row << "," << col;
    }
    // Beside the last column lies the grid's background.
    const QRect last = cell(1, 3)->rect();
    EXPECT_EQ(table->childAt(last.right() + 20, last.center().y()), nullptr);
}

TEST_F(ShownGridTest, ARowOutOfViewHasNoRectangleAndIsInvisible) {
    grid.SetRows(200);
    EXPECT_FALSE(grid.RowIsVisible(150));
    EXPECT_TRUE(cell(150, 1)->rect().isEmpty());
    EXPECT_TRUE(cell(150, 1)->state().invisible);
    EXPECT_FALSE(cell(2, 1)->state().invisible);
}

TEST_F(ShownGridTest, TheSelectionIsReadAsTheGridDrawsIt) {
    const struct {
        const char *name;
        qint32 mode;
        qint32 row, col, rowSel, colSel;
        int cellCount;
        QList<int> rows;
        QList<int> columns;
    } cases[] = {
        {"one cell", Vantrel3::eSelectionFree, 2, 2, 2, 2, 1, {}, {}},
        {"a block", Vantrel3::eSelectionFree, 1, 1, 3, 2, 6, {}, {}},
        {"whole rows", Vantrel3::eSelectionByRow, 2, 2, 3, 2, 6, {2, 3}, {}},
        {"whole columns", Vantrel3::eSelectionByColumn, 2, 3, 2, 3, 5, {}, {3}},
    };
    for (const auto &c : cases) {
        grid.SetSelectionMode(c.mode);
        grid.SetRow(c.row);
        grid.SetCol(c.col);
        grid.SetRowSel(c.rowSel);
        grid.SetColSel(c.colSel);
        QAccessibleTableInterface *t = table->tableInterface();
        EXPECT_EQ(t->selectedCellCount(), c.cellCount) << c.name;
        EXPECT_EQ(t->selectedCells().size(), c.cellCount) << c.name;
        EXPECT_EQ(t->selectedRows(), c.rows) << c.name;
        EXPECT_EQ(t->selectedColumns(), c.columns) << c.name;
        for (QAccessibleInterface *selected : t->selectedCells()) {
            EXPECT_TRUE(selected->tableCellInterface()->isSelected()) << c.name;
            EXPECT_TRUE(selected->state().selected) << c.name;
            EXPECT_EQ(selected->role(), QAccessible::Cell) << c.name;
        }
    }
}

TEST(FlexGridAccessible, CellsOfAGridThatIsGoneAreInvalid) {
    auto *grid = new FlexGrid;
    QAccessibleInterface *table = tableOf(*grid);
    ASSERT_NE(table, nullptr);
    const QAccessible::Id cellId = QAccessible::uniqueId(table->tableInterface()->cellAt(1, 1));
    delete grid;
    // The grid's table took its cells with it.
    EXPECT_EQ(QAccessible::accessibleInterface(cellId), nullptr);
}

TEST_F(ShownGridTest, ACellLetGoOfIsMadeAgain) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell(2, 1)));
    QAccessibleInterface *again = cell(2, 1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->text(QAccessible::Name), QStringLiteral("Bianchi"));
    EXPECT_EQ(table->indexOfChild(again), 2 * 4 + 1);
}
