#pragma once

#include "editing/row_follower.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <optional>
#include <set>

namespace Vantrel3 {

// One cell the user changed: what the hidden grid held before and after.
struct CellChange {
    qint32 row = -1;
    qint32 col = -1;
    QString before;
    QString after;
};

// A record the user's action added for a row, and the cells the database filled in for it.
struct AddedRecord {
    qint32 row = -1;
    QList<qint32> filledCols;
};

// A row the user removed: where it stood and the raw texts it held.
struct RemovedRow {
    qint32 row = -1;
    QStringList texts;
    bool hadRecord = false;
};

// What one user action changed, kept by grid row. Undoing takes it back in reverse order:
// the removed row returns, the cells get their texts before, the records the action added go,
// and the rows it appended go with theirs.
struct EditStep {
    QString name;            // what the step is called in an undo menu
    QList<qint32> addedRows; // appended by the action, in ascending order
    QList<CellChange> cells;
    QList<AddedRecord> recordsAdded;
    std::optional<RemovedRow> removedRow;

    bool isEmpty() const {
        return addedRows.isEmpty() && cells.isEmpty() && recordsAdded.isEmpty() && !removedRow;
    }
};

// Who carries a step out again, backwards or forwards.
class StepRunner {
public:
    virtual void undoStep(const EditStep &step) = 0;
    virtual void redoStep(const EditStep &step) = 0;

protected:
    ~StepRunner() = default;
};

// The control's undo stack. Steps are recorded after their action is done; their rows follow
// the rows inserted and removed by anyone, and a cell whose row is gone is left out of them.
class EditHistory final : public RowFollower {
public:
    explicit EditHistory(StepRunner &runner);
    ~EditHistory();

    QUndoStack &stack() { return m_stack; }
    // Adds a step already carried out. Nothing is recorded while a step is being undone or
    // redone: what that brings about belongs to the step.
    void record(EditStep step);
    void undo();
    void redo();
    void clear();
    bool replaying() const { return m_replaying != nullptr; }

    void rowsInserted(qint32 first, qint32 count) override;
    void rowsRemoved(qint32 first, qint32 count) override;
    void cellsReplaced() override;

private:
    class Command;
    friend class Command;

    StepRunner &m_runner;
    QUndoStack m_stack;
    std::set<Command *> m_commands;
    const Command *m_replaying = nullptr;
};

} // namespace Vantrel3
