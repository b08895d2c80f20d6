// Undo, redo and pasted blocks on a bound grid: every step reaches the records as typing does,
// against a real SQLite file and the throwaway PostgreSQL server.

#include "common/bound_control.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUndoStack>

namespace {

class BoundUndo : public BoundControlTest {
protected:
    void ctrl(QWidget *target, Qt::Key key) {
        QTest::keyClick(target, key, Qt::ControlModifier);
        settle();
    }
    QString lastBox() const {
        return boxes.boxes.isEmpty() ? QString() : boxes.boxes.last().prompt;
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, BoundUndo, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         dbtest::engineName);

TEST_P(BoundUndo, UndoAndRedoOfACellWriteTheRecordBackAndForth) {
    bindAndShow();
    typeAt(1, 3, QStringLiteral("55"));
    leaveDown();
    EXPECT_EQ(rows().front(), QStringLiteral("Anna|ANNCF|1980-05-17|55"));

    ctrl(grid1(), Qt::Key_Z);
    EXPECT_EQ(rows(), kStart);
    EXPECT_EQ(grid2()->TextMatrix(1, 3), QStringLiteral("10"));
    ctrl(grid1(), Qt::Key_Y);
    EXPECT_EQ(rows().front(), QStringLiteral("Anna|ANNCF|1980-05-17|55"));
    EXPECT_EQ(writes(), 3);
    EXPECT_TRUE(boxes.boxes.isEmpty());
    close();
    EXPECT_EQ(rows().front(), QStringLiteral("Anna|ANNCF|1980-05-17|55"));
}

TEST_P(BoundUndo, UndoingANewRecordDeletesItAndRedoAddsItAgain) {
    bindAndShow();
    typeAt(3, 0, QStringLiteral("Carla"));
    leaveDown();
    ASSERT_EQ(rows().size(), 3);
    EXPECT_EQ(rows().back(), QStringLiteral("Carla|<null>|<null>|<null>"));

    // The record goes first; the row keeps its text until its typing is undone too, and the row
    // AutoInsert added goes last.
    control().Undo();
    EXPECT_EQ(rows(), kStart);
    EXPECT_EQ(grid2()->TextMatrix(3, 0), QStringLiteral("Carla"));
    control().Undo();
    EXPECT_EQ(grid2()->TextMatrix(3, 0), QString());
    EXPECT_EQ(control().Rows(), 5);
    control().Undo();
    EXPECT_EQ(control().Rows(), 4);
    EXPECT_FALSE(control().UndoStack()->canUndo());
    EXPECT_EQ(rows(), kStart);

    for (int i = 0; i < 3; ++i) {
        control().Redo();
    }
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(rows().back(), QStringLiteral("Carla|<null>|<null>|<null>"));
    EXPECT_TRUE(boxes.boxes.isEmpty());
    close();
    EXPECT_EQ(rows().size(), 3);
}

TEST_P(BoundUndo, APastedBlockWritesRecordsAddsNewOnesAndGoesAsOneStep) {
    bindAndShow();
    goTo(2, 3);
    QGuiApplication::clipboard()->setText(QStringLiteral("21\n"));
    ctrl(grid1(), Qt::Key_V);
    EXPECT_EQ(rows()[1], QStringLiteral("Bruno|BRNCF|<null>|21")) << "one cell pasted on the grid";

    goTo(3, 0);
    QGuiApplication::clipboard()->setText(
        QStringLiteral("Dora\tDRACF\t02/03/1990\t7,5\nEzio\tEZICF\t31/02/1990\t-1\n"));
    ctrl(grid1(), Qt::Key_V);
    // Ezio's impossible date is refused, and the table refuses his record for its amount: both
    // are told in one message, and his row keeps its texts. Dora's record is saved.
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|21",
                                   "Dora|DRACF|1990-03-02|7.5"}))
        << lastBox().toStdString();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(lastBox().contains(QStringLiteral("Riga 4, nascita: Data non valida")))
        << lastBox().toStdString();
    EXPECT_TRUE(lastBox().contains(QStringLiteral("Riga 4: Il valore del campo «importo»")))
        << lastBox().toStdString();
    EXPECT_EQ(grid2()->TextMatrix(4, 0), QStringLiteral("Ezio"));
    // A blank row, with no record, waits below the block for the next entry.
    EXPECT_EQ(control().Rows(), 6);
    EXPECT_EQ(shown(grid2())[5], QStringLiteral("|||"));

    control().Undo();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|21"}));
    EXPECT_EQ(control().Rows(), 4);
    EXPECT_EQ(shown(grid2())[3], QStringLiteral("|||"));
    EXPECT_EQ(boxes.boxes.size(), 1) << lastBox().toStdString();
    control().Undo();
    EXPECT_EQ(rows(), kStart);
    close();
    EXPECT_EQ(rows(), kStart);
}

TEST_P(BoundUndo, AnUndoAnotherUsersChangeStopsIsToldAndOverwritesNothing) {
    bindAndShow();
    typeAt(1, 3, QStringLiteral("5"));
    leaveDown();
    const QString anna =
        db->rows(QStringLiteral("SELECT id FROM clienti WHERE nome = 'Anna'")).value(0);
    ASSERT_TRUE(
        db->exec({QStringLiteral("UPDATE clienti SET importo = 7 WHERE id = %1").arg(anna)}));

    control().Undo();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(lastBox().startsWith(QStringLiteral("Non tutto è stato annullato:")));
    EXPECT_TRUE(lastBox().contains(QStringLiteral("altro utente"))) << lastBox().toStdString();
    EXPECT_EQ(rows().front(), QStringLiteral("Anna|ANNCF|1980-05-17|7"));
    EXPECT_EQ(grid2()->TextMatrix(1, 3), QStringLiteral("7")) << "the row shows what is stored";
    close();
}

TEST_P(BoundUndo, ARemovedRecordIsAskedForAndComesBackWithItsValues) {
    bindAndShow();
    goTo(2, 0);
    boxes.answer = vbNo;
    ctrl(grid1(), Qt::Key_Delete);
    EXPECT_EQ(rows(), kStart);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(lastBox(), QStringLiteral("Eliminare il record della riga 2?"));

    boxes.answer = vbYes;
    ctrl(grid1(), Qt::Key_Delete);
    EXPECT_EQ(rows(), QStringList({kStart[0]}));
    EXPECT_EQ(control().Rows(), 3);

    control().Undo();
    EXPECT_EQ(rows(), kStart);
    EXPECT_EQ(grid1()->TextMatrix(2, 0), QStringLiteral("Bruno"));
    control().Redo();
    EXPECT_EQ(rows(), QStringList({kStart[0]}));
    close();
    EXPECT_EQ(rows(), QStringList({kStart[0]}));
}

TEST_P(BoundUndo, AClearedNumberOrDateBecomesNullAndTheUndoBringsItBack) {
    bindAndShow();
    for (const qint32 col : {2, 3}) {
        goTo(1, col);
        QTest::keyClick(grid1(), Qt::Key_Space);
        QTest::keyClick(editor(), Qt::Key_Backspace);
        leaveDown();
    }
    EXPECT_EQ(rows().front(), QStringLiteral("Anna|ANNCF|<null>|<null>"));
    EXPECT_TRUE(boxes.boxes.isEmpty()) << lastBox().toStdString();
    control().Undo();
    control().Undo();
    EXPECT_EQ(rows(), kStart);
    close();
}
