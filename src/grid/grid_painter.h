#pragma once

#include "grid/cell_store.h"
#include "grid/grid_axis.h"

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QPalette>
#include <QRect>
#include <QRegion>
#include <QStringView>
#include <vector>

class QPainter;

namespace Vantrel3 {

class FlexGridPrivate;
class GridTextCache;

// Draws the visible cells of a grid into its viewport: backgrounds, texts, pictures, grid lines,
// the selection, merged blocks and the focus rectangle. It reads the grid's state and changes
// nothing; its cost depends on the viewport's size only.
class GridPainter {
public:
    GridPainter(const FlexGridPrivate &grid, GridTextCache &texts, QPainter &painter, bool focused);
    // Draws the cells that meet the dirty region, whole, and the background around them.
    void paint(const QRegion &dirty);

private:
    // A rectangle of visible cells drawn as one: a single cell or a merged block.
    struct Block {
        size_t top;
        size_t left;
        size_t bottom;
        size_t right;
    };

    QStringView text(size_t i, size_t j) const { return m_texts[i * m_cols.size() + j]; }
    void readTexts(size_t firstRow, size_t lastRow);
    void findMerges();
    bool sameRowGroup(size_t i) const; // visible rows i-1 and i may merge
    bool sameColGroup(size_t j) const;
    Block blockAt(size_t i, size_t j) const;
    bool isOrigin(size_t i, size_t j) const;
    void drawBlock(const Block &block);
    void drawText(const QRect &rect, QStringView text, qint32 alignment, qint32 style,
                  const QColor &color);
    void drawGridLines(const QRect &rect, bool fixed);
    void drawFocusRect(const QRect &interior);
    QColor color(quint32 ole) const;

    const FlexGridPrivate &d;
    GridTextCache &m_textCache;
    QPainter &m_painter;
    QFont m_font;
    qreal m_lineHeight = 0;
    bool m_focused;
    QPalette m_palette;
    QLocale m_locale; // looked up once per paint: general alignment tests every text
    std::vector<GridAxis::Span> m_rows;
    std::vector<GridAxis::Span> m_cols;
    std::vector<QStringView> m_texts;
    TextScratch m_scratch; // the texts kept in one byte per character, widened for this paint
    // Per visible cell: joined with the cell above / with the block to its left.
    std::vector<char> m_mergeUp;
    std::vector<char> m_mergeLeft;
    std::vector<size_t> m_runTop;
    std::vector<size_t> m_runBottom;
};

} // namespace Vantrel3
