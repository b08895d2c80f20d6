#include "demo_window.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(DemoWindow, TheStatusHintComesBackAfterAMenusStatusTips) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DemoWindow window(dir.filePath(QStringLiteral("clienti.db")));
    window.resize(800, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto *hint = window.findChild<QLabel *>(QStringLiteral("hint"));
    ASSERT_NE(hint, nullptr);
    const QString text = window.hint();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Database: "))) << text.toStdString();
    EXPECT_TRUE(hint->isVisible());

    // Hovering the menu's items sends their status tips, empty ones included, through the menu
    // bar that opened the menu.
    QMenu *tools = window.menuBar()->actions().first()->menu();
    ASSERT_NE(tools, nullptr);
    QAction *item = tools->actions().first();
    const struct {
        QString tip;
        bool hintShown;
    } steps[] = {{QString(), true}, {QStringLiteral("Apre le pagine"), false}, {QString(), true}};
    for (const auto &step : steps) {
        item->setStatusTip(step.tip);
        item->showStatusText(window.menuBar());
        EXPECT_EQ(window.statusBar()->currentMessage(), step.tip);
        EXPECT_EQ(hint->isVisible(), step.hintShown) << step.tip.toStdString();
        EXPECT_EQ(window.hint(), text);
    }
}

TEST(DemoWindow, AmountsTakeDecimalsErrCellsSayWhyOnTheStatusBarAndEditsCanBeUndone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DemoWindow window(dir.filePath(QStringLiteral("clienti.db")));
    window.resize(900, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Vantrel3::Vantrel *grid = window.grid();
    auto *shown = grid->findChild<Vantrel3::FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    auto *editor = grid->findChild<QWidget *>(QStringLiteral("Text1"));
    ASSERT_TRUE(shown && editor);
    QAction *undo = window.menuBar()->actions().first()->menu()->actions().first();
    EXPECT_FALSE(undo->isEnabled());

    // The amount column (4): decimals typed, Enter moves on to the next column.
    grid->SetRow(1);
    grid->SetCol(4);
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_1);
    QTest::keyClicks(editor, QStringLiteral("234,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(grid->Col(), 5);
    EXPECT_EQ(grid->TextMatrix(1, 4), QStringLiteral("1.234,50"));
    EXPECT_TRUE(undo->isEnabled());

    // The date column (3): an impossible date is told on the status bar.
    grid->SetCol(3);
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_3);
    QTest::keyClicks(editor, QStringLiteral("1/02/1990"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("Err"));
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Data non valida"));

    undo->trigger();
    undo->trigger();
    QTest::qWait(50);
    grid->SetCol(0);
    EXPECT_EQ(grid->TextMatrix(1, 4), QStringLiteral("1.250,50"));
    EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("12/05/1969"));
}
