#include "pickers/popup_placement.h"

#include <gtest/gtest.h>

using namespace Vantrel3;

TEST(PopupPlacement, UnderTheCellThenRightEdgeRuleThenInsideTheScreen) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize popup(150, 100);
    const struct {
        const char *what;
        QRect cell;
        int hostRight, editorWidth, buttonWidth;
        QRect screen;
        QPoint expected;
    } cases[] = {
        {"fits under the cell", {100, 200, 80, 20}, 1000, 63, 17, screen, {100, 220}},
        {"exactly reaches the host edge", {850, 200, 80, 20}, 1000, 63, 17, screen, {850, 220}},
        {"past the host edge, with button", {900, 200, 80, 20}, 1000, 63, 17, screen, {830, 220}},
        {"past the host edge, no button", {900, 200, 80, 20}, 1000, 63, 0, screen, {813, 220}},
        {"no room below: above the cell", {100, 1000, 80, 20}, 1000, 63, 17, screen, {100, 900}},
        {"past the screen's right edge", {1850, 200, 80, 20}, 5000, 63, 17, screen, {1770, 220}},
        {"left of the screen", {-60, 200, 80, 20}, 1000, 63, 17, screen, {0, 220}},
        {"above the screen", {100, -90, 80, 20}, 1000, 63, 17, screen, {100, 0}},
        {"second screen", {1930, 200, 80, 20}, 2100, 63, 17, {1920, 0, 1280, 1024}, {1930, 220}},
        {"coordinates past 16 bits",
         {40000, 30000, 80, 20},
         50000,
         63,
         17,
         {32768, 0, 20000, 40000},
         {40000, 30020}},
        {"right-edge rule past 16 bits",
         {40000, 30000, 80, 20},
         40100,
         63,
         17,
         {32768, 0, 20000, 40000},
         {39930, 30020}},
        {"no screen known: no clamp", {-60, 5000, 80, 20}, 1000, 63, 17, QRect(), {-60, 5020}},
    };
    for (const auto &c : cases) {
        PopupPlacement placement;
        placement.cell = c.cell;
        placement.popup = popup;
        placement.hostRight = c.hostRight;
        placement.editorWidth = c.editorWidth;
        placement.buttonWidth = c.buttonWidth;
        placement.screen = c.screen;
        EXPECT_EQ(placement.topLeft(), c.expected) << c.what;
    }
}

TEST(PopupPlacement, PopupLargerThanTheScreenKeepsItsTopLeftOnIt) {
    PopupPlacement placement;
    placement.cell = QRect(500, 300, 80, 20);
    placement.popup = QSize(900, 700);
    placement.hostRight = 2000;
    placement.screen = QRect(0, 0, 800, 600);
    EXPECT_EQ(placement.topLeft(), QPoint(0, 0));
}
