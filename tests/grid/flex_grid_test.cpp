#include "common/error_of.h"
#include "common/wait.h"
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using Vantrel3::FlexGrid;
using Vantrel3::VbError;

namespace {

QStringList rowTexts(const FlexGrid &g, qint32 row) {
    QStringList texts;
    for (qint32 c = 0; c < g.Cols(); ++c) {
        texts << g.TextMatrix(row, c);
    }
    return texts;
}

// A font small enough that rows keep the classic 240 twips.
QFont smallFont() {
    QFont font;
    font.setPixelSize(10);
    return font;
}

QColor pixel(const QImage &image, QPoint at) {
    return image.pixelColor(at);
}

} // namespace

TEST(FlexGrid, NewGridHasTheClassicDefaults) {
    FlexGrid g;
    struct Case {
        const char *name;
        qint64 actual;
        qint64 expected;
    };
    const Case cases[] = {
        {"Rows", g.Rows(), 2},
        {"Cols", g.Cols(), 2},
        {"FixedRows", g.FixedRows(), 1},
        {"FixedCols", g.FixedCols(), 1},
        {"Row", g.Row(), 1},
        {"Col", g.Col(), 1},
        {"RowSel", g.RowSel(), 1},
        {"ColSel", g.ColSel(), 1},
        {"TopRow", g.TopRow(), 1},
        {"LeftCol", g.LeftCol(), 1},
        {"HighLight", g.HighLight(), 1},
        {"FocusRect", g.FocusRect(), 1},
        {"GridLines", g.GridLines(), 1},
        {"GridLinesFixed", g.GridLinesFixed(), 2},
        {"GridLineWidth", g.GridLineWidth(), 1},
        {"ScrollBars", g.ScrollBars(), 3},
        {"SelectionMode", g.SelectionMode(), 0},
        {"AllowUserResizing", g.AllowUserResizing(), 0},
        {"MergeCells", g.MergeCells(), 0},
        {"TextStyle", g.TextStyle(), 0},
        {"BorderStyle", g.BorderStyle(), 1},
        {"Redraw", g.Redraw(), 1},
        {"WordWrap", g.WordWrap(), 0},
        {"BackColor", g.BackColor(), 0x80000005},
        {"ForeColor", g.ForeColor(), 0x80000008},
        {"BackColorFixed", g.BackColorFixed(), 0x8000000F},
        {"ForeColorFixed", g.ForeColorFixed(), 0x80000012},
        {"BackColorSel", g.BackColorSel(), 0x8000000D},
        {"ForeColorSel", g.ForeColorSel(), 0x8000000E},
        {"BackColorBkg", g.BackColorBkg(), 0x808080},
        {"GridColor", g.GridColor(), 0xC0C0C0},
        {"GridColorFixed", g.GridColorFixed(), 0},
        {"ColAlignment(1)", g.ColAlignment(1), 9},
        {"ColWidth(0)", g.ColWidth(0), 960},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.name;
    }
    // The same settings reach property pages and the property bag by name.
    EXPECT_EQ(g.property("BackColorBkg").value<Vantrel3::OleColor>().value(), 0x808080u);
    EXPECT_TRUE(g.setProperty("Rows", 7));
    EXPECT_EQ(g.Rows(), 7);
}

TEST(FlexGrid, ShapeChangesKeepOrDropTexts) {
    FlexGrid g;
    g.SetCols(3);
    g.SetFixedCols(0);
    g.SetRows(4);
    for (qint32 r = 0; r < 4; ++r) {
        g.SetTextMatrix(r, 0, QString("r%1").arg(r));
    }
    g.SetTextMatrix(1, 2, "right");
    g.SetRow(3);
    g.SetCol(2);

    // Emptying the data area keeps the header row.
    g.SetRows(1);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.TextMatrix(0, 0), "r0");
    g.SetRows(3);
    EXPECT_EQ(rowTexts(g, 1), QStringList({"", "", ""}));

    g.SetTextMatrix(1, 2, "right");
    g.SetCols(2);
    EXPECT_EQ(g.Col(), 1);
    g.SetCols(3);
    EXPECT_EQ(g.TextMatrix(1, 2), "");

    // More fixed rows move the current cell out of them.
    g.SetRow(1);
    g.SetFixedRows(2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.TopRow(), 2);
}

TEST(FlexGrid, TextArrayIndexesRowTimesColsPlusCol) {
    FlexGrid g;
    g.SetCols(4);
    g.SetRows(4);
    struct Case {
        qint32 index;
        qint32 row;
        qint32 col;
    };
    const Case cases[] = {{0, 0, 0}, {3, 0, 3}, {4, 1, 0}, {9, 2, 1}, {12, 3, 0}, {15, 3, 3}};
    for (const Case &c : cases) {
        g.SetTextArray(c.index, QString::number(c.index));
        EXPECT_EQ(g.TextMatrix(c.row, c.col), QString::number(c.index)) << c.index;
        g.SetTextMatrix(c.row, c.col, "m");
        EXPECT_EQ(g.TextArray(c.index), "m") << c.index;
    }
    g.SetRow(2);
    g.SetCol(3);
    g.SetText("current");
    EXPECT_EQ(g.TextArray(11), "current");
}

TEST(FlexGrid, AddItemSplitsOnTabs) {
    struct Case {
        QString item;
        std::optional<qint32> index;
        qint32 expectedRow;
        QStringList expected;
    };
    const Case cases[] = {
        {"a\tb\tc", std::nullopt, 3, {"a", "b", "c"}},
        {"\ta\tb", std::nullopt, 3, {"", "a", "b"}},
        {"x", 1, 1, {"x", "", ""}},
        {"a\tb\tc\td\te", std::nullopt, 3, {"a", "b", "c"}},
        {"a\t", 3, 3, {"a", "", ""}},
        {"", 2, 2, {"", "", ""}},
        {"\t\t", std::nullopt, 3, {"", "", ""}},
    };
    for (const Case &c : cases) {
        FlexGrid g;
        g.SetCols(3);
        g.SetRows(3);
        g.SetTextMatrix(1, 0, "old1");
        g.SetTextMatrix(2, 0, "old2");
        g.AddItem(c.item, c.index);
        EXPECT_EQ(g.Rows(), 4) << c.item.toStdString();
        EXPECT_EQ(rowTexts(g, c.expectedRow), c.expected) << c.item.toStdString();
        // The rows that were there keep their order around the new one.
        QStringList firstColumn;
        for (qint32 r = 1; r < 4; ++r) {
            if (r != c.expectedRow) {
                firstColumn << g.TextMatrix(r, 0);
            }
        }
        EXPECT_EQ(firstColumn, QStringList({"old1", "old2"})) << c.item.toStdString();
    }
}

TEST(FlexGrid, RowsComeAndGoAsInTheClassicExample) {
    FlexGrid g;
    g.SetCols(3);
    g.SetRows(1);
    g.AddItem("\ta\tb");
    EXPECT_EQ(rowTexts(g, 1), QStringList({"", "a", "b"}));
    g.AddItem("x", 1);
    EXPECT_EQ(rowTexts(g, 1), QStringList({"x", "", ""}));
    EXPECT_EQ(rowTexts(g, 2), QStringList({"", "a", "b"}));
    g.RemoveItem(2);
    EXPECT_EQ(errorOf([&] { g.RemoveItem(1); }), VbError::FlexCannotRemoveLastRow);
    g.SetTextMatrix(0, 0, "header");
    g.Clear();
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"", "", ""}));
    EXPECT_EQ(rowTexts(g, 1), QStringList({"", "", ""}));
}

TEST(FlexGrid, FormatStringSetsHeadingsAlignmentAndShape) {
    struct Case {
        QString format;
        qint32 minCols;
        qint32 minRows;
        std::vector<std::tuple<qint32, qint32, QString>> cells;
        std::vector<std::pair<qint32, qint32>> alignments; // column, ColAlignment
    };
    const Case cases[] = {
        {"<Name      |^Code|>Amount",
         3,
         2,
         {{0, 0, "Name"}, {0, 1, "Code"}, {0, 2, "Amount"}},
         {{0, 1}, {1, 4}, {2, 7}}},
        {"|Name|Code|>Amount",
         4,
         2,
         {{0, 0, ""}, {0, 1, "Name"}, {0, 2, "Code"}, {0, 3, "Amount"}},
         {{3, 7}}},
        {"|Jan|Feb;|North|South",
         3,
         3,
         {{0, 0, ""}, {0, 1, "Jan"}, {0, 2, "Feb"}, {1, 0, "North"}, {2, 0, "South"}},
         {}},
        {";Top|Middle|Bottom|Extra", 2, 4, {{0, 0, "Top"}, {3, 0, "Extra"}}, {}},
    };
    for (const Case &c : cases) {
        FlexGrid g;
        g.setFont(smallFont());
        g.SetFormatString(c.format);
        const std::string name = c.format.toStdString();
        EXPECT_EQ(g.FormatString(), c.format) << name;
        EXPECT_EQ(g.Cols(), c.minCols) << name;
        EXPECT_EQ(g.Rows(), c.minRows) << name;
        for (const auto &[r, col, text] : c.cells) {
            EXPECT_EQ(g.TextMatrix(r, col), text) << name << " (" << r << "," << col << ")";
        }
        for (const auto &[col, alignment] : c.alignments) {
            EXPECT_EQ(g.ColAlignment(col), alignment) << name << " column " << col;
            EXPECT_EQ(g.FixedAlignment(col), alignment) << name << " heading " << col;
        }
    }

    // The padded text sets the width; a longer padding gives a wider column.
    FlexGrid g;
    g.setFont(smallFont());
    g.SetFormatString("Name|Name          ");
    EXPECT_GT(g.ColWidth(1), g.ColWidth(0));
    EXPECT_EQ(g.TextMatrix(0, 1), "Name");
    // Fewer segments never remove columns.
    g.SetCols(5);
    g.SetFormatString("A|B");
    EXPECT_EQ(g.Cols(), 5);
}

TEST(FlexGrid, ErrorsCarryTheClassicNumbers) {
    FlexGrid g;
    g.SetRows(3);
    g.SetCols(3);
    struct Case {
        const char *call;
        std::function<void()> run;
        qint32 expected;
    };
    const Case cases[] = {
        {"TextMatrix row", [&] { g.TextMatrix(3, 0); }, 381},
        {"TextMatrix col", [&] { g.SetTextMatrix(0, -1, "x"); }, 381},
        {"TextArray", [&] { g.TextArray(9); }, 381},
        {"TextArray negative", [&] { g.SetTextArray(-1, "x"); }, 381},
        {"ColWidth", [&] { g.ColWidth(3); }, 381},
        {"RowHeight", [&] { g.SetRowHeight(-1, 100); }, 381},
        {"ColAlignment index", [&] { g.ColAlignment(5); }, 381},
        {"RowData", [&] { g.RowData(3); }, 381},
        {"MergeCol", [&] { g.SetMergeCol(3, true); }, 381},
        {"ColPos", [&] { g.ColPos(3); }, 381},
        {"AddItem index", [&] { g.AddItem("x", 4); }, 381},
        {"AddItem into the header", [&] { g.AddItem("x", 0); }, 381},
        {"RemoveItem index", [&] { g.RemoveItem(3); }, 381},
        {"SetColPosition", [&] { g.SetColPosition(0, 3); }, 381},
        {"Row", [&] { g.SetRow(3); }, 30009},
        {"RowSel", [&] { g.SetRowSel(-1); }, 30009},
        {"Col", [&] { g.SetCol(3); }, 30010},
        {"ColSel", [&] { g.SetColSel(7); }, 30010},
        {"ColAlignment value", [&] { g.SetColAlignment(0, 10); }, 380},
        {"ColWidth value", [&] { g.SetColWidth(0, -2); }, 380},
        {"RowHeightMin", [&] { g.SetRowHeightMin(-1); }, 380},
        {"FixedRows over Rows", [&] { g.SetFixedRows(4); }, 380},
        {"FixedCols over Cols", [&] { g.SetFixedCols(4); }, 380},
        {"Rows negative", [&] { g.SetRows(-1); }, 380},
        {"FocusRect", [&] { g.SetFocusRect(3); }, 380},
        {"HighLight", [&] { g.SetHighLight(-1); }, 380},
        {"SelectionMode", [&] { g.SetSelectionMode(3); }, 380},
        {"ScrollBars", [&] { g.SetScrollBars(4); }, 380},
        {"MergeCells", [&] { g.SetMergeCells(5); }, 380},
        {"TextStyle", [&] { g.SetTextStyle(5); }, 380},
        {"GridLines", [&] { g.SetGridLines(4); }, 380},
        {"AllowUserResizing", [&] { g.SetAllowUserResizing(4); }, 380},
        {"BorderStyle", [&] { g.SetBorderStyle(2); }, 380},
        {"Cells overflow a Long", [&] { g.SetRows(1'000'000'000); }, 30000},
        {"ColWidth -1 is allowed", [&] { g.SetColWidth(0, -1); }, 0},
        {"Rows = FixedRows is allowed", [&] { g.SetRows(1); }, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(errorOf(c.run), c.expected) << c.call;
    }
    EXPECT_EQ(VbError(381).Description(), "Subscript out of range");
}

TEST(FlexGrid, MillionRowsFillAndScrollToTheEnd) {
    FlexGrid g;
    g.resize(400, 300);
    g.SetCols(10);
    g.SetRows(1'000'000);
    g.SetTextMatrix(999'999, 9, "last");
    g.SetRow(999'999);
    g.SetCol(9);
    EXPECT_EQ(g.Text(), "last");
    EXPECT_GT(g.TopRow(), 999'900);
    EXPECT_TRUE(g.RowIsVisible(999'999));
    EXPECT_FALSE(g.RowIsVisible(1));
    EXPECT_TRUE(g.RowIsVisible(0)); // the fixed row stays
    g.AddItem("first", 1);
    EXPECT_EQ(g.TextMatrix(1'000'000, 9), "last");
}

TEST(FlexGrid, SizesAndCellRectangleInTwips) {
    FlexGrid g;
    g.setFont(smallFont());
    g.resize(600, 400);
    ASSERT_EQ(g.logicalDpiX(), 96);
    ASSERT_EQ(g.logicalDpiY(), 96);
    EXPECT_EQ(g.RowHeight(0), 240);
    EXPECT_EQ(g.ColWidth(0), 960);

    // The 1-pixel frame counts: a sibling editor at grid.x + CellLeft covers the cell.
    EXPECT_EQ(g.CellLeft(), (1 + 64) * 15);
    EXPECT_EQ(g.CellTop(), (1 + 16) * 15);
    EXPECT_EQ(g.CellWidth(), 63 * 15); // the grid line is not part of the cell
    EXPECT_EQ(g.CellHeight(), 15 * 15);
    g.SetBorderStyle(0);
    EXPECT_EQ(g.CellLeft(), 64 * 15);

    g.SetColWidth(0, 1500);
    g.SetRowHeight(0, 600);
    EXPECT_EQ(g.ColWidth(0), 1500);
    EXPECT_EQ(g.CellLeft(), 1500);
    EXPECT_EQ(g.CellTop(), 600);
    EXPECT_EQ(g.ColPos(1), 1500);
    EXPECT_EQ(g.RowPos(1), 600);
    g.SetColWidth(0, -1);
    EXPECT_EQ(g.ColWidth(0), 960);
    g.SetColWidth(0, 0);
    EXPECT_EQ(g.CellLeft(), 0);
    EXPECT_FALSE(g.ColIsVisible(0));
    g.SetRowHeightMin(450);
    EXPECT_EQ(g.RowHeight(1), 450);
    EXPECT_EQ(g.CellHeight(), 29 * 15);

    g.SetWidth(4500);
    g.SetHeight(3000);
    EXPECT_EQ(g.width(), 300);
    EXPECT_EQ(g.height(), 200);
    EXPECT_EQ(g.Width(), 4500);
}

TEST(FlexGrid, MovingRowsAndColumnsTakesTheirSettings) {
    FlexGrid g;
    g.SetRows(4);
    g.SetCols(4);
    for (qint32 i = 0; i < 4; ++i) {
        g.SetTextMatrix(1, i, QString("c%1").arg(i));
        g.SetTextMatrix(i, 1, QString("r%1").arg(i));
    }
    g.SetColWidth(0, 2000);
    g.SetColAlignment(0, 4);
    g.SetRowData(3, 33);

    g.SetColPosition(0, 3);
    EXPECT_EQ(g.TextMatrix(1, 3), "c0");
    EXPECT_EQ(g.TextMatrix(1, 0), "r1");
    EXPECT_EQ(g.ColWidth(3), 2000);
    EXPECT_EQ(g.ColAlignment(3), 4);

    g.SetRowPosition(3, 1);
    EXPECT_EQ(g.TextMatrix(1, 0), "r3");
    EXPECT_EQ(g.RowData(1), 33);
    EXPECT_EQ(g.TextMatrix(2, 3), "c0");
}

TEST(FlexGrid, ScrollingFollowsTheCurrentCellButNotReadingIt) {
    FlexGrid g;
    g.setFont(smallFont());
    g.SetScrollBars(0);
    g.SetBorderStyle(0);
    g.resize(64 * 3, 16 * 5); // the header row and four data rows
    g.SetRows(50);
    g.SetCols(10);
    QSignalSpy scrolls(&g, &FlexGrid::Scroll);

    g.SetRow(10);
    EXPECT_EQ(g.TopRow(), 7); // row 10 is the last whole row
    EXPECT_EQ(scrolls.count(), 1);
    EXPECT_EQ(g.CellTop(), 4 * 16 * 15);

    g.SetTopRow(30);
    EXPECT_EQ(scrolls.count(), 2);
    const qint32 top = g.CellTop();
    EXPECT_LT(top, 0);
    EXPECT_EQ(g.TopRow(), 30);
    EXPECT_FALSE(g.RowIsVisible(10));

    g.SetTopRow(49); // too far: the last page is the furthest
    EXPECT_EQ(g.TopRow(), 46);
    g.SetCol(9);
    EXPECT_EQ(g.LeftCol(), 8);
    EXPECT_TRUE(g.ColIsVisible(9));
    EXPECT_TRUE(g.ColIsVisible(0));
    EXPECT_FALSE(g.ColIsVisible(1));
}

TEST(FlexGrid, PaintsFixedCellsGridLinesSelectionAndPictures) {
    FlexGrid g;
    g.setFont(smallFont());
    g.resize(400, 200);
    g.SetRows(5);
    g.SetCols(4);
    g.SetBackColor(0xFFFFFF);
    g.SetBackColorFixed(0x00FF00); // green
    g.SetBackColorSel(0xFF0000);   // blue
    g.SetBackColorBkg(0x00FFFF);   // yellow
    g.SetGridColor(0x0000FF);      // red
    g.SetGridLinesFixed(1);
    g.SetGridColorFixed(0x000000);
    g.SetRow(1);
    g.SetCol(1);
    g.SetRowSel(2);
    g.SetColSel(2);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));

    const QImage image = g.viewport()->grab().toImage();
    // Columns are 64 px and rows 16 px wide; each cell's grid line is its last pixel.
    EXPECT_EQ(pixel(image, {10, 8}), QColor(0, 255, 0)) << "fixed corner cell";
    EXPECT_EQ(pixel(image, {70, 8}), QColor(0, 255, 0)) << "fixed heading";
    EXPECT_EQ(pixel(image, {63, 8}), QColor(0, 0, 0)) << "fixed grid line";
    EXPECT_EQ(pixel(image, {140, 40}), QColor(0, 0, 255)) << "selected cell";
    EXPECT_EQ(pixel(image, {80, 24}), QColor(255, 255, 255)) << "current cell keeps its colour";
    EXPECT_EQ(pixel(image, {220, 24}), QColor(255, 255, 255)) << "unselected cell";
    EXPECT_EQ(pixel(image, {255, 24}), QColor(255, 0, 0)) << "grid line at the right";
    EXPECT_EQ(pixel(image, {220, 31}), QColor(255, 0, 0)) << "grid line at the bottom";
    EXPECT_EQ(pixel(image, {300, 24}), QColor(255, 255, 0)) << "past the last column";
    EXPECT_EQ(pixel(image, {100, 150}), QColor(255, 255, 0)) << "below the last row";

    // Selection by row takes whole rows, the current cell included.
    g.SetSelectionMode(1);
    const QImage byRow = g.viewport()->grab().toImage();
    EXPECT_EQ(pixel(byRow, {220, 24}), QColor(0, 0, 255)) << "row 1, last column";
    EXPECT_EQ(pixel(byRow, {80, 24}), QColor(0, 0, 255)) << "current cell";
    EXPECT_EQ(pixel(byRow, {80, 56}), QColor(255, 255, 255)) << "row 3";
    g.SetSelectionMode(0);

    // Highlight 0 shows no selection.
    g.SetHighLight(0);
    EXPECT_EQ(pixel(g.viewport()->grab().toImage(), {140, 40}), QColor(255, 255, 255));

    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::magenta);
    g.SetRow(3);
    g.SetCol(3);
    g.SetCellPicture(QPixmap::fromImage(red));
    EXPECT_FALSE(g.CellPicture().isNull());
    EXPECT_EQ(pixel(g.viewport()->grab().toImage(), {64 * 3 + 2, 16 * 3 + 6}), QColor(255, 0, 255));
}

TEST(FlexGrid, MergedIdenticalNeighboursShareOneCell) {
    FlexGrid g;
    g.setFont(smallFont());
    g.resize(400, 200);
    g.SetRows(4);
    g.SetCols(4);
    g.SetGridColor(0x0000FF); // red lines
    g.SetBackColor(0xFFFFFF);
    g.SetHighLight(0);
    g.SetTextMatrix(1, 1, "same");
    g.SetTextMatrix(1, 2, "same");
    g.SetTextMatrix(2, 1, "one");
    g.SetTextMatrix(2, 2, "two");
    g.SetTextMatrix(3, 1, "");
    g.SetTextMatrix(3, 2, "");
    g.SetMergeRow(1, true);
    g.SetMergeRow(2, true);
    g.SetMergeRow(3, true);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));

    const QPoint lineInRow1(127, 16 + 2);
    const QPoint lineInRow2(127, 32 + 2);
    const QPoint lineInRow3(127, 48 + 2);
    const QColor red(255, 0, 0);
    QImage image = g.viewport()->grab().toImage();
    EXPECT_EQ(pixel(image, lineInRow1), red) << "no merging while MergeCells is 0";

    g.SetMergeCells(1);
    image = g.viewport()->grab().toImage();
    EXPECT_NE(pixel(image, lineInRow1), red) << "identical texts merge";
    EXPECT_EQ(pixel(image, lineInRow2), red) << "different texts stay apart";
    EXPECT_EQ(pixel(image, lineInRow3), red) << "empty cells stay apart";
    EXPECT_EQ(g.TextMatrix(1, 2), "same");

    g.SetMergeRow(1, false);
    EXPECT_EQ(pixel(g.viewport()->grab().toImage(), lineInRow1), red);
    EXPECT_FALSE(g.MergeRow(1));
}

TEST(FlexGrid, RedrawFalseSuspendsPainting) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    FlexGrid g;
    g.resize(300, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.viewport()->installEventFilter(&counter);

    g.SetRedraw(false);
    g.SetTextMatrix(1, 1, "hidden change");
    g.SetRows(30);
    QTest::qWait(50);
    EXPECT_EQ(counter.paints, 0);

    g.SetRedraw(true);
    QTest::qWait(50);
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(g.TextMatrix(1, 1), "hidden change");
}

namespace {

// Dark pixels ("ink") of one row band of the viewport, between x0 and x1.
std::vector<int> inkColumns(const QImage &image, int x0, int x1, int y0, int y1) {
    std::vector<int> xs;
    for (int x = x0; x < x1; ++x) {
        for (int y = y0; y < y1; ++y) {
            if (image.pixelColor(x, y).lightness() < 128) {
                xs.push_back(x);
                break;
            }
        }
    }
    return xs;
}

} // namespace

TEST(FlexGrid, TextSitsWhereItsAlignmentSays) {
    struct Case {
        qint32 alignment;
        QString text;
        int third; // 0 left, 1 middle, 2 right of a 300-pixel cell
    };
    const Case cases[] = {
        {9, "12345", 2},     {9, "1.234,5", 2}, {9, "-7.5", 2}, {9, "abc", 0},
        {9, "12 apples", 0}, {0, "12345", 0},   {4, "abc", 1},  {7, "abc", 2},
        {1, "999", 0},       {9, ".5", 2},      {9, "+3", 2},   {9, "x12", 0},
    };
    FlexGrid g;
    g.setFont(smallFont());
    g.resize(500, 100);
    g.SetColWidth(1, 300 * 15);
    g.SetHighLight(0);
    g.SetFocusRect(0);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    for (const Case &c : cases) {
        g.SetColAlignment(1, c.alignment);
        g.SetTextMatrix(1, 1, c.text);
        const std::vector<int> ink = inkColumns(g.viewport()->grab().toImage(), 64, 363, 17, 31);
        ASSERT_FALSE(ink.empty()) << c.text.toStdString();
        const int middle = (ink.front() + ink.back()) / 2;
        EXPECT_EQ((middle - 64) / 100, c.third) << c.alignment << " " << c.text.toStdString();
    }
}

TEST(FlexGrid, FocusRectangleShowsOnTheCurrentCellWhileFocused) {
    struct Case {
        qint32 focusRect;
        bool focused;
        bool expectInk;
    };
    const Case cases[] = {{1, true, true}, {2, true, true}, {0, true, false}, {1, false, false}};
    QWidget form;
    auto *g = new FlexGrid(&form);
    auto *other = new FlexGrid(&form);
    other->move(0, 150);
    g->setFont(smallFont());
    g->resize(300, 100);
    g->SetHighLight(0);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (const Case &c : cases) {
        g->SetFocusRect(c.focusRect);
        QWidget *focused = c.focused ? static_cast<QWidget *>(g) : other;
        focused->setFocus();
        QTRY_ASSERT_TRUE(focused->hasFocus());
        // The top edge of the current cell (1,1), inside its grid lines.
        const QImage image = g->viewport()->grab().toImage();
        const size_t ink = inkColumns(image, 66, 124, 16, 18).size();
        EXPECT_EQ(ink > 10, c.expectInk)
            << "FocusRect " << c.focusRect << " focused " << c.focused << ": " << ink;
    }
}
