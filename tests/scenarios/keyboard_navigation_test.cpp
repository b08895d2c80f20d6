#include "common/shown_control.h"
#include "editing/editor_box.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

class KeyboardTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(3);
        grid.SetRows(4);
        ASSERT_NO_FATAL_FAILURE(show(500, 300));
        QObject::connect(&grid, &Vantrel::LeaveCell, &grid, [this] {
            events << QStringLiteral("leave %1,%2").arg(grid.Row()).arg(grid.Col());
        });
        QObject::connect(&grid, &Vantrel::EnterCell, &grid, [this] {
            events << QStringLiteral("enter %1,%2").arg(grid.Row()).arg(grid.Col());
        });
        QObject::connect(&grid, &Vantrel::Change, &grid, [this] { ++changes; });
    }

    void at(qint32 row, qint32 col) {
        enterAfresh(row, col);
        events.clear();
    }

    QStringList events;
    int changes = 0;
};

} // namespace

TEST_F(KeyboardTest, ArrowsOnTheGridMoveAndStopAtTheEdges) {
    at(1, 0);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_Up); // the grid's limit is row 0, a fixed row
    EXPECT_EQ(grid.Row(), 0);
    QTest::keyClick(grid1(), Qt::Key_Up);
    EXPECT_EQ(grid.Row(), 0);
    at(3, 2);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_Down); // last row: no move, no new row
    QTest::keyClick(grid1(), Qt::Key_Right);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Rows(), 4);
    QTest::keyClick(grid1(), Qt::Key_Left);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(events, QStringList({"leave 3,2", "enter 3,1"}));
}

TEST_F(KeyboardTest, TypedTextIsCommittedWhenDownLeavesTheEditor) {
    grid.ColEditMode(1, 0, NoButton, Numeric, NoCase, QStringLiteral("0.00"));
    at(1, 1);
    editor()->setFocus();
    QTest::keyClicks(editor(), QStringLiteral("12"));
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid1()->TextMatrix(1, 1), QStringLiteral("12,00"));
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("12"));
    EXPECT_EQ(events, QStringList({"leave 1,1", "enter 2,1"}));
    // In the editor, Up stops at the first non-fixed row.
    at(1, 1);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_Up);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(KeyboardTest, LeftAndRightMoveTheCaretUnlessArrowsActAsTab) {
    at(1, 1);
    editor()->SetText(QStringLiteral("abc"));
    editor()->setFocus();
    editor()->SetSelStart(3);
    QTest::keyClick(editor(), Qt::Key_Left);
    EXPECT_EQ(editor()->SelStart(), 2);
    EXPECT_EQ(grid.Col(), 1);

    grid.SetArrowAsKeyTab(true);
    QTest::keyClick(editor(), Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 2);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_Right); // last column: no wrap
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(KeyboardTest, EnterActsAsTabAndNeverWraps) {
    grid.SetEnterAsKeyTab(true);
    at(1, 1);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(grid.Col(), 2);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 1);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_Return);
    EXPECT_EQ(grid.Col(), 2);
}

TEST_F(KeyboardTest, EnterOnTheLastRowAppendsOneRowAndStays) {
    at(3, 0);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Row(), 3);
}

TEST_F(KeyboardTest, TypingOnTheGridStartsEditingWithThatCharacter) {
    grid.ColEditMode(2, 0, NoButton, Numeric);
    grid.ColEditMode(1, 0, NoButton, NoType, UpperCase);
    at(1, 1);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_M);
    EXPECT_TRUE(editor()->hasFocus());
    EXPECT_EQ(editor()->Text(), QStringLiteral("M"));
    QTest::keyClicks(editor(), QStringLiteral("ario"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("MARIO"));

    // A refused first character gives the editor the focus and leaves its text alone.
    grid.SetTextMatrix(1, 2, QStringLiteral("7"));
    at(1, 2);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_X);
    EXPECT_TRUE(editor()->hasFocus());
    EXPECT_EQ(editor()->Text(), QStringLiteral("7"));
}

TEST_F(KeyboardTest, TypingOnTheLastRowOfTheGridAppendsExactlyOneRow) {
    at(3, 0);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_A);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(editor()->Text(), QStringLiteral("a"));
}

TEST_F(KeyboardTest, WithEditingOffTypingAndEnterOnTheGridDoNothing) {
    at(1, 0);
    grid.SetAllowEdit(false);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_A);
    QTest::keyClick(grid1(), Qt::Key_Return);
    EXPECT_TRUE(grid1()->hasFocus());
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Rows(), 4);
}

TEST_F(KeyboardTest, FunctionKeyOnACellWithoutPopupDoesNothing) {
    at(1, 1);
    grid1()->setFocus();
    for (Qt::Key key : {Qt::Key_F7, Qt::Key_F5}) {
        QTest::keyClick(grid1(), key);
        EXPECT_EQ(grid.Row(), 1);
        EXPECT_EQ(grid.Col(), 1);
        EXPECT_TRUE(grid1()->hasFocus());
    }
}

TEST_F(KeyboardTest, TheHostSeesKeysFirstAndMayCancelThem) {
    QObject::connect(&grid, &Vantrel::KeyDown, &grid, [](qint16 &KeyCode, qint16 &) {
        if (KeyCode == 40) {
            KeyCode = 0;
        }
    });
    QObject::connect(&grid, &Vantrel::KeyPress, &grid, [](qint16 &KeyAscii) {
        if (KeyAscii == 'q') {
            KeyAscii = 0;
        }
    });
    at(1, 1);
    grid1()->setFocus();
    QTest::keyClick(grid1(), Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 1);
    editor()->setFocus();
    editor()->SetText(QString());
    QTest::keyClicks(editor(), QStringLiteral("aqb"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("ab"));
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(KeyboardTest, CompletionFromTheLookupItems) {
    grid.AddLookUp(1, 1, QStringLiteral("Roma"));
    grid.AddLookUp(1, 1, QStringLiteral("Rovigo"));
    grid.SetAutoComplete(true);
    at(1, 1);
    editor()->setFocus();
    editor()->SetText(QString());
    changes = 0;
    QTest::keyClicks(editor(), QStringLiteral("ro"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("Roma"));
    EXPECT_EQ(editor()->SelStart(), 2);
    EXPECT_EQ(editor()->SelLength(), 2);
    EXPECT_GE(changes, 2);
    // No item begins with the text: it stays as typed.
    QTest::keyClicks(editor(), QStringLiteral("x"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("Rox"));
}
