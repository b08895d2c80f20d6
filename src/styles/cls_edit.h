#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

// One cell's edit style, appended by AddEditStyle.
struct clsEdit {
    qint32 iCol = 0;
    qint32 iRow = 0;
    qint16 DataFormat = 0; // eTextDataType
    qint16 MaxLen = 0;
    qint16 CaseFormat = 0; // eTextCaseType
    QString CustomFormat;
};

} // namespace Vantrel3
