#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

// The style in force for the current cell, shared by placement, editing, keys and popups.
// The editor's MaxLength belongs to the same state but lives on the editor itself.
struct CellStyleState {
    qint32 CurDataType = 0; // eTextDataType
    qint32 CurCaseType = 0; // eTextCaseType
    QString CurCustomFormat;
    bool CellHasList = false;
    bool CellHasCalendar = false;
    bool CellHasCalculator = false;

    // Back to the neutral values the control starts with and returns to on leaving a cell.
    void reset() { *this = CellStyleState(); }
};

} // namespace Vantrel3
