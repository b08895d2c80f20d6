#include "grid/cell_store.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

using Vantrel3::CellStore;

namespace {

QStringList rowTexts(const CellStore &store, qint32 row) {
    QStringList texts;
    for (qint32 c = 0; c < store.colCount(); ++c) {
        texts << store.text(row, c);
    }
    return texts;
}

QPixmap solidPixmap(Qt::GlobalColor color) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(color);
    return QPixmap::fromImage(image);
}

} // namespace

TEST(CellStore, WritesReadBackInAnyOrder) {
    const QString longText(40000, QChar(u'x')); // needs the two-unit length
    const QString veryLong(70000, QChar(u'y')); // longer than 16 bits
    struct Write {
        qint32 col;
        QString text;
    };
    struct Case {
        const char *name;
        std::vector<Write> writes;
        QStringList expected; // 4 columns
    };
    const Case cases[] = {
        {"single cell in the middle", {{2, "b"}}, {"", "", "b", ""}},
        {"left to right", {{0, "a"}, {1, "bb"}, {2, "ccc"}, {3, "d"}}, {"a", "bb", "ccc", "d"}},
        {"right to left", {{3, "d"}, {2, "c"}, {0, "a"}}, {"a", "", "c", "d"}},
        {"overwrite longer then shorter", {{1, "x"}, {1, "xxxxxx"}, {1, "y"}}, {"", "y", "", ""}},
        {"empty string clears", {{0, "a"}, {1, "b"}, {0, ""}}, {"", "b", "", ""}},
        {"unicode", {{0, "àèìòù"}, {1, "😀 e\u0301"}, {2, "€"}}, {"àèìòù", "😀 e\u0301", "€", ""}},
        {"long texts next to short ones",
         {{0, "a"}, {1, longText}, {2, "c"}, {3, veryLong}},
         {"a", longText, "c", veryLong}},
        {"long text replaced by a short one",
         {{1, veryLong}, {2, "z"}, {1, "s"}},
         {"", "s", "z", ""}},
    };
    for (const Case &c : cases) {
        CellStore store;
        store.setColCount(4);
        store.setRowCount(3);
        for (const Write &w : c.writes) {
            store.setText(1, w.col, w.text);
        }
        EXPECT_EQ(rowTexts(store, 1), c.expected) << c.name;
        EXPECT_EQ(rowTexts(store, 0), QStringList(4, QString())) << c.name << ": row above";
        EXPECT_EQ(rowTexts(store, 2), QStringList(4, QString())) << c.name << ": row below";
    }
}

TEST(CellStore, RowOfEmptyCellsHoldsNoBuffer) {
    CellStore store;
    store.setColCount(3);
    store.setRowCount(1);
    EXPECT_TRUE(store.rowIsEmpty(0));
    store.setText(0, 2, u"x");
    store.setText(0, 0, u"y");
    EXPECT_FALSE(store.rowIsEmpty(0));
    store.setText(0, 2, u"");
    EXPECT_FALSE(store.rowIsEmpty(0));
    store.setText(0, 0, u"");
    EXPECT_TRUE(store.rowIsEmpty(0));
    EXPECT_EQ(store.textBytes(), 0);
}

TEST(CellStore, InsertedAndRemovedRowsCarryTheirSettings) {
    CellStore store;
    store.setColCount(2);
    store.setRowCount(3);
    for (qint32 r = 0; r < 3; ++r) {
        store.setText(r, 0, QString("r%1").arg(r));
        store.setRowData(r, 100 + r);
    }
    store.setRowHeight(2, 500);

    store.insertRow(1);
    EXPECT_EQ(store.rowCount(), 4);
    EXPECT_EQ(store.text(0, 0), "r0");
    EXPECT_EQ(store.text(1, 0), "");
    EXPECT_EQ(store.rowData(1), 0);
    EXPECT_EQ(store.rowHeight(1), -1);
    EXPECT_EQ(store.text(2, 0), "r1");
    EXPECT_EQ(store.text(3, 0), "r2");
    EXPECT_EQ(store.rowHeight(3), 500);
    EXPECT_EQ(store.rowData(3), 102);

    store.removeRow(3);
    EXPECT_EQ(store.rowCount(), 3);
    EXPECT_EQ(store.customHeightCount(), 0);
    store.removeRow(0);
    EXPECT_EQ(rowTexts(store, 0), QStringList({"", ""}));
    EXPECT_EQ(rowTexts(store, 1), QStringList({"r1", ""}));
}

TEST(CellStore, ShrinkingDropsTextsAndGrowingGivesEmptyCells) {
    CellStore store;
    store.setColCount(3);
    store.setRowCount(3);
    for (qint32 r = 0; r < 3; ++r) {
        for (qint32 c = 0; c < 3; ++c) {
            store.setText(r, c, QString("%1%2").arg(r).arg(c));
        }
    }
    store.setRowHeight(2, 300);
    EXPECT_EQ(store.customHeightCount(), 1);

    store.setColCount(2);
    store.setRowCount(2);
    EXPECT_EQ(store.customHeightCount(), 0);
    store.setColCount(3);
    store.setRowCount(3);
    EXPECT_EQ(rowTexts(store, 0), QStringList({"00", "01", ""}));
    EXPECT_EQ(rowTexts(store, 1), QStringList({"10", "11", ""}));
    EXPECT_EQ(rowTexts(store, 2), QStringList({"", "", ""}));
    EXPECT_EQ(store.rowHeight(2), -1);
}

TEST(CellStore, RowTextsTakeOnlyTheColumnsThereAre) {
    struct Case {
        QList<QStringView> pieces;
        QStringList expected;
    };
    const Case cases[] = {
        {{u"a", u"b", u"c", u"d"}, {"a", "b", "c"}},
        {{u"a"}, {"a", "", ""}},
        {{u"", u"b", u""}, {"", "b", ""}},
        {{}, {"", "", ""}},
    };
    for (const Case &c : cases) {
        CellStore store;
        store.setColCount(3);
        store.setRowCount(1);
        store.setText(0, 2, u"old");
        store.setRowTexts(0, c.pieces);
        EXPECT_EQ(rowTexts(store, 0), c.expected);
    }
}

TEST(CellStore, MovesRowsAndColumns) {
    struct Case {
        bool rows;
        qint32 from;
        qint32 to;
        QStringList expected; // the texts of row 0 (column moves) or column 0 (row moves)
    };
    const Case cases[] = {
        {false, 0, 2, {"b", "c", "a", "d"}}, {false, 3, 0, {"d", "a", "b", "c"}},
        {false, 1, 1, {"a", "b", "c", "d"}}, {true, 0, 3, {"b", "c", "d", "a"}},
        {true, 2, 1, {"a", "c", "b", "d"}},
    };
    for (const Case &c : cases) {
        CellStore store;
        store.setColCount(4);
        store.setRowCount(4);
        const QStringList letters{"a", "b", "c", "d"};
        for (qint32 i = 0; i < 4; ++i) {
            store.setText(0, i, letters[i]);
            store.setText(i, 0, letters[i]);
        }
        QStringList actual;
        if (c.rows) {
            store.moveRow(c.from, c.to);
            for (qint32 r = 0; r < 4; ++r) {
                actual << store.text(r, 0);
            }
        } else {
            store.moveCol(c.from, c.to);
            actual = rowTexts(store, 0);
        }
        EXPECT_EQ(actual, c.expected) << (c.rows ? "row " : "col ") << c.from << "->" << c.to;
    }
}

TEST(CellStore, PicturesFollowTheirCellsAndClearRemovesThem) {
    CellStore store;
    store.setColCount(3);
    store.setRowCount(3);
    store.setPicture(1, 2, solidPixmap(Qt::red));
    store.setText(1, 2, u"pic");
    store.setRowHeight(1, 400);
    store.setRowData(1, 7);
    store.setRowMerge(1, true);

    store.insertRow(0);
    EXPECT_FALSE(store.picture(2, 2).isNull());
    EXPECT_TRUE(store.picture(1, 2).isNull());
    store.moveCol(2, 0);
    EXPECT_FALSE(store.picture(2, 0).isNull());
    EXPECT_EQ(store.text(2, 0), "pic");
    EXPECT_TRUE(store.rowMerge(2));

    store.clearCells();
    EXPECT_TRUE(store.picture(2, 0).isNull());
    EXPECT_FALSE(store.rowHasPictures(2));
    EXPECT_EQ(store.text(2, 0), "");
    // Row settings are not cell contents.
    EXPECT_EQ(store.rowHeight(2), 400);
    EXPECT_EQ(store.rowData(2), 7);
    EXPECT_TRUE(store.rowMerge(2));
}

TEST(CellStore, MillionRowsAreCheapUntilFilled) {
    CellStore store;
    store.setColCount(10);
    store.setRowCount(1'000'000);
    EXPECT_EQ(store.textBytes(), 0);
    store.setText(999'999, 9, u"last");
    store.insertRow(0);
    EXPECT_EQ(store.text(1'000'000, 9), "last");
    // One buffer for the one non-empty row, one byte per character: a 4-byte header, nine empty
    // cells, the length and 4 characters.
    EXPECT_EQ(store.textBytes(), qint64(4 + 9 + 1 + 4));
}

TEST(CellStore, ViewsOfSeveralColumnsReadOneRowInOnePass) {
    CellStore s;
    s.setColCount(6);
    s.setRowCount(3);
    s.setText(1, 0, u"a");
    s.setText(1, 2, u"ccc");
    s.setText(1, 3, u"");
    s.setText(1, 4, u"e");
    struct Case {
        qint32 row;
        std::vector<qint32> cols;
        QStringList expected;
    };
    const Case cases[] = {
        {1, {0, 1, 2, 3, 4, 5}, {"a", "", "ccc", "", "e", ""}},
        {1, {2, 4}, {"ccc", "e"}},
        {1, {0, 5}, {"a", ""}}, // past the last text stored
        {2, {0, 3}, {"", ""}},  // a row without texts
    };
    for (const Case &c : cases) {
        std::vector<QStringView> out(c.cols.size(), QStringView(u"stale"));
        s.views(c.row, c.cols.data(), c.cols.size(), out.data());
        QStringList got;
        for (QStringView v : out) {
            got << v.toString();
        }
        EXPECT_EQ(got, c.expected) << c.row << " " << c.cols.size();
        for (size_t k = 0; k < c.cols.size(); ++k) {
            EXPECT_EQ(out[k], s.view(c.row, c.cols[k])) << k;
        }
    }
}

TEST(CellStore, FillingRowsCellByCellSurvivesReshapingMidway) {
    // The row being filled keeps spare room; every reshaping in between must leave texts whole.
    struct Step {
        const char *name;
        std::function<void(CellStore &)> reshape;
        qint32 rowAfter; // where the half-filled row 1 is afterwards
    };
    const Step steps[] = {
        {"nothing", [](CellStore &) {}, 1},
        {"a row inserted above", [](CellStore &s) { s.insertRow(0); }, 2},
        {"the row moved down", [](CellStore &s) { s.moveRow(1, 3); }, 3},
        {"a row removed above", [](CellStore &s) { s.removeRow(0); }, 0},
        {"more rows", [](CellStore &s) { s.setRowCount(9); }, 1},
        {"more columns", [](CellStore &s) { s.setColCount(7); }, 1},
        {"a column moved", [](CellStore &s) { s.moveCol(5, 4); }, 1},
        {"another row written", [](CellStore &s) { s.setText(2, 0, u"other"); }, 1},
    };
    for (const Step &step : steps) {
        CellStore s;
        s.setColCount(6);
        s.setRowCount(4);
        for (qint32 c = 0; c < 3; ++c) {
            s.setText(1, c, QString("cell %1").arg(c));
        }
        step.reshape(s);
        const qint32 r = step.rowAfter;
        s.setText(r, 3, u"three");
        s.setText(r, 1, u"a much longer text than before");
        s.setText(r, 0, u"");
        s.setText(r, 2, u"2");
        QStringList expected = {"", "a much longer text than before", "2", "three", "", ""};
        if (s.colCount() > 6) {
            expected << "";
        }
        EXPECT_EQ(rowTexts(s, r), expected) << step.name;
        // Emptying every cell gives the buffer up, and the row fills again from nothing.
        for (qint32 c = 0; c < s.colCount(); ++c) {
            s.setText(r, c, u"");
        }
        EXPECT_TRUE(s.rowIsEmpty(r)) << step.name;
        s.setText(r, 4, u"again");
        EXPECT_EQ(s.text(r, 4), "again") << step.name;
    }
}
