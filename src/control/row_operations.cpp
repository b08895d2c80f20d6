#include "control/row_operations.h"

#include "control/record_binding.h"
#include "editing/cell_editor.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "host/ignoring_errors.h"

#include <Vantrel3/DoEvents.h>
#include <Vantrel3/FlexGrid.h>

namespace Vantrel3 {

RowOperations::RowOperations(FlexGrid &shown, FlexGrid &raw, EditorBox &editor, CellEditor &cells,
                             EditSession &session, RecordBinding &binding,
                             std::function<void(qint32)> setCol)
    : m_shown(shown), m_raw(raw), m_editor(editor), m_cells(cells), m_session(session),
      m_binding(binding), m_setCol(std::move(setCol)) {}

void RowOperations::appendEmptyRow() {
    ignoringErrors([&] { m_shown.AddItem(QString()); });
    ignoringErrors([&] { m_raw.AddItem(QString()); });
}

QStringList RowOperations::itemFields(const QString &item) {
    QStringList fields;
    QString buffer;
    for (const QChar ch : item) {
        if (ch == u'\t') {
            fields.append(buffer);
            buffer.clear();
        } else {
            buffer.append(ch);
        }
    }
    if (!buffer.isEmpty()) {
        fields.append(buffer);
    }
    return fields;
}

void RowOperations::storeFields(qint32 row, const QString &item) {
    const QStringList fields = itemFields(item);
    for (qint32 col = 0; col < fields.size(); ++col) {
        ignoringErrors([&] { m_cells.formatCellText(row, col, fields[col]); });
    }
}

void RowOperations::AddItem(const QString &Item, std::optional<qint32> Index) {
    if (m_binding.active()) {
        // An index is ignored: the item fills the trailing row and its record.
        addBoundItem(Item);
    } else if (Index) {
        // A row among the header rows would write the item over the headers.
        if (*Index < m_shown.FixedRows()) {
            return;
        }
        insertEmptyRow(*Index);
        storeFields(*Index, Item);
    } else {
        appendEmptyRow();
        storeFields(m_shown.Rows() - 1, Item);
    }
    DoEvents();
}

void RowOperations::addBoundItem(const QString &Item) {
    const QStringList fields = itemFields(Item);
    const qint32 row = m_shown.Rows() - 1;
    // The current cell follows the fields only along the trailing row: moving it on another
    // row would commit that row's pending typing into the record being added.
    const bool onTrailingRow = m_shown.Row() == row;
    m_binding.startItem();
    for (qint32 col = 0; col < fields.size(); ++col) {
        ignoringErrors([&] {
            if (onTrailingRow) {
                m_setCol(col);
            }
            // The cell shows the field's text whether or not the record took it.
            m_cells.formatCellText(row, col, m_binding.itemField(col, fields[col]));
            // The editor on this cell must hold the new text, or the next Col move leaves the
            // cell with the old text and writes that back over the field and the grid.
            if (row == m_shown.Row() && col == m_shown.Col()) {
                m_session.forget();
                m_cells.placeEditor();
            }
        });
    }
    // A refused item appends no row: the trailing row keeps the item's texts for the user.
    if (!m_binding.saveItem(row)) {
        return;
    }
    appendEmptyRow();
    m_binding.addTrailingRecord(m_shown.Rows() - 1);
}

void RowOperations::RemoveItem(qint32 Index) {
    // In bound entry the trailing empty row stays.
    if (m_binding.active() && m_shown.Rows() == Index + 1) {
        return;
    }
    removeRow(Index);
}

bool RowOperations::removeRow(qint32 Index) {
    // The record goes first: a row whose record stays stays too, or rows and records would
    // no longer match.
    if (!m_binding.deleteRecordOf(Index)) {
        return false;
    }
    bool removed = false;
    ignoringErrors([&] {
        m_shown.RemoveItem(Index);
        removed = true;
    });
    ignoringErrors([&] { m_raw.RemoveItem(Index); });
    ignoringErrors([&] {
        // Typing goes with its own row only; it stays with a row that just moved up.
        if (removed && m_session.row() == Index) {
            m_editor.SetText(QString());
        }
        if (removed) {
            m_cells.rowsRemoved(Index, 1);
        }
        m_cells.placeEditor();
    });
    return removed;
}

bool RowOperations::insertEmptyRow(qint32 Index) {
    bool inserted = false;
    ignoringErrors([&] {
        m_shown.AddItem(QString(), Index);
        inserted = true;
    });
    ignoringErrors([&] { m_raw.AddItem(QString(), Index); });
    if (inserted) {
        m_cells.rowsInserted(Index, 1);
    }
    return inserted;
}

void RowOperations::Clear() {
    m_shown.Clear();
    m_raw.Clear();
    // The editor still held the current cell's old text, or typing for it, which leaving the
    // cell would write into the cleared grid: it takes the cell's new, empty text.
    m_cells.cellsReplaced();
    ignoringErrors([&] { m_cells.placeEditor(); });
}

void RowOperations::SetText(const QString &text) {
    const qint32 row = m_shown.Row();
    const qint32 col = m_shown.Col();
    const CellText::Styled texts = m_cells.styledFor(row, col, text, m_cells.styleFor(row, col));
    m_shown.SetText(texts.shown);
    m_raw.SetText(texts.raw);
    m_session.forget();
    m_cells.placeEditor();
}

void RowOperations::SetTextArray(qint32 index, const QString &text) {
    // The style is the current cell's, whichever cell the index names; the lookup items are
    // the named cell's own.
    const qint32 cols = m_shown.Cols();
    const qint32 row = cols > 0 ? index / cols : -1;
    const qint32 col = cols > 0 ? index % cols : -1;
    const CellText::Styled texts =
        m_cells.styledFor(row, col, text, m_cells.styleFor(m_shown.Row(), m_shown.Col()));
    m_shown.SetTextArray(index, texts.shown);
    m_raw.SetTextArray(index, texts.raw);
    if (cols > 0 && row == m_shown.Row() && col == m_shown.Col()) {
        m_session.forget();
    }
    m_cells.placeEditor();
}

void RowOperations::SetTextMatrix(qint32 row, qint32 col, const QString &text) {
    m_cells.formatCellText(row, col, text);
    if (row == m_shown.Row() && col == m_shown.Col()) {
        m_session.forget();
    }
    m_cells.placeEditor();
}

} // namespace Vantrel3
