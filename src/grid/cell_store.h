#pragma once

#include <QPixmap>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <cstdlib>
#include <memory>
#include <vector>

namespace Vantrel3 {

// The texts and per-row settings of a grid, kept compactly: one small record per row, and the
// row's cells packed in a single length-prefixed UTF-16 buffer (none for a row of empty cells).
// Inserting or removing a row moves records only, never the texts. No widget here.
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

    // The view stays valid until the row is next changed.
    QStringView view(qint32 row, qint32 col) const;
    QString text(qint32 row, qint32 col) const { return view(row, col).toString(); }
    // The texts of several cells of one row in one pass; cols must ascend.
    void views(qint32 row, const qint32 *cols, size_t count, QStringView *out) const;
    void setText(qint32 row, qint32 col, QStringView text);
    // Replaces the whole row; texts beyond colCount() are ignored, missing ones are empty.
    void setRowTexts(qint32 row, const QList<QStringView> &texts);
    bool rowIsEmpty(qint32 row) const { return !m_rows[size_t(row)].cells; }

    void insertRow(qint32 at);
    void removeRow(qint32 at);
    void moveRow(qint32 from, qint32 to);
    void moveCol(qint32 from, qint32 to);
    // Empties every cell's text and picture; the shape and the row settings stay.
    void clearCells();

    // Row height in twips, -1 for the default.
    qint32 rowHeight(qint32 row) const { return m_rows[size_t(row)].height; }
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

    // Bytes held by the texts, for diagnostics and benchmarks.
    qint64 textBytes() const;

private:
    struct FreeDeleter {
        void operator()(char16_t *p) const { std::free(p); }
    };
    using Buffer = std::unique_ptr<char16_t[], FreeDeleter>;

    // Rarely used settings, allocated only for the rows that have them.
    struct Extras {
        bool merge = false;
        std::vector<QPixmap> pictures;
    };

    struct Row {
        Buffer cells; // [used units: 2][cell 0: length, text][cell 1] ...
        std::unique_ptr<Extras> extras;
        qint32 height = -1;
        qint32 data = 0;
    };

    static Buffer encode(const QList<QStringView> &texts, qint32 cols);
    static QList<QStringView> decode(const char16_t *cells);
    Extras &extras(qint32 row);
    void dropEmptyExtras(Row &row);
    // Gives the open row's spare room back; every change of shape closes it first.
    void closeOpenRow();

    std::vector<Row> m_rows;
    // The row being written keeps spare room, so that filling it cell by cell does not
    // reallocate its buffer for every cell; every other buffer is exactly its size.
    qint32 m_openRow = -1;
    qint64 m_openCapacity = 0; // in code units
    qint32 m_cols = 0;
    qint32 m_customHeights = 0;
    quint64 m_heightsVersion = 0;
};

} // namespace Vantrel3
