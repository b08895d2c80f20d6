#include "control/validation_tool_tip.h"

#include "editing/validation_notes.h"

#include <Vantrel3/FlexGrid.h>

#include <QHelpEvent>
#include <QToolTip>

namespace Vantrel3 {

ValidationToolTip::ValidationToolTip(FlexGrid &grid, const ValidationNotes &notes)
    : QObject(grid.viewport()), m_grid(grid), m_notes(notes) {
    grid.viewport()->installEventFilter(this);
}

bool ValidationToolTip::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ToolTip || m_notes.isEmpty()) {
        return false;
    }
    // The cell under the pointer: the grid tracks it as the pointer moves.
    const qint32 row = m_grid.MouseRow();
    const qint32 col = m_grid.MouseCol();
    if (row < 0 || col < 0) {
        return false;
    }
    const QString why = m_notes.at(row, col);
    if (why.isEmpty()) {
        return false;
    }
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), why,
                       qobject_cast<QWidget *>(watched));
    return true;
}

} // namespace Vantrel3
