#include "grid/grid_back_buffer.h"

#include <QPainter>
#include <cmath>
#include <cstring>

namespace Vantrel3 {

void GridBackBuffer::invalidate() {
    if (!m_valid.isEmpty()) {
        m_valid = QRegion();
    }
}

void GridBackBuffer::invalidate(const QRect &rect) {
    if (!m_valid.isEmpty()) {
        m_valid -= rect;
    }
}

void GridBackBuffer::scroll(int dx, int dy, const QRect &area) {
    const qreal dpr = m_image.devicePixelRatio();
    const QRect logical = area & QRect(QPoint(0, 0), m_image.deviceIndependentSize().toSize());
    if (m_image.isNull() || m_valid.isEmpty() || logical.isEmpty() || dpr != std::floor(dpr)) {
        invalidate();
        return;
    }
    // What stays in view, in logical pixels, then in the image's own.
    const QRect target = logical.translated(dx, dy) & logical;
    if (target.isEmpty()) {
        m_valid -= logical;
        return;
    }
    const int scale = int(dpr);
    const QRect to(target.topLeft() * scale, target.size() * scale);
    const int sx = dx * scale;
    const int sy = dy * scale;
    const qsizetype bytes = qsizetype(to.width()) * 4;
    uchar *bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    auto line = [&](int y) { return bits + y * stride + qsizetype(to.x()) * 4; };
    // Rows move in the order that reads each source before it is overwritten.
    if (sy <= 0) {
        for (int y = to.top(); y <= to.bottom(); ++y) {
            std::memmove(line(y), line(y - sy) - qsizetype(sx) * 4, size_t(bytes));
        }
    } else {
        for (int y = to.bottom(); y >= to.top(); --y) {
            std::memmove(line(y), line(y - sy) - qsizetype(sx) * 4, size_t(bytes));
        }
    }
    // Stale pixels move with the rest; the part that came into view is stale too.
    const QRegion inside = m_valid & logical;
    m_valid -= logical;
    m_valid += inside.translated(dx, dy) & target;
}

void GridBackBuffer::paint(QPainter &target, const QRegion &region, const QSize &size, qreal dpr,
                           const Look &look, const Draw &draw) {
    const QSize pixels(qRound(size.width() * dpr), qRound(size.height() * dpr));
    if (m_image.size() != pixels || m_image.devicePixelRatio() != dpr) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(dpr);
        m_valid = QRegion();
    }
    if (!(look == m_look)) {
        m_look = look;
        m_valid = QRegion();
    }
    const QRegion wanted = region & QRect(QPoint(0, 0), size);
    const QRegion stale = wanted - m_valid;
    if (!stale.isEmpty()) {
        QPainter painter(&m_image);
        draw(painter, stale);
        m_valid += stale;
    }
    for (const QRect &r : wanted) {
        target.drawImage(QRectF(r), m_image,
                         QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
    }
}

} // namespace Vantrel3
