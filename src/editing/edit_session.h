#pragma once

#include "styles/cell_style_state.h"

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

// What the editing of the current cell holds between events: the cell the editor was last
// loaded for and the text it was loaded with (so a new placement can tell the user's typing from
// the cell's own text), the record edit the typing started, and the style in force.
class EditSession {
public:
    // The editor now holds `text`, the raw text of (row, col).
    void load(qint32 row, qint32 col, const QString &text);
    // The next placement reloads the raw text whatever the editor holds.
    void forget();
    // The editor, holding `editorText`, carries typing of (row, col) not yet committed.
    bool holdsTyping(qint32 row, qint32 col, const QString &editorText) const;
    // Rows inserted or removed in the grids: the typing follows its row, and goes with it.
    void rowsInserted(qint32 first, qint32 count);
    void rowsRemoved(qint32 first, qint32 count);

    qint32 row() const { return m_row; }
    qint32 col() const { return m_col; }
    const QString &loadedText() const { return m_loadedText; }

    // Set when typing put the bound record into edit mode; cleared when the cell is left.
    bool recordEditPending = false;
    CellStyleState style;

private:
    qint32 m_row = -1;
    qint32 m_col = -1;
    QString m_loadedText;
};

} // namespace Vantrel3
