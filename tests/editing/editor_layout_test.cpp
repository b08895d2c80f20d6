#include "editing/editor_placement.h"
#include "styles/cell_style_registry.h"
#include "styles/cell_style_state.h"

#include <Vantrel3/Enums.h>

#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

// A 4-column grid of 1200-twip columns and 300-twip rows under one fixed row, wide enough for
// every column, with no scroll bars.
PlacementMetrics cellAt(qint32 row, qint32 col) {
    PlacementMetrics m;
    m.row = row;
    m.col = col;
    m.rows = 5;
    m.cols = 4;
    m.fixedRows = 1;
    m.cellLeft = col * 1200;
    m.cellTop = row * 300;
    m.cellWidth = 1200;
    m.cellHeight = 300;
    m.controlWidth = 6000;
    m.gridWidth = 6000;
    m.gridHeight = 3000;
    m.scrollBars = eScrollBarNone;
    return m;
}

// The style state after leaving the previous cell and placing the editor on (row, col).
CellStyleState placedOn(const CellStyleRegistry &registry, qint32 row, qint32 col) {
    CellStyleState state;
    EditorPlacement::layout(cellAt(row, col), registry).applyTo(state);
    return state;
}

} // namespace

TEST(EditorLayout, StyleAndPopupFlagsFromColumnModeAndCellStyle) {
    CellStyleRegistry registry;
    registry.ColEditMode(1, 8, NoButton, Date, UpperCase, QStringLiteral("dd/mm/yyyy"));
    registry.AddEditStyle(1, 2, 5, Numeric, LowerCase, QStringLiteral("0.00"));
    registry.AddEditStyle(1, 3, 0, NoType, NoCase, QString()); // sets no flag, clears none
    registry.AddEditStyle(1, 2, 9, Time, NoCase, QString());   // a second record never counts

    CellStyleState s = placedOn(registry, 1, 1);
    EXPECT_EQ(s.CurDataType, Date);
    EXPECT_EQ(s.CurCaseType, UpperCase);
    EXPECT_EQ(s.CurCustomFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_TRUE(s.CellHasCalendar);
    EXPECT_FALSE(s.CellHasCalculator);
    EXPECT_EQ(EditorPlacement::layout(cellAt(1, 1), registry).style->maxLength, 8);

    // A column of type Date with a Numeric cell style: both flags, the cell's type.
    s = placedOn(registry, 2, 1);
    EXPECT_EQ(s.CurDataType, Numeric);
    EXPECT_EQ(s.CurCaseType, LowerCase);
    EXPECT_EQ(s.CurCustomFormat, QStringLiteral("0.00"));
    EXPECT_TRUE(s.CellHasCalendar);
    EXPECT_TRUE(s.CellHasCalculator);
    EXPECT_EQ(EditorPlacement::layout(cellAt(2, 1), registry).style->maxLength, 5);

    s = placedOn(registry, 3, 1);
    EXPECT_EQ(s.CurDataType, NoType);
    EXPECT_TRUE(s.CellHasCalendar);
}

TEST(EditorLayout, ACellWithoutRecordsSetsNothingAndKeepsTheStateAsItWas) {
    CellStyleRegistry registry;
    registry.AddLookUp(0, 1, QStringLiteral("x"));
    const EditorLayout layout = EditorPlacement::layout(cellAt(1, 3), registry);
    EXPECT_FALSE(layout.style);
    EXPECT_FALSE(layout.button);
    EXPECT_TRUE(layout.lookupItems.isEmpty());
    CellStyleState state;
    state.CurDataType = Time;
    state.CurCustomFormat = QStringLiteral("hh:nn");
    layout.applyTo(state);
    EXPECT_EQ(state.CurDataType, Time);
    EXPECT_EQ(state.CurCustomFormat, QStringLiteral("hh:nn"));
    EXPECT_FALSE(state.CellHasList);
}

TEST(EditorLayout, LookupItemsInCallOrderSetTheListFlag) {
    CellStyleRegistry registry;
    for (const char *item : {"Roma", "Rovigo", "Roma"}) {
        registry.AddLookUp(2, 1, QString::fromLatin1(item));
    }
    registry.AddLookUp(2, 3, QStringLiteral("Altro"));
    EXPECT_EQ(placedOn(registry, 1, 2).CellHasList, true);
    EXPECT_EQ(EditorPlacement::layout(cellAt(1, 2), registry).lookupItems,
              QStringList({"Roma", "Rovigo", "Roma"}));
    EXPECT_FALSE(placedOn(registry, 2, 2).CellHasList);
}

TEST(EditorLayout, ButtonsTakeTheirRoomFromTheEditor) {
    struct Case {
        const char *what;
        qint32 columnButton;
        qint32 cellButton;
        std::optional<CellButtonKind> button;
        qint32 width;
    };
    const Case cases[] = {
        {"no records", -1, -1, std::nullopt, 1200},
        {"column drop", ButtonStyleDrop, -1, CellButtonKind::Drop, 960},
        {"column browse", ButtonStyleBrowse, -1, CellButtonKind::Browse, 960},
        {"column without button", NoButton, -1, CellButtonKind::None, 1200},
        {"cell browse replaces column drop", ButtonStyleDrop, ButtonStyleBrowse,
         CellButtonKind::Browse, 960},
        {"cell style 0 keeps column drop", ButtonStyleDrop, NoButton, CellButtonKind::Drop, 960},
        {"cell drop", -1, ButtonStyleDrop, CellButtonKind::Drop, 960},
    };
    for (const Case &c : cases) {
        CellStyleRegistry registry;
        if (c.columnButton >= 0) {
            registry.ColEditMode(1, 0, c.columnButton, NoType, NoCase, QString());
        }
        if (c.cellButton >= 0) {
            registry.AddButton(1, 2, c.cellButton);
        }
        const PlacementMetrics m = cellAt(2, 1);
        const EditorLayout layout = EditorPlacement::layout(m, registry);
        EXPECT_EQ(layout.button, c.button) << c.what;
        EXPECT_EQ(layout.width, c.width) << c.what;
        if (layout.button && *layout.button != CellButtonKind::None) {
            // The button starts where the editor ends and reaches 15 twips past the cell.
            EXPECT_EQ(layout.buttonLeft, m.cellLeft + layout.width) << c.what;
            EXPECT_EQ(layout.buttonLeft + m.buttonWidth, m.cellLeft + m.cellWidth + 15) << c.what;
            EXPECT_EQ(layout.buttonTop, m.cellTop) << c.what;
            EXPECT_EQ(layout.buttonHeight, m.cellHeight) << c.what;
        }
    }
}

TEST(EditorLayout, LengthsBeyondSixteenBitsAreComputedWhole) {
    // A screen wider than 32,767 twips: the last column's overhang and the trim stay exact.
    CellStyleRegistry registry;
    PlacementMetrics m = cellAt(1, 3);
    m.cellLeft = 40000;
    m.cellWidth = 3000;
    m.controlWidth = 42000;
    m.gridWidth = 42000;
    // Overhang: 43000 - 42000 + 15.
    EXPECT_EQ(EditorPlacement::layout(m, registry).width, 3000 - 1015);
    m.scrollBars = eScrollBarBoth;
    m.controlWidth = 50000;
    m.gridWidth = 42500;
    // Trim: the cell ends 500 twips past the grid, all rows fit.
    EXPECT_EQ(EditorPlacement::layout(m, registry).width, 2500);
    // Not one pixel left: the width stops at 0.
    m.cellWidth = 100;
    m.gridWidth = 30000;
    EXPECT_EQ(EditorPlacement::layout(m, registry).width, 0);
}
