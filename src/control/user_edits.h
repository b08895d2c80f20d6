#pragma once

#include "control/cell_writer.h"
#include "control/edit_history.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace Vantrel3 {

class CellEditor;
class CellStyleRegistry;
class EditSession;
class EditorBox;
class FlexGrid;
class RecordBinding;
class RowOperations;
struct EditOptions;

// What the user's edits beyond typing in a cell work on.
struct UserEditParts {
    FlexGrid &shown;
    FlexGrid &raw;
    EditorBox &editor;
    CellEditor &cells;
    EditSession &session;
    RecordBinding &binding;
    RowOperations &rows;
    const CellStyleRegistry &registry;
    const EditOptions &options;
    QWidget &control;
};

// The user's edits of more than the current cell's text: copying and pasting blocks of cells,
// removing a row, and undoing and redoing what they did. Every cell written goes the way typing
// goes (filter, validation, format, record); what fails is told in one message, and the rest
// stays done.
class UserEdits final : private StepRunner {
public:
    // `goTo` makes a cell current through the control; `rowsChanged` tells that rows were added
    // or removed.
    UserEdits(const UserEditParts &parts, std::function<void(qint32, qint32)> goTo,
              std::function<void()> rowsChanged);

    EditHistory &history() { return m_history; }

    // The selected cells, or the current one, to the clipboard: tab-separated raw texts, with
    // an HTML table of the shown texts beside them.
    void copy() const;
    // Pastes the clipboard from the current cell down and right. With `blockOnly`, a single
    // cell is left to the editor's own paste and false comes back.
    bool paste(bool blockOnly);
    // Removes the current row (and its record, once the user confirms on a bound grid).
    void removeCurrentRow();
    // Undo first takes back typing not yet committed; then the last step.
    void undo();
    void redo();

    // Steps the editing cycle reports once done.
    void cellCommitted(qint32 row, qint32 col, const QString &before, const QString &after);
    void rowAppended(qint32 row);
    void recordAdded(qint32 row, const QList<qint32> &filledCols);

private:
    void undoStep(const EditStep &step) override;
    void redoStep(const EditStep &step) override;

    // Writes a cell; a refusal is added to `failures`, a row whose record another user deleted
    // to `gone`.
    bool write(qint32 row, qint32 col, const QString &text, CellWriter::Check check,
               QStringList &failures, QList<qint32> &gone);
    // Adds the record of a row that has none; a refusal is added to `failures`.
    std::optional<AddedRecord> addRecord(qint32 row, QStringList &failures);
    void removeGoneRows(QList<qint32> gone);
    void tell(const QString &heading, const QStringList &failures) const;
    QString cellName(qint32 row, qint32 col) const;
    QString rowName(qint32 row) const;
    bool editable() const;
    bool cancelTyping();
    void goToFirst(const EditStep &step);

    UserEditParts m_p;
    CellWriter m_writer;
    EditHistory m_history;
    std::function<void(qint32, qint32)> m_goTo;
    std::function<void()> m_rowsChanged;
};

} // namespace Vantrel3
