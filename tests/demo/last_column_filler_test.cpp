#include "last_column_filler.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/Vantrel.h>

#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

constexpr qint32 kMinimum = 1500;

// The right edge of the last column, in pixels from the viewport's left edge.
int columnsRightEdge(const Vantrel &grid, const FlexGrid &shown) {
    int right = 0;
    for (qint32 c = 0; c < grid.Cols(); ++c) {
        right += Twips::toPixelsX(&shown, grid.ColWidth(c));
    }
    return right;
}

} // namespace

TEST(LastColumnFiller, TheLastColumnReachesTheRightEdgeAsTheWindowIsResized) {
    Vantrel grid;
    grid.SetCols(4);
    grid.SetRows(3);
    for (qint32 c = 0; c < 3; ++c) {
        grid.SetColWidth(c, 1500); // 100 pixels each at 96 dpi
    }
    new LastColumnFiller(&grid, kMinimum);
    grid.show();
    auto *shown = grid.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    ASSERT_NE(shown, nullptr);

    const struct {
        int width;
        bool fills; // false: too narrow, the last column keeps its minimum
    } cases[] = {{600, true}, {1000, true}, {450, true}, {700, true}, {300, false}};
    for (const auto &c : cases) {
        grid.resize(c.width, 200);
        QTRY_COMPARE(grid.width(), c.width);
        if (c.fills) {
            QTRY_COMPARE(columnsRightEdge(grid, *shown), shown->viewport()->width());
        } else {
            QTRY_COMPARE(grid.ColWidth(3), kMinimum);
        }
        for (qint32 col = 0; col < 3; ++col) {
            EXPECT_EQ(grid.ColWidth(col), 1500) << "only the last column changes";
        }
    }
}

TEST(LastColumnFiller, FollowsAChangeOfTheNumberOfColumns) {
    Vantrel grid;
    grid.SetCols(2);
    grid.SetRows(3);
    new LastColumnFiller(&grid, kMinimum);
    grid.resize(600, 200);
    grid.show();
    auto *shown = grid.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    ASSERT_NE(shown, nullptr);
    grid.SetCols(3);
    grid.SetColWidth(1, 1500);
    grid.SetCols(4);
    QTRY_COMPARE(columnsRightEdge(grid, *shown), shown->viewport()->width());
}
