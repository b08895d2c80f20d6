#include "editing/cell_button.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

bool isDark(const QColor &c) {
    return c.lightness() < 80;
}

} // namespace

TEST(CellButton, StartsHidden255TwipsWideWithButtonFace) {
    QWidget parent;
    for (const auto glyph : {CellButton::Glyph::DownTriangle, CellButton::Glyph::Ellipsis}) {
        CellButton button(glyph, &parent);
        parent.show();
        EXPECT_EQ(button.Width(), 255);
        EXPECT_EQ(button.width(), 17);
        EXPECT_FALSE(button.Visible());
        EXPECT_FALSE(button.isVisible());
        EXPECT_EQ(button.BackColor().value(), 0x8000000Fu);
        EXPECT_EQ(button.focusPolicy(), Qt::ClickFocus);
        EXPECT_TRUE(button.text().isEmpty());
        parent.hide();
    }
}

TEST(CellButton, GeometryIsInTwips) {
    QWidget parent;
    CellButton button(CellButton::Glyph::Ellipsis, &parent);
    button.SetLeft(1500);
    button.SetTop(45);
    button.SetHeight(240);
    button.SetWidth(300);
    EXPECT_EQ(button.geometry(), QRect(100, 3, 20, 16));
    EXPECT_EQ(button.Left(), 1500);
    EXPECT_EQ(button.Top(), 45);
    EXPECT_EQ(button.Height(), 240);
    EXPECT_EQ(button.Width(), 300);
    button.SetVisible(true);
    EXPECT_TRUE(button.Visible()); // its own flag, with the parent hidden
}

TEST(CellButton, PaintsItsGlyphOnTheBackColor) {
    const QColor face(40, 200, 90);
    struct Case {
        CellButton::Glyph glyph;
        // Offsets from the 7x7 glyph cell's top-left corner.
        QList<QPoint> ink;
        QList<QPoint> bare;
    } const cases[] = {
        {CellButton::Glyph::DownTriangle,
         {{3, 2}, {3, 3}, {3, 4}, {3, 5}, {0, 2}, {6, 2}, {1, 3}, {5, 3}},
         {{0, 5}, {6, 5}, {3, 6}, {3, 1}, {0, 3}, {6, 4}}},
        {CellButton::Glyph::Ellipsis,
         {{0, 6}, {3, 6}, {6, 6}},
         {{1, 6}, {2, 6}, {4, 6}, {5, 6}, {3, 3}, {3, 2}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.glyph));
        QWidget parent;
        CellButton button(c.glyph, &parent);
        button.SetHeight(255);
        button.SetBackColor(OleColor::fromQColor(face));
        button.SetVisible(true);
        parent.show();
        const QImage image = button.grab().toImage();
        ASSERT_EQ(image.size(), QSize(17, 17));
        const QPoint origin(5, 5);
        for (const QPoint &p : c.ink) {
            EXPECT_TRUE(isDark(image.pixelColor(origin + p))) << p.x() << "," << p.y();
        }
        for (const QPoint &p : c.bare) {
            EXPECT_EQ(image.pixelColor(origin + p), face) << p.x() << "," << p.y();
        }
        EXPECT_EQ(image.pixelColor(3, 13), face); // the face away from glyph and borders
        EXPECT_NE(image.pixelColor(0, 8), face);  // the raised border
    }
}

TEST(CellButton, ClickEmitsClickedAndTakesTheFocus) {
    QWidget window;
    window.resize(100, 40);
    CellButton button(CellButton::Glyph::DownTriangle, &window);
    button.SetHeight(255);
    button.SetVisible(true);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_TRUE(button.hasFocus());
    button.SetVisible(false);
    EXPECT_FALSE(button.Visible());
}
