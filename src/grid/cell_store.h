#pragma once

#include <QLatin1StringView>
#include <QPixmap>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace Vantrel3 {

// Room for texts widened from their one-byte form while they are read: the views handed out stay
// valid until clear() or the scratch's end.
class TextScratch {
public:
    char16_t *allocate(qsizetype units);
    void clear();

private:
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    qsizetype m_used = 0;     // units taken from the last block
    qsizetype m_capacity = 0; // units in the last block
};

class TextBlocks;

// The texts and per-row settings of a grid, kept compactly: one 16-byte record per row, and the
// row's cells packed in a single length-prefixed buffer (none for a row of empty cells), one byte
// per character when every character of the row fits in Latin-1, UTF-16 otherwise. Rows filled in
// bulk (packRowTexts) have no buffer of their own: their texts lie in large shared blocks, which a
// second store can refer to (shareRowTexts) until either store changes the row. Inserting or
// removing a row moves records only, never the texts. No widget here.
class CellStore {
public:
    CellStore() = default;
    ~CellStore();
    CellStore(const CellStore &) = delete;
    CellStore &operator=(const CellStore &) = delete;

    qint32 rowCount() const { return qint32(m_rows.size()); }
    qint32 colCount() const { return m_cols; }

    // New rows and columns are empty; dropped ones lose their texts and settings.
    void setRowCount(qint32 rows);
    void setColCount(qint32 cols);

    // The view stays valid until the row is next changed or view() is called again.
    QStringView view(qint32 row, qint32 col) const;
    QString text(qint32 row, qint32 col) const;
    // The texts of several cells of one row in one pass; cols must ascend. Texts kept in one
    // byte per character are widened into `scratch`; the views stay valid until the row is next
    // changed and the scratch is cleared.
    void views(qint32 row, const qint32 *cols, size_t count, QStringView *out,
               TextScratch &scratch) const;
    // The same with a scratch of the store's own, valid until the next call.
    void views(qint32 row, const qint32 *cols, size_t count, QStringView *out) const;
    void setText(qint32 row, qint32 col, QStringView text);
    // Replaces the whole row; texts beyond colCount() are ignored, missing ones are empty.
    void setRowTexts(qint32 row, const QList<QStringView> &texts);
    // The same for a bulk fill: the texts go into the shared blocks, with no allocation of the
    // row's own.
    void packRowTexts(qint32 row, const QStringView *texts, qint32 count);
    void packRowTexts(qint32 row, const QLatin1StringView *texts, qint32 count);
    // Row `row` takes the texts of `from`'s row `fromRow`: the same bytes when they are packed,
    // shared until either store changes its row, a copy otherwise.
    void shareRowTexts(qint32 row, const CellStore &from, qint32 fromRow, qint32 count = 1);
    // Gives back the spare room that growing the rows one by one left.
    void squeeze();
    // Room for `rows` row records, taken at once rather than by doubling as rows are added.
    void reserveRows(qint32 rows) { m_rows.reserve(size_t(std::max(rows, 0))); }
    bool rowIsEmpty(qint32 row) const { return !m_rows[size_t(row)].cells; }

    void insertRow(qint32 at);
    void removeRow(qint32 at);
    void moveRow(qint32 from, qint32 to);
    void moveCol(qint32 from, qint32 to);
    // Empties every cell's text and picture; the shape and the row settings stay.
    void clearCells();

    // Row height in twips, -1 for the default.
    qint32 rowHeight(qint32 row) const {
        const qint32 e = m_rows[size_t(row)].extras;
        return e < 0 ? -1 : m_extras[size_t(e)].height;
    }
    void setRowHeight(qint32 row, qint32 twips);
    // How many rows have a height of their own; 0 lets geometry treat rows as uniform.
    qint32 customHeightCount() const { return m_customHeights; }
    // Changes whenever a row's height or the rows' order or count may have changed.
    quint64 heightsVersion() const { return m_heightsVersion; }

    qint32 rowData(qint32 row) const { return m_rows[size_t(row)].data; }
    void setRowData(qint32 row, qint32 value) { m_rows[size_t(row)].data = value; }
    bool rowMerge(qint32 row) const;
    void setRowMerge(qint32 row, bool merge);

    QPixmap picture(qint32 row, qint32 col) const;
    void setPicture(qint32 row, qint32 col, const QPixmap &picture);
    bool rowHasPictures(qint32 row) const;

    // Bytes held by the texts, shared ones included, for diagnostics and benchmarks.
    qint64 textBytes() const;
    // How many rows refer to packed texts rather than a buffer of their own.
    qint32 packedRowCount() const { return m_packedRows; }

private:
    using Byte = unsigned char;

    // Rarely used settings, kept apart for the rows that have them.
    struct Extras {
        qint32 height = -1;
        bool merge = false;
        std::vector<QPixmap> pictures;
    };

    // Plain data, so that inserting, removing and growing move rows with memmove.
    struct Row {
        Byte *cells = nullptr; // [header: 4 bytes][cell 0: length, text][cell 1] ...
        qint32 data = 0;
        qint32 extras = -1; // index into m_extras
    };

    template <typename Unit>
    void splice(qint32 row, qint32 col, QStringView text);
    Byte *encode(const QStringView *texts, qint32 count, bool packed);
    Byte *packLatin1(const QLatin1StringView *texts, qint32 count);
    Byte *packedRoom(qint64 bytes);
    QStringList decode(const Byte *cells) const;
    // Frees or lets go of the row's texts.
    void release(Row &row);
    // A packed row gets a buffer of its own, before it is changed.
    void own(Row &row);
    Extras &extras(qint32 row);
    void dropEmptyExtras(Row &row);
    // Gives the open row's spare room back; every change of shape closes it first.
    void closeOpenRow();

    std::vector<Row> m_rows;
    std::vector<Extras> m_extras;
    std::vector<qint32> m_freeExtras;
    // The blocks this store's packed rows lie in; dropped when no row refers to them any more.
    std::vector<std::shared_ptr<TextBlocks>> m_blocks;
    std::shared_ptr<TextBlocks> m_packing; // where packRowTexts writes
    qint32 m_packedRows = 0;
    // The row being written keeps spare room, so that filling it cell by cell does not
    // reallocate its buffer for every cell; every other buffer is exactly its size.
    qint32 m_openRow = -1;
    qint64 m_openCapacity = 0; // in bytes
    qint32 m_cols = 0;
    qint32 m_customHeights = 0;
    quint64 m_heightsVersion = 0;
    mutable TextScratch m_viewScratch;
    mutable TextScratch m_viewsScratch;
};

} // namespace Vantrel3
