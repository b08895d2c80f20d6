#include "control/user_edits.h"

#include "control/cell_block.h"
#include "control/record_binding.h"
#include "control/row_operations.h"
#include "editing/cell_editor.h"
#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "host/ignoring_errors.h"
#include "styles/cell_style_registry.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/VbError.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace Vantrel3 {

namespace {

const QString kTitle = QStringLiteral("Vantrel Message");
// A message lists this many cells at most, then says how many more there were.
constexpr qsizetype kListedFailures = 15;

} // namespace

UserEdits::UserEdits(const UserEditParts &parts, std::function<void(qint32, qint32)> goTo,
                     std::function<void()> rowsChanged)
    : m_p(parts), m_writer(parts.shown, parts.raw, parts.registry, parts.cells, parts.binding),
      m_history(*this), m_goTo(std::move(goTo)), m_rowsChanged(std::move(rowsChanged)) {
    m_p.cells.addRowFollower(&m_history);
}

bool UserEdits::editable() const {
    return m_p.options.allowEdit && m_p.shown.isEnabled();
}

QString UserEdits::rowName(qint32 row) const {
    return QStringLiteral("Riga %1").arg(row - m_p.shown.FixedRows() + 1);
}

QString UserEdits::cellName(qint32 row, qint32 col) const {
    QString header;
    if (m_p.shown.FixedRows() > 0) {
        ignoringErrors([&] { header = m_p.shown.TextMatrix(0, col).trimmed(); });
    }
    if (header.isEmpty()) {
        header = QStringLiteral("colonna %1").arg(col - m_p.shown.FixedCols() + 1);
    }
    return rowName(row) + QStringLiteral(", ") + header;
}

void UserEdits::tell(const QString &heading, const QStringList &failures) const {
    if (failures.isEmpty()) {
        return;
    }
    QStringList lines = failures.mid(0, kListedFailures);
    if (failures.size() > kListedFailures) {
        lines.append(QStringLiteral("… e altre %1").arg(failures.size() - kListedFailures));
    }
    MsgBox(heading + u'\n' + lines.join(u'\n'), vbExclamation, kTitle, &m_p.control);
}

// --- Copy and paste --------------------------------------------------------------------------

void UserEdits::copy() const {
    const FlexGrid &g = m_p.shown;
    const qint32 top = std::min(g.Row(), g.RowSel());
    const qint32 bottom = std::max(g.Row(), g.RowSel());
    const qint32 left = std::min(g.Col(), g.ColSel());
    const qint32 right = std::max(g.Col(), g.ColSel());
    QList<QStringList> raw;
    QList<QStringList> shown;
    for (qint32 r = top; r <= bottom; ++r) {
        QStringList rawRow;
        QStringList shownRow;
        for (qint32 c = left; c <= right; ++c) {
            const bool current = r == g.Row() && c == g.Col();
            // The current cell gives what its editor shows, typing included; as raw text, a
            // lookup label gives its code, as leaving the cell would store it.
            if (current && m_p.options.allowEdit && m_p.editor.Visible()) {
                rawRow.append(m_p.registry.lookUpCodes().storedOnLeave(
                    r, c, m_p.raw.TextMatrix(r, c), m_p.editor.Text()));
                shownRow.append(m_p.editor.Text());
            } else {
                rawRow.append(m_p.raw.TextMatrix(r, c));
                shownRow.append(g.TextMatrix(r, c));
            }
        }
        raw.append(rawRow);
        shown.append(shownRow);
    }
    auto *data = new QMimeData;
    data->setText(CellBlock::toTabSeparated(raw));
    data->setHtml(CellBlock::toHtml(shown));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool UserEdits::write(qint32 row, qint32 col, const QString &text, CellWriter::Check check,
                      QStringList &failures, QList<qint32> &gone) {
    CellWriter::Result result;
    try {
        result = m_writer.write(row, col, text, check);
    } catch (const VbError &e) {
        result.reason = e.Description();
    }
    if (result.outcome == RecordBinding::Outcome::Deleted && !gone.contains(row)) {
        gone.append(row);
    }
    if (!result.taken()) {
        failures.append(cellName(row, col) + QStringLiteral(": ") + result.reason);
        return false;
    }
    return result.changed;
}

std::optional<AddedRecord> UserEdits::addRecord(qint32 row, QStringList &failures) {
    if (!m_p.binding.writes() || m_p.binding.hasRecord(row)) {
        return std::nullopt;
    }
    RecordBinding::Write w;
    ignoringErrors([&] { w = m_p.binding.insertRow(row); });
    if (w.outcome == RecordBinding::Outcome::Written) {
        return AddedRecord{row, w.filled};
    }
    if (w.outcome == RecordBinding::Outcome::Refused) {
        failures.append(rowName(row) + QStringLiteral(": ") + w.description);
    }
    return std::nullopt;
}

void UserEdits::removeGoneRows(QList<qint32> gone) {
    // From the bottom up, so that the rows above keep their places.
    std::sort(gone.begin(), gone.end(), std::greater<>());
    for (const qint32 row : gone) {
        ignoringErrors([&] { m_p.rows.removeRow(row); });
    }
    if (!gone.isEmpty()) {
        m_rowsChanged();
    }
}

bool UserEdits::paste(bool blockOnly) {
    const QString text = QGuiApplication::clipboard()->text();
    if (blockOnly && !CellBlock::isBlock(text)) {
        return false;
    }
    FlexGrid &g = m_p.shown;
    const qint32 top = g.Row();
    const qint32 left = g.Col();
    if (!editable() || top < g.FixedRows() || left < g.FixedCols()) {
        return true;
    }
    const QList<QStringList> block = CellBlock::parse(text);
    if (block.isEmpty()) {
        return true;
    }
    // The paste starts on the current cell: its text replaces any typing there.
    cancelTyping();

    EditStep step;
    step.name = QStringLiteral("Incolla");
    QStringList failures;
    QList<qint32> gone;
    QList<qint32> touched;
    qint32 rowsLeftOut = 0;
    bool colsLeftOut = false;
    for (qsizetype i = 0; i < block.size(); ++i) {
        const qint32 row = top + qint32(i);
        if (row >= g.Rows()) {
            if (!m_p.options.autoInsert) {
                rowsLeftOut = qint32(block.size() - i);
                break;
            }
            m_p.rows.appendEmptyRow();
            step.addedRows.append(row);
        }
        for (qsizetype j = 0; j < block[i].size(); ++j) {
            const qint32 col = left + qint32(j);
            if (col >= g.Cols()) {
                colsLeftOut = true;
                break;
            }
            const QString before = m_p.raw.TextMatrix(row, col);
            if (write(row, col, block[i][j], CellWriter::Check::AsTyped, failures, gone)) {
                step.cells.append({row, col, before, m_p.raw.TextMatrix(row, col)});
                if (!touched.contains(row)) {
                    touched.append(row);
                }
            }
        }
    }
    // The new rows become records now, each with every valid field it was given.
    for (const qint32 row : std::as_const(touched)) {
        if (auto added = addRecord(row, failures)) {
            step.recordsAdded.append(*added);
        }
    }
    // As typing in the last row does, a block that reaches it leaves a blank row below for what
    // comes next; that row has no record.
    const qint32 lastPasted = top + qint32(block.size()) - 1 - rowsLeftOut;
    if (m_p.options.autoInsert && !touched.isEmpty() && lastPasted == g.Rows() - 1) {
        m_p.rows.appendEmptyRow();
        step.addedRows.append(g.Rows() - 1);
    }
    if (rowsLeftOut > 0) {
        failures.append(
            QStringLiteral("%1 righe oltre l'ultima non sono state incollate").arg(rowsLeftOut));
    }
    if (colsLeftOut) {
        failures.append(QStringLiteral("Le colonne oltre l'ultima non sono state incollate"));
    }
    m_history.record(step);
    if (!step.addedRows.isEmpty()) {
        m_rowsChanged();
    }
    removeGoneRows(gone);
    ignoringErrors([&] { m_p.cells.placeEditor(); });
    tell(QStringLiteral("Alcune celle non sono state incollate:"), failures);
    return true;
}

// --- Rows ------------------------------------------------------------------------------------

void UserEdits::removeCurrentRow() {
    FlexGrid &g = m_p.shown;
    const qint32 row = g.Row();
    if (!editable() || row < g.FixedRows() || row >= g.Rows()) {
        return;
    }
    RemovedRow removed;
    removed.row = row;
    removed.hadRecord = m_p.binding.hasRecord(row);
    // A record goes from the database for good only when the user says so.
    if (removed.hadRecord &&
        MsgBox(QStringLiteral("Eliminare il record della %1?").arg(rowName(row).toLower()),
               vbYesNo | vbQuestion, kTitle, &m_p.control) != vbYes) {
        return;
    }
    cancelTyping();
    for (qint32 c = 0; c < m_p.raw.Cols(); ++c) {
        removed.texts.append(m_p.raw.TextMatrix(row, c));
    }
    if (!m_p.rows.removeRow(row)) {
        return;
    }
    EditStep step;
    step.name = QStringLiteral("Elimina riga");
    step.removedRow = removed;
    m_history.record(step);
    m_rowsChanged();
}

// --- The steps the editing cycle reports -----------------------------------------------------

void UserEdits::cellCommitted(qint32 row, qint32 col, const QString &before, const QString &after) {
    if (before == after) {
        return;
    }
    EditStep step;
    step.name = QStringLiteral("Modifica cella");
    step.cells.append({row, col, before, after});
    m_history.record(step);
}

void UserEdits::rowAppended(qint32 row) {
    EditStep step;
    step.name = QStringLiteral("Nuova riga");
    step.addedRows.append(row);
    m_history.record(step);
}

void UserEdits::recordAdded(qint32 row, const QList<qint32> &filledCols) {
    EditStep step;
    step.name = QStringLiteral("Nuovo record");
    step.recordsAdded.append({row, filledCols});
    m_history.record(step);
}

// --- Undo and redo ---------------------------------------------------------------------------

bool UserEdits::cancelTyping() {
    const qint32 row = m_p.shown.Row();
    const qint32 col = m_p.shown.Col();
    if (!m_p.session.holdsTyping(row, col, m_p.editor.Text())) {
        return false;
    }
    m_p.editor.SetText(m_p.session.loadedText());
    m_p.session.recordEditPending = false;
    return true;
}

void UserEdits::undo() {
    if (!editable() || cancelTyping()) {
        return;
    }
    m_history.undo();
}

void UserEdits::redo() {
    if (!editable()) {
        return;
    }
    cancelTyping();
    m_history.redo();
}

void UserEdits::goToFirst(const EditStep &step) {
    qint32 row = -1;
    qint32 col = m_p.shown.Col();
    if (!step.cells.isEmpty()) {
        row = step.cells.front().row;
        col = step.cells.front().col;
    } else if (step.removedRow) {
        row = step.removedRow->row;
    } else if (!step.recordsAdded.isEmpty()) {
        row = step.recordsAdded.front().row;
    }
    if (row >= m_p.shown.FixedRows() && row < m_p.shown.Rows() && col < m_p.shown.Cols()) {
        ignoringErrors([&] { m_goTo(row, col); });
    }
}

void UserEdits::undoStep(const EditStep &step) {
    QStringList failures;
    QList<qint32> gone;
    bool rowsChanged = false;
    if (const auto &removed = step.removedRow) {
        const bool last = removed->row >= m_p.shown.Rows();
        if (last) {
            m_p.rows.appendEmptyRow();
        }
        if (last || m_p.rows.insertEmptyRow(removed->row)) {
            rowsChanged = true;
            for (qint32 c = 0; c < removed->texts.size(); ++c) {
                write(removed->row, c, removed->texts[c], CellWriter::Check::AsRestored, failures,
                      gone);
            }
            if (removed->hadRecord) {
                addRecord(removed->row, failures);
            }
        }
    }
    for (auto it = step.cells.crbegin(); it != step.cells.crend(); ++it) {
        write(it->row, it->col, it->before, CellWriter::Check::AsRestored, failures, gone);
    }
    // The records the action added go; their rows stay unless the action appended them.
    for (const AddedRecord &record : step.recordsAdded) {
        if (step.addedRows.contains(record.row)) {
            continue; // the row goes below, and its record with it
        }
        bool deleted = false;
        ignoringErrors([&] { deleted = m_p.binding.deleteRecordOf(record.row); });
        // What the database filled in (a key) goes with the record: the row holds only what
        // the user gave it, and is a new row again.
        for (const qint32 col : record.filledCols) {
            if (deleted) {
                write(record.row, col, QString(), CellWriter::Check::AsRestored, failures, gone);
            }
        }
    }
    for (auto it = step.addedRows.crbegin(); it != step.addedRows.crend(); ++it) {
        rowsChanged = m_p.rows.removeRow(*it) || rowsChanged;
    }
    if (rowsChanged) {
        m_rowsChanged();
    }
    removeGoneRows(gone);
    goToFirst(step);
    tell(QStringLiteral("Non tutto è stato annullato:"), failures);
}

void UserEdits::redoStep(const EditStep &step) {
    QStringList failures;
    QList<qint32> gone;
    bool rowsChanged = false;
    for (const qint32 row : step.addedRows) {
        if (row >= m_p.shown.Rows()) {
            m_p.rows.appendEmptyRow();
        } else {
            m_p.rows.insertEmptyRow(row);
        }
        rowsChanged = true;
    }
    for (const CellChange &cell : step.cells) {
        write(cell.row, cell.col, cell.after, CellWriter::Check::AsRestored, failures, gone);
    }
    for (const AddedRecord &record : step.recordsAdded) {
        addRecord(record.row, failures);
    }
    if (step.removedRow && m_p.rows.removeRow(step.removedRow->row)) {
        rowsChanged = true;
    }
    if (rowsChanged) {
        m_rowsChanged();
    }
    removeGoneRows(gone);
    goToFirst(step);
    tell(QStringLiteral("Non tutto è stato ripristinato:"), failures);
}

} // namespace Vantrel3
