#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

// A column edit mode, appended by ColEditMode. DataType stays 32-bit; the rest is narrowed.
struct clsGrid {
    qint32 iCol = 0;
    qint16 MaxLen = 0;
    qint32 DataType = 0;    // eTextDataType
    qint16 ButtonStyle = 0; // eButtonStyle
    QString CustomFormat;
    qint16 CaseFormat = 0; // eTextCaseType
};

} // namespace Vantrel3
