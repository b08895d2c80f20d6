#include "demo_window.h"

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
