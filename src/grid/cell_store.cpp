#include "grid/cell_store.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace Vantrel3 {

namespace {

// A buffer starts with its used length in code units (two units), then the cells in column
// order. A cell is its length (one unit below 0x8000, else two units: 0x8000 | high, low)
// followed by its UTF-16 text. Cells past the last encoded one are empty.
constexpr qint64 kHeader = 2;
constexpr qint32 kShortLimit = 0x8000;

qint64 usedUnits(const char16_t *cells) {
    return qint64(cells[0]) | (qint64(cells[1]) << 16);
}

void setUsedUnits(char16_t *cells, qint64 used) {
    cells[0] = char16_t(used & 0xFFFF);
    cells[1] = char16_t((used >> 16) & 0xFFFF);
}

qint64 prefixUnits(qint64 length) {
    return length < kShortLimit ? 1 : 2;
}

// Reads the cell at p; returns the text start and sets length and the next cell's position.
const char16_t *readCell(const char16_t *p, qint64 &length, const char16_t *&next) {
    if (p[0] < kShortLimit) {
        length = p[0];
        next = p + 1 + length;
        return p + 1;
    }
    length = (qint64(p[0] & 0x7FFF) << 16) | qint64(p[1]);
    next = p + 2 + length;
    return p + 2;
}

char16_t *writeCell(char16_t *p, QStringView text) {
    const qint64 length = text.size();
    if (length < kShortLimit) {
        *p++ = char16_t(length);
    } else {
        *p++ = char16_t(0x8000 | ((length >> 16) & 0x7FFF));
        *p++ = char16_t(length & 0xFFFF);
    }
    if (length > 0) {
        std::memcpy(p, text.utf16(), size_t(length) * sizeof(char16_t));
    }
    return p + length;
}

// An empty cell is a single zero unit, and a non-empty one starts with a non-zero length.
bool allCellsEmpty(const char16_t *cells) {
    const char16_t *end = cells + usedUnits(cells);
    for (const char16_t *p = cells + kHeader; p < end; ++p) {
        if (*p != 0) {
            return false;
        }
    }
    return true;
}

char16_t *allocateUnits(qint64 units) {
    auto *p = static_cast<char16_t *>(std::malloc(size_t(units) * sizeof(char16_t)));
    if (!p) {
        throw std::bad_alloc();
    }
    return p;
}

} // namespace

CellStore::~CellStore() = default;

void CellStore::closeOpenRow() {
    if (m_openRow < 0) {
        return;
    }
    Row &r = m_rows[size_t(m_openRow)];
    m_openRow = -1;
    if (!r.cells) {
        return;
    }
    const qint64 used = usedUnits(r.cells.get());
    if (used < m_openCapacity) {
        if (auto *fit = static_cast<char16_t *>(std::realloc(r.cells.get(), size_t(used) * 2))) {
            (void)r.cells.release();
            r.cells.reset(fit);
        }
    }
}

CellStore::Buffer CellStore::encode(const QList<QStringView> &texts, qint32 cols) {
    // Trailing empty cells need no room: a missing cell reads as empty.
    qint32 count = std::min<qint32>(qint32(texts.size()), cols);
    while (count > 0 && texts[count - 1].isEmpty()) {
        --count;
    }
    if (count == 0) {
        return nullptr;
    }
    qint64 units = kHeader;
    for (qint32 i = 0; i < count; ++i) {
        units += prefixUnits(texts[i].size()) + texts[i].size();
    }
    Buffer buffer(allocateUnits(units));
    setUsedUnits(buffer.get(), units);
    char16_t *p = buffer.get() + kHeader;
    for (qint32 i = 0; i < count; ++i) {
        p = writeCell(p, texts[i]);
    }
    return buffer;
}

QList<QStringView> CellStore::decode(const char16_t *cells) {
    QList<QStringView> texts;
    if (!cells) {
        return texts;
    }
    const char16_t *p = cells + kHeader;
    const char16_t *end = cells + usedUnits(cells);
    while (p < end) {
        qint64 length = 0;
        const char16_t *next = nullptr;
        const char16_t *start = readCell(p, length, next);
        texts.append(QStringView(start, length));
        p = next;
    }
    return texts;
}

void CellStore::setRowCount(qint32 rows) {
    ++m_heightsVersion;
    closeOpenRow();
    rows = std::max<qint32>(rows, 0);
    for (qint32 r = rows; r < rowCount(); ++r) {
        if (m_rows[size_t(r)].height >= 0) {
            --m_customHeights;
        }
    }
    m_rows.resize(size_t(rows));
}

void CellStore::setColCount(qint32 cols) {
    closeOpenRow();
    cols = std::max<qint32>(cols, 0);
    if (cols < m_cols) {
        // Shrinking drops the texts of the removed columns, so growing again gives empty cells.
        for (qint32 r = 0; r < rowCount(); ++r) {
            Row &row = m_rows[size_t(r)];
            if (row.cells) {
                QList<QStringView> texts = decode(row.cells.get());
                if (texts.size() > cols) {
                    texts.resize(cols);
                    row.cells = encode(texts, cols);
                }
            }
            if (row.extras && qint32(row.extras->pictures.size()) > cols) {
                row.extras->pictures.resize(size_t(cols));
                dropEmptyExtras(row);
            }
        }
    }
    m_cols = cols;
}

QStringView CellStore::view(qint32 row, qint32 col) const {
    const char16_t *cells = m_rows[size_t(row)].cells.get();
    if (!cells) {
        return {};
    }
    const char16_t *p = cells + kHeader;
    const char16_t *end = cells + usedUnits(cells);
    for (qint32 c = 0; p < end; ++c) {
        qint64 length = 0;
        const char16_t *next = nullptr;
        const char16_t *start = readCell(p, length, next);
        if (c == col) {
            return QStringView(start, length);
        }
        p = next;
    }
    return {};
}

void CellStore::views(qint32 row, const qint32 *cols, size_t count, QStringView *out) const {
    const char16_t *cells = m_rows[size_t(row)].cells.get();
    const char16_t *p = cells ? cells + kHeader : nullptr;
    const char16_t *end = cells ? cells + usedUnits(cells) : nullptr;
    qint32 c = 0;
    for (size_t k = 0; k < count; ++k) {
        out[k] = {};
        while (p < end) {
            qint64 length = 0;
            const char16_t *next = nullptr;
            const char16_t *start = readCell(p, length, next);
            if (c == cols[k]) {
                out[k] = QStringView(start, length);
                break;
            }
            p = next;
            ++c;
        }
    }
}

void CellStore::setText(qint32 row, qint32 col, QStringView text) {
    Row &r = m_rows[size_t(row)];
    if (!r.cells) {
        if (text.isEmpty()) {
            return;
        }
        // The common case of filling an empty row: pad with empty cells, then the text. The
        // row opens with room for as many cells again in the columns to its right.
        const qint64 units = kHeader + col + prefixUnits(text.size()) + text.size();
        closeOpenRow();
        const qint64 capacity = units + (units - kHeader - col) * std::max(0, m_cols - col - 1);
        Buffer buffer(allocateUnits(capacity));
        m_openRow = row;
        m_openCapacity = capacity;
        setUsedUnits(buffer.get(), units);
        char16_t *p = buffer.get() + kHeader;
        std::fill(p, p + col, char16_t(0));
        writeCell(p + col, text);
        r.cells = std::move(buffer);
        return;
    }
    // Find the cell in place; splice the new text in with one reallocation.
    char16_t *cells = r.cells.get();
    const qint64 used = usedUnits(cells);
    const char16_t *end = cells + used;
    const char16_t *p = cells + kHeader;
    qint32 c = 0;
    qint64 oldUnits = 0;
    while (p < end && c < col) {
        qint64 length = 0;
        const char16_t *next = nullptr;
        readCell(p, length, next);
        p = next;
        ++c;
    }
    const qint64 offset = p - cells;
    const qint32 missing = col - c; // empty cells to add before the text when the row is short
    if (p < end) {
        qint64 length = 0;
        const char16_t *next = nullptr;
        readCell(p, length, next);
        oldUnits = next - p;
        if (QStringView(p + prefixUnits(length), length) == text) {
            return;
        }
    } else if (text.isEmpty()) {
        return; // already empty
    }
    const qint64 newUnits = missing + prefixUnits(text.size()) + text.size();
    const qint64 tail = used - offset - oldUnits;
    const qint64 total = used - oldUnits + newUnits;
    if (total >= (qint64(1) << 32)) {
        throw std::bad_alloc(); // the used length must fit its two header units
    }
    const bool open = row == m_openRow;
    if (newUnits > oldUnits && !(open && total <= m_openCapacity)) {
        // Growing opens the row with spare room, half as much again.
        if (!open) {
            closeOpenRow();
        }
        const qint64 capacity = total + total / 2;
        auto *grown = static_cast<char16_t *>(std::realloc(cells, size_t(capacity) * 2));
        if (!grown) {
            throw std::bad_alloc();
        }
        (void)r.cells.release();
        r.cells.reset(grown);
        cells = grown;
        m_openRow = row;
        m_openCapacity = capacity;
        std::memmove(cells + offset + newUnits, cells + offset + oldUnits, size_t(tail) * 2);
    } else if (newUnits > oldUnits) {
        std::memmove(cells + offset + newUnits, cells + offset + oldUnits, size_t(tail) * 2);
    } else if (newUnits < oldUnits) {
        std::memmove(cells + offset + newUnits, cells + offset + oldUnits, size_t(tail) * 2);
        if (!open) {
            if (auto *shrunk = static_cast<char16_t *>(std::realloc(cells, size_t(total) * 2))) {
                (void)r.cells.release();
                r.cells.reset(shrunk);
                cells = shrunk;
            }
        }
    }
    char16_t *w = cells + offset;
    std::fill(w, w + missing, char16_t(0));
    writeCell(w + missing, text);
    setUsedUnits(cells, total);
    if (text.isEmpty() && allCellsEmpty(cells)) {
        r.cells.reset();
        if (open) {
            m_openRow = -1;
        }
    }
}

void CellStore::setRowTexts(qint32 row, const QList<QStringView> &texts) {
    closeOpenRow();
    m_rows[size_t(row)].cells = encode(texts, m_cols);
}

void CellStore::insertRow(qint32 at) {
    ++m_heightsVersion;
    closeOpenRow();
    m_rows.insert(m_rows.begin() + at, Row{});
}

void CellStore::removeRow(qint32 at) {
    ++m_heightsVersion;
    closeOpenRow();
    if (m_rows[size_t(at)].height >= 0) {
        --m_customHeights;
    }
    m_rows.erase(m_rows.begin() + at);
}

void CellStore::moveRow(qint32 from, qint32 to) {
    ++m_heightsVersion;
    closeOpenRow();
    if (from == to) {
        return;
    }
    auto first = m_rows.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
        std::rotate(first + to, first + from, first + from + 1);
    }
}

void CellStore::moveCol(qint32 from, qint32 to) {
    closeOpenRow();
    if (from == to) {
        return;
    }
    auto move = [from, to](auto &items) {
        auto first = items.begin();
        if (from < to) {
            std::rotate(first + from, first + from + 1, first + to + 1);
        } else {
            std::rotate(first + to, first + from, first + from + 1);
        }
    };
    const qint32 needed = std::max(from, to) + 1;
    for (Row &row : m_rows) {
        if (row.cells) {
            QList<QStringView> texts = decode(row.cells.get());
            if (texts.size() < needed) {
                texts.resize(needed);
            }
            move(texts);
            row.cells = encode(texts, m_cols);
        }
        if (row.extras && !row.extras->pictures.empty()) {
            if (qint32(row.extras->pictures.size()) < needed) {
                row.extras->pictures.resize(size_t(needed));
            }
            move(row.extras->pictures);
        }
    }
}

void CellStore::clearCells() {
    closeOpenRow();
    for (Row &row : m_rows) {
        row.cells.reset();
        if (row.extras) {
            row.extras->pictures.clear();
            dropEmptyExtras(row);
        }
    }
}

void CellStore::setRowHeight(qint32 row, qint32 twips) {
    ++m_heightsVersion;
    Row &r = m_rows[size_t(row)];
    const bool wasCustom = r.height >= 0;
    r.height = twips < 0 ? -1 : twips;
    m_customHeights += int(r.height >= 0) - int(wasCustom);
}

bool CellStore::rowMerge(qint32 row) const {
    const Row &r = m_rows[size_t(row)];
    return r.extras && r.extras->merge;
}

void CellStore::setRowMerge(qint32 row, bool merge) {
    if (merge) {
        extras(row).merge = true;
    } else if (Row &r = m_rows[size_t(row)]; r.extras) {
        r.extras->merge = false;
        dropEmptyExtras(r);
    }
}

QPixmap CellStore::picture(qint32 row, qint32 col) const {
    const Row &r = m_rows[size_t(row)];
    if (!r.extras || col >= qint32(r.extras->pictures.size())) {
        return {};
    }
    return r.extras->pictures[size_t(col)];
}

void CellStore::setPicture(qint32 row, qint32 col, const QPixmap &picture) {
    if (picture.isNull()) {
        Row &r = m_rows[size_t(row)];
        if (r.extras && col < qint32(r.extras->pictures.size())) {
            r.extras->pictures[size_t(col)] = QPixmap();
            dropEmptyExtras(r);
        }
        return;
    }
    Extras &e = extras(row);
    if (col >= qint32(e.pictures.size())) {
        e.pictures.resize(size_t(col) + 1);
    }
    e.pictures[size_t(col)] = picture;
}

bool CellStore::rowHasPictures(qint32 row) const {
    const Row &r = m_rows[size_t(row)];
    return r.extras && !r.extras->pictures.empty();
}

qint64 CellStore::textBytes() const {
    qint64 bytes = 0;
    for (const Row &row : m_rows) {
        if (row.cells) {
            bytes += usedUnits(row.cells.get()) * qint64(sizeof(char16_t));
        }
    }
    return bytes;
}

CellStore::Extras &CellStore::extras(qint32 row) {
    Row &r = m_rows[size_t(row)];
    if (!r.extras) {
        r.extras = std::make_unique<Extras>();
    }
    return *r.extras;
}

void CellStore::dropEmptyExtras(Row &row) {
    Extras &e = *row.extras;
    while (!e.pictures.empty() && e.pictures.back().isNull()) {
        e.pictures.pop_back();
    }
    if (!e.merge && e.pictures.empty()) {
        row.extras.reset();
    }
}

} // namespace Vantrel3
