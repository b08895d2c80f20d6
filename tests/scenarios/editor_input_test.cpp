// What the user types, pastes or picks reaches the cell it was meant for, through the cell's
// filter, and is never lost: driven with real key and mouse events in a form that also holds a
// line edit after the control.

#include "common/control_parts.h"
#include "common/message_box_recorder.h"
#include "common/shown_control.h"
#include "common/wait.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

// Columns: 0 plain, 1 Numeric with the drop button (calculator), 2 Date with the drop button
// (calendar), 3 Partita Iva.
class EditorInputTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(4);
        grid.SetRows(6);
        grid.ColEditMode(1, 0, ButtonStyleDrop, Numeric);
        grid.ColEditMode(2, 0, ButtonStyleDrop, Date);
        grid.ColEditMode(3, 0, NoButton, PartitaIva);
        ASSERT_NO_FATAL_FAILURE(show(700, 300));
        QObject::connect(&grid, &Vantrel::KeyDown, &grid, [this](qint16 &code, qint16 &shift) {
            keysDown << QStringLiteral("%1/%2").arg(code).arg(shift);
        });
    }

    void at(qint32 row, qint32 col) {
        enterAfresh(row, col);
        editor()->setFocus();
        keysDown.clear();
    }

    // Sends a key event as the platform would, with the text it types.
    void press(QWidget *w, int key, Qt::KeyboardModifiers mods, const QString &text) {
        QKeyEvent down(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(w, &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(w, &up);
    }

    void paste(const QString &text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    }

    QWidget *focused() const { return QApplication::focusWidget(); }

    QStringList keysDown;
    MessageBoxRecorder boxes;
};

} // namespace

TEST_F(EditorInputTest, TabAndShiftTabReachTheHostAndNeverLeaveTheControl) {
    at(1, 0);
    QTest::keyClicks(editor(), QStringLiteral("xy"));
    keysDown.clear();
    QTest::keyClick(editor(), Qt::Key_Tab);
    EXPECT_EQ(keysDown, QStringList({"9/0"}));
    // The Tab rule: the editor is left for the grid, nothing is committed yet.
    EXPECT_EQ(focused(), grid1());
    EXPECT_EQ(editor()->Text(), QStringLiteral("xy"));
    EXPECT_EQ(grid2()->TextMatrix(1, 0), QString());

    editor()->setFocus();
    keysDown.clear();
    QTest::keyClick(editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(keysDown.filter(QStringLiteral("9/")), QStringList({"9/1"}));
    EXPECT_EQ(focused(), grid1());
    EXPECT_NE(focused(), form.next());

    // A host that takes the key keeps it from the control.
    QObject::connect(&grid, &Vantrel::KeyDown, &grid, [](qint16 &code, qint16 &) {
        if (code == 9) {
            code = 0;
        }
    });
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_Tab);
    EXPECT_EQ(focused(), editor());
}

TEST_F(EditorInputTest, TheCellsButtonIsOnTopAndAClickOnItOpensThePopup) {
    grid.AddButton(0, 2, ButtonStyleDrop);
    grid.AddLookUp(0, 2, QStringLiteral("Roma"));
    grid.SetAutoComplete(true);
    at(2, 0);
    // Placed again and again (repaints, a resize, a write elsewhere): the button stays clickable.
    grid.repaint();
    form.setControlSize(710, 300);
    grid.SetTextMatrix(4, 0, QStringLiteral("altrove"));
    settle();
    CellButton *button = parts::command1(grid);
    ASSERT_TRUE(button->Visible());
    const QPoint centre = button->geometry().center();
    QWidget *under = grid.childAt(centre);
    ASSERT_EQ(under, button);
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(&grid, centre));
    EXPECT_TRUE(parts::list(grid)->isVisible());
}

TEST_F(EditorInputTest, ACellOutOfViewKeepsTheFocusAndTheTypingAndComesBackForTheNextKey) {
    grid.SetRows(200);
    at(2, 0);
    QTest::keyClicks(editor(), QStringLiteral("ab"));
    grid1()->SetTopRow(120);
    settle();
    EXPECT_FALSE(grid1()->RowIsVisible(2));
    EXPECT_EQ(focused(), editor());
    // The next key goes where the focus is: the cell comes back into view first.
    QTest::keyClicks(focused(), QStringLiteral("c"));
    EXPECT_TRUE(grid1()->RowIsVisible(2));
    EXPECT_EQ(editor()->Text(), QStringLiteral("abc"));
    EXPECT_EQ(editor()->Top(), grid1()->CellTop());
    EXPECT_TRUE(form.next()->text().isEmpty());
    // Whatever code places the editor while the cell is out of view, it shows nowhere over the
    // grid, and the typing and the focus stay.
    const std::pair<const char *, std::function<void()>> codePaths[] = {
        {"SetTextMatrix", [this] { grid.SetTextMatrix(150, 0, QStringLiteral("x")); }},
        {"SetBorderStyle",
         [this] {
             grid.SetBorderStyle(0);
             grid.SetBorderStyle(1);
         }},
        {"AllowEdit", [this] { grid.SetAllowEdit(true); }},
        {"AddItem", [this] { grid.AddItem(QStringLiteral("y")); }},
        {"a repaint", [this] { grid1()->repaint(); }},
    };
    for (const auto &[what, path] : codePaths) {
        SCOPED_TRACE(what);
        grid1()->SetTopRow(120);
        path();
        settle();
        EXPECT_FALSE(grid1()->RowIsVisible(2));
        EXPECT_FALSE(grid.rect().intersects(editor()->geometry()));
        EXPECT_EQ(editor()->Text(), QStringLiteral("abc"));
        EXPECT_EQ(focused(), editor());
    }
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(grid2()->TextMatrix(2, 0), QStringLiteral("abc"));
}

TEST_F(EditorInputTest, KeptTypingBelongsToItsCellNotItsRowNumber) {
    struct Case {
        const char *what;
        std::function<void(Vantrel &)> change;
        qint32 cellRow; // where the typing goes, or -1 when it is dropped
    };
    const Case cases[] = {
        {"a row inserted above", [](Vantrel &v) { v.AddItem(QStringLiteral("nuova"), 1); }, 4},
        {"a row removed above", [](Vantrel &v) { v.RemoveItem(1); }, 2},
        {"its own row removed", [](Vantrel &v) { v.RemoveItem(3); }, -1},
        {"the grid cleared", [](Vantrel &v) { v.Clear(); }, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        grid.SetRows(6);
        grid.Clear();
        for (qint32 r = 1; r < 6; ++r) {
            grid.SetTextMatrix(r, 0, QStringLiteral("riga %1").arg(r));
        }
        at(3, 0);
        QTest::keyClick(editor(), Qt::Key_End);
        QTest::keyClicks(editor(), QStringLiteral(" bis"));
        c.change(grid);
        QTest::keyClick(editor(), Qt::Key_Down);
        settle();
        QStringList column;
        for (qint32 r = 1; r < grid.Rows(); ++r) {
            column << grid2()->TextMatrix(r, 0);
        }
        if (c.cellRow < 0) {
            EXPECT_FALSE(column.join(u'|').contains(QStringLiteral("bis")))
                << column.join(u'|').toStdString();
        } else {
            EXPECT_EQ(grid2()->TextMatrix(c.cellRow, 0), QStringLiteral("riga 3 bis"));
            EXPECT_EQ(column.filter(QStringLiteral("bis")).size(), 1);
        }
    }
}

TEST_F(EditorInputTest, NoCharacterTheCellRefusesGetsIn) {
    // Digits beyond 16 bits, an emoji, a keypad chord, an input method and a paste.
    const QString mathFive = QString::fromUcs4(U"\U0001D7D3");
    const QString smile = QString::fromUcs4(U"\U0001F600");
    at(1, 1); // Numeric
    for (const QString &typed : {QStringLiteral("1"), mathFive, smile, QStringLiteral("2")}) {
        press(editor(),
              typed.size() == 1 ? Qt::Key_0 + (typed.front().unicode() - u'0') : Qt::Key_unknown,
              Qt::NoModifier, typed);
    }
    EXPECT_EQ(editor()->Text(), QStringLiteral("12"));
    QList<qint16> keyPresses;
    QObject::connect(&grid, &Vantrel::KeyPress, &grid,
                     [&keyPresses](qint16 &code) { keyPresses.append(code); });
    press(editor(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, QStringLiteral("+"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("12"));
    EXPECT_EQ(keyPresses, QList<qint16>({'+'})); // the host saw it
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("a3"));
    QApplication::sendEvent(editor(), &composed);
    EXPECT_EQ(editor()->Text(), QStringLiteral("123"));

    struct Paste {
        qint32 col;
        QString text;
        QString result;
    };
    for (const Paste &p :
         {Paste{3, QStringLiteral("xy99"), QStringLiteral("99")},
          Paste{1, QStringLiteral("1.234,5"), QStringLiteral("1.234,5")},
          Paste{1, QStringLiteral("12a3"), QStringLiteral("123")},
          Paste{2, QStringLiteral("12-05-1999"), QStringLiteral("12051999")},
          Paste{0, QStringLiteral("libero") + smile, QStringLiteral("libero") + smile}}) {
        SCOPED_TRACE(p.text.toStdString());
        at(2, p.col);
        editor()->SetText(QString());
        paste(p.text);
        EXPECT_EQ(editor()->Text(), p.result);
    }

    // Typed on the grid, a character beyond 16 bits arrives whole, or not at all.
    at(3, 0);
    grid1()->setFocus();
    press(grid1(), Qt::Key_unknown, Qt::NoModifier, smile);
    EXPECT_EQ(editor()->Text(), smile);
    at(3, 1);
    editor()->SetText(QStringLiteral("7"));
    grid1()->setFocus();
    press(grid1(), Qt::Key_unknown, Qt::NoModifier, smile);
    EXPECT_EQ(editor()->Text(), QStringLiteral("7"));
    for (QChar ch : grid2()->TextMatrix(3, 0)) {
        EXPECT_FALSE(ch.isSurrogate() && grid2()->TextMatrix(3, 0).size() == 1);
    }
}

TEST_F(EditorInputTest, AWriteToAnotherCellLeavesTheCurrentCellsStyleAlone) {
    at(1, 0);
    QTest::keyClicks(editor(), QStringLiteral("mario rossi"));
    // Date, Numeric and VAT-number cells written by the host meanwhile.
    grid.SetTextMatrix(2, 2, QStringLiteral("01/01/2000"));
    grid.SetTextMatrix(3, 1, QStringLiteral("42"));
    grid.SetTextArray(4 * 4 + 3, QStringLiteral("12345678903"));
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("mario rossi"));
    EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("mario rossi"));
}

TEST_F(EditorInputTest, QuickTypingOnTheLastRowKeepsItsOrder) {
    const qint32 last = grid.Rows() - 1;
    at(last, 0);
    // Keys queued faster than they are handled, as a quick typist's are.
    for (const char ch : {'a', 'b', 'c'}) {
        const QString text = QString(QLatin1Char(ch));
        QCoreApplication::postEvent(
            editor(),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_A + (ch - 'a'), Qt::NoModifier, text));
        QCoreApplication::postEvent(
            editor(),
            new QKeyEvent(QEvent::KeyRelease, Qt::Key_A + (ch - 'a'), Qt::NoModifier, text));
    }
    QTRY_EXPECT_EQ(editor()->Text(), QStringLiteral("abc"));
    EXPECT_EQ(grid.Rows(), last + 2);
}

TEST_F(EditorInputTest, EscapeCancelsTheEditAfterTheHostSawIt) {
    grid.SetTextMatrix(1, 0, QStringLiteral("Anna"));
    at(1, 0);
    QTest::keyClick(editor(), Qt::Key_End);
    QTest::keyClicks(editor(), QStringLiteral("lisa"));
    ASSERT_EQ(editor()->Text(), QStringLiteral("Annalisa"));
    keysDown.clear();
    // The host sees the key while the typing is still there, and could act on it.
    QString textTheHostSaw;
    QObject::connect(&grid, &Vantrel::KeyDown, &grid,
                     [&](qint16 &, qint16 &) { textTheHostSaw = editor()->Text(); });
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(keysDown, QStringList({"27/0"}));
    EXPECT_EQ(textTheHostSaw, QStringLiteral("Annalisa"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("Anna"));
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("Anna"));
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("Anna"));
    EXPECT_FALSE(grid.UndoStack()->canUndo()) << "a cancelled edit is no step";
}

TEST_F(EditorInputTest, TheCalculatorHandsOverOnlyToItsOwnCell) {
    QSignalSpy clicks(&grid, &Vantrel::Click);
    at(1, 1);
    QTest::mouseClick(parts::command1(grid), Qt::LeftButton);
    Calculator *calc = parts::calculator(grid);
    ASSERT_TRUE(calc->isVisible());
    QTest::keyClicks(calc->findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("42"));
    // A click on another cell closes it first; its result is its own cell's.
    QTest::mouseClick(grid1()->viewport(), Qt::LeftButton, {}, cellCentre(3, 1));
    EXPECT_FALSE(calc->isVisible());
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("42,"));
    EXPECT_EQ(grid2()->TextMatrix(3, 1), QString());
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(EditorInputTest, AfterAnyPopupClosesTheKeysGoToTheControl) {
    grid.AddLookUp(0, 1, QStringLiteral("Roma"));
    struct Case {
        const char *what;
        qint32 row;
        qint32 col;
        std::function<void(Vantrel &)> close;
    };
    const Case cases[] = {
        {"calendar, Escape", 1, 2,
         [](Vantrel &v) {
             QTest::keyClick(parts::calendar(v)->obCal()->findChild<QAbstractItemView *>(),
                             Qt::Key_Escape);
         }},
        {"calendar, a pick", 1, 2,
         [](Vantrel &v) {
             QTest::keyClick(parts::calendar(v)->obCal()->findChild<QAbstractItemView *>(),
                             Qt::Key_Return);
         }},
        {"calculator, Enter", 2, 1,
         [](Vantrel &v) {
             QTest::keyClick(parts::calculator(v)->findChild<QLineEdit *>(QStringLiteral("Text1")),
                             Qt::Key_Return);
         }},
        {"calculator, the button again", 2, 1,
         [](Vantrel &v) { QTest::mouseClick(parts::command1(v), Qt::LeftButton); }},
        {"calculator, Escape", 2, 1,
         [](Vantrel &v) {
             QTest::keyClick(parts::calculator(v)->findChild<QLineEdit *>(QStringLiteral("Text1")),
                             Qt::Key_Escape);
         }},
        {"calculator, its window closed", 2, 1, [](Vantrel &v) { parts::calculator(v)->close(); }},
        {"list, a pick", 1, 0,
         [](Vantrel &v) { QTest::keyClick(parts::list1(v), Qt::Key_Return); }},
        {"list, Escape", 1, 0,
         [](Vantrel &v) { QTest::keyClick(parts::list1(v), Qt::Key_Escape); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        at(c.row, c.col);
        const auto anyOpen = [this] {
            return parts::calendar(grid)->isVisible() || parts::calculator(grid)->isVisible() ||
                   parts::list(grid)->isVisible();
        };
        // Without AutoComplete the list is modal: it is closed from inside its own loop.
        bool wasOpen = false;
        if (c.col == 0) {
            QTimer::singleShot(0, &grid, [&] {
                wasOpen = anyOpen();
                c.close(grid);
            });
        }
        QTest::keyClick(editor(), Qt::Key_F7);
        if (c.col != 0) {
            wasOpen = anyOpen();
            c.close(grid);
        }
        EXPECT_TRUE(wasOpen);
        EXPECT_FALSE(anyOpen());
        QTRY_EXPECT_TRUE(focused() == editor() || focused() == grid1());
        EXPECT_TRUE(focused() == editor() || focused() == grid1())
            << c.what << ": " << (focused() ? focused()->objectName().toStdString() : "nothing");
    }
}
