#include "grid/grid_back_buffer.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using Vantrel3::GridBackBuffer;

namespace {

// A world of distinct pixels seen through a window at an offset, as grid cells are seen through
// the viewport at a scroll position. Pixels inside `fixedBand` (x or y below it) do not scroll.
struct World {
    QPoint offset;
    int fixedBand = 0;

    QRgb at(int x, int y) const {
        const int wx = x < fixedBand ? x : x + offset.x();
        const int wy = y < fixedBand ? y : y + offset.y();
        return qRgb((wx * 7) & 0xFF, (wy * 13) & 0xFF, ((wx ^ wy) * 3) & 0xFF);
    }
};

struct Target {
    QImage image{QSize(60, 40), QImage::Format_RGB32};
    QRegion asked; // what the buffer last asked to draw

    void paintFrom(GridBackBuffer &buffer, const World &world, const QRegion &region) {
        asked = QRegion();
        QPainter painter(&image);
        buffer.paint(painter, region, image.size(), 1.0, {}, [&](QPainter &p, const QRegion &r) {
            asked += r;
            for (const QRect &rect : r) {
                for (int y = rect.top(); y <= rect.bottom(); ++y) {
                    for (int x = rect.left(); x <= rect.right(); ++x) {
                        p.fillRect(QRect(x, y, 1, 1), QColor(world.at(x, y)));
                    }
                }
            }
        });
    }
};

QImage expected(const World &world, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, world.at(x, y));
        }
    }
    return image;
}

} // namespace

TEST(GridBackBuffer, ScrollingMovesPixelsAndDrawsOnlyWhatComesIntoView) {
    struct Case {
        const char *name;
        int dx;
        int dy;
        QRect exposed; // what must be drawn afresh, in a 60 x 40 viewport with a 5-pixel band
    };
    const Case cases[] = {
        {"down one row", 0, -8, QRect(0, 32, 60, 8)},
        {"up one row", 0, 8, QRect(0, 5, 60, 8)},
        {"right one column", -10, 0, QRect(50, 0, 10, 40)},
        {"left one column", 10, 0, QRect(5, 0, 10, 40)},
    };
    for (const Case &c : cases) {
        GridBackBuffer buffer;
        Target target;
        World world{{100, 200}, 5};
        const QRect all(0, 0, 60, 40);
        target.paintFrom(buffer, world, all);
        EXPECT_EQ(target.asked, QRegion(all)) << c.name << ": the first paint draws everything";

        // The scrolling part lies past the fixed band, as the grid's fixed rows and columns do.
        const QRect area = c.dy != 0 ? QRect(0, 5, 60, 35) : QRect(5, 0, 55, 40);
        buffer.scroll(c.dx, c.dy, area);
        world.offset -= QPoint(c.dx, c.dy);
        target.paintFrom(buffer, world, all);
        EXPECT_EQ(target.asked, QRegion(c.exposed)) << c.name;
        EXPECT_EQ(target.image, expected(world, target.image.size())) << c.name;
    }
}

TEST(GridBackBuffer, StalePixelsAreDrawnAgainAndStayStaleWhenScrolled) {
    GridBackBuffer buffer;
    Target target;
    World world{{0, 0}, 0};
    const QRect all(0, 0, 60, 40);
    target.paintFrom(buffer, world, all);

    // Exposing a part again copies it: nothing is drawn.
    target.image.fill(Qt::black);
    target.paintFrom(buffer, world, QRect(10, 10, 20, 10));
    EXPECT_TRUE(target.asked.isEmpty());
    EXPECT_EQ(target.image.pixel(15, 15), world.at(15, 15));

    // A cell that changed and then scrolled is still drawn afresh where it now lies.
    buffer.invalidate(QRect(20, 16, 10, 8));
    buffer.scroll(0, -8, all);
    world.offset += QPoint(0, 8);
    target.paintFrom(buffer, world, all);
    EXPECT_EQ(target.asked, QRegion(QRect(20, 8, 10, 8)) + QRect(0, 32, 60, 8));
    EXPECT_EQ(target.image, expected(world, target.image.size()));

    // A different look (palette, focus) makes every pixel stale.
    target.paintFrom(buffer, world, all);
    EXPECT_TRUE(target.asked.isEmpty());
    QPainter painter(&target.image);
    int drawn = 0;
    buffer.paint(painter, all, target.image.size(), 1.0, {1, 0, true},
                 [&](QPainter &, const QRegion &r) { drawn = int(r.boundingRect().width()); });
    EXPECT_EQ(drawn, 60);
}
