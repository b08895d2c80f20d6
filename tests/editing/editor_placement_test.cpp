#include "common/control_parts.h"
#include "common/wait.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

// Lengths here are twips at 96 dpi: 15 twips to the pixel.
constexpr qint32 kTwipsPerPixel = 15;
constexpr qint32 kColWidth = 1200; // 80 px
constexpr qint32 kRowHeight = 300; // 20 px
constexpr qint32 kButtonWidth = 255;

// A widget keeps whole pixels, so a width set in twips reads back snapped to the pixel.
qint32 snapped(qint32 twips) {
    const double px = double(twips) / kTwipsPerPixel;
    return qint32(std::lround(px)) * kTwipsPerPixel;
}

class EditorPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.SetCols(4);
        grid.SetRows(5);
        grid.SetFixedRows(1);
        grid.SetFixedCols(0);
        for (int c = 0; c < 4; ++c) {
            grid1()->SetColWidth(c, kColWidth);
        }
        for (int r = 0; r < 5; ++r) {
            grid1()->SetRowHeight(r, kRowHeight);
        }
        grid.SetScrollBars(eScrollBarNone);
        grid.resize(600, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        ASSERT_EQ(grid.logicalDpiX(), 96);
    }

    FlexGrid *grid1() { return grid.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1")); }
    FlexGrid *grid2() { return grid.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid2")); }
    EditorBox *editor() { return grid.findChild<EditorBox *>(QStringLiteral("Text1")); }
    CellButton *command1() { return grid.findChild<CellButton *>(QStringLiteral("Command1")); }
    CellButton *command2() { return grid.findChild<CellButton *>(QStringLiteral("Command2")); }
    QListWidget *list1() { return parts::list1(grid); }
    // Typing a character into the current cell: true when the cell's data type lets it in.
    bool accepts(const QString &ch) {
        editor()->SetText(QString());
        editor()->setFocus();
        QTest::keyClicks(editor(), ch);
        return editor()->Text() == ch;
    }

    // Leaves the current cell and enters (row, col), even when it is the current one already.
    void moveTo(qint32 row, qint32 col) {
        if (grid.Row() == row && grid.Col() == col) {
            grid.SetRow(row == 1 ? 2 : 1);
        }
        grid.SetRow(row);
        grid.SetCol(col);
    }

    // Runs the placement again on the current cell without leaving it.
    void placeAgain() { grid.SetBorderStyle(grid.BorderStyle()); }

    // Sizes the control (and so the grid) to a width in pixels.
    void setControlWidthPx(int px) {
        grid.resize(px, grid.height());
        QTRY_ASSERT_EQ(grid1()->width(), px);
    }

    Vantrel grid;
};

} // namespace

TEST_F(EditorPlacementTest, EditorCoversAnInnerCellExactly) {
    moveTo(2, 1);
    EditorBox *e = editor();
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(e->Left(), grid1()->CellLeft());
    EXPECT_EQ(e->Top(), grid1()->CellTop());
    EXPECT_EQ(e->Width(), grid1()->CellWidth());
    EXPECT_EQ(e->Height(), grid1()->CellHeight());
    EXPECT_FALSE(command1()->Visible());
    EXPECT_FALSE(command2()->Visible());
}

TEST_F(EditorPlacementTest, LastColumnOverhangKeepsTheEditorInsideTheControl) {
    moveTo(1, 3);
    const qint32 right = grid1()->CellLeft() + grid1()->CellWidth();

    // Right edge exactly on the control's right edge: 15 twips narrower than the cell.
    setControlWidthPx(right / kTwipsPerPixel);
    placeAgain();
    EXPECT_EQ(editor()->Width(), grid1()->CellWidth() - 15);

    // Right edge 100 twips (here 105, seven pixels) inside the control: as wide as the cell.
    setControlWidthPx(right / kTwipsPerPixel + 7);
    placeAgain();
    EXPECT_EQ(editor()->Width(), grid1()->CellWidth());

    // Right edge past the control's edge: the overhang plus 15 is taken off.
    setControlWidthPx(right / kTwipsPerPixel - 10);
    placeAgain();
    EXPECT_EQ(editor()->Width(), grid1()->CellWidth() - 150 - 15);
}

// The first column cannot scroll further left, so a narrow control leaves it partly hidden.
TEST_F(EditorPlacementTest, WithoutVerticalScrollBarAPartlyHiddenColumnKeepsItsWidth) {
    moveTo(1, 0);
    const qint32 right = grid1()->CellLeft() + grid1()->CellWidth();
    setControlWidthPx(right / kTwipsPerPixel - 20);
    for (qint32 bars : {eScrollBarNone, eScrollBarHorizontal}) {
        grid.SetScrollBars(bars);
        placeAgain();
        EXPECT_EQ(editor()->Width(), grid1()->CellWidth()) << bars;
        EXPECT_GT(editor()->Left() + editor()->Width(), grid1()->Width()) << bars;
    }
}

TEST_F(EditorPlacementTest, TrimToTheGridWidthWithVerticalScrollBar) {
    struct Case {
        qint32 bars;
        qint32 border;
        bool manyRows;
        qint32 loss; // before snapping to the pixel
    };
    // The cell ends 45 twips (three pixels) past the grid's width.
    const Case cases[] = {
        {eScrollBarBoth, 0, false, 45},           {eScrollBarBoth, 1, false, 45 + 15},
        {eScrollBarVertical, 0, false, 45},       {eScrollBarBoth, 0, true, 45 + 235},
        {eScrollBarBoth, 1, true, 45 + 235 + 15},
    };
    for (const Case &c : cases) {
        grid.SetRows(c.manyRows ? 400 : 5);
        for (int r = 0; r < grid.Rows(); ++r) {
            grid1()->SetRowHeight(r, kRowHeight);
        }
        grid.SetScrollBars(c.bars);
        grid.SetBorderStyle(c.border);
        moveTo(1, 0);
        const qint32 right = grid1()->CellLeft() + grid1()->CellWidth();
        setControlWidthPx(right / kTwipsPerPixel - 3);
        ASSERT_EQ(right - grid1()->Width(), 45);
        placeAgain();
        EXPECT_EQ(editor()->Width(), snapped(grid1()->CellWidth() - c.loss))
            << "bars " << c.bars << " border " << c.border << " many rows " << c.manyRows;
    }
}

TEST_F(EditorPlacementTest, ColumnButtonAttachesAtTheEditorsRightEdge) {
    grid.ColEditMode(1, 0, ButtonStyleDrop, Date);
    moveTo(2, 1);
    const qint32 cellLeft = grid1()->CellLeft();
    const qint32 cellWidth = grid1()->CellWidth();
    EXPECT_EQ(editor()->Width(), cellWidth - kButtonWidth + 15);
    ASSERT_TRUE(command1()->Visible());
    EXPECT_FALSE(command2()->Visible());
    EXPECT_EQ(command1()->Left(), cellLeft + editor()->Width());
    EXPECT_EQ(command1()->Top(), grid1()->CellTop());
    EXPECT_EQ(command1()->Height(), grid1()->CellHeight());
    EXPECT_EQ(command1()->Width(), kButtonWidth);
    // The button reaches 15 twips past the editor's former right edge.
    EXPECT_EQ(command1()->Left() + command1()->Width(), cellLeft + cellWidth + 15);
}

TEST_F(EditorPlacementTest, CellButtonReplacesTheColumnButtonAndGivesItsRoomBack) {
    grid.ColEditMode(1, 0, ButtonStyleDrop);
    grid.AddButton(1, 2, ButtonStyleBrowse);
    moveTo(2, 1);
    EXPECT_FALSE(command1()->Visible());
    EXPECT_TRUE(command2()->Visible());
    EXPECT_EQ(editor()->Width(), grid1()->CellWidth() - kButtonWidth + 15);
    EXPECT_EQ(command2()->Left(), grid1()->CellLeft() + editor()->Width());
}

TEST_F(EditorPlacementTest, CellButtonOfStyleZeroKeepsTheColumnButton) {
    grid.ColEditMode(1, 0, ButtonStyleDrop);
    grid.AddButton(1, 2, NoButton);
    moveTo(2, 1);
    EXPECT_TRUE(command1()->Visible());
    EXPECT_FALSE(command2()->Visible());
}

TEST_F(EditorPlacementTest, EveryPlacementOnTheSameCellKeepsTheEditorBesideItsButton) {
    grid.AddButton(1, 2, ButtonStyleDrop);
    moveTo(2, 1);
    for (int placement = 0; placement < 3; ++placement) {
        EXPECT_EQ(editor()->Width(), grid1()->CellWidth() - kButtonWidth + 15) << placement;
        EXPECT_TRUE(command1()->Visible());
        EXPECT_EQ(command1()->Left(), editor()->Left() + editor()->Width());
        // Nothing lies over the button's centre but the button.
        const QPoint centre = command1()->geometry().center();
        EXPECT_EQ(grid.childAt(centre), command1()) << placement;
        placeAgain();
    }
}

TEST_F(EditorPlacementTest, LengthLimitAndTypingFilterComeFromColumnModeAndCellStyle) {
    grid.ColEditMode(1, 8, NoButton, Date, UpperCase, QStringLiteral("dd/mm/yyyy"));
    grid.AddEditStyle(1, 2, 5, Numeric, LowerCase, QStringLiteral("0.00"));
    grid.AddEditStyle(1, 3, 0);       // no data type
    grid.AddEditStyle(1, 2, 9, Time); // a second record for the same cell never counts

    moveTo(1, 1);
    EXPECT_EQ(editor()->MaxLength(), 8);
    EXPECT_TRUE(accepts(QStringLiteral("/")));
    EXPECT_FALSE(accepts(QStringLiteral("a")));

    moveTo(2, 1);
    EXPECT_EQ(editor()->MaxLength(), 5);
    EXPECT_TRUE(accepts(QStringLiteral("7")));
    EXPECT_FALSE(accepts(QStringLiteral("/")));

    moveTo(3, 1);
    EXPECT_EQ(editor()->MaxLength(), 0);
    EXPECT_TRUE(accepts(QStringLiteral("a")));
}

TEST_F(EditorPlacementTest, LookupItemsFillTheListInCallOrder) {
    grid.AddLookUp(2, 1, QStringLiteral("Roma"));
    grid.AddLookUp(2, 1, QStringLiteral("Rovigo"));
    grid.AddLookUp(2, 1, QStringLiteral("Roma"));
    grid.AddLookUp(2, 3, QStringLiteral("Altro"));
    moveTo(1, 2);
    ASSERT_EQ(list1()->count(), 3);
    EXPECT_EQ(list1()->item(0)->text(), QStringLiteral("Roma"));
    EXPECT_EQ(list1()->item(1)->text(), QStringLiteral("Rovigo"));
    EXPECT_EQ(list1()->item(2)->text(), QStringLiteral("Roma"));

    moveTo(2, 2);
    EXPECT_EQ(list1()->count(), 0);
}

TEST_F(EditorPlacementTest, CellWithoutRecordsKeepsStateButtonsHiddenListEmptied) {
    grid.AddLookUp(0, 1, QStringLiteral("x"));
    moveTo(1, 0);
    ASSERT_EQ(list1()->count(), 1);
    editor()->SetMaxLength(4);
    placeAgain();
    EXPECT_EQ(editor()->MaxLength(), 4);
    moveTo(1, 3);
    EXPECT_EQ(list1()->count(), 0);
    EXPECT_FALSE(command1()->Visible());
    EXPECT_FALSE(command2()->Visible());
}

TEST_F(EditorPlacementTest, RawTextOfTheHiddenGridGoesIntoTheEditor) {
    grid1()->SetTextMatrix(2, 2, QStringLiteral("1.234,50"));
    grid2()->SetTextMatrix(2, 2, QStringLiteral("1234,5"));
    moveTo(2, 2);
    EXPECT_EQ(editor()->Text(), QStringLiteral("1234,5"));
    EXPECT_EQ(grid1()->TextMatrix(2, 2), QStringLiteral("1234,5"));
}

TEST_F(EditorPlacementTest, NoEditorShowsOnAFixedCurrentCellAndTypingThereWritesNothing) {
    grid.SetTextMatrix(0, 1, QStringLiteral("Nome"));
    moveTo(2, 1);
    grid.SetRow(0);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_FALSE(editor()->Visible());
    grid1()->setFocus();
    QTest::keyClicks(grid1(), QStringLiteral("xy"));
    QTest::keyClick(grid1(), Qt::Key_Down);
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("Nome"));
    EXPECT_EQ(grid2()->TextMatrix(0, 1), QStringLiteral("Nome"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QString());
    // Back on a data cell, the editor is there again.
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_TRUE(editor()->Visible());
}

TEST_F(EditorPlacementTest, AllowEditHidesAndPlacesTheEditor) {
    moveTo(2, 2);
    grid.SetAllowEdit(false);
    EXPECT_FALSE(editor()->Visible());
    moveTo(3, 1);
    EXPECT_FALSE(editor()->Visible());
    grid.SetAllowEdit(true);
    EXPECT_TRUE(editor()->Visible());
    EXPECT_EQ(editor()->Top(), grid1()->CellTop());
    EXPECT_EQ(editor()->Left(), grid1()->CellLeft());
}

TEST_F(EditorPlacementTest, RegistryCallsWhileEditingIsOffLeaveNoTrace) {
    grid.SetAllowEdit(false);
    grid.ColEditMode(1, 0, ButtonStyleDrop, Date);
    grid.AddEditStyle(1, 2, 3, Numeric);
    grid.AddButton(1, 2, ButtonStyleBrowse);
    grid.AddLookUp(1, 2, QStringLiteral("x"));
    grid.SetAllowEdit(true);
    moveTo(2, 1);
    EXPECT_FALSE(command1()->Visible());
    EXPECT_FALSE(command2()->Visible());
    EXPECT_EQ(list1()->count(), 0);
    EXPECT_TRUE(accepts(QStringLiteral("a")));
    EXPECT_EQ(editor()->MaxLength(), 0);
}

TEST_F(EditorPlacementTest, OverflowingArgumentRaisesErrorSixAndAddsNothing) {
    try {
        grid.AddEditStyle(1, 2, 40000, Numeric);
        FAIL() << "no error";
    } catch (const VbError &e) {
        EXPECT_EQ(e.Number(), 6);
    }
    moveTo(2, 1);
    EXPECT_TRUE(accepts(QStringLiteral("a")));
    EXPECT_EQ(editor()->MaxLength(), 0);
}

TEST_F(EditorPlacementTest, ShapeAndCurrentCellReachBothGrids) {
    grid.SetCols(6);
    grid.SetRows(9);
    grid.SetFixedCols(1);
    grid.SetFixedRows(2);
    grid.SetRow(4);
    grid.SetCol(3);
    for (FlexGrid *g : {grid1(), grid2()}) {
        EXPECT_EQ(g->Cols(), 6);
        EXPECT_EQ(g->Rows(), 9);
        EXPECT_EQ(g->FixedCols(), 1);
        EXPECT_EQ(g->FixedRows(), 2);
        EXPECT_EQ(g->Row(), 4);
        EXPECT_EQ(g->Col(), 3);
    }
}
