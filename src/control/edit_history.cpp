#include "control/edit_history.h"

#include <algorithm>

namespace Vantrel3 {

namespace {

// A row reference after rows were inserted at `first`.
void shiftInserted(qint32 &row, qint32 first, qint32 count) {
    if (row >= first) {
        row += count;
    }
}

// After rows were removed: a reference to a removed row becomes -1.
void shiftRemoved(qint32 &row, qint32 first, qint32 count) {
    if (row >= first + count) {
        row -= count;
    } else if (row >= first) {
        row = -1;
    }
}

template <typename Shift>
void shiftStep(EditStep &step, Shift shift) {
    for (qint32 &row : step.addedRows) {
        shift(row);
    }
    for (CellChange &cell : step.cells) {
        shift(cell.row);
    }
    for (AddedRecord &record : step.recordsAdded) {
        shift(record.row);
    }
    if (step.removedRow) {
        shift(step.removedRow->row);
    }
    step.addedRows.removeAll(-1);
    step.recordsAdded.removeIf([](const AddedRecord &r) { return r.row < 0; });
    step.cells.removeIf([](const CellChange &c) { return c.row < 0; });
    if (step.removedRow && step.removedRow->row < 0) {
        step.removedRow.reset();
    }
}

} // namespace

class EditHistory::Command final : public QUndoCommand {
public:
    Command(EditHistory &history, EditStep step)
        : QUndoCommand(step.name), m_history(history), m_step(std::move(step)) {
        m_history.m_commands.insert(this);
    }
    ~Command() override { m_history.m_commands.erase(this); }

    void undo() override { replay(false); }
    void redo() override {
        // The first redo is the push: the action is already done.
        if (std::exchange(m_pushed, true)) {
            replay(true);
        }
    }
    EditStep &step() { return m_step; }

private:
    void replay(bool forwards) {
        m_history.m_replaying = this;
        struct Reset {
            EditHistory &h;
            ~Reset() { h.m_replaying = nullptr; }
        } reset{m_history};
        if (forwards) {
            m_history.m_runner.redoStep(m_step);
        } else {
            m_history.m_runner.undoStep(m_step);
        }
    }

    EditHistory &m_history;
    EditStep m_step;
    bool m_pushed = false;
};

EditHistory::EditHistory(StepRunner &runner) : m_runner(runner) {}

EditHistory::~EditHistory() {
    // The commands unregister themselves while the stack deletes them.
    m_stack.clear();
}

void EditHistory::record(EditStep step) {
    if (replaying() || step.isEmpty()) {
        return;
    }
    m_stack.push(new Command(*this, std::move(step)));
}

void EditHistory::undo() {
    if (!replaying()) {
        m_stack.undo();
    }
}

void EditHistory::redo() {
    if (!replaying()) {
        m_stack.redo();
    }
}

void EditHistory::clear() {
    if (!replaying()) {
        m_stack.clear();
    }
}

void EditHistory::rowsInserted(qint32 first, qint32 count) {
    for (Command *command : m_commands) {
        // The step being carried out knows its own rows.
        if (command != m_replaying) {
            shiftStep(command->step(), [&](qint32 &row) { shiftInserted(row, first, count); });
        }
    }
}

void EditHistory::rowsRemoved(qint32 first, qint32 count) {
    for (Command *command : m_commands) {
        if (command != m_replaying) {
            shiftStep(command->step(), [&](qint32 &row) { shiftRemoved(row, first, count); });
        }
    }
}

void EditHistory::cellsReplaced() {
    clear();
}

} // namespace Vantrel3
