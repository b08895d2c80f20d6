#include "grid/grid_painter.h"
#include "grid/flex_grid_p.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QStaticText>
#include <algorithm>

namespace Vantrel3 {

namespace {

constexpr int kTextMargin = 3;

// Whether a text may be a number at all: a number starts with a digit, a sign, a decimal point
// or the letters of inf and nan. Most texts are words, and this spares asking the locale.
bool mayStartNumber(QChar first, const QLocale &locale) {
    const char16_t c = first.unicode();
    if (c >= 0x80) {
        return true; // other scripts' digits and signs: the locale decides
    }
    if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u',' || c == u'i' ||
        c == u'I' || c == u'n' || c == u'N') {
        return true;
    }
    for (const QString &s : {locale.decimalPoint(), locale.negativeSign(), locale.positiveSign()}) {
        if (!s.isEmpty() && s.front() == first) {
            return true;
        }
    }
    return false;
}

// General alignment puts numbers on the right: the user's own notation or the plain one.
bool looksNumeric(QStringView text, const QLocale &locale) {
    const QStringView t = text.trimmed();
    if (t.isEmpty() || !mayStartNumber(t.front(), locale)) {
        return false;
    }
    bool ok = false;
    locale.toDouble(t, &ok);
    if (!ok) {
        QLocale::c().toDouble(t, &ok);
    }
    return ok;
}

Qt::Alignment qtAlignment(qint32 alignment, QStringView text, const QLocale &locale) {
    if (alignment == eAlignGeneral) {
        return Qt::AlignVCenter | (looksNumeric(text, locale) ? Qt::AlignRight : Qt::AlignLeft);
    }
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                       Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                     Qt::AlignBottom};
    const qint32 a = std::clamp(alignment, 0, 8);
    return horizontal[a / 3] | vertical[a % 3];
}

} // namespace

GridPainter::GridPainter(const FlexGridPrivate &grid, GridTextCache &texts, QPainter &painter,
                         bool focused)
    : d(grid), m_textCache(texts), m_painter(painter), m_font(grid.q->font()), m_focused(focused),
      m_palette(grid.q->palette()), m_locale(grid.q->locale()) {
    m_lineHeight = QFontMetricsF(m_font).height();
}

QColor GridPainter::color(quint32 ole) const {
    return OleColor(ole).toQColor(m_palette);
}

void GridPainter::paint(const QRegion &dirty) {
    m_rows = d.rowAxis().visible(d.topRow, d.viewportHeight());
    m_cols = d.colAxis().visible(d.leftCol, d.viewportWidth());
    // Cells cover every pixel of their own, so the background goes only where none lies.
    QRegion outside = dirty;
    if (!m_rows.empty() && !m_cols.empty()) {
        outside -= QRect(0, 0, m_cols.back().pos + m_cols.back().size,
                         m_rows.back().pos + m_rows.back().size);
    }
    const QColor background = color(d.backColorBkg);
    for (const QRect &r : outside) {
        m_painter.fillRect(r, background);
    }
    if (m_rows.empty() || m_cols.empty()) {
        return;
    }
    const QRect bounds = dirty.boundingRect();
    const bool merging = d.mergeCells != eMergeNever;
    // The rows and columns that meet the dirty area; a merged block may start outside it, so
    // merging reads every visible cell.
    size_t firstRow = 0;
    size_t lastRow = m_rows.size() - 1;
    size_t firstCol = 0;
    size_t lastCol = m_cols.size() - 1;
    if (!merging) {
        auto meets = [](const GridAxis::Span &s, int lo, int hi) {
            return s.pos <= hi && s.pos + s.size > lo;
        };
        while (firstRow < lastRow && !meets(m_rows[firstRow], bounds.top(), bounds.bottom())) {
            ++firstRow;
        }
        while (lastRow > firstRow && !meets(m_rows[lastRow], bounds.top(), bounds.bottom())) {
            --lastRow;
        }
        while (firstCol < lastCol && !meets(m_cols[firstCol], bounds.left(), bounds.right())) {
            ++firstCol;
        }
        while (lastCol > firstCol && !meets(m_cols[lastCol], bounds.left(), bounds.right())) {
            --lastCol;
        }
    }
    readTexts(firstRow, lastRow);
    m_painter.setFont(m_font);
    const bool oneRect = dirty.rectCount() <= 1;
    if (!merging) {
        for (size_t i = firstRow; i <= lastRow; ++i) {
            for (size_t j = firstCol; j <= lastCol; ++j) {
                const QRect cell(m_cols[j].pos, m_rows[i].pos, m_cols[j].size, m_rows[i].size);
                if (oneRect ? cell.intersects(bounds) : dirty.intersects(cell)) {
                    drawBlock({i, j, i, j});
                }
            }
        }
        return;
    }
    findMerges();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        for (size_t j = 0; j < m_cols.size(); ++j) {
            if (!isOrigin(i, j)) {
                continue;
            }
            const Block b = blockAt(i, j);
            const QRect rect(QPoint(m_cols[b.left].pos, m_rows[b.top].pos),
                             QPoint(m_cols[b.right].pos + m_cols[b.right].size - 1,
                                    m_rows[b.bottom].pos + m_rows[b.bottom].size - 1));
            if (dirty.intersects(rect)) {
                drawBlock(b);
            }
        }
    }
}

void GridPainter::readTexts(size_t firstRow, size_t lastRow) {
    const size_t m = m_cols.size();
    m_texts.assign(m_rows.size() * m, QStringView());
    m_scratch.clear();
    std::vector<qint32> cols(m);
    for (size_t j = 0; j < m; ++j) {
        cols[j] = m_cols[j].index;
    }
    for (size_t i = firstRow; i <= lastRow; ++i) {
        d.store.views(m_rows[i].index, cols.data(), m, m_texts.data() + i * m, m_scratch);
    }
}

bool GridPainter::sameRowGroup(size_t i) const {
    return i > 0 && (m_rows[i].index < d.fixedRows) == (m_rows[i - 1].index < d.fixedRows);
}

bool GridPainter::sameColGroup(size_t j) const {
    return j > 0 && (m_cols[j].index < d.fixedCols) == (m_cols[j - 1].index < d.fixedCols);
}

void GridPainter::findMerges() {
    const size_t n = m_rows.size();
    const size_t m = m_cols.size();
    m_mergeUp.assign(n * m, 0);
    m_mergeLeft.assign(n * m, 0);
    m_runTop.resize(n * m);
    m_runBottom.resize(n * m);
    const qint32 mode = d.mergeCells;
    if (mode != eMergeNever) {
        // Merging is decided within the visible cells, so its cost follows the viewport;
        // identical neighbours merge, empty cells and fixed/scrolling neighbours never do.
        const bool restrictRows = mode == eMergeRestrictRows || mode == eMergeRestrictAll;
        const bool restrictCols = mode == eMergeRestrictColumns || mode == eMergeRestrictAll;
        std::vector<char> sameAbove(n * m, 0);
        std::vector<char> sameLeft(n * m, 0);
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < m; ++j) {
                const QStringView t = text(i, j);
                const size_t k = i * m + j;
                if (t.isEmpty()) {
                    continue;
                }
                if (sameRowGroup(i) && d.columns[size_t(m_cols[j].index)].merge &&
                    text(i - 1, j) == t) {
                    sameAbove[k] = !restrictCols || !sameColGroup(j) || sameAbove[k - 1];
                }
                if (sameColGroup(j) && d.store.rowMerge(m_rows[i].index) && text(i, j - 1) == t) {
                    sameLeft[k] = !restrictRows || !sameRowGroup(i) || sameLeft[k - m];
                }
            }
        }
        m_mergeUp = sameAbove;
        // Vertical runs first; a horizontal join then takes whole runs of equal height,
        // which keeps every merged block a rectangle.
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < m; ++j) {
                const size_t k = i * m + j;
                m_runTop[k] = m_mergeUp[k] ? m_runTop[k - m] : i;
            }
        }
        for (size_t i = n; i-- > 0;) {
            for (size_t j = 0; j < m; ++j) {
                const size_t k = i * m + j;
                m_runBottom[k] = (i + 1 < n && m_mergeUp[k + m]) ? m_runBottom[k + m] : i;
            }
        }
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 1; j < m; ++j) {
                const size_t k = i * m + j;
                m_mergeLeft[k] = sameLeft[m_runTop[k] * m + j] && m_runTop[k] == m_runTop[k - 1] &&
                                 m_runBottom[k] == m_runBottom[k - 1];
            }
        }
    } else {
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < m; ++j) {
                m_runTop[i * m + j] = i;
                m_runBottom[i * m + j] = i;
            }
        }
    }
}

bool GridPainter::isOrigin(size_t i, size_t j) const {
    const size_t k = i * m_cols.size() + j;
    return !m_mergeUp[k] && !m_mergeLeft[k];
}

GridPainter::Block GridPainter::blockAt(size_t i, size_t j) const {
    const size_t m = m_cols.size();
    Block b{i, j, m_runBottom[i * m + j], j};
    while (b.right + 1 < m && m_mergeLeft[i * m + b.right + 1]) {
        ++b.right;
    }
    return b;
}

void GridPainter::drawBlock(const Block &b) {
    const GridAxis::Span &top = m_rows[b.top];
    const GridAxis::Span &left = m_cols[b.left];
    const QRect rect(QPoint(left.pos, top.pos),
                     QPoint(m_cols[b.right].pos + m_cols[b.right].size - 1,
                            m_rows[b.bottom].pos + m_rows[b.bottom].size - 1));
    const qint32 r = top.index;
    const qint32 c = left.index;
    const bool fixed = d.isFixed(r, c);
    const CellRange block{r, c, m_rows[b.bottom].index, m_cols[b.right].index};
    const bool hasCurrent =
        d.row >= block.top && d.row <= block.bottom && d.col >= block.left && d.col <= block.right;

    bool selected = false;
    if (!fixed && d.showsSelection()) {
        const CellRange sel = d.selection();
        selected = block.top <= sel.bottom && block.bottom >= sel.top && block.left <= sel.right &&
                   block.right >= sel.left;
        // In free selection the current cell keeps its own look and shows the focus instead.
        if (hasCurrent && d.selectionMode == eSelectionFree) {
            selected = false;
        }
    }

    const qint32 lines = fixed ? d.gridLinesFixed : d.gridLines;
    const int lw = lines == eGridNone ? 0 : d.gridLineWidth;
    const QRect interior = rect.adjusted(0, 0, -lw, -lw);

    m_painter.fillRect(rect,
                       color(fixed ? d.backColorFixed : (selected ? d.backColorSel : d.backColor)));
    QRect textRect = interior.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QPixmap picture = d.store.rowHasPictures(r) ? d.store.picture(r, c) : QPixmap();
    if (!picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        const QPoint at(interior.left(), interior.top() + (interior.height() - size.height()) / 2);
        m_painter.save();
        m_painter.setClipRect(interior);
        m_painter.drawPixmap(at, picture);
        m_painter.restore();
        textRect.setLeft(interior.left() + size.width() + kTextMargin);
    }
    const QStringView t = text(b.top, b.left);
    if (!t.isEmpty() && textRect.width() > 0) {
        const GridColumn &column = d.columns[size_t(c)];
        const qint32 alignment =
            fixed && column.fixedAlignment >= 0 ? column.fixedAlignment : column.alignment;
        drawText(textRect, t, alignment, fixed ? d.textStyleFixed : d.textStyle,
                 color(fixed ? d.foreColorFixed : (selected ? d.foreColorSel : d.foreColor)));
    }
    if (lw > 0) {
        drawGridLines(rect, fixed);
    }
    if (hasCurrent && m_focused && d.focusRect != 0) {
        drawFocusRect(interior);
    }
}

void GridPainter::drawText(const QRect &rect, QStringView text, qint32 alignment, qint32 style,
                           const QColor &color) {
    const Qt::Alignment align = qtAlignment(alignment, text, m_locale);
    const int flags = int(align) | (d.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    // The store's text stays put while the cell is drawn: no copy.
    const QString s = QString::fromRawData(text.data(), text.size());
    // A single line is drawn from its kept layout, clipped to its cell when it does not fit;
    // wrapped text takes the general way.
    const QStaticText *laidOut = d.wordWrap ? nullptr : m_textCache.find(text, m_font);
    QPointF at;
    bool clip = false;
    if (laidOut) {
        const qreal w = laidOut->size().width();
        clip = w > rect.width() || m_lineHeight > rect.height();
        const qreal x = (align & Qt::AlignRight)     ? rect.x() + rect.width() - w
                        : (align & Qt::AlignHCenter) ? rect.x() + (rect.width() - w) / 2
                                                     : rect.x();
        const qreal y = (align & Qt::AlignBottom)    ? rect.y() + rect.height() - m_lineHeight
                        : (align & Qt::AlignVCenter) ? rect.y() + (rect.height() - m_lineHeight) / 2
                                                     : rect.y();
        at = QPointF(x, y);
    }
    auto draw = [&](int dx, int dy) {
        if (laidOut && clip) {
            m_painter.save();
            m_painter.setClipRect(rect.translated(dx, dy), Qt::IntersectClip);
            m_painter.drawStaticText(at + QPointF(dx, dy), *laidOut);
            m_painter.restore();
        } else if (laidOut) {
            m_painter.drawStaticText(at + QPointF(dx, dy), *laidOut);
        } else {
            m_painter.drawText(rect.translated(dx, dy), flags, s);
        }
    };
    const QColor light = m_palette.color(QPalette::Light);
    const QColor dark = m_palette.color(QPalette::Dark);
    auto shadow = [&](int dx, int dy, const QColor &c) {
        m_painter.setPen(c);
        draw(dx, dy);
    };
    switch (style) {
    case eTextRaised:
        shadow(-1, -1, light);
        shadow(1, 1, dark);
        break;
    case eTextInset:
        shadow(-1, -1, dark);
        shadow(1, 1, light);
        break;
    case eTextRaisedLight:
        shadow(1, 1, dark);
        break;
    case eTextInsetLight:
        shadow(1, 1, light);
        break;
    default:
        break;
    }
    m_painter.setPen(color);
    draw(0, 0);
}

void GridPainter::drawGridLines(const QRect &rect, bool fixed) {
    const qint32 lines = fixed ? d.gridLinesFixed : d.gridLines;
    const int lw = d.gridLineWidth;
    const QColor line = color(fixed ? d.gridColorFixed : d.gridColor);
    const QColor light = m_palette.color(QPalette::Light);
    // The line belongs to the cell: a band at its right and bottom edges. The 3D styles add a
    // one-pixel edge at the top and left in the opposite shade.
    const QColor far = lines == eGridInset ? light : line;
    const QRect right(rect.right() - lw + 1, rect.top(), lw, rect.height());
    const QRect bottom(rect.left(), rect.bottom() - lw + 1, rect.width(), lw);
    m_painter.fillRect(right, far);
    m_painter.fillRect(bottom, far);
    if (lines == eGridInset || lines == eGridRaised) {
        const QColor near = lines == eGridInset ? line : light;
        m_painter.fillRect(QRect(rect.left(), rect.top(), rect.width() - lw, 1), near);
        m_painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height() - lw), near);
    }
}

void GridPainter::drawFocusRect(const QRect &interior) {
    // Four thin fills instead of a stroked pen: the light rectangle is the classic one of every
    // other pixel, the heavy one a solid band two pixels wide, both just inside the grid lines.
    const int band = d.focusRect == 2 ? 2 : 1;
    const QBrush brush(color(d.foreColor), d.focusRect == 2 ? Qt::SolidPattern : Qt::Dense4Pattern);
    const QRect r = interior;
    if (r.width() < 1 || r.height() < 1) {
        return;
    }
    m_painter.fillRect(QRect(r.left(), r.top(), r.width(), band), brush);
    m_painter.fillRect(QRect(r.left(), r.bottom() - band + 1, r.width(), band), brush);
    m_painter.fillRect(QRect(r.left(), r.top(), band, r.height()), brush);
    m_painter.fillRect(QRect(r.right() - band + 1, r.top(), band, r.height()), brush);
}

} // namespace Vantrel3
