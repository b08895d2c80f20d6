// Blocks of cells as spreadsheets put them on the clipboard, both ways.

#include "control/cell_block.h"

#include <gtest/gtest.h>

using namespace Vantrel3;

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

QList<QStringList> rows(std::initializer_list<QStringList> r) {
    return QList<QStringList>(r);
}

} // namespace

TEST(CellBlockTest, ParsesSpreadsheetTextWithItsLineEndsAndQuotes) {
    struct Case {
        QString text;
        QList<QStringList> rows;
    };
    const Case cases[] = {
        {QString(), {}},
        {QStringLiteral("a"), rows({{"a"}})},
        {QStringLiteral("a\tb\n"), rows({{"a", "b"}})},
        {QStringLiteral("a\tb\r\nc\td\r\n"), rows({{"a", "b"}, {"c", "d"}})},
        // An empty cell at the end of a row is a cell; an empty line is a row of one empty cell.
        {QStringLiteral("a\t\n\nb"), rows({{"a", ""}, {""}, {"b"}})},
        // Quotes hold tabs, line breaks and doubled quotes; a quote inside a cell is plain.
        {QStringLiteral("\"x\ty\"\t\"1\n2\"\n\"\"\"q\"\"\"\t5\"\n"),
         rows({{"x\ty", "1\n2"}, {"\"q\"", "5\""}})},
        {QStringLiteral("\"\"\tz"), rows({{"", "z"}})},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CellBlock::parse(c.text), c.rows) << c.text.toStdString();
    }
}

TEST(CellBlockTest, WritesWhatItReadsBackAndAnEscapedHtmlTable) {
    const QList<QStringList> block =
        rows({{"Roma", "1.250,50", ""}, {"a\tb", "riga\ndue", "\"citato\""}});
    const QString tsv = CellBlock::toTabSeparated(block);
    EXPECT_EQ(tsv,
              QStringLiteral("Roma\t1.250,50\t\n\"a\tb\"\t\"riga\ndue\"\t\"\"\"citato\"\"\"\n"));
    EXPECT_EQ(CellBlock::parse(tsv), block);
    EXPECT_EQ(CellBlock::toHtml(rows({{"<b>", "x & y"}})),
              QStringLiteral("<table><tr><td>&lt;b&gt;</td><td>x &amp; y</td></tr></table>"));
}

TEST(CellBlockTest, OnlyMoreThanOneCellIsABlock) {
    EXPECT_FALSE(CellBlock::isBlock(QStringLiteral("12,5")));
    EXPECT_FALSE(CellBlock::isBlock(QStringLiteral("12,5\n")));
    EXPECT_FALSE(CellBlock::isBlock(QStringLiteral("\"a\tb\"")));
    EXPECT_TRUE(CellBlock::isBlock(QStringLiteral("a\tb")));
    EXPECT_TRUE(CellBlock::isBlock(QStringLiteral("a\nb")));
}
