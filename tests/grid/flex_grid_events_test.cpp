#include "common/error_recorder.h"
#include "common/wait.h"
#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/VbError.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

using Vantrel3::FlexGrid;
using Vantrel3::VbError;

namespace {

// Records the grid's events by name, with the current cell where it matters.
struct EventLog {
    QStringList names;

    explicit EventLog(FlexGrid &g) {
        auto cell = [&g](const char *name) {
            return QString("%1(%2,%3)").arg(name).arg(g.Row()).arg(g.Col());
        };
        QObject::connect(&g, &FlexGrid::LeaveCell, &g, [this, cell] { names << cell("Leave"); });
        QObject::connect(&g, &FlexGrid::EnterCell, &g, [this, cell] { names << cell("Enter"); });
        QObject::connect(&g, &FlexGrid::RowColChange, &g, [this] { names << "RowColChange"; });
        QObject::connect(&g, &FlexGrid::SelChange, &g, [this] { names << "SelChange"; });
        QObject::connect(&g, &FlexGrid::Click, &g, [this] { names << "Click"; });
        QObject::connect(&g, &FlexGrid::DblClick, &g, [this] { names << "DblClick"; });
        QObject::connect(&g, &FlexGrid::MouseDown, &g,
                         [this](qint16 &, qint16 &, float &, float &) { names << "MouseDown"; });
        QObject::connect(&g, &FlexGrid::MouseUp, &g,
                         [this](qint16 &, qint16 &, float &, float &) { names << "MouseUp"; });
        QObject::connect(&g, &FlexGrid::KeyDown, &g, [this](qint16 &code, qint16 &) {
            names << QString("KeyDown(%1)").arg(code);
        });
        QObject::connect(&g, &FlexGrid::KeyPress, &g,
                         [this](qint16 &ascii) { names << QString("KeyPress(%1)").arg(ascii); });
        QObject::connect(&g, &FlexGrid::KeyUp, &g, [this](qint16 &code, qint16 &) {
            names << QString("KeyUp(%1)").arg(code);
        });
    }
};

QFont smallFont() {
    QFont font;
    font.setPixelSize(10);
    return font;
}

// Cells of 64 x 16 pixels; a grid with the given shape, shown and focused.
void prepare(FlexGrid &g, qint32 rows, qint32 cols, QSize size = {400, 200}) {
    g.setFont(smallFont());
    g.SetScrollBars(0);
    g.SetBorderStyle(0);
    g.SetRows(rows);
    g.SetCols(cols);
    g.resize(size);
}

void showAndFocus(QWidget &w, QWidget &focus) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    focus.setFocus();
    QTRY_ASSERT_EQ(QApplication::focusWidget(), &focus);
}

QPoint centreOf(qint32 row, qint32 col) {
    return {col * 64 + 32, row * 16 + 8};
}

void sendMouseMove(QWidget *viewport, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, pos, viewport->mapToGlobal(pos), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

} // namespace

TEST(FlexGridEvents, CodeMovesLeaveTheOldCellThenEnterTheNewOne) {
    struct Case {
        const char *name;
        std::function<void(FlexGrid &)> action;
        QStringList expected;
    };
    const Case cases[] = {
        {"Row to a new value",
         [](FlexGrid &g) { g.SetRow(2); },
         {"Leave(1,1)", "Enter(2,1)", "RowColChange", "SelChange"}},
        {"Row then Col",
         [](FlexGrid &g) {
             g.SetRow(2);
             g.SetCol(3);
         },
         {"Leave(1,1)", "Enter(2,1)", "RowColChange", "SelChange", "Leave(2,1)", "Enter(2,3)",
          "RowColChange", "SelChange"}},
        {"Row to a fixed row",
         [](FlexGrid &g) { g.SetRow(0); },
         {"Leave(1,1)", "Enter(0,1)", "RowColChange", "SelChange"}},
        {"current value", [](FlexGrid &g) { g.SetRow(1); }, {}},
        {"current value after a block selection",
         [](FlexGrid &g) {
             g.SetRowSel(3);
             g.SetRow(1);
         },
         {"SelChange", "SelChange"}},
        {"shrinking under the current cell",
         [](FlexGrid &g) {
             g.SetRow(4);
             g.SetCol(4);
             g.SetRows(3);
             g.SetCols(2);
         },
         {"Leave(1,1)", "Enter(4,1)", "RowColChange", "SelChange", "Leave(4,1)", "Enter(4,4)",
          "RowColChange", "SelChange"}},
        {"rows added, removed, cleared",
         [](FlexGrid &g) {
             g.AddItem("x", 1);
             g.RemoveItem(1);
             g.Clear();
             g.SetTextMatrix(1, 1, "text");
         },
         {}},
    };
    for (const Case &c : cases) {
        FlexGrid g;
        g.SetRows(5);
        g.SetCols(5);
        EventLog log(g);
        c.action(g);
        EXPECT_EQ(log.names, c.expected) << c.name;
    }
}

TEST(FlexGridEvents, HandlersMayMoveTheCellAgain) {
    // A LeaveCell handler that moves the cell: its own full sequence runs inside and wins
    // over the move that raised it.
    {
        FlexGrid g;
        g.SetRows(5);
        g.SetCols(5);
        EventLog log(g);
        bool once = true;
        QObject::connect(&g, &FlexGrid::LeaveCell, &g, [&] {
            if (std::exchange(once, false)) {
                g.SetCol(3);
            }
        });
        g.SetRow(2);
        EXPECT_EQ(log.names, QStringList({"Leave(1,1)", "Leave(1,1)", "Enter(1,3)", "RowColChange",
                                          "SelChange"}));
        EXPECT_EQ(g.Row(), 1);
        EXPECT_EQ(g.Col(), 3);
    }
    // An EnterCell handler that sends the cell on.
    {
        FlexGrid g;
        g.SetRows(5);
        g.SetCols(5);
        EventLog log(g);
        QObject::connect(&g, &FlexGrid::EnterCell, &g, [&] {
            if (g.Row() == 2) {
                g.SetRow(3);
            }
        });
        g.SetRow(2);
        EXPECT_EQ(log.names,
                  QStringList({"Leave(1,1)", "Enter(2,1)", "Leave(2,1)", "Enter(3,1)",
                               "RowColChange", "SelChange", "RowColChange", "SelChange"}));
        EXPECT_EQ(g.Row(), 3);
    }
    // Handlers that keep bouncing the cell still come to an end.
    {
        FlexGrid g;
        g.SetRows(5);
        g.SetCols(5);
        int leaves = 0;
        QObject::connect(&g, &FlexGrid::LeaveCell, &g, [&] {
            ++leaves;
            g.SetRow(g.Row() == 1 ? 2 : 1);
        });
        g.SetRow(3);
        EXPECT_GT(leaves, 1);
        EXPECT_LT(leaves, 100);
        EXPECT_EQ(g.Row(), 2);
    }
}

TEST(FlexGridEvents, KeysMoveTheCurrentCellAndExtendTheSelection) {
    struct Case {
        const char *name;
        QPoint start; // (col, row)
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        qint32 row, col, rowSel, colSel;
    };
    const Case cases[] = {
        {"Down", {3, 3}, Qt::Key_Down, {}, 4, 3, 4, 3},
        {"Up", {3, 3}, Qt::Key_Up, {}, 2, 3, 2, 3},
        {"Up stops at the first data row", {3, 1}, Qt::Key_Up, {}, 1, 3, 1, 3},
        {"Left stops at the first data column", {1, 3}, Qt::Key_Left, {}, 3, 1, 3, 1},
        {"Right", {3, 3}, Qt::Key_Right, {}, 3, 4, 3, 4},
        {"Right stops at the last column", {5, 3}, Qt::Key_Right, {}, 3, 5, 3, 5},
        {"Down stops at the last row", {3, 19}, Qt::Key_Down, {}, 19, 3, 19, 3},
        {"Home", {3, 3}, Qt::Key_Home, {}, 3, 1, 3, 1},
        {"End", {3, 3}, Qt::Key_End, {}, 3, 5, 3, 5},
        {"Ctrl+Home", {3, 3}, Qt::Key_Home, Qt::ControlModifier, 1, 1, 1, 1},
        {"Ctrl+End", {3, 3}, Qt::Key_End, Qt::ControlModifier, 19, 5, 19, 5},
        {"PageDown", {3, 3}, Qt::Key_PageDown, {}, 8, 3, 8, 3},
        {"PageUp", {3, 10}, Qt::Key_PageUp, {}, 5, 3, 5, 3},
        {"Shift+Down", {3, 3}, Qt::Key_Down, Qt::ShiftModifier, 3, 3, 4, 3},
        {"Shift+Right", {3, 3}, Qt::Key_Right, Qt::ShiftModifier, 3, 3, 3, 4},
        {"Shift+Ctrl+End",
         {3, 3},
         Qt::Key_End,
         Qt::ShiftModifier | Qt::ControlModifier,
         3,
         3,
         19,
         5},
    };
    FlexGrid g;
    prepare(g, 20, 6, {64 * 4, 16 * 6}); // one heading row and five data rows
    showAndFocus(g, g);
    for (const Case &c : cases) {
        g.SetRow(c.start.y());
        g.SetCol(c.start.x());
        QTest::keyClick(&g, c.key, c.modifiers);
        EXPECT_EQ(g.Row(), c.row) << c.name;
        EXPECT_EQ(g.Col(), c.col) << c.name;
        EXPECT_EQ(g.RowSel(), c.rowSel) << c.name;
        EXPECT_EQ(g.ColSel(), c.colSel) << c.name;
        EXPECT_TRUE(g.RowIsVisible(c.rowSel)) << c.name;
    }
}

TEST(FlexGridEvents, KeyDownComesFirstAndCanCancelTheKey) {
    FlexGrid g;
    prepare(g, 10, 5);
    showAndFocus(g, g);
    g.SetRow(3);
    g.SetCol(3);
    EventLog log(g);

    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(log.names, QStringList({"KeyDown(40)", "Leave(3,3)", "Enter(4,3)", "RowColChange",
                                      "SelChange", "KeyUp(40)"}));

    // The control above handles arrows itself and zeroes KeyCode: the grid must not move.
    QObject::connect(&g, &FlexGrid::KeyDown, &g, [](qint16 &code, qint16 &) {
        if (code == 40 || code == 65) {
            code = 0;
        }
    });
    log.names.clear();
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(log.names, QStringList({"KeyDown(40)", "KeyUp(40)"}));

    // Characters: KeyPress with the classic code follows, even after a cancelled KeyDown.
    log.names.clear();
    QTest::keyClick(&g, Qt::Key_A, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, &g, Qt::Key_Agrave, QStringLiteral("à"), Qt::NoModifier);
    EXPECT_EQ(log.names,
              QStringList({"KeyDown(65)", "KeyPress(97)", "KeyUp(65)", "KeyPress(224)"}));
}

TEST(FlexGridEvents, TabLeavesTheGridAndValidateMayKeepTheFocus) {
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *g = new FlexGrid;
    auto *edit = new QLineEdit;
    layout->addWidget(g);
    layout->addWidget(edit);
    showAndFocus(form, *g);
    EventLog log(*g);
    int validations = 0;
    bool refuse = false;
    QObject::connect(g, &FlexGrid::Validate, g, [&](bool &cancel) {
        ++validations;
        cancel = refuse;
    });

    QTest::keyClick(g, Qt::Key_Tab);
    QTRY_EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(validations, 1);
    EXPECT_FALSE(log.names.contains("KeyDown(9)"));

    g->setFocus();
    refuse = true;
    edit->setFocus();
    EXPECT_EQ(validations, 2);
    QTRY_EXPECT_TRUE(g->hasFocus());
}

TEST(FlexGridEvents, ClickMovesTheCellBetweenMouseDownAndMouseUp) {
    FlexGrid g;
    prepare(g, 10, 5);
    showAndFocus(g, g);
    float downX = -1;
    float downY = -1;
    QObject::connect(&g, &FlexGrid::MouseDown, &g, [&](qint16 &, qint16 &, float &x, float &y) {
        downX = x;
        downY = y;
    });
    EventLog log(g);

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    EXPECT_EQ(log.names, QStringList({"MouseDown", "Leave(1,1)", "Enter(3,2)", "RowColChange",
                                      "SelChange", "MouseUp", "Click"}));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.MouseRow(), 3);
    EXPECT_EQ(g.MouseCol(), 2);
    EXPECT_FLOAT_EQ(downX, float((2 * 64 + 32) * 15));
    EXPECT_FLOAT_EQ(downY, float((3 * 16 + 8) * 15));

    // A click on the current cell changes nothing but still clicks.
    log.names.clear();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    EXPECT_EQ(log.names, QStringList({"MouseDown", "MouseUp", "Click"}));

    log.names.clear();
    // The platform's double click: press, release, double click, release.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    EXPECT_EQ(log.names, QStringList({"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));
}

TEST(FlexGridEvents, DraggingSelectsAndHeadingsSelectWholeColumnsAndRows) {
    FlexGrid g;
    prepare(g, 10, 5);
    showAndFocus(g, g);
    QSignalSpy selChanges(&g, &FlexGrid::SelChange);

    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, centreOf(2, 2));
    sendMouseMove(g.viewport(), centreOf(3, 3), Qt::LeftButton);
    sendMouseMove(g.viewport(), centreOf(4, 3), Qt::LeftButton);
    EXPECT_EQ(selChanges.count(), 1) << "SelChange waits for the end of the drag";
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, centreOf(4, 3));
    EXPECT_EQ(selChanges.count(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 3);

    struct Case {
        const char *name;
        QPoint at;
        qint32 row, col, rowSel, colSel;
    };
    const Case cases[] = {
        {"column heading", centreOf(0, 3), 1, 3, 9, 3},
        {"row heading", centreOf(5, 0), 5, 1, 5, 4},
        {"corner", centreOf(0, 0), 1, 1, 9, 4},
    };
    for (const Case &c : cases) {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, c.at);
        EXPECT_EQ(g.Row(), c.row) << c.name;
        EXPECT_EQ(g.Col(), c.col) << c.name;
        EXPECT_EQ(g.RowSel(), c.rowSel) << c.name;
        EXPECT_EQ(g.ColSel(), c.colSel) << c.name;
    }
}

TEST(FlexGridEvents, UserResizesColumnsAndRowsInTheFixedArea) {
    FlexGrid g;
    prepare(g, 10, 5);
    showAndFocus(g, g);
    struct Case {
        qint32 mode;
        QPoint from;
        QPoint to;
        qint32 colWidth1;
        qint32 rowHeight1;
    };
    const Case cases[] = {
        {0, {127, 8}, {157, 8}, 960, 240},     // resizing off: a click on the heading
        {1, {127, 8}, {157, 8}, 94 * 15, 240}, // column 1's right border, 30 px wider
        {2, {32, 31}, {32, 51}, 960, 36 * 15}, // row 1's bottom border, 20 px taller
        {1, {32, 31}, {32, 51}, 960, 240},     // rows not allowed in mode 1
    };
    for (const Case &c : cases) {
        g.SetColWidth(1, -1);
        g.SetRowHeight(1, -1);
        g.SetAllowUserResizing(c.mode);
        QTest::mousePress(g.viewport(), Qt::LeftButton, {}, c.from);
        sendMouseMove(g.viewport(), c.to, Qt::LeftButton);
        QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, c.to);
        EXPECT_EQ(g.ColWidth(1), c.colWidth1) << "mode " << c.mode;
        EXPECT_EQ(g.RowHeight(1), c.rowHeight1) << "mode " << c.mode;
    }
}

TEST(FlexGridEvents, ScrollBarsAreTopRowAndLeftCol) {
    FlexGrid g;
    g.setFont(smallFont());
    g.SetRows(100);
    g.SetCols(30);
    g.resize(300, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QSignalSpy scrolls(&g, &FlexGrid::Scroll);

    g.verticalScrollBar()->setValue(40);
    EXPECT_EQ(g.TopRow(), 40);
    g.horizontalScrollBar()->setValue(7);
    EXPECT_EQ(g.LeftCol(), 7);
    EXPECT_EQ(scrolls.count(), 2);
    EXPECT_EQ(g.verticalScrollBar()->minimum(), 1);

    g.SetTopRow(10);
    EXPECT_EQ(g.verticalScrollBar()->value(), 10);
    EXPECT_EQ(scrolls.count(), 3);
    // Reading the current cell's position does not scroll to it.
    g.CellTop();
    g.CellLeft();
    EXPECT_EQ(g.TopRow(), 10);
    EXPECT_EQ(scrolls.count(), 3);

    g.SetScrollBars(0);
    QTRY_EXPECT_TRUE(!g.verticalScrollBar()->isVisible());
}

TEST(FlexGridEvents, HandlerErrorsGoToTheErrorSinkNotTheEventLoop) {
    ErrorRecorder errors;
    {
        FlexGrid g;
        prepare(g, 10, 5);
        showAndFocus(g, g);
        QObject::connect(&g, &FlexGrid::EnterCell, &g, [] { throw VbError(13); });
        QObject::connect(&g, &FlexGrid::KeyDown, &g,
                         [&g](qint16 &, qint16 &) { g.TextMatrix(99, 0); });
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centreOf(2, 2));
        QTest::keyClick(&g, Qt::Key_Down);
        EXPECT_EQ(g.Row(), 2) << "the cell moved before the handler failed";
    }
    EXPECT_EQ(errors.numbers, QList<qint32>({13, 381}));
}
