#pragma once

#include "control/record_binding.h"

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

class CellEditor;
class CellStyleRegistry;
class FlexGrid;

// Writes a text the user gives a cell other than by typing in its editor: a cell of a pasted
// block, or the value that undo or redo gives back. The text takes the same path as typing
// would: the cell's filter, length limit and validation, its record, then both grids.
class CellWriter {
public:
    CellWriter(FlexGrid &shown, FlexGrid &raw, const CellStyleRegistry &registry, CellEditor &cells,
               RecordBinding &binding);

    enum class Check {
        // Pasted text: anything typing would refuse is refused, and the cell keeps its value.
        AsTyped,
        // A value the cell held before: an invalid one shows "Err" as it did, and is not written
        // to the record.
        AsRestored,
    };
    struct Result {
        RecordBinding::Outcome outcome = RecordBinding::Outcome::NothingToWrite;
        // Why the cell did not take the text, in Italian; empty when it did.
        QString reason;
        bool changed = false; // the hidden grid holds another text now
        bool taken() const { return reason.isEmpty(); }
    };
    Result write(qint32 row, qint32 col, const QString &text, Check check);

private:
    // Why typing could not have given the cell `text`; empty when it could.
    QString refusal(const QString &text, const QString &filtered, qint32 maxLength,
                    qint32 dataType) const;

    FlexGrid &m_shown;
    FlexGrid &m_raw;
    const CellStyleRegistry &m_registry;
    CellEditor &m_cells;
    RecordBinding &m_binding;
};

} // namespace Vantrel3
