#pragma once

#include <QtGlobal>

namespace Vantrel3 {

// One cell's button, appended by AddButton.
struct clsButtons {
    qint32 iCol = 0;
    qint32 iRow = 0;
    qint16 Style = 0; // eButtonStyle
};

} // namespace Vantrel3
