#include "grid/grid_text_cache.h"

#include <Vantrel3/FlexGrid.h>

#include <QFontMetricsF>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

using Vantrel3::FlexGrid;
using Vantrel3::GridTextCache;

TEST(GridTextCache, KeepsOneLayoutPerPlainLineAndForgetsItWithTheFont) {
    GridTextCache cache;
    QFont small;
    small.setPixelSize(10);
    QFont large;
    large.setPixelSize(20);

    const QStaticText *first = cache.find(u"r12c3", small);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "r12c3");
    EXPECT_EQ(cache.find(QString("r12c3"), small), first) << "laid out once";
    const qreal smallWidth = first->size().width();
    EXPECT_NEAR(smallWidth, QFontMetricsF(small).horizontalAdvance("r12c3"), 1.0);
    EXPECT_EQ(cache.size(), 1);

    for (const char16_t *text : {u"two\nlines", u"tab\there", u"line\u2028separator"}) {
        EXPECT_EQ(cache.find(text, small), nullptr) << "not one plain line";
    }
    EXPECT_EQ(cache.size(), 1);

    const QStaticText *bigger = cache.find(u"r12c3", large);
    ASSERT_NE(bigger, nullptr);
    EXPECT_GT(bigger->size().width(), smallWidth * 1.5);
    EXPECT_EQ(cache.size(), 1) << "the old font's layouts are gone";

    for (int i = 0; i < 10000; ++i) {
        cache.find(QString::number(i), large);
    }
    EXPECT_LE(cache.size(), 8192) << "bounded";
}

TEST(GridTextCache, TextsThatDoNotFitStayInsideTheirCell) {
    FlexGrid g;
    QFont font;
    font.setPixelSize(10);
    g.setFont(font);
    g.resize(400, 120);
    g.SetRows(4);
    g.SetCols(4);
    g.SetBackColor(0xFFFFFF);
    g.SetHighLight(0);
    g.SetFocusRect(0);
    g.SetGridLines(0);
    g.SetColAlignment(1, 1); // left: the text runs towards the next column
    g.SetColAlignment(2, 1);
    g.SetTextMatrix(1, 1, "WWWWWWWWWWWWWWWWWWWWWWWWWW");
    g.SetTextMatrix(2, 1, "WW");
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    const QImage image = g.viewport()->grab().toImage();
    auto inkIn = [&](int x0, int x1, int y0, int y1) {
        int ink = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                ink += image.pixelColor(x, y).lightness() < 128;
            }
        }
        return ink;
    };
    EXPECT_GT(inkIn(64, 128, 16, 32), 20) << "the long text shows in its cell";
    EXPECT_EQ(inkIn(128, 192, 16, 32), 0) << "and not in the next one";
    EXPECT_GT(inkIn(64, 128, 32, 48), 5) << "a short text shows";
}
