#include "grid/grid_scroll_bar.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace Vantrel3 {

GridScrollBar::GridScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent) {}

GridScrollBar::Face GridScrollBar::face() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        value() == minimum(), value() == maximum()};
}

void GridScrollBar::sliderChange(SliderChange change) {
    const Face now = face();
    const bool same = now == m_face;
    m_face = now;
    if (change == SliderValueChange && same && isVisible()) {
        return; // the same pixels: nothing to repaint
    }
    QScrollBar::sliderChange(change);
}

} // namespace Vantrel3
