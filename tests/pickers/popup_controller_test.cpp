#include "common/control_parts.h"
#include "common/message_box_recorder.h"
#include "common/wait.h"
#include "editing/cell_button.h"
#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "host/vb_test_locale.h"
#include "pickers/calculator.h"
#include "pickers/frm_cal.h"
#include "pickers/frm_list.h"
#include "pickers/popup_controller.h"
#include "styles/cell_style_registry.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

constexpr qint32 kColWidth = 1500;   // 100 px
constexpr qint32 kRowHeight = 300;   // 20 px
constexpr int kControlWidthPx = 420; // column 3 ends 20 px before the right edge

QString dateText(int y, int m, int d) {
    return vb::DateText(QDateTime(QDate(y, m, d), QTime(0, 0)));
}

// Columns: 0 Date with the drop button, 1 Numeric (drop), 2 lookup items Roma and Rovigo
// (drop), 3 Date with the browse button near the right edge, 4 browse button and nothing else.
class PopupControllerTest : public ::testing::Test {
public:
    void SetUp() override {
        grid.SetCols(5);
        grid.SetRows(4);
        grid.SetFixedRows(1);
        grid.SetFixedCols(0);
        grid.SetScrollBars(eScrollBarNone);
        for (int c = 0; c < 5; ++c) {
            grid.SetColWidth(c, kColWidth);
        }
        for (int r = 0; r < 4; ++r) {
            parts::grid1(grid)->SetRowHeight(r, kRowHeight);
        }
        grid.ColEditMode(0, 0, ButtonStyleDrop, Date);
        grid.ColEditMode(1, 0, ButtonStyleDrop, Numeric);
        grid.ColEditMode(2, 0, ButtonStyleDrop, NoType);
        grid.ColEditMode(3, 0, ButtonStyleBrowse, Date);
        grid.ColEditMode(4, 0, ButtonStyleBrowse, NoType);
        for (int r = 1; r < 4; ++r) {
            grid.AddLookUp(2, r, QStringLiteral("Roma"));
            grid.AddLookUp(2, r, QStringLiteral("Rovigo"));
        }
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        grid.resize(kControlWidthPx, 200);
        grid.move(screen.topLeft() + QPoint(40, 40));
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        ASSERT_EQ(grid.logicalDpiX(), 96);
    }

    EditorBox *editor() { return parts::editor(grid); }
    QListWidget *list1() { return parts::list1(grid); }
    frmCal *calendar() { return parts::calendar(grid); }
    Calculator *calculator() { return parts::calculator(grid); }
    frmList *list() { return parts::list(grid); }
    CellButton *command1() { return parts::command1(grid); }
    CellButton *command2() { return parts::command2(grid); }
    QWidget *calendarView() { return calendar()->obCal()->findChild<QAbstractItemView *>(); }
    QLineEdit *calculatorKeys() {
        return calculator()->findChild<QLineEdit *>(QStringLiteral("Text1"));
    }

    void moveTo(qint32 row, qint32 col) {
        if (grid.Row() == row && grid.Col() == col) {
            grid.SetRow(row == 1 ? 2 : 1);
        }
        grid.SetRow(row);
        grid.SetCol(col);
    }

    // "cal", "calc", "list" or "" for the popup on screen.
    QString openPopup() {
        QStringList open;
        if (calendar()->isVisible()) {
            open << QStringLiteral("cal");
        }
        if (calculator()->isVisible()) {
            open << QStringLiteral("calc");
        }
        if (list()->isVisible()) {
            open << QStringLiteral("list");
        }
        return open.join(QLatin1Char('+'));
    }

    // The global point under the cell's bottom-left, from the editor and its button.
    QPoint underCell(CellButton *button) {
        return QPoint(editor()->mapToGlobal(QPoint(0, 0)).x(),
                      button->mapToGlobal(QPoint(0, button->height())).y());
    }

    vbtest::RuntimeLocale locale{vbtest::italian()};
    MessageBoxRecorder boxes;
    Vantrel grid;
};

} // namespace

TEST(PopupControllerParts, ChoosesCalendarThenCalculatorThenListByTheFlags) {
    MessageBoxRecorder boxes;
    QWidget control;
    FlexGrid grid(&control);
    EditorBox editor(&control);
    CellStyleRegistry registry;
    EditSession session;
    EditOptions options;
    options.autoComplete = true; // the list opens modeless
    PopupController popups(control, grid, editor, registry, session, options);
    control.resize(400, 200);
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    for (int bits = 0; bits < 8; ++bits) {
        const bool calendar = bits & 1;
        const bool calculator = bits & 2;
        const bool list = bits & 4;
        session.style.CellHasCalendar = calendar;
        session.style.CellHasCalculator = calculator;
        session.style.CellHasList = list;
        const char *expected = calendar ? "cal" : calculator ? "calc" : list ? "list" : "";
        popups.buttonClicked(nullptr);
        const char *open = popups.calendarOpen()     ? "cal"
                           : popups.calculatorOpen() ? "calc"
                           : popups.listOpen()       ? "list"
                                                     : "";
        EXPECT_STREQ(open, expected) << "flags " << bits;
        // The second click only closes.
        popups.buttonClicked(nullptr);
        EXPECT_FALSE(popups.calendarOpen() || popups.calculatorOpen() || popups.listOpen())
            << "flags " << bits;
    }
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(PopupControllerTest, NumericCellWithLookupItemsGetsTheCalculator) {
    grid.AddLookUp(1, 1, QStringLiteral("42"));
    moveTo(1, 1);
    QTest::mouseClick(command1(), Qt::LeftButton);
    EXPECT_EQ(openPopup(), QStringLiteral("calc"));
}

TEST_F(PopupControllerTest, SecondClickClosesWithoutTouchingTheEditor) {
    const struct {
        int col;
        QString popup;
    } cases[] = {{0, QStringLiteral("cal")}, {1, QStringLiteral("calc")}};
    for (const auto &c : cases) {
        moveTo(1, c.col);
        QTest::mouseClick(command1(), Qt::LeftButton);
        ASSERT_EQ(openPopup(), c.popup);
        QSignalSpy changes(&grid, &Vantrel::Change);
        QSignalSpy clicks(&grid, &Vantrel::Click);
        QTest::mouseClick(command1(), Qt::LeftButton);
        EXPECT_EQ(openPopup(), QString()) << c.col;
        // An unused calculator hands nothing over either.
        EXPECT_EQ(changes.count(), 0) << c.col;
        EXPECT_EQ(editor()->Text(), QString());
        EXPECT_EQ(clicks.count(), 0);
    }
}

TEST_F(PopupControllerTest, PickGoesIntoTheEditorAndTheCellTakesItWhenLeft) {
    grid.SetAutoComplete(true);
    const struct {
        int col;
        std::function<void(PopupControllerTest &)> pick;
        QString picked;
    } cases[] = {
        {0,
         [](PopupControllerTest &t) {
             QTest::keyClick(t.calendarView(), Qt::Key_Right);
             QTest::keyClick(t.calendarView(), Qt::Key_Return);
         },
         // An empty cell opens the calendar on today's date.
         vb::DateText(QDateTime(QDate::currentDate().addDays(1), QTime(0, 0)))},
        {1,
         [](PopupControllerTest &t) {
             QTest::keyClicks(t.calculatorKeys(), QStringLiteral("12+3"));
             QTest::keyClick(t.calculatorKeys(), Qt::Key_Return);
         },
         QStringLiteral("3,")},
        {2,
         [](PopupControllerTest &t) {
             t.list1()->setCurrentRow(1);
             QTest::keyClick(t.list1(), Qt::Key_Return);
         },
         QStringLiteral("Rovigo")},
    };
    for (const auto &c : cases) {
        moveTo(1, c.col);
        QTest::mouseClick(command1(), Qt::LeftButton);
        ASSERT_NE(openPopup(), QString()) << c.col;
        c.pick(*this);
        EXPECT_EQ(openPopup(), QString()) << c.col;
        EXPECT_EQ(editor()->Text(), c.picked) << c.col;
        EXPECT_EQ(parts::grid2(grid)->TextMatrix(1, c.col), QString()) << c.col;
        EXPECT_EQ(grid.TextMatrix(1, c.col), QString()) << c.col;
        grid.SetRow(2);
        EXPECT_EQ(parts::grid2(grid)->TextMatrix(1, c.col), c.picked) << c.col;
    }
}

TEST_F(PopupControllerTest, ModalListReturnsAfterThePickAndGivesTheGridTheFocus) {
    ASSERT_FALSE(grid.AutoComplete());
    moveTo(1, 2);
    bool wasModal = false;
    QTimer::singleShot(0, list1(), [&] {
        wasModal = list()->isVisible() && list()->windowModality() == Qt::ApplicationModal;
        list1()->setCurrentRow(1);
        QTest::keyClick(list1(), Qt::Key_Return);
    });
    // Keeps a failing pick from hanging the test.
    QTimer::singleShot(5000, list(), [this] { list()->unload(); });
    QTest::mouseClick(command1(), Qt::LeftButton);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(editor()->Text(), QStringLiteral("Rovigo"));
    EXPECT_FALSE(list()->isVisible());
    EXPECT_EQ(grid.focusWidget(), parts::grid1(grid));
}

TEST_F(PopupControllerTest, AutoCompleteListKeepsTheFocusInTheEditorWithItsTextSelected) {
    grid.SetAutoComplete(true);
    moveTo(1, 2);
    editor()->SetText(QStringLiteral("Verona"));
    QTest::mouseClick(command1(), Qt::LeftButton);
    EXPECT_EQ(openPopup(), QStringLiteral("list"));
    EXPECT_EQ(list()->windowModality(), Qt::NonModal);
    EXPECT_EQ(editor()->SelStart(), 0);
    EXPECT_EQ(editor()->SelLength(), 6);
    EXPECT_EQ(grid.focusWidget(), editor());
    EXPECT_TRUE(list1()->selectedItems().isEmpty());
    EXPECT_EQ(list1()->count(), 2);
}

TEST_F(PopupControllerTest, CalendarOpensOnTheCellsDateOrOnToday) {
    moveTo(1, 0);
    QCalendarWidget *obCal = calendar()->obCal();
    const struct {
        QString cell;
        QDate opens;
    } cases[] = {
        {dateText(1969, 5, 12), QDate(1969, 5, 12)},
        {QStringLiteral("3/2/2031"), QDate(2031, 2, 3)},
        {QString(), QDate::currentDate()},
        {QStringLiteral("31/02/2020"), QDate::currentDate()},
    };
    for (const auto &c : cases) {
        editor()->SetText(c.cell);
        QTest::mouseClick(command1(), Qt::LeftButton);
        ASSERT_TRUE(calendar()->isVisible()) << c.cell.toStdString();
        EXPECT_EQ(obCal->selectedDate(), c.opens) << c.cell.toStdString();
        EXPECT_EQ(obCal->monthShown(), c.opens.month());
        EXPECT_EQ(obCal->yearShown(), c.opens.year());
        QTest::keyClick(calendarView(), Qt::Key_PageDown); // a month later
        QTest::keyClick(calendarView(), Qt::Key_Space);
        EXPECT_EQ(editor()->Text(), vb::DateText(QDateTime(c.opens.addMonths(1), QTime(0, 0))));
    }
    // Escape closes and sends nothing.
    editor()->SetText(QString());
    QTest::mouseClick(command1(), Qt::LeftButton);
    QTest::keyClick(calendarView(), Qt::Key_Escape);
    EXPECT_FALSE(calendar()->isVisible());
    EXPECT_EQ(editor()->Text(), QString());
}

TEST_F(PopupControllerTest, FunctionKeyOpensThePopupOnlyWhereTheCellHasOne) {
    const struct {
        int col;
        bool onEditor;
        QString popup;
    } cases[] = {
        {4, true, QString()},
        {4, false, QString()},
        {0, true, QStringLiteral("cal")},
        {1, false, QStringLiteral("calc")},
    };
    for (const auto &c : cases) {
        moveTo(1, c.col);
        editor()->SetText(QStringLiteral("abc"));
        QSignalSpy changes(&grid, &Vantrel::Change);
        QWidget *target = c.onEditor ? static_cast<QWidget *>(editor()) : parts::grid1(grid);
        QTest::keyClick(target, Qt::Key_F7);
        EXPECT_EQ(openPopup(), c.popup) << c.col << " editor " << c.onEditor;
        EXPECT_EQ(editor()->Text(), QStringLiteral("abc"));
        EXPECT_EQ(changes.count(), 0);
        calendar()->unload();
        calculator()->unload();
    }
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(PopupControllerTest, PopupTopLeftLandsUnderTheCell) {
    grid.SetAutoComplete(true);
    const struct {
        int row, col;
        QString popup;
    } cases[] = {
        {1, 0, QStringLiteral("cal")},
        {2, 1, QStringLiteral("calc")},
        {3, 2, QStringLiteral("list")},
    };
    for (const auto &c : cases) {
        moveTo(c.row, c.col);
        QTest::mouseClick(command1(), Qt::LeftButton);
        ASSERT_EQ(openPopup(), c.popup);
        QWidget *popup = c.col == 0   ? static_cast<QWidget *>(calendar())
                         : c.col == 1 ? static_cast<QWidget *>(calculator())
                                      : list();
        EXPECT_EQ(popup->frameGeometry().topLeft(), underCell(command1())) << c.col;
        QTest::mouseClick(command1(), Qt::LeftButton);
    }
}

TEST_F(PopupControllerTest, PopupPastTheHostsRightEdgeEndsAtTheEditorAndItsButton) {
    moveTo(1, 3);
    frmCal *cal = calendar();
    const int hostRight = grid.frameGeometry().x() + grid.frameGeometry().width();
    ASSERT_GT(editor()->mapToGlobal(QPoint(0, 0)).x() + cal->width(), hostRight);
    // Through the browse button its width counts.
    QTest::mouseClick(command2(), Qt::LeftButton);
    ASSERT_TRUE(calendar()->isVisible());
    EXPECT_EQ(cal->frameGeometry().x() + cal->frameGeometry().width(),
              command2()->mapToGlobal(QPoint(command2()->width(), 0)).x());
    EXPECT_EQ(cal->frameGeometry().y(), underCell(command2()).y());
    QTest::mouseClick(command2(), Qt::LeftButton);
    // The function key runs Command1's handler; Command1 is hidden, so only the editor counts.
    QTest::keyClick(editor(), Qt::Key_F7);
    ASSERT_TRUE(calendar()->isVisible());
    EXPECT_EQ(cal->frameGeometry().x() + cal->frameGeometry().width(),
              editor()->mapToGlobal(QPoint(editor()->width(), 0)).x());
}

TEST_F(PopupControllerTest, ListIsExactlyAsWideAsTheCell) {
    grid.SetAutoComplete(true);
    for (const qint32 width : {1500, 2250, 705, 3000}) {
        grid.SetColWidth(2, width);
        moveTo(1, 2);
        QTest::mouseClick(command1(), Qt::LeftButton);
        ASSERT_TRUE(list()->isVisible());
        // The cell is the column less its grid line.
        const int cellPx = parts::grid1(grid)->CellWidth() / 15;
        ASSERT_EQ(cellPx, width / 15 - 1);
        EXPECT_EQ(list()->frameGeometry().width(), cellPx) << width;
        EXPECT_EQ(list1()->width(), cellPx) << width;
        EXPECT_EQ(list()->height(), 1005 / 15) << width;
        QTest::mouseClick(command1(), Qt::LeftButton);
    }
}

TEST_F(PopupControllerTest, PopupNearTheScreenEdgeStaysOnTheScreen) {
    const QRect screen = grid.screen()->availableGeometry();
    const struct {
        QPoint hostTopLeft;
        int col;
    } cases[] = {
        {QPoint(screen.right() - 150, screen.bottom() - 60), 0},
        {QPoint(screen.right() - 150, screen.bottom() - 60), 1},
        {QPoint(screen.right() - 250, screen.top()), 1},
    };
    for (const auto &c : cases) {
        grid.move(c.hostTopLeft);
        QTRY_ASSERT_EQ(grid.pos(), c.hostTopLeft);
        moveTo(1, c.col);
        QTest::mouseClick(command1(), Qt::LeftButton);
        QWidget *popup = c.col == 0 ? static_cast<QWidget *>(calendar()) : calculator();
        ASSERT_TRUE(popup->isVisible());
        EXPECT_TRUE(screen.contains(popup->frameGeometry()))
            << c.col << " popup " << popup->frameGeometry().x() << "," << popup->frameGeometry().y()
            << " screen " << screen.width() << "x" << screen.height();
        QTest::mouseClick(command1(), Qt::LeftButton);
    }
}

TEST_F(PopupControllerTest, AFailingStepIsReportedAndTheProcedureGoesOn) {
    // The probe is global: it goes when the test ends, whatever happens.
    struct Probe {
        Probe() {
            PopupController::placementProbe() = [] {
                throw VbError(VbError::Overflow, QStringLiteral("Vantrel"));
            };
        }
        ~Probe() { PopupController::placementProbe() = nullptr; }
    };
    {
        const Probe failingPlacement;
        moveTo(1, 0);
        QTest::mouseClick(command1(), Qt::LeftButton);
    }
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].prompt, QStringLiteral("Overflow - Vantrel"));
    EXPECT_EQ(boxes.boxes[0].style, vbOKOnly);
    EXPECT_EQ(boxes.boxes[0].title, defaultMessageBoxTitle());
    // The steps after the failed placement still ran: the calendar is on screen.
    EXPECT_EQ(openPopup(), QStringLiteral("cal"));
}
