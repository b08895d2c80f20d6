#include "grid/grid_size_index.h"

#include <Vantrel3/FlexGrid.h>

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using Vantrel3::FlexGrid;
using Vantrel3::GridSizeIndex;

TEST(GridSizeIndex, PrefixSumsMatchAWalkForEveryCount) {
    for (const qint32 count : {0, 1, 2, 7, 8, 9, 100, 1000}) {
        std::vector<qint64> deltas(static_cast<size_t>(count));
        for (qint32 i = 0; i < count; ++i) {
            deltas[size_t(i)] = (i * 37 % 11) - 5; // negative, zero and positive
        }
        GridSizeIndex index;
        index.build(count, [&](qint32 i) { return deltas[size_t(i)]; });
        EXPECT_EQ(index.count(), count);
        qint64 walked = 0;
        for (qint32 i = 0; i <= count; ++i) {
            EXPECT_EQ(index.prefix(i), walked) << count << " at " << i;
            if (i < count) {
                walked += deltas[size_t(i)];
            }
        }
        EXPECT_EQ(index.prefix(count + 5), walked) << "past the end counts what there is";
    }
}

TEST(GridSizeIndex, FarRowPositionsFollowEveryChangeOfHeightOrRows) {
    FlexGrid g;
    QFont font;
    font.setPixelSize(10);
    g.setFont(font);
    g.SetBorderStyle(0);
    g.SetScrollBars(0);
    g.resize(300, 200);
    g.SetRows(5000);
    ASSERT_EQ(g.RowHeight(1), 240); // 16 pixels
    for (qint32 r = 3; r < g.Rows(); r += 5) {
        g.SetRowHeight(r, r % 2 ? 450 : 0); // taller, or hidden
    }
    // Twips of row r's top, summing the rows one by one, as positions were always found.
    auto walked = [&](qint32 row) {
        qint32 twips = g.RowHeight(0);
        for (qint32 r = g.TopRow(); r < row; ++r) {
            twips += g.RowHeight(r);
        }
        return twips;
    };
    struct Step {
        const char *name;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"as set", [] {}},
        {"a row in between taller", [&] { g.SetRowHeight(2000, 900); }},
        {"a row added above", [&] { g.AddItem("new", 10); }},
        {"a row removed above", [&] { g.RemoveItem(20); }},
        {"rows moved", [&] { g.SetRowPosition(30, 3000); }},
        {"a minimum height", [&] { g.SetRowHeightMin(300); }},
        {"scrolled", [&] { g.SetTopRow(1200); }},
    };
    for (const Step &step : steps) {
        step.change();
        for (const qint32 row : {g.TopRow() + 1, 2500, 4000, g.Rows() - 1}) {
            EXPECT_EQ(g.RowPos(row), walked(row)) << step.name << ", row " << row;
        }
    }
}
