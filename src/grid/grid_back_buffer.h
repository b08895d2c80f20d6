#pragma once

#include <QImage>
#include <QRegion>
#include <QtGlobal>
#include <functional>

class QPainter;

namespace Vantrel3 {

// The viewport's pixels as last drawn, and which of them are still current. Exposing a part of
// the viewport, moving a widget that lies over it and scrolling then cost a copy instead of
// drawing the cells again: only what changed, or what scrolling brings into view, is drawn.
// Whoever changes what a cell looks like marks its pixels stale. No widget here.
class GridBackBuffer {
public:
    // What the drawing depends on beyond the grid's own state; a change makes every pixel stale.
    struct Look {
        qint64 palette = 0;
        int colorGroup = 0;
        bool focused = false;
        bool operator==(const Look &) const = default;
    };
    using Draw = std::function<void(QPainter &painter, const QRegion &stale)>;

    void invalidate();
    void invalidate(const QRect &rect);
    // Moves the pixels inside area (logical pixels) by (dx, dy), as QWidget::scroll does; what
    // comes into view is stale.
    void scroll(int dx, int dy, const QRect &area);
    // Copies region to target, first drawing the stale part of it with draw(), which paints in
    // logical pixels and may paint more than it is asked to, as long as it paints the truth.
    void paint(QPainter &target, const QRegion &region, const QSize &size, qreal dpr,
               const Look &look, const Draw &draw);

    QRegion current() const { return m_valid; }

private:
    QImage m_image;
    QRegion m_valid; // logical pixels that hold what the grid shows now
    Look m_look;
};

} // namespace Vantrel3
