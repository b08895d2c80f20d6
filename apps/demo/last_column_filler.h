#pragma once

#include <QObject>
#include <QtGlobal>

namespace Vantrel3 {
class FlexGrid;
class Vantrel;
} // namespace Vantrel3

// Widens a grid's last column to the rest of the visible width, whenever the visible area
// changes size (the window is resized, a scroll bar comes or goes, the columns change), so no
// empty background stands beside the columns. The last column never gets narrower than
// `minimumTwips`; past that the grid scrolls sideways.
class LastColumnFiller : public QObject {
    Q_OBJECT

public:
    LastColumnFiller(Vantrel3::Vantrel *grid, qint32 minimumTwips);

    // Fits the last column now; the filler calls it by itself on every change of size.
    void fill();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Vantrel3::Vantrel *m_grid;
    Vantrel3::FlexGrid *m_shown;
    qint32 m_minimumTwips;
    bool m_filling = false;
};
