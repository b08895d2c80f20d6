#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

// One item of one cell's lookup list, appended by AddLookUp or AddLookUpItem; the text is stored
// unsplit. The list shows ItemData; Code is what the cell stores when the item is picked, the
// text itself for AddLookUp's items.
struct clsLookUp {
    qint32 iCol = 0;
    qint32 iRow = 0;
    QString ItemData;
    QString Code;
};

} // namespace Vantrel3
