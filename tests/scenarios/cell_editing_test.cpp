#include "common/control_parts.h"
#include "common/shown_control.h"
#include "common/wait.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

class CellEditingTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(4);
        grid.SetRows(6);
        ASSERT_NO_FATAL_FAILURE(show(600, 300));
        QObject::connect(&grid, &Vantrel::LeaveCell, &grid, [this] {
            events << QStringLiteral("leave %1,%2").arg(grid.Row()).arg(grid.Col());
        });
        QObject::connect(&grid, &Vantrel::EnterCell, &grid, [this] {
            events << QStringLiteral("enter %1,%2").arg(grid.Row()).arg(grid.Col());
        });
        QObject::connect(&grid, &Vantrel::Change, &grid,
                         [this] { events << QStringLiteral("change"); });
        QObject::connect(&grid, &Vantrel::Click, &grid,
                         [this] { events << QStringLiteral("click"); });
    }

    CellButton *command1() { return grid.findChild<CellButton *>(QStringLiteral("Command1")); }

    void at(qint32 row, qint32 col) {
        enterAfresh(row, col);
        events.clear();
    }

    void typeInEditor(const QString &text) {
        editor()->setFocus();
        QTest::keyClicks(editor(), text);
    }

    QStringList events;
};

} // namespace

TEST_F(CellEditingTest, LeavingByClickCommitsAndRaisesLeaveBeforeEnter) {
    grid.ColEditMode(1, 0, NoButton, NoType, ProperCase);
    at(1, 1);
    typeInEditor(QStringLiteral("ab"));
    EXPECT_EQ(events, QStringList({"change", "change"}));
    events.clear();
    QTest::mouseClick(grid1()->viewport(), Qt::LeftButton, {}, cellCentre(3, 2));
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid1()->TextMatrix(1, 1), QStringLiteral("Ab"));
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("ab"));
    // Leaving empties the editor (one Change); the new cell is empty, so entering changes nothing.
    EXPECT_EQ(events, QStringList({"change", "leave 1,1", "enter 3,2", "click"}));
}

TEST_F(CellEditingTest, TabOnlyGivesTheGridTheFocusAndCommitsNothingYet) {
    at(1, 1);
    typeInEditor(QStringLiteral("xy"));
    QTest::keyClick(editor(), Qt::Key_Tab);
    EXPECT_TRUE(grid1()->hasFocus());
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QString());
    EXPECT_EQ(editor()->Text(), QStringLiteral("xy"));
    QTest::keyClick(grid1(), Qt::Key_Right);
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("xy"));
}

TEST_F(CellEditingTest, EnteringAFormattedCellShowsItsRawTextUnderTheEditor) {
    grid.ColEditMode(2, 0, NoButton, Numeric, NoCase, QStringLiteral("#,##0.00"));
    grid.SetTextMatrix(2, 2, QStringLiteral("1234,5"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("1.234,50"));
    at(2, 2);
    EXPECT_EQ(editor()->Text(), QStringLiteral("1234,5"));
    EXPECT_EQ(grid1()->TextMatrix(2, 2), QStringLiteral("1234,5"));
    grid.SetRow(3);
    EXPECT_EQ(grid1()->TextMatrix(2, 2), QStringLiteral("1.234,50"));
}

TEST_F(CellEditingTest, ARepaintKeepsWhatTheUserTyped) {
    at(2, 1);
    typeInEditor(QStringLiteral("uncommitted"));
    grid.repaint();
    grid.resize(620, 300);
    QTRY_EXPECT_EQ(grid1()->width(), 620);
    settle();
    EXPECT_EQ(editor()->Text(), QStringLiteral("uncommitted"));
    EXPECT_EQ(editor()->Left(), grid1()->CellLeft());
}

TEST_F(CellEditingTest, CodeWritesKeepTypingUnlessTheyTargetTheEditedCell) {
    at(2, 1);
    typeInEditor(QStringLiteral("mine"));
    grid.SetTextMatrix(4, 3, QStringLiteral("other"));
    grid.SetTextArray(4 * 4 + 2, QStringLiteral("by index"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("mine"));
    EXPECT_EQ(grid.TextMatrix(4, 3), QStringLiteral("other"));
    EXPECT_EQ(grid.TextMatrix(4, 2), QStringLiteral("by index"));

    grid.SetTextMatrix(2, 1, QStringLiteral("from code"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("from code"));
    typeInEditor(QStringLiteral("!"));
    grid.SetText(QStringLiteral("again"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("again"));
}

TEST_F(CellEditingTest, TheEditorFollowsItsCellWhenTheGridScrolls) {
    grid.SetRows(200);
    at(2, 1);
    typeInEditor(QStringLiteral("kept"));
    QSignalSpy scrolls(&grid, &Vantrel::Scroll);
    grid1()->SetTopRow(100);
    // Out of sight, not over another cell; and still holding the focus and the typing.
    QTRY_EXPECT_TRUE(!grid.rect().intersects(editor()->geometry()));
    EXPECT_GE(scrolls.count(), 1);
    EXPECT_TRUE(editor()->hasFocus());

    grid1()->SetTopRow(1);
    QTRY_EXPECT_TRUE(grid.rect().intersects(editor()->geometry()));
    EXPECT_EQ(editor()->Top(), grid1()->CellTop());
    EXPECT_EQ(editor()->Text(), QStringLiteral("kept"));
}

TEST_F(CellEditingTest, WithEditingOffLeavingCommitsNothingButStillResets) {
    grid.ColEditMode(1, 0, ButtonStyleDrop, Date);
    at(1, 1);
    ASSERT_TRUE(command1()->Visible());
    editor()->SetText(QStringLiteral("12/05/1999"));
    grid.SetAllowEdit(false);
    EXPECT_FALSE(editor()->Visible());
    EXPECT_TRUE(command1()->Visible()); // until the cell is left
    events.clear();
    grid.SetRow(2);
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QString());
    EXPECT_FALSE(command1()->Visible());
    EXPECT_EQ(events, QStringList({"leave 1,1", "enter 2,1"}));
    // The style state went back to neutral: the function key finds no popup on the new cell.
    QTest::keyClick(grid1(), Qt::Key_F7);
    EXPECT_FALSE(parts::calendar(grid)->isVisible());
}

TEST_F(CellEditingTest, GridAndEditorClicksCloseTheOpenList) {
    at(1, 1);
    parts::list(grid)->show();
    QTest::mouseClick(grid1()->viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
    EXPECT_FALSE(parts::list(grid)->isVisible());
    EXPECT_FALSE(events.contains(QStringLiteral("click")));
    QTest::mouseClick(grid1()->viewport(), Qt::LeftButton, {}, cellCentre(1, 1));
    EXPECT_TRUE(events.contains(QStringLiteral("click")));

    parts::list(grid)->show();
    QTest::mouseClick(editor(), Qt::LeftButton);
    EXPECT_FALSE(parts::list(grid)->isVisible());
}

TEST_F(CellEditingTest, TextOperationsStyleBothGrids) {
    grid.AddEditStyle(1, 2, 0, NoType, UpperCase, QStringLiteral("@@@@-@@"));
    grid.SetTextMatrix(2, 1, QStringLiteral("abcdef"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("ABCD-EF"));
    at(2, 1);
    EXPECT_EQ(grid.Text(), QStringLiteral("ABCDEF"));

    // TextArray takes the current cell's style even for another cell.
    grid.SetTextArray(3 * 4 + 0, QStringLiteral("xyz"));
    EXPECT_EQ(grid.TextArray(3 * 4 + 0), QStringLiteral("   X-YZ"));
    EXPECT_EQ(grid2()->TextMatrix(3, 0), QStringLiteral("XYZ"));

    grid.Clear();
    for (qint32 r = 0; r < grid.Rows(); ++r) {
        for (qint32 c = 0; c < grid.Cols(); ++c) {
            EXPECT_EQ(grid1()->TextMatrix(r, c), QString());
            EXPECT_EQ(grid2()->TextMatrix(r, c), QString());
        }
    }
    EXPECT_EQ(grid.Text(), QString());
    // Leaving the current cell after Clear does not bring its old text back.
    grid.SetRow(3);
    EXPECT_EQ(grid1()->TextMatrix(2, 1), QString());
    EXPECT_EQ(grid2()->TextMatrix(2, 1), QString());
}

TEST_F(CellEditingTest, RemoveItemTakesTheRowFromBothGridsAndReplacesTheEditor) {
    grid.AddItem(QStringLiteral("a\tb"));
    const qint32 last = grid.Rows() - 1;
    grid.SetTextMatrix(2, 0, QStringLiteral("second"));
    at(2, 0);
    typeInEditor(QStringLiteral("!"));
    grid.RemoveItem(2);
    EXPECT_EQ(grid.Rows(), last);
    EXPECT_EQ(grid1()->TextMatrix(last - 1, 0), QStringLiteral("a"));
    EXPECT_EQ(grid2()->TextMatrix(last - 1, 1), QStringLiteral("b"));
    EXPECT_EQ(editor()->Text(), grid2()->TextMatrix(2, 0));
    // An index outside the grid is ignored, not raised.
    EXPECT_NO_THROW(grid.RemoveItem(1000));
}
