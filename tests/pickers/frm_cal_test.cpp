#include "pickers/frm_cal.h"

#include <Vantrel3/vbruntime.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace Vantrel3;

namespace {

QString shortDate(const QDate &date) {
    return vb::DateText(QDateTime(date, QTime(0, 0)));
}

QWidget *calendarView(frmCal &cal) {
    return cal.obCal()->findChild<QAbstractItemView *>();
}

void openWindow(QWidget &w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
}

// What the user sees and gets from one opening: the date selected, the month shown, and the
// text that Enter (after the given arrow keys) sends.
struct Opening {
    QDate selected;
    int monthShown = 0;
    int yearShown = 0;
    QStringList sent;
};

Opening openAndPick(frmCal &cal, const std::function<void()> &load,
                    const QList<Qt::Key> &arrows = {}) {
    load();
    openWindow(cal);
    Opening opening;
    opening.selected = cal.obCal()->selectedDate();
    opening.monthShown = cal.obCal()->monthShown();
    opening.yearShown = cal.obCal()->yearShown();
    QSignalSpy spy(&cal, &frmCal::CalClose);
    for (Qt::Key arrow : arrows) {
        QTest::keyClick(calendarView(cal), arrow);
    }
    QTest::keyClick(calendarView(cal), Qt::Key_Return);
    for (const QList<QVariant> &args : spy) {
        opening.sent << args.at(0).toString();
    }
    return opening;
}

} // namespace

TEST(CalendarForm, OpensOnTheGivenDateAndPicksFromThere) {
    const struct {
        QDate given;
        QList<Qt::Key> arrows;
        QDate picked;
    } cases[] = {
        {QDate(2024, 2, 29), {}, QDate(2024, 2, 29)},
        {QDate(1753, 1, 1), {}, QDate(1753, 1, 1)},
        {QDate(9999, 12, 31), {}, QDate(9999, 12, 31)},
        {QDate(1999, 5, 26), {}, QDate(1999, 5, 26)},
        {QDate(2023, 12, 31), {Qt::Key_Right}, QDate(2024, 1, 1)},
        {QDate(2025, 3, 10), {Qt::Key_Down, Qt::Key_Left}, QDate(2025, 3, 16)},
    };
    // One form for all, as the control keeps one across openings: nothing of the last
    // opening leaks into the next.
    frmCal cal;
    for (const auto &c : cases) {
        const Opening opening = openAndPick(
            cal, [&] { cal.load(c.given); }, c.arrows);
        const QString label = c.given.toString(Qt::ISODate);
        EXPECT_EQ(opening.selected, c.given) << qPrintable(label);
        EXPECT_EQ(opening.monthShown, c.given.month()) << qPrintable(label);
        EXPECT_EQ(opening.yearShown, c.given.year()) << qPrintable(label);
        EXPECT_EQ(opening.sent, QStringList{shortDate(c.picked)}) << qPrintable(label);
        EXPECT_FALSE(cal.isVisible()) << qPrintable(label);
    }
}

TEST(CalendarForm, NoDateAnInvalidOneOrOneOutOfRangeOpensOnToday) {
    const struct {
        const char *what;
        std::optional<QDate> given; // none: load() without a date
    } cases[] = {
        {"no date", std::nullopt},
        {"null date", QDate()},
        {"30 February", QDate(2023, 2, 30)},
        {"day before the range", QDate(1752, 12, 31)},
        {"day after the range", QDate(10000, 1, 1)},
        {"far before the range", QDate(100, 6, 1)},
    };
    frmCal cal;
    for (const auto &c : cases) {
        // A date within range first, so a form that kept it would show.
        cal.load(QDate(2001, 9, 9));
        cal.unload();
        const QDate before = QDate::currentDate();
        const Opening opening = openAndPick(cal, [&] {
            if (c.given) {
                cal.load(*c.given);
            } else {
                cal.load();
            }
        });
        const QDate after = QDate::currentDate();
        // The day may turn while the test runs.
        const QDate today = opening.selected == after ? after : before;
        EXPECT_EQ(opening.selected, today) << c.what;
        EXPECT_EQ(opening.monthShown, today.month()) << c.what;
        EXPECT_EQ(opening.yearShown, today.year()) << c.what;
        EXPECT_EQ(opening.sent, QStringList{shortDate(today)}) << c.what;
    }
}
