#pragma once

#include <QScrollBar>

namespace Vantrel3 {

// The grid's scroll bars. Their value is a row or column index, so with many rows most steps do
// not move the handle by a single pixel; such a step repaints nothing, where a plain scroll bar
// repaints itself whole on every change of value.
class GridScrollBar : public QScrollBar {
    Q_OBJECT

public:
    GridScrollBar(Qt::Orientation orientation, QWidget *parent);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What a repaint would show differently: the handle, and the arrows that go dim at either end.
    struct Face {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Face &) const = default;
    };
    Face face() const;

    Face m_face; // as last painted
};

} // namespace Vantrel3
