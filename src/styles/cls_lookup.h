#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

// One item of one cell's lookup list, appended by AddLookUp; the text is stored unsplit.
struct clsLookUp {
    qint32 iCol = 0;
    qint32 iRow = 0;
    QString ItemData;
};

} // namespace Vantrel3
