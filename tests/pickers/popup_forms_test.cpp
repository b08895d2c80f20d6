#include "common/message_box_recorder.h"
#include "pickers/calculator.h"
#include "pickers/frm_cal.h"
#include "pickers/frm_list.h"

#include <Vantrel3/vbruntime.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

constexpr int kTwipsPerPixel = 15;

// The calendar's inner view and the place of a day of the shown month in its viewport.
QPoint dayCenter(QCalendarWidget *calendar, const QString &day) {
    auto *view = calendar->findChild<QAbstractItemView *>();
    const QAbstractItemModel *model = view->model();
    for (int row = 1; row < model->rowCount(); ++row) {
        for (int col = 0; col < model->columnCount(); ++col) {
            const QModelIndex index = model->index(row, col);
            if (model->data(index).toString() == day) {
                return view->visualRect(index).center();
            }
        }
    }
    return {};
}

QWidget *calendarViewport(QCalendarWidget *calendar) {
    return calendar->findChild<QAbstractItemView *>()->viewport();
}

void openWindow(QWidget &w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
}

} // namespace

TEST(CalculatorForm, KeypadHasItsCaptionsAndPlaces) {
    Calculator calc;
    const struct {
        const char *name;
        const char *caption;
        int left, top, width;
    } keys[] = {
        {"Number7", "7", 120, 600, 375},       {"Number8", "8", 540, 600, 375},
        {"Number9", "9", 960, 600, 375},       {"Cancel", "C", 1440, 600, 375},
        {"CancelEntry", "Ce", 1860, 600, 375}, {"Number4", "4", 120, 1020, 375},
        {"Number5", "5", 540, 1020, 375},      {"Number6", "6", 960, 1020, 375},
        {"Operator1", "+", 1440, 1020, 375},   {"Operator3", "-", 1860, 1020, 375},
        {"Number1", "1", 120, 1440, 375},      {"Number2", "2", 540, 1440, 375},
        {"Number3", "3", 960, 1440, 375},      {"Operator2", "X", 1440, 1440, 375},
        {"Operator0", "/", 1860, 1440, 375},   {"Number0", "0", 120, 1860, 795},
        {"Decimal", ".", 960, 1860, 375},      {"Operator4", "=", 1440, 1860, 375},
        {"Percent", "%", 1860, 1860, 375},
    };
    for (const auto &k : keys) {
        auto *key = calc.findChild<QPushButton *>(QString::fromLatin1(k.name));
        ASSERT_NE(key, nullptr) << k.name;
        EXPECT_EQ(key->text(), QString::fromLatin1(k.caption)) << k.name;
        EXPECT_EQ(key->geometry(), QRect(k.left / kTwipsPerPixel, k.top / kTwipsPerPixel,
                                         k.width / kTwipsPerPixel, 375 / kTwipsPerPixel))
            << k.name;
        EXPECT_EQ(key->focusPolicy(), Qt::NoFocus) << k.name;
    }
    auto *readout = calc.findChild<QLabel *>(QStringLiteral("Readout"));
    ASSERT_NE(readout, nullptr);
    EXPECT_EQ(readout->geometry(), QRect(8, 7, 140, 25));
    EXPECT_EQ(readout->palette().color(QPalette::Window), QColor(Qt::yellow));
    EXPECT_EQ(readout->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(calc.windowTitle(), QStringLiteral("Calcolatrice"));
}

TEST(CalculatorForm, KeysAndTypedCharactersDriveTheReadout) {
    Calculator calc;
    calc.load();
    openWindow(calc);
    auto *holder = calc.findChild<QLineEdit *>(QStringLiteral("Text1"));
    ASSERT_NE(holder, nullptr);
    QTest::mouseClick(calc.findChild<QPushButton *>(QStringLiteral("Number1")), Qt::LeftButton);
    QTest::mouseClick(calc.findChild<QPushButton *>(QStringLiteral("Number2")), Qt::LeftButton);
    EXPECT_EQ(calc.Readout()->text(), QStringLiteral("12,"));
    QTest::keyClicks(holder, QStringLiteral("*3="));
    EXPECT_EQ(calc.Readout()->text(), QStringLiteral("36"));
    // Keys with no meaning to the calculator change nothing.
    QTest::keyClicks(holder, QStringLiteral("cx;"));
    EXPECT_EQ(calc.Readout()->text(), QStringLiteral("36"));
    QTest::mouseClick(calc.findChild<QPushButton *>(QStringLiteral("Cancel")), Qt::LeftButton);
    EXPECT_EQ(calc.Readout()->text(), QStringLiteral("0,"));
}

TEST(CalculatorForm, EveryWayOfClosingHandsTheDisplayOver) {
    enum class Close { Enter, Escape, WindowClosed, Unload };
    const struct {
        Close how;
        const char *typed;
        QStringList sent;
    } cases[] = {
        // Enter hands over once, even before any key.
        {Close::Enter, "", {"0,"}},
        {Close::Escape, "12", {"12,"}},
        {Close::WindowClosed, "7+", {"7,"}},
        {Close::Unload, "5%", {"0,05"}},
    };
    for (const auto &c : cases) {
        Calculator calc;
        calc.load();
        openWindow(calc);
        QSignalSpy spy(&calc, &Calculator::ClcClose);
        auto *holder = calc.findChild<QLineEdit *>(QStringLiteral("Text1"));
        QTest::keyClicks(holder, QString::fromLatin1(c.typed));
        switch (c.how) {
        case Close::Enter:
            QTest::keyClick(holder, Qt::Key_Return);
            break;
        case Close::Escape:
            QTest::keyClick(holder, Qt::Key_Escape);
            break;
        case Close::WindowClosed:
            calc.close();
            break;
        case Close::Unload:
            calc.unload();
            break;
        }
        QStringList sent;
        for (const QList<QVariant> &args : spy) {
            sent << args.at(0).toString();
        }
        EXPECT_EQ(sent, c.sent) << c.typed;
        EXPECT_FALSE(calc.isVisible()) << c.typed;
        EXPECT_FALSE(calc.isLoaded()) << c.typed;
        // Unloading an unloaded calculator raises nothing.
        calc.unload();
        EXPECT_EQ(spy.count(), c.sent.size()) << c.typed;
    }
}

TEST(CalculatorForm, DivisionByZeroWarnsAndKeepsTheFirstOperand) {
    MessageBoxRecorder boxes;
    Calculator calc;
    calc.load();
    openWindow(calc);
    QTest::keyClicks(calc.findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("1/0="));
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].prompt, QStringLiteral("Impossibile dividere per zero"));
    EXPECT_EQ(boxes.boxes[0].style, vbExclamation);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Calcolatrice"));
    EXPECT_EQ(calc.Readout()->text(), QStringLiteral("1,"));
}

TEST(CalendarForm, StartsOnItsStoredDateAndRange) {
    frmCal cal;
    QCalendarWidget *obCal = cal.findChild<QCalendarWidget *>(QStringLiteral("obCal"));
    ASSERT_EQ(obCal, cal.obCal());
    EXPECT_EQ(obCal->selectedDate(), QDate(1999, 5, 26));
    EXPECT_EQ(obCal->minimumDate(), QDate(1753, 1, 1));
    EXPECT_EQ(obCal->maximumDate(), QDate(9999, 12, 31));
    EXPECT_EQ(cal.size(), obCal->size());
    EXPECT_GE(obCal->width(), 2460 / kTwipsPerPixel);
    EXPECT_GE(obCal->height(), 2310 / kTwipsPerPixel);
    // A load without a date opens on today's, not on the stored date or the last one shown.
    obCal->setSelectedDate(QDate(2020, 2, 29));
    const QDate before = QDate::currentDate();
    cal.load();
    const QDate after = QDate::currentDate();
    // The day may turn while the test runs.
    const QDate today = obCal->selectedDate() == after ? after : before;
    EXPECT_EQ(obCal->selectedDate(), today);
    EXPECT_EQ(obCal->monthShown(), today.month());
    EXPECT_EQ(obCal->yearShown(), today.year());
}

TEST(CalendarForm, EnterSpaceAndLeftReleasePickEscapeAndOtherButtonsDoNot) {
    enum class Input { Enter, Space, Escape, LeftClickOnDay, LeftReleaseAnywhere, RightClick };
    const QString may26 = vb::DateText(QDateTime(QDate(1999, 5, 26), QTime(0, 0)));
    const QString may27 = vb::DateText(QDateTime(QDate(1999, 5, 27), QTime(0, 0)));
    const QString may15 = vb::DateText(QDateTime(QDate(1999, 5, 15), QTime(0, 0)));
    const struct {
        Input input;
        bool arrowRightFirst;
        QStringList sent;
        bool staysOpen;
    } cases[] = {
        {Input::Enter, false, {may26}, false},
        {Input::Space, true, {may27}, false},
        {Input::Escape, false, {}, false},
        {Input::LeftClickOnDay, false, {may15}, false},
        {Input::LeftReleaseAnywhere, true, {may27}, false},
        {Input::RightClick, false, {}, true},
    };
    for (const auto &c : cases) {
        frmCal cal;
        cal.load(QDate(1999, 5, 26));
        openWindow(cal);
        QCalendarWidget *obCal = cal.obCal();
        QWidget *view = obCal->findChild<QAbstractItemView *>();
        QSignalSpy spy(&cal, &frmCal::CalClose);
        if (c.arrowRightFirst) {
            QTest::keyClick(view, Qt::Key_Right);
        }
        switch (c.input) {
        case Input::Enter:
            QTest::keyClick(view, Qt::Key_Return);
            break;
        case Input::Space:
            QTest::keyClick(view, Qt::Key_Space);
            break;
        case Input::Escape:
            QTest::keyClick(obCal, Qt::Key_Escape);
            break;
        case Input::LeftClickOnDay:
            QTest::mouseClick(calendarViewport(obCal), Qt::LeftButton, {},
                              dayCenter(obCal, QStringLiteral("15")));
            break;
        case Input::LeftReleaseAnywhere:
            QTest::mouseRelease(obCal, Qt::LeftButton, {}, QPoint(2, 2));
            break;
        case Input::RightClick:
            QTest::mouseClick(calendarViewport(obCal), Qt::RightButton, {},
                              dayCenter(obCal, QStringLiteral("15")));
            break;
        }
        QStringList sent;
        for (const QList<QVariant> &args : spy) {
            sent << args.at(0).toString();
        }
        EXPECT_EQ(sent, c.sent) << int(c.input);
        EXPECT_EQ(cal.isVisible(), c.staysOpen) << int(c.input);
    }
}

TEST(ListForm, PicksTheSelectedItemOrTheEmptyText) {
    enum class Input { Enter, Space, Escape, LeftClickOnItem, LeftClickBelowItems, RightClick };
    const struct {
        Input input;
        int selectedRow; // -1: none
        QStringList sent;
        bool staysOpen;
    } cases[] = {
        {Input::Enter, 1, {"Rovigo"}, false},
        {Input::Enter, -1, {""}, false},
        {Input::Space, 0, {"Roma"}, false},
        {Input::Escape, 1, {}, false},
        {Input::LeftClickOnItem, -1, {"Rovigo"}, false},
        {Input::LeftClickBelowItems, 0, {"Roma"}, false},
        {Input::RightClick, 0, {}, true},
    };
    for (const auto &c : cases) {
        frmList form;
        QListWidget *list = form.List1();
        list->addItems({QStringLiteral("Roma"), QStringLiteral("Rovigo")});
        form.resize(120, 200);
        openWindow(form);
        if (c.selectedRow >= 0) {
            list->setCurrentRow(c.selectedRow);
        }
        QSignalSpy spy(&form, &frmList::ListClose);
        const QPoint onRovigo = list->visualItemRect(list->item(1)).center();
        const QPoint below(5, list->viewport()->height() - 3);
        switch (c.input) {
        case Input::Enter:
            QTest::keyClick(list, Qt::Key_Return);
            break;
        case Input::Space:
            QTest::keyClick(list, Qt::Key_Space);
            break;
        case Input::Escape:
            QTest::keyClick(list, Qt::Key_Escape);
            break;
        case Input::LeftClickOnItem:
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onRovigo);
            break;
        case Input::LeftClickBelowItems:
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, below);
            break;
        case Input::RightClick:
            QTest::mouseClick(list->viewport(), Qt::RightButton, {}, onRovigo);
            break;
        }
        QStringList sent;
        for (const QList<QVariant> &args : spy) {
            sent << args.at(0).toString();
        }
        EXPECT_EQ(sent, c.sent) << int(c.input) << " row " << c.selectedRow;
        EXPECT_EQ(form.isVisible(), c.staysOpen) << int(c.input);
    }
}

TEST(ListForm, ListFillsTheFormAndStaysVisibleForCompletionWhileHidden) {
    frmList form;
    QListWidget *list = form.findChild<QListWidget *>(QStringLiteral("List1"));
    ASSERT_EQ(list, form.List1());
    EXPECT_EQ(form.size(), QSize(1215 / kTwipsPerPixel, 1005 / kTwipsPerPixel));
    openWindow(form);
    for (const QSize size : {QSize(80, 67), QSize(137, 40), QSize(300, 120)}) {
        form.resize(size);
        EXPECT_EQ(list->geometry(), QRect(QPoint(0, 0), size));
    }
    form.unload();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(list->isHidden());
}

TEST(ListForm, FindStringMatchesThePrefixWithoutCase) {
    QListWidget list;
    list.addItems({QStringLiteral("Roma"), QStringLiteral("Rovigo"), QStringLiteral("roma nord")});
    const struct {
        const char *text;
        int index;
    } cases[] = {{"r", 0}, {"ROV", 1}, {"roma n", 2}, {"x", -1}, {"", -1}, {"Romaa", -1}};
    for (const auto &c : cases) {
        EXPECT_EQ(frmList::findString(&list, QString::fromLatin1(c.text)), c.index) << c.text;
    }
}
