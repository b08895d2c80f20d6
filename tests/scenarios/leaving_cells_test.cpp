#include "common/control_parts.h"
#include "common/shown_control.h"
#include "editing/editor_box.h"
#include "host/vb_test_locale.h"
#include "pickers/calculator.h"
#include "pickers/frm_cal.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

enum class Leave { Down, ArrowRight, EnterAsTab, Click };

void leave(Vantrel &control, Leave how) {
    EditorBox *editor = parts::editor(control);
    switch (how) {
    case Leave::Down:
        QTest::keyClick(editor, Qt::Key_Down);
        break;
    case Leave::ArrowRight:
        control.SetArrowAsKeyTab(true);
        QTest::keyClick(editor, Qt::Key_Right);
        control.SetArrowAsKeyTab(false);
        break;
    case Leave::EnterAsTab:
        control.SetEnterAsKeyTab(true);
        QTest::keyClick(editor, Qt::Key_Return);
        control.SetEnterAsKeyTab(false);
        break;
    case Leave::Click: {
        FlexGrid *grid = parts::grid1(control);
        const QPoint inGrid(Twips::toPixelsX(grid, grid->ColPos(2)) + 5,
                            Twips::toPixelsY(grid, grid->RowPos(2)) + 5);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->viewport()->mapFrom(grid, inGrid));
        break;
    }
    }
}

} // namespace

TEST(LeavingCells, TypedTextIsValidatedWhicheverWayTheCellIsLeft) {
    const vbtest::RuntimeLocale italian(vbtest::italian());
    struct Case {
        qint32 type;
        qint32 caseType;
        const char *format;
        const char *keys;
        const char *shown;
        const char *raw;
    };
    const Case cases[] = {
        {NoType, NoCase, "", "abc", "abc", "abc"},
        {AlphaNumeric, UpperCase, "", "abc", "ABC", "ABC"},
        {NoType, LowerCase, "", "ABC", "abc", "abc"},
        {NoType, ProperCase, "", "mario rossi", "Mario Rossi", "mario rossi"},
        {Numeric, NoCase, "#,##0.00", "1234", "1.234,00", "1234"},
        {Numeric, NoCase, "", "x", "", ""}, // refused while typing: nothing to store
        {Date, NoCase, "dd/mm/yyyy", "1/5/1999", "01/05/1999", "1/5/1999"},
        {Date, NoCase, "", "99/99/9999", "Err", "Err"},
        {Time, NoCase, "hh:nn", "7:5", "07:05", "7:5"},
        {PartitaIva, NoCase, "", "12345678903", "12345678903", "12345678903"},
        {PartitaIva, NoCase, "", "12345678901", "Err", "Err"},
        {CodiceFiscale, UpperCase, "", "rssmra80a01h501u", "RSSMRA80A01H501U", "RSSMRA80A01H501U"},
        {CodiceFiscale, NoCase, "", "RSSMRA80A01H501", "Err", "Err"},
    };
    for (Leave how : {Leave::Down, Leave::ArrowRight, Leave::EnterAsTab, Leave::Click}) {
        for (const Case &c : cases) {
            // A control of its own for every case keeps the first-record rule out of the way.
            Vantrel control;
            control.SetCols(3);
            control.SetRows(3);
            control.resize(500, 300);
            control.show();
            control.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&control));
            control.AddEditStyle(1, 1, 0, c.type, c.caseType, QString::fromLatin1(c.format));
            // Entered afresh, so that the style registered since is loaded.
            control.SetRow(2);
            control.SetCol(0);
            control.SetRow(1);
            control.SetCol(1);
            EditorBox *editor = parts::editor(control);
            editor->setFocus();
            QTest::keyClicks(editor, QString::fromLatin1(c.keys));
            leave(control, how);
            EXPECT_EQ(parts::grid1(control)->TextMatrix(1, 1), QString::fromLatin1(c.shown))
                << c.keys << " leaving " << int(how);
            EXPECT_EQ(parts::grid2(control)->TextMatrix(1, 1), QString::fromLatin1(c.raw))
                << c.keys << " leaving " << int(how);
        }
    }
}

TEST(ControlSurface, PopupsAreCreatedOnceInOrderAndLiveWithTheControl) {
    Vantrel grid;
    ASSERT_NE(parts::calendar(grid), nullptr);
    ASSERT_NE(parts::calculator(grid), nullptr);
    ASSERT_NE(parts::list(grid), nullptr);
    const QObjectList children = grid.children();
    const qsizetype cal = children.indexOf(parts::calendar(grid));
    const qsizetype calc = children.indexOf(parts::calculator(grid));
    const qsizetype list = children.indexOf(parts::list(grid));
    EXPECT_LT(cal, calc);
    EXPECT_LT(calc, list);
}

TEST(ControlSurface, OwnMouseAndKeyEventsReachTheHostButTheGridsDoNot) {
    Vantrel grid;
    grid.resize(300, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QStringList seen;
    QObject::connect(&grid, &Vantrel::MouseDown, &grid,
                     [&](qint16 &b, qint16 &s, float &x, float &y) {
                         seen << QStringLiteral("down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
                     });
    QObject::connect(&grid, &Vantrel::MouseUp, &grid, [&](qint16 &b, qint16 &, float &, float &) {
        seen << QStringLiteral("up %1").arg(b);
    });
    QObject::connect(&grid, &Vantrel::KeyPress, &grid,
                     [&](qint16 &k) { seen << QStringLiteral("key %1").arg(k); });
    // The grid covers the surface; shrink it so that a corner of the surface is bare.
    FlexGrid *grid1 = grid.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    grid1->setGeometry(0, 0, 100, 100);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, QPoint(200, 150));
    // A click on the grid itself is the grid's, not the surface's.
    QTest::mouseClick(grid1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    grid.setFocusPolicy(Qt::StrongFocus);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Q);
    EXPECT_EQ(seen, QStringList({"down 1 1 3000 2250", "up 1", "key 113"}));
}

TEST(ControlSurface, ShowingWithoutADatabaseAddsNoRowAndStaysPlain) {
    Vantrel grid;
    const qint32 rows = grid.Rows();
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_EQ(grid.Rows(), rows);
    // Hidden and shown again by the host: still no row, still plain.
    grid.hide();
    grid.show();
    EXPECT_EQ(grid.Rows(), rows);
    grid.AddItem(QStringLiteral("a"));
    EXPECT_EQ(grid.Rows(), rows + 1);
    EXPECT_EQ(grid.TextMatrix(rows, 0), QStringLiteral("a"));
}
