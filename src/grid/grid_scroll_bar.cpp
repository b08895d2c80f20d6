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
    if (change == SliderValueChange && isVisible() && face() == m_face) {
        return; // the same pixels as on screen: nothing to repaint
    }
    QScrollBar::sliderChange(change);
}

void GridScrollBar::paintEvent(QPaintEvent *event) {
    m_face = face();
    QScrollBar::paintEvent(event);
}

} // namespace Vantrel3
