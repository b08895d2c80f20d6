#pragma once

#include <QObject>

namespace Vantrel3 {

class FlexGrid;
class ValidationNotes;

// Shows, as the tooltip of a cell showing "Err", why its text is not valid; any other cell keeps
// the grid's own tooltip.
class ValidationToolTip : public QObject {
public:
    ValidationToolTip(FlexGrid &grid, const ValidationNotes &notes);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FlexGrid &m_grid;
    const ValidationNotes &m_notes;
};

} // namespace Vantrel3
