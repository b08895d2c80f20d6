#include "editing/editor_accessible_name.h"

#include <Vantrel3/FlexGrid.h>

#include <gtest/gtest.h>

using namespace Vantrel3;

TEST(EditorAccessibleName, NamesTheRowAsCountedAndTheColumnByItsHeader) {
    const struct {
        const char *name;
        qint32 fixedRows;
        qint32 fixedCols;
        QString header; // the first fixed row's text over the column
        qint32 row;
        qint32 col;
        QString expected;
    } cases[] = {
        {"header text", 1, 0, QStringLiteral("nome"), 3, 1, QStringLiteral("Riga 3, nome")},
        {"no header text", 1, 0, QString(), 3, 1, QStringLiteral("Riga 3, Colonna 2")},
        {"blank header text", 1, 0, QStringLiteral("   "), 1, 0,
         QStringLiteral("Riga 1, Colonna 1")},
        {"header over two lines", 1, 0, QStringLiteral(" Data di\nnascita "), 2, 2,
         QStringLiteral("Riga 2, Data di nascita")},
        {"no fixed rows", 0, 0, QString(), 0, 1, QStringLiteral("Riga 1, Colonna 2")},
        {"two fixed rows and a fixed column", 2, 1, QString(), 4, 3,
         QStringLiteral("Riga 3, Colonna 3")},
    };
    for (const auto &c : cases) {
        FlexGrid grid;
        grid.SetRows(6);
        grid.SetCols(4);
        grid.SetFixedRows(c.fixedRows);
        grid.SetFixedCols(c.fixedCols);
        if (c.fixedRows > 0) {
            grid.SetTextMatrix(0, c.col, c.header);
        }
        EXPECT_EQ(EditorAccessibleName::forCell(grid, c.row, c.col), c.expected) << c.name;
    }
}
