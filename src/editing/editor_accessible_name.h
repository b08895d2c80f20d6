#pragma once

#include <QString>

namespace Vantrel3 {

class FlexGrid;

// The name assistive technology reads for the editor: the cell it lies on, counted as the user
// sees the grid ("Riga 3, nome"), with "Colonna N" for a column without a header text.
namespace EditorAccessibleName {

QString forCell(const FlexGrid &grid, qint32 row, qint32 col);

} // namespace EditorAccessibleName
} // namespace Vantrel3
