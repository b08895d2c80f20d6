#include <Vantrel3/FlexGrid.h>

#include <QApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using Vantrel3::FlexGrid;

namespace {

QFont smallFont() {
    QFont font;
    font.setPixelSize(10);
    return font;
}

// What the window shows of a widget: the window's own pixels, as the screen would get them.
QImage onScreen(QWidget &window, const QWidget *widget) {
    QApplication::processEvents();
    const QImage shot = window.screen()->grabWindow(window.winId()).toImage();
    return shot.copy(QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()))
        .convertToFormat(QImage::Format_RGB32);
}

// The same part after every cell has been drawn again from scratch.
QImage repaintedWhole(QWidget &window, FlexGrid &g) {
    g.Refresh();
    return onScreen(window, g.viewport());
}

// Collects the areas a viewport repaints.
struct PaintLog : QObject {
    QRegion painted;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(e)->region();
        }
        return false;
    }
};

// A grid that shows most of what a cell can look like: fixed rows and columns, a taller row,
// wrapped text, a selection, the focus rectangle and colours that tell them apart.
void dress(FlexGrid &g) {
    g.setFont(smallFont());
    g.SetCols(12);
    g.SetRows(200);
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    g.SetWordWrap(true);
    g.SetBackColor(0xFFFFFF);
    g.SetBackColorSel(0xC08040);
    g.SetGridColor(0x0000C0);
    g.SetRowHeight(7, 600);
    for (qint32 r = 0; r < g.Rows(); ++r) {
        for (qint32 c = 0; c < g.Cols(); ++c) {
            g.SetTextMatrix(r, c, QString("%1 %2").arg(r).arg(c));
        }
    }
    g.SetTextMatrix(7, 2, "a longer text that wraps over lines");
    g.SetTextMatrix(9, 3, "12.5");
}

} // namespace

TEST(FlexGridRepaint, ScrolledViewportEqualsAWholeRepaint) {
    struct Step {
        const char *name;
        std::function<void(FlexGrid &)> run;
    };
    const Step steps[] = {
        {"one row down", [](FlexGrid &g) { g.SetTopRow(g.TopRow() + 1); }},
        {"one row up", [](FlexGrid &g) { g.SetTopRow(g.TopRow() - 1); }},
        {"one column right", [](FlexGrid &g) { g.SetLeftCol(g.LeftCol() + 1); }},
        {"one column left", [](FlexGrid &g) { g.SetLeftCol(g.LeftCol() - 1); }},
        {"down past the bottom row",
         [](FlexGrid &g) {
             qint32 last = g.TopRow();
             while (g.RowIsVisible(last + 1)) {
                 ++last;
             }
             g.SetRow(last - 1);
             QTest::keyClick(&g, Qt::Key_Down);
             QTest::keyClick(&g, Qt::Key_Down);
         }},
        {"up past the top row",
         [](FlexGrid &g) {
             g.SetRow(g.TopRow());
             QTest::keyClick(&g, Qt::Key_Up);
         }},
        {"the selection grows while scrolling",
         [](FlexGrid &g) {
             g.SetRowSel(g.TopRow() + 2);
             g.SetColSel(4);
             g.SetTopRow(g.TopRow() + 1);
         }},
        {"a taller row scrolls in or out at the top",
         [](FlexGrid &g) { g.SetTopRow(g.TopRow() == 7 ? 8 : 7); }},
    };
    // Without a widget over the grid Qt moves the window's pixels itself; with one it cannot,
    // and the grid's own copy must give the same picture.
    for (const bool covered : {false, true}) {
        QWidget window;
        window.resize(420, 260);
        auto *g = new FlexGrid(&window);
        g->setGeometry(0, 0, 420, 260);
        dress(*g);
        auto *cover = new QLineEdit(&window);
        cover->setGeometry(100, 60, 90, 18);
        cover->setVisible(covered);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        g->setFocus();
        g->SetTopRow(3);
        g->SetLeftCol(2);
        g->SetRow(4);
        g->SetCol(3);
        for (const Step &step : steps) {
            for (const bool merging : {false, true}) {
                g->SetMergeCells(merging ? 1 : 0);
                onScreen(window, g->viewport());
                const qint32 top = g->TopRow();
                const qint32 left = g->LeftCol();
                step.run(*g);
                const QImage after = onScreen(window, g->viewport());
                auto grab = [&] { return g->viewport()->grab().toImage(); };
                const QImage grabbed = grab(); // the viewport alone, from the grid's own copy
                const QImage whole = repaintedWhole(window, *g);
                const std::string name = std::string(step.name) + (covered ? ", covered" : "") +
                                         (merging ? ", merging" : "");
                EXPECT_TRUE(g->TopRow() != top || g->LeftCol() != left) << name;
                EXPECT_EQ(after, whole) << name;
                EXPECT_EQ(grabbed, grab()) << name << ", grabbed";
                step.run(*g); // and once more, from a position reached by scrolling
                EXPECT_EQ(onScreen(window, g->viewport()), repaintedWhole(window, *g))
                    << name << ", again";
            }
        }
    }
}

TEST(FlexGridRepaint, MovingTheCellRepaintsTheOldAndNewCellsOnly) {
    QWidget window;
    window.resize(420, 260);
    auto *g = new FlexGrid(&window);
    g->setFont(smallFont());
    g->SetScrollBars(0);
    g->SetBorderStyle(0);
    g->SetRows(100);
    g->SetCols(8);
    g->resize(420, 260);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    g->setFocus();
    QApplication::processEvents();
    PaintLog log;
    g->viewport()->installEventFilter(&log);
    auto cell = [](qint32 r, qint32 c) { return QRect(c * 64, r * 16, 64, 16); };
    struct Case {
        const char *name;
        std::function<void()> run;
        QRegion expected;
    };
    const Case cases[] = {
        {"down", [&] { g->SetRow(2); }, QRegion(cell(1, 1)) + cell(2, 1)},
        {"right", [&] { g->SetCol(2); }, QRegion(cell(2, 1)) + cell(2, 2)},
        {"far", [&] { g->SetRow(9); }, QRegion(cell(2, 2)) + cell(9, 2)},
        {"a text", [&] { g->SetTextMatrix(5, 5, "x"); }, QRegion(cell(5, 5))},
        {"a text out of view", [&] { g->SetTextMatrix(90, 5, "x"); }, QRegion()},
        {"the selection grows", [&] { g->SetColSel(4); },
         QRegion(cell(9, 2)) + cell(9, 3) + cell(9, 4)},
        {"whole rows selected",
         [&] {
             g->SetSelectionMode(1);
             QApplication::processEvents();
             log.painted = QRegion();
             g->SetRow(10);
         },
         QRegion(QRect(64, 9 * 16, g->viewport()->width() - 64, 32))},
    };
    for (const Case &c : cases) {
        QApplication::processEvents();
        log.painted = QRegion();
        c.run();
        const QImage after = onScreen(window, g->viewport());
        EXPECT_EQ(log.painted, c.expected) << c.name;
        EXPECT_EQ(after, repaintedWhole(window, *g)) << c.name;
    }
}

TEST(FlexGridRepaint, ScrollBarRepaintsOnlyWhenItsHandleMoves) {
    QWidget window;
    window.resize(300, 200);
    auto *g = new FlexGrid(&window);
    g->setFont(smallFont());
    g->setGeometry(0, 0, 300, 200);
    g->SetRows(100'000);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QScrollBar *bar = g->verticalScrollBar();
    PaintLog log;
    bar->installEventFilter(&log);
    g->SetTopRow(500); // away from the end, whose arrow looks different
    QApplication::processEvents();
    EXPECT_FALSE(log.painted.isEmpty());

    log.painted = QRegion();
    g->SetTopRow(g->TopRow() + 1); // far less than a pixel of handle travel
    QApplication::processEvents();
    EXPECT_TRUE(log.painted.isEmpty());

    // Many small steps add up to a move, and the window then shows the handle where it is.
    for (int i = 0; i < 3000; ++i) {
        g->SetTopRow(g->TopRow() + 1);
    }
    QApplication::processEvents();
    EXPECT_FALSE(log.painted.isEmpty());
    const QImage shown = onScreen(window, bar);
    EXPECT_EQ(shown, bar->grab().toImage().convertToFormat(QImage::Format_RGB32));

    // Reaching the end dims an arrow even where the handle stays put.
    log.painted = QRegion();
    g->SetTopRow(g->Rows() - 1);
    QApplication::processEvents();
    EXPECT_FALSE(log.painted.isEmpty());
    EXPECT_EQ(onScreen(window, bar), bar->grab().toImage().convertToFormat(QImage::Format_RGB32));
}
