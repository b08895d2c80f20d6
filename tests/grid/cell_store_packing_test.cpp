// The cell store's compact forms: one byte per character for rows that fit in Latin-1, rows
// packed in shared blocks by a bulk fill, and a second store sharing those rows until either
// store writes one.

#include "grid/cell_store.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using Vantrel3::CellStore;
using Vantrel3::TextScratch;

namespace {

QStringList rowTexts(const CellStore &store, qint32 row) {
    QStringList texts;
    for (qint32 c = 0; c < store.colCount(); ++c) {
        texts << store.text(row, c);
    }
    return texts;
}

// The same texts read through view() and through one pass of views().
QStringList rowViews(const CellStore &store, qint32 row) {
    std::vector<qint32> cols(size_t(store.colCount()));
    for (qint32 c = 0; c < store.colCount(); ++c) {
        cols[size_t(c)] = c;
    }
    TextScratch scratch;
    std::vector<QStringView> out(cols.size());
    store.views(row, cols.data(), cols.size(), out.data(), scratch);
    QStringList texts;
    for (qint32 c = 0; c < store.colCount(); ++c) {
        EXPECT_EQ(store.view(row, c), out[size_t(c)]) << row << "," << c;
        texts << out[size_t(c)].toString();
    }
    return texts;
}

void pack(CellStore &store, qint32 row, const QStringList &texts) {
    const QList<QStringView> views(texts.cbegin(), texts.cend());
    store.packRowTexts(row, views.data(), qint32(views.size()));
}

// Texts of every kind a row may hold: Latin-1 letters, characters beyond it (one of them outside
// the 16-bit plane), and lengths at the edges of the one-unit length.
QStringList sampleRow(int r) {
    const QString edge127(127, QChar(u'a'));
    const QString edge128(128, QChar(u'b'));
    const QString long32k(0x8000, QChar(u'c'));
    switch (r % 6) {
    case 0:
        return {QString::number(r), QStringLiteral("Città"), QStringLiteral("perché")};
    case 1:
        return {QString::number(r), QStringLiteral("€ 5"), QStringLiteral("\U0001F600")};
    case 2:
        return {QString(), QString(), QString()}; // no buffer at all
    case 3:
        return {edge127, edge128, QString()};
    case 4:
        return {long32k, QStringLiteral("ÿ"), QStringLiteral("x")};
    default:
        return {QString(), QStringLiteral("日本"), QString()};
    }
}

} // namespace

TEST(CellStorePacking, TextsOfEveryKindReadBackAndARowChangesFormWhenItMust) {
    CellStore s;
    s.setColCount(3);
    s.setRowCount(6);
    for (qint32 r = 0; r < 6; ++r) {
        const QStringList texts = sampleRow(r);
        for (qint32 c = 0; c < 3; ++c) {
            s.setText(r, c, texts[c]);
        }
    }
    for (qint32 r = 0; r < 6; ++r) {
        EXPECT_EQ(rowTexts(s, r), sampleRow(r)) << r;
        EXPECT_EQ(rowViews(s, r), sampleRow(r)) << r;
    }
    // A one-byte row takes a character beyond Latin-1 and keeps its other cells; an emptied cell
    // and a short text written over a long one read back too.
    const struct Write {
        qint32 row;
        qint32 col;
        QString text;
        QStringList after;
    } writes[] = {
        {0, 1, QStringLiteral("Città €"), {"0", "Città €", "perché"}},
        {0, 2, QString(), {"0", "Città €", ""}},
        {3, 0, QStringLiteral("z"), {"z", QString(128, QChar(u'b')), ""}},
        {4, 0, QStringLiteral("\U0001F600"), {"\U0001F600", "ÿ", "x"}},
        {2, 2, QStringLiteral("last"), {"", "", "last"}},
    };
    for (const Write &w : writes) {
        s.setText(w.row, w.col, w.text);
        EXPECT_EQ(rowTexts(s, w.row), w.after) << w.row;
        EXPECT_EQ(rowViews(s, w.row), w.after) << w.row;
    }
    EXPECT_EQ(rowTexts(s, 1), sampleRow(1));
}

TEST(CellStorePacking, OneByteRowsTakeHalfTheRoomOfUtf16Ones) {
    CellStore s;
    s.setColCount(2);
    s.setRowCount(2);
    s.setText(0, 0, u"abcdef");
    s.setText(1, 0, u"abcde\u20ac");
    // Header, the length, the text: in bytes, then in UTF-16 units.
    EXPECT_EQ(s.textBytes(), (4 + 1 + 6) + (4 + (1 + 6) * 2));
}

TEST(CellStorePacking, PackedRowsReadBackAndAWrittenRowLeavesTheBlock) {
    CellStore s;
    s.setColCount(3);
    s.setRowCount(600);
    for (qint32 r = 0; r < 600; ++r) {
        pack(s, r, sampleRow(r));
    }
    EXPECT_EQ(s.packedRowCount(), 500); // every sixth row has no text at all
    for (qint32 r = 0; r < 600; ++r) {
        ASSERT_EQ(rowViews(s, r), sampleRow(r)) << r;
    }
    s.setText(6, 1, u"Città nuova");
    EXPECT_EQ(rowTexts(s, 6), (QStringList{"6", "Città nuova", "perché"}));
    EXPECT_EQ(s.packedRowCount(), 499);
    for (qint32 r : {5, 7, 12}) {
        EXPECT_EQ(rowTexts(s, r), sampleRow(r)) << r;
    }
    // Row operations move packed rows like any other.
    s.insertRow(0);
    s.removeRow(2);
    s.moveRow(10, 3);
    EXPECT_EQ(rowTexts(s, 1), sampleRow(0));
    EXPECT_EQ(rowTexts(s, 2), sampleRow(2));
    EXPECT_EQ(rowTexts(s, 3), sampleRow(10));
    s.moveCol(0, 2);
    EXPECT_EQ(rowTexts(s, 1), (QStringList{"Città", "perché", "0"}));
    s.setColCount(1);
    EXPECT_EQ(rowTexts(s, 1), QStringList{"Città"});
    s.clearCells();
    EXPECT_EQ(s.packedRowCount(), 0);
    EXPECT_EQ(s.textBytes(), 0);
}

TEST(CellStorePacking, ATwinStoreSharesPackedRowsUntilEitherWritesOne) {
    auto shown = std::make_unique<CellStore>();
    CellStore raw;
    for (CellStore *s : {shown.get(), &raw}) {
        s->setColCount(3);
        s->setRowCount(300);
    }
    for (qint32 r = 0; r < 300; ++r) {
        pack(*shown, r, sampleRow(r));
        raw.shareRowTexts(r, *shown, r);
    }
    EXPECT_EQ(raw.packedRowCount(), shown->packedRowCount());
    for (qint32 r = 0; r < 300; ++r) {
        ASSERT_EQ(rowTexts(raw, r), sampleRow(r)) << r;
    }

    shown->setText(0, 1, u"shown only");
    raw.setText(1, 2, u"raw only");
    EXPECT_EQ(rowTexts(*shown, 0), (QStringList{"0", "shown only", "perché"}));
    EXPECT_EQ(rowTexts(raw, 0), sampleRow(0));
    EXPECT_EQ(rowTexts(*shown, 1), sampleRow(1));
    EXPECT_EQ(rowTexts(raw, 1), (QStringList{"1", "€ 5", "raw only"}));

    // The texts outlive the store that packed them, as long as the twin refers to them.
    shown.reset();
    for (qint32 r = 2; r < 300; ++r) {
        ASSERT_EQ(rowViews(raw, r), sampleRow(r)) << r;
    }
    raw.setRowCount(0);
    EXPECT_EQ(raw.packedRowCount(), 0);
}

TEST(CellStorePacking, SharingARowOfItsOwnCopiesIt) {
    CellStore a;
    CellStore b;
    for (CellStore *s : {&a, &b}) {
        s->setColCount(2);
        s->setRowCount(2);
    }
    a.setText(0, 0, u"Anna");
    a.setText(0, 1, u"Roma");
    b.shareRowTexts(1, a, 0);
    a.setText(0, 1, u"Milano");
    EXPECT_EQ(rowTexts(b, 1), (QStringList{"Anna", "Roma"}));
    EXPECT_EQ(b.packedRowCount(), 0);
    // An empty row shared empties the row.
    b.shareRowTexts(1, a, 1);
    EXPECT_EQ(rowTexts(b, 1), (QStringList{"", ""}));
    EXPECT_TRUE(b.rowIsEmpty(1));
}

TEST(CellStorePacking, RowSettingsStayWithTheirRowsWhateverTheTexts) {
    CellStore s;
    s.setColCount(2);
    s.setRowCount(4);
    pack(s, 1, {"uno", "due"});
    s.setRowHeight(1, 300);
    s.setRowData(1, 42);
    s.setRowMerge(2, true);
    s.insertRow(0);
    EXPECT_EQ(s.rowHeight(2), 300);
    EXPECT_EQ(s.rowData(2), 42);
    EXPECT_TRUE(s.rowMerge(3));
    EXPECT_EQ(s.customHeightCount(), 1);
    s.setRowHeight(2, -1);
    s.setRowMerge(3, false);
    EXPECT_EQ(s.customHeightCount(), 0);
    EXPECT_EQ(s.rowHeight(2), -1);
    EXPECT_FALSE(s.rowMerge(3));
    // A row whose settings were given back takes new ones of its own.
    s.setRowHeight(4, 150);
    EXPECT_EQ(s.rowHeight(4), 150);
    EXPECT_EQ(s.rowHeight(2), -1);
    EXPECT_EQ(rowTexts(s, 2), (QStringList{"uno", "due"}));
}
