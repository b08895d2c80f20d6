#include "editing/editor_accessible_name.h"

#include <Vantrel3/FlexGrid.h>

namespace Vantrel3::EditorAccessibleName {

QString forCell(const FlexGrid &grid, qint32 row, qint32 col) {
    // Rows and columns are counted from the first one below and beside the fixed ones.
    const qint32 rowNumber = row - grid.FixedRows() + 1;
    const QString header = grid.FixedRows() > 0 ? grid.TextMatrix(0, col).simplified() : QString();
    const QString column =
        header.isEmpty() ? QStringLiteral("Colonna %1").arg(col - grid.FixedCols() + 1) : header;
    return QStringLiteral("Riga %1, %2").arg(rowNumber).arg(column);
}

} // namespace Vantrel3::EditorAccessibleName
