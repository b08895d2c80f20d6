// The undo stack's steps follow their rows and are carried out by their runner.

#include "control/edit_history.h"

#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

// Records what it is asked to carry out, and can move rows while doing it.
class RecordingRunner final : public StepRunner {
public:
    void undoStep(const EditStep &step) override {
        undone.append(step);
        if (duringUndo) {
            duringUndo();
        }
    }
    void redoStep(const EditStep &step) override { redone.append(step); }

    QList<EditStep> undone;
    QList<EditStep> redone;
    std::function<void()> duringUndo;
};

EditStep cellStep(qint32 row, qint32 col, const QString &before, const QString &after) {
    EditStep step;
    step.name = QStringLiteral("Modifica cella");
    step.cells.append({row, col, before, after});
    return step;
}

} // namespace

TEST(EditHistoryTest, RecordedStepsAreNotRedoneOnPushAndReplayInOrder) {
    RecordingRunner runner;
    EditHistory history(runner);
    history.record(cellStep(1, 1, "", "a"));
    history.record(cellStep(2, 1, "", "b"));
    history.record(EditStep{}); // nothing changed: no step
    EXPECT_TRUE(runner.redone.isEmpty());
    EXPECT_EQ(history.stack().count(), 2);

    history.undo();
    ASSERT_EQ(runner.undone.size(), 1);
    EXPECT_EQ(runner.undone[0].cells[0].row, 2);
    history.redo();
    ASSERT_EQ(runner.redone.size(), 1);
    EXPECT_EQ(runner.redone[0].cells[0].after, QStringLiteral("b"));

    // A new step after an undo drops the steps that could have been redone.
    history.undo();
    history.record(cellStep(3, 1, "", "c"));
    history.undo();
    history.undo();
    EXPECT_EQ(runner.undone.back().cells[0].row, 1);
    EXPECT_FALSE(history.stack().canUndo());
}

TEST(EditHistoryTest, StepsFollowInsertedAndRemovedRowsAndLoseCellsOfRemovedRows) {
    RecordingRunner runner;
    EditHistory history(runner);
    EditStep step = cellStep(2, 0, "", "x");
    step.cells.append({5, 1, "", "y"});
    step.addedRows = {6};
    step.recordsAdded = {{5, {4}}};
    step.removedRow = RemovedRow{4, {"a"}, true};
    history.record(step);

    history.rowsInserted(1, 2); // 2->4, 5->7, 6->8, 4->6
    history.rowsRemoved(4, 1);  // the cell of row 4 goes; 7->6, 8->7, 6->5
    history.undo();
    ASSERT_EQ(runner.undone.size(), 1);
    const EditStep &undone = runner.undone[0];
    ASSERT_EQ(undone.cells.size(), 1);
    EXPECT_EQ(undone.cells[0].row, 6);
    EXPECT_EQ(undone.addedRows, QList<qint32>{7});
    ASSERT_EQ(undone.recordsAdded.size(), 1);
    EXPECT_EQ(undone.recordsAdded[0].row, 6);
    ASSERT_TRUE(undone.removedRow);
    EXPECT_EQ(undone.removedRow->row, 5);
}

TEST(EditHistoryTest, TheStepBeingUndoneKeepsItsRowsWhileOthersFollowAndRecordsNothing) {
    RecordingRunner runner;
    EditHistory history(runner);
    history.record(cellStep(5, 0, "", "older"));
    EditStep removal;
    removal.name = QStringLiteral("Elimina riga");
    removal.removedRow = RemovedRow{2, {"a"}, false};
    history.record(removal);
    // Undoing the removal puts row 2 back: the older step's row moves down, the removal's own
    // row stays where it was, and whatever the undo brings about records no step.
    runner.duringUndo = [&] {
        history.rowsInserted(2, 1);
        history.record(cellStep(9, 9, "", "side effect"));
    };
    history.undo();
    EXPECT_EQ(history.stack().count(), 2);
    history.redo();
    EXPECT_EQ(runner.redone.back().removedRow->row, 2);
    runner.duringUndo = nullptr;
    history.undo();
    history.undo();
    EXPECT_EQ(runner.undone.back().cells[0].row, 6);

    history.cellsReplaced();
    EXPECT_EQ(history.stack().count(), 0);
}
