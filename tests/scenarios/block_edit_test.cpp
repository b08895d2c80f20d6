// Blocks of cells copied and pasted, rows removed, and every user edit undone and redone, on an
// unbound grid driven with real keys and the real clipboard.

#include "common/message_box_recorder.h"
#include "common/shown_control.h"
#include "common/wait.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace Vantrel3;

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Columns: 0 "Nome" plain, 1 "Importo" Decimal "#,##0.00", 2 "Data" Date, 3 "Note" at most 5
// characters. Row 0 holds the headers; rows 1-3 are data rows.
class BlockEditTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(4);
        grid.SetRows(4);
        grid.SetFixedCols(0);
        grid.ColEditMode(1, 0, NoButton, Decimal, NoCase, QStringLiteral("#,##0.00"));
        grid.ColEditMode(2, 0, NoButton, Date);
        grid.ColEditMode(3, 5);
        const char *headers[] = {"Nome", "Importo", "Data", "Note"};
        for (qint32 c = 0; c < 4; ++c) {
            grid.SetTextMatrix(0, c, QLatin1String(headers[c]));
        }
        grid.SetTextMatrix(1, 0, QStringLiteral("Anna"));
        grid.SetTextMatrix(1, 1, QStringLiteral("10"));
        ASSERT_NO_FATAL_FAILURE(show(800, 300));
    }

    void goTo(qint32 row, qint32 col) {
        grid.SetRow(row);
        grid.SetCol(col);
        grid1()->setFocus();
    }
    void typeAndLeave(qint32 row, qint32 col, const QString &text) {
        goTo(row, col);
        QTest::keyClick(grid1(), text.front().toLatin1());
        QTest::keyClicks(editor(), text.mid(1));
        QTest::keyClick(editor(), Qt::Key_Down);
        settle();
    }
    void ctrl(QWidget *target, Qt::Key key, Qt::KeyboardModifiers extra = {}) {
        QTest::keyClick(target, key, Qt::ControlModifier | extra);
        settle();
    }
    QString row(qint32 r) {
        QStringList cells;
        for (qint32 c = 0; c < grid.Cols(); ++c) {
            cells.append(grid.TextMatrix(r, c));
        }
        return cells.join(u'|');
    }
    QString rawRow(qint32 r) {
        QStringList cells;
        for (qint32 c = 0; c < grid.Cols(); ++c) {
            cells.append(grid2()->TextMatrix(r, c));
        }
        return cells.join(u'|');
    }
    static void clip(const QString &text) { QGuiApplication::clipboard()->setText(text); }

    MessageBoxRecorder boxes;
};

} // namespace

TEST_F(BlockEditTest, CopyGivesTheSelectionAsTabsWithAnHtmlTableOfTheShownTexts) {
    grid.SetTextMatrix(2, 0, QStringLiteral("Bruno"));
    grid.SetTextMatrix(2, 1, QStringLiteral("1250,5"));
    goTo(1, 0);
    grid1()->SetRowSel(2);
    grid1()->SetColSel(1);
    ctrl(grid1(), Qt::Key_C);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), QStringLiteral("Anna\t10\nBruno\t1250,5\n"));
    EXPECT_TRUE(data->html().contains(QStringLiteral("<td>1.250,50</td>")))
        << data->html().toStdString();

    // In the editor, Ctrl+C with nothing selected there copies the cell, typing included.
    goTo(3, 0);
    QTest::keyClick(grid1(), Qt::Key_Z);
    QTest::keyClicks(editor(), QStringLiteral("eta"));
    ctrl(editor(), Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("zeta\n"));
}

TEST_F(BlockEditTest, APastedBlockFillsRowsLikeTypingAddsRowsAndListsWhatWasRefused) {
    goTo(2, 0);
    clip(QStringLiteral("Rossi\t1250,5\t01/02/2024\tbreve\n"
                        "Bianchi\tabc\t31/02/2024\ttroppo lunga\n"
                        "Verdi\t-3\t05/06/2024\n"));
    ctrl(grid1(), Qt::Key_V);

    EXPECT_EQ(grid.Rows(), 6) << "AutoInsert adds the row the block needs and a blank one below";
    EXPECT_EQ(row(5), QStringLiteral("|||"));
    EXPECT_EQ(row(2), QStringLiteral("Rossi|1.250,50|01/02/2024|breve"));
    // Refused cells keep what they held; the rest of their row is pasted.
    EXPECT_EQ(row(3), QStringLiteral("Bianchi|||"));
    EXPECT_EQ(row(4), QStringLiteral("Verdi|-3,00|05/06/2024|"));
    EXPECT_EQ(rawRow(2), QStringLiteral("Rossi|1250,5|01/02/2024|breve"));
    ASSERT_EQ(boxes.boxes.size(), 1);
    const QString message = boxes.boxes[0].prompt;
    EXPECT_TRUE(message.startsWith(QStringLiteral("Alcune celle non sono state incollate:")));
    EXPECT_TRUE(message.contains(QStringLiteral("Riga 3, Importo: Numero non valido")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Riga 3, Data: Data non valida")));
    EXPECT_TRUE(message.contains(QStringLiteral("Riga 3, Note: Testo troppo lungo: al massimo 5")));

    // The whole paste is one step: undo takes every cell back and the added row away.
    ctrl(grid1(), Qt::Key_Z);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(row(2), QStringLiteral("|||"));
    EXPECT_EQ(row(3), QStringLiteral("|||"));
    ctrl(grid1(), Qt::Key_Y);
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(row(4), QStringLiteral("Verdi|-3,00|05/06/2024|"));
}

TEST_F(BlockEditTest, TheEditorPastesABlockIntoTheGridAndASingleCellIntoItself) {
    goTo(2, 1);
    QTest::keyClick(grid1(), Qt::Key_7);
    clip(QStringLiteral("1,5\n"));
    ctrl(editor(), Qt::Key_V);
    EXPECT_EQ(editor()->Text(), QStringLiteral("71,5")) << "one cell goes into the editor";
    EXPECT_EQ(grid.UndoStack()->count(), 0);

    clip(QStringLiteral("2\n3\n"));
    ctrl(editor(), Qt::Key_V);
    EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("3,00"));
    EXPECT_EQ(grid2()->TextMatrix(2, 1), QStringLiteral("2"))
        << "the block replaces the typing in the current cell";
    EXPECT_EQ(editor()->Text(), QStringLiteral("2"));
}

TEST_F(BlockEditTest, WithoutAutoInsertRowsPastTheLastAreToldAndLeftOut) {
    grid.SetAutoInsert(false);
    goTo(3, 0);
    clip(QStringLiteral("a\tb\tc\td\te\nf\ng\n"));
    ctrl(grid1(), Qt::Key_V);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(3, 0), QStringLiteral("a"));
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].prompt.contains(QStringLiteral("2 righe oltre l'ultima")));
    EXPECT_TRUE(boxes.boxes[0].prompt.contains(QStringLiteral("colonne oltre l'ultima")));
}

TEST_F(BlockEditTest, UndoAndRedoTakeCommittedCellsBackAndForthButNotWritesByCode) {
    typeAndLeave(1, 1, QStringLiteral("99,5"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("99,50"));
    grid.SetTextMatrix(2, 0, QStringLiteral("by code"));
    EXPECT_EQ(grid.UndoStack()->count(), 1) << "a write by code is no step";

    goTo(3, 3);
    ctrl(grid1(), Qt::Key_Z);
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("10"));
    EXPECT_EQ(grid.Row(), 1) << "undo goes to the cell it changed";
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(editor()->Text(), QStringLiteral("10"));
    EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("by code"));

    ctrl(editor(), Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("99,5"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("99,5"));
    grid.Undo();
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("10"));
    goTo(2, 2);
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("10,00")) << "shown in its format once left";
    grid.Redo();
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("99,5"));

    grid.Clear();
    EXPECT_EQ(grid.UndoStack()->count(), 0) << "Clear empties the stack";
}

TEST_F(BlockEditTest, TypingNotYetCommittedIsUndoneFirstAndTheStackStaysAsItWas) {
    typeAndLeave(1, 0, QStringLiteral("Alba"));
    goTo(2, 0);
    QTest::keyClick(grid1(), Qt::Key_X);
    QTest::keyClicks(editor(), QStringLiteral("yz"));
    // The editor's own undo takes the typing back; the committed step stays.
    ctrl(editor(), Qt::Key_Z);
    EXPECT_NE(editor()->Text(), QStringLiteral("Xyz"));
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("Alba"));
    EXPECT_EQ(grid.UndoStack()->index(), 1);

    // Undo() called by the host while typing is pending cancels the typing only.
    QTest::keyClicks(editor(), QStringLiteral("q"));
    grid.Undo();
    EXPECT_EQ(editor()->Text(), QString());
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("Alba"));
    grid.Undo();
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("Anna"));
}

TEST_F(BlockEditTest, RemovedRowsComeBackWithTheirTextsAndStepsFollowTheirRows) {
    grid.SetTextMatrix(2, 0, QStringLiteral("Bruno"));
    typeAndLeave(3, 0, QStringLiteral("Carla"));
    goTo(2, 0);
    ctrl(grid1(), Qt::Key_Delete);
    EXPECT_EQ(grid.Rows(), 4) << "the row AutoInsert added for Carla's typing stays";
    EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("Carla"));
    EXPECT_TRUE(boxes.boxes.isEmpty()) << "an unbound row goes without asking";

    // A row the host inserts above moves every step's rows down with it.
    grid.AddItem(QStringLiteral("Host"), 1);
    grid.Undo();
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(row(3), QStringLiteral("Bruno|||"));
    EXPECT_EQ(grid.TextMatrix(4, 0), QStringLiteral("Carla"));
    grid.Undo();
    EXPECT_EQ(grid.TextMatrix(4, 0), QString()) << "Carla's typing undone in the row it moved to";
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("Host"));
    grid.Undo();
    EXPECT_EQ(grid.Rows(), 5) << "the row AutoInsert added goes last";
    EXPECT_FALSE(grid.UndoStack()->canUndo());
}
