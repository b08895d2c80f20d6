#include "last_column_filler.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/Vantrel.h>

#include <QEvent>
#include <algorithm>

using namespace Vantrel3;

LastColumnFiller::LastColumnFiller(Vantrel *grid, qint32 minimumTwips)
    : QObject(grid), m_grid(grid),
      m_shown(grid->findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1"))),
      m_minimumTwips(minimumTwips) {
    if (m_shown) {
        m_shown->viewport()->installEventFilter(this);
    }
    connect(m_grid, &Vantrel::ColsChanged, this, &LastColumnFiller::fill);
}

bool LastColumnFiller::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Resize && m_shown && watched == m_shown->viewport()) {
        fill();
    }
    return QObject::eventFilter(watched, event);
}

void LastColumnFiller::fill() {
    const qint32 cols = m_grid->Cols();
    if (!m_shown || cols == 0 || m_filling) {
        return;
    }
    // Setting the width can bring or take a scroll bar, which resizes the viewport again.
    m_filling = true;
    guarded("LastColumnFiller::fill", [this, cols] {
        int used = 0;
        for (qint32 c = 0; c < cols - 1; ++c) {
            used += Twips::toPixelsX(m_shown, m_grid->ColWidth(c));
        }
        const int rest = m_shown->viewport()->width() - used;
        m_grid->SetColWidth(cols - 1, std::max(m_minimumTwips, Twips::fromPixelsX(m_shown, rest)));
    });
    m_filling = false;
}
