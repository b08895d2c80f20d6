#include "grid/cell_store.h"

#include "grid/text_blocks.h"

#include <QStringList>
#include <algorithm>
#include <cstring>
#include <new>

namespace Vantrel3 {

namespace {

using Byte = unsigned char;

// A buffer starts with a 4-byte header, its size in bytes (header included) and two flags, then
// the cells in column order: each its length followed by its text. Cells past the last encoded
// one are empty, and an empty cell is a single zero length.
constexpr quint32 kPacked = 0x80000000u; // lies in shared blocks: never freed on its own
constexpr quint32 kLatin1 = 0x40000000u; // one byte per character
constexpr quint32 kSizeMask = 0x3FFFFFFFu;
constexpr qint64 kHeader = 4;

quint32 headerOf(const Byte *cells) {
    quint32 h = 0;
    std::memcpy(&h, cells, sizeof h);
    return h;
}

void setHeader(Byte *cells, quint32 h) {
    std::memcpy(cells, &h, sizeof h);
}

qint64 usedBytes(const Byte *cells) {
    return headerOf(cells) & kSizeMask;
}

bool isPacked(const Byte *cells) {
    return (headerOf(cells) & kPacked) != 0;
}

bool isLatin1(const Byte *cells) {
    return (headerOf(cells) & kLatin1) != 0;
}

// The length of a cell: one unit below kShort, else two UTF-16 units or four bytes, top bit set.
template <typename Unit>
struct Cells;

template <>
struct Cells<char16_t> {
    static constexpr qint64 kShort = 0x8000;
    static qint64 prefix(qint64 length) { return length < kShort ? 1 : 2; }
    static const char16_t *read(const char16_t *p, qint64 &length) {
        if (p[0] < kShort) {
            length = p[0];
            return p + 1;
        }
        length = (qint64(p[0] & 0x7FFF) << 16) | qint64(p[1]);
        return p + 2;
    }
    static char16_t *write(char16_t *p, QStringView text) {
        const qint64 length = text.size();
        if (length < kShort) {
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
    static bool equal(const char16_t *stored, qint64 length, QStringView text) {
        return QStringView(stored, length) == text;
    }
};

template <>
struct Cells<Byte> {
    static constexpr qint64 kShort = 0x80;
    static qint64 prefix(qint64 length) { return length < kShort ? 1 : 4; }
    static const Byte *read(const Byte *p, qint64 &length) {
        if (p[0] < kShort) {
            length = p[0];
            return p + 1;
        }
        length =
            (qint64(p[0] & 0x7F) << 24) | (qint64(p[1]) << 16) | (qint64(p[2]) << 8) | qint64(p[3]);
        return p + 4;
    }
    static Byte *write(Byte *p, QStringView text) {
        const qint64 length = text.size();
        if (length < kShort) {
            *p++ = Byte(length);
        } else {
            *p++ = Byte(0x80 | ((length >> 24) & 0x7F));
            *p++ = Byte(length >> 16);
            *p++ = Byte(length >> 8);
            *p++ = Byte(length);
        }
        const char16_t *s = text.utf16();
        for (qint64 i = 0; i < length; ++i) {
            p[i] = Byte(s[i]);
        }
        return p + length;
    }
    static bool equal(const Byte *stored, qint64 length, QStringView text) {
        return QLatin1StringView(reinterpret_cast<const char *>(stored), length) == text;
    }
};

template <typename Unit>
Unit *body(Byte *cells) {
    return reinterpret_cast<Unit *>(cells + kHeader);
}

template <typename Unit>
const Unit *body(const Byte *cells) {
    return reinterpret_cast<const Unit *>(cells + kHeader);
}

template <typename Unit>
const Unit *bodyEnd(const Byte *cells) {
    return reinterpret_cast<const Unit *>(cells + usedBytes(cells));
}

bool fitsLatin1(QStringView text) {
    // Short texts are the rule: a plain loop, no call.
    char16_t any = 0;
    const char16_t *units = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        any |= units[i];
    }
    return any < 0x100;
}

Byte *allocateBytes(qint64 bytes) {
    auto *p = static_cast<Byte *>(std::malloc(size_t(bytes)));
    if (!p) {
        throw std::bad_alloc();
    }
    return p;
}

QStringView widen(const Byte *text, qint64 length, TextScratch &scratch) {
    if (length == 0) {
        return QStringView(u"", 0);
    }
    char16_t *out = scratch.allocate(length);
    for (qint64 i = 0; i < length; ++i) {
        out[i] = text[i];
    }
    return QStringView(out, length);
}

// The text of cell `col`, or none past the last encoded cell.
template <typename Unit>
bool findCell(const Byte *cells, qint32 col, const Unit *&start, qint64 &length) {
    const Unit *p = body<Unit>(cells);
    const Unit *end = bodyEnd<Unit>(cells);
    for (qint32 c = 0; p < end; ++c) {
        start = Cells<Unit>::read(p, length);
        if (c == col) {
            return true;
        }
        p = start + length;
    }
    return false;
}

template <typename Unit>
void readViews(const Byte *cells, const qint32 *cols, size_t count, QStringView *out,
               TextScratch &scratch) {
    const Unit *p = cells ? body<Unit>(cells) : nullptr;
    const Unit *end = cells ? bodyEnd<Unit>(cells) : nullptr;
    qint32 c = 0;
    for (size_t k = 0; k < count; ++k) {
        out[k] = {};
        while (p < end) {
            qint64 length = 0;
            const Unit *start = Cells<Unit>::read(p, length);
            if (c == cols[k]) {
                if constexpr (std::is_same_v<Unit, Byte>) {
                    out[k] = widen(start, length, scratch);
                } else {
                    out[k] = QStringView(start, length);
                }
                break;
            }
            p = start + length;
            ++c;
        }
    }
}

// An empty cell is a single zero unit, and a non-empty one starts with a non-zero length.
template <typename Unit>
bool allCellsEmpty(const Byte *cells) {
    for (const Unit *p = body<Unit>(cells), *end = bodyEnd<Unit>(cells); p < end; ++p) {
        if (*p != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

// ---- TextScratch ----

char16_t *TextScratch::allocate(qsizetype units) {
    constexpr qsizetype kBlock = 4096;
    if (m_blocks.empty() || m_used + units > m_capacity) {
        const qsizetype capacity = std::max(kBlock, units);
        // A text longer than a block gets one of its own, ahead of the block still in use.
        if (capacity > kBlock && !m_blocks.empty()) {
            m_blocks.insert(m_blocks.end() - 1, std::make_unique<char16_t[]>(size_t(units)));
            return m_blocks[m_blocks.size() - 2].get();
        }
        m_blocks.push_back(std::make_unique<char16_t[]>(size_t(capacity)));
        m_used = 0;
        m_capacity = capacity;
    }
    char16_t *p = m_blocks.back().get() + m_used;
    m_used += units;
    return p;
}

void TextScratch::clear() {
    if (m_blocks.size() > 1) {
        m_blocks.erase(m_blocks.begin(), m_blocks.end() - 1);
    }
    m_used = 0;
}

// ---- CellStore ----

CellStore::~CellStore() {
    for (Row &row : m_rows) {
        if (row.cells && !isPacked(row.cells)) {
            std::free(row.cells);
        }
    }
}

void CellStore::release(Row &row) {
    Byte *cells = row.cells;
    if (!cells) {
        return;
    }
    row.cells = nullptr;
    if (&row - m_rows.data() == m_openRow) {
        m_openRow = -1;
    }
    if (!isPacked(cells)) {
        std::free(cells);
    } else if (--m_packedRows == 0) {
        m_blocks.clear();
        m_packing.reset();
    }
}

void CellStore::own(Row &row) {
    if (!row.cells || !isPacked(row.cells)) {
        return;
    }
    const qint64 bytes = usedBytes(row.cells);
    Byte *copy = allocateBytes(bytes);
    std::memcpy(copy, row.cells, size_t(bytes));
    setHeader(copy, headerOf(copy) & ~kPacked);
    release(row);
    row.cells = copy;
}

void CellStore::closeOpenRow() {
    if (m_openRow < 0) {
        return;
    }
    Row &r = m_rows[size_t(m_openRow)];
    m_openRow = -1;
    if (!r.cells) {
        return;
    }
    const qint64 used = usedBytes(r.cells);
    if (used < m_openCapacity) {
        if (auto *fit = static_cast<Byte *>(std::realloc(r.cells, size_t(used)))) {
            r.cells = fit;
        }
    }
}

CellStore::Byte *CellStore::encode(const QStringView *texts, qint32 count, bool packed) {
    // Trailing empty cells need no room: a missing cell reads as empty.
    count = std::min(count, m_cols);
    while (count > 0 && texts[count - 1].isEmpty()) {
        --count;
    }
    if (count == 0) {
        return nullptr;
    }
    // One pass: every character for the form, every length for the room.
    char16_t any = 0;
    qint64 chars = 0;
    qint64 longForBytes = 0;
    qint64 longForUnits = 0;
    for (qint32 i = 0; i < count; ++i) {
        const char16_t *units = texts[i].utf16();
        const qint64 length = texts[i].size();
        for (qint64 k = 0; k < length; ++k) {
            any |= units[k];
        }
        chars += length;
        longForBytes += length >= Cells<Byte>::kShort ? 1 : 0;
        longForUnits += length >= Cells<char16_t>::kShort ? 1 : 0;
    }
    const bool latin1 = any < 0x100;
    const qint64 bytes =
        kHeader + (latin1 ? chars + count + 3 * longForBytes : 2 * (chars + count + longForUnits));
    if (bytes > qint64(kSizeMask)) {
        throw std::bad_alloc(); // the size must fit its header
    }
    Byte *cells = packed ? packedRoom(bytes) : allocateBytes(bytes);
    setHeader(cells, quint32(bytes) | (latin1 ? kLatin1 : 0) | (packed ? kPacked : 0));
    if (latin1) {
        Byte *p = body<Byte>(cells);
        for (qint32 i = 0; i < count; ++i) {
            p = Cells<Byte>::write(p, texts[i]);
        }
    } else {
        char16_t *p = body<char16_t>(cells);
        for (qint32 i = 0; i < count; ++i) {
            p = Cells<char16_t>::write(p, texts[i]);
        }
    }
    return cells;
}

CellStore::Byte *CellStore::packedRoom(qint64 bytes) {
    if (!m_packing) {
        m_packing = std::make_shared<TextBlocks>();
        m_blocks.push_back(m_packing);
    }
    return m_packing->allocate(bytes);
}

CellStore::Byte *CellStore::packLatin1(const QLatin1StringView *texts, qint32 count) {
    count = std::min(count, m_cols);
    while (count > 0 && texts[count - 1].isEmpty()) {
        --count;
    }
    if (count == 0) {
        return nullptr;
    }
    qint64 bytes = kHeader;
    for (qint32 i = 0; i < count; ++i) {
        bytes += Cells<Byte>::prefix(texts[i].size()) + texts[i].size();
    }
    if (bytes > qint64(kSizeMask)) {
        throw std::bad_alloc();
    }
    Byte *cells = packedRoom(bytes);
    setHeader(cells, quint32(bytes) | kLatin1 | kPacked);
    Byte *p = body<Byte>(cells);
    for (qint32 i = 0; i < count; ++i) {
        const qint64 length = texts[i].size();
        if (length < Cells<Byte>::kShort) {
            *p++ = Byte(length);
        } else {
            *p++ = Byte(0x80 | ((length >> 24) & 0x7F));
            *p++ = Byte(length >> 16);
            *p++ = Byte(length >> 8);
            *p++ = Byte(length);
        }
        if (length > 0) {
            std::memcpy(p, texts[i].data(), size_t(length));
        }
        p += length;
    }
    return cells;
}

QStringList CellStore::decode(const Byte *cells) const {
    QStringList texts;
    if (!cells) {
        return texts;
    }
    const auto walk = [&](auto unit) {
        using Unit = decltype(unit);
        const Unit *p = body<Unit>(cells);
        const Unit *end = bodyEnd<Unit>(cells);
        while (p < end) {
            qint64 length = 0;
            const Unit *start = Cells<Unit>::read(p, length);
            if constexpr (std::is_same_v<Unit, Byte>) {
                texts.append(QString::fromLatin1(reinterpret_cast<const char *>(start), length));
            } else {
                texts.append(QStringView(start, length).toString());
            }
            p = start + length;
        }
    };
    if (isLatin1(cells)) {
        walk(Byte());
    } else {
        walk(char16_t());
    }
    return texts;
}

void CellStore::setRowCount(qint32 rows) {
    ++m_heightsVersion;
    closeOpenRow();
    rows = std::max<qint32>(rows, 0);
    for (qint32 r = rows; r < rowCount(); ++r) {
        Row &row = m_rows[size_t(r)];
        if (rowHeight(r) >= 0) {
            --m_customHeights;
        }
        release(row);
        if (row.extras >= 0) {
            m_extras[size_t(row.extras)] = Extras{};
            m_freeExtras.push_back(row.extras);
        }
    }
    m_rows.resize(size_t(rows));
}

void CellStore::squeeze() {
    closeOpenRow();
    if (m_rows.capacity() - m_rows.size() > m_rows.size() / 16) {
        m_rows.shrink_to_fit();
    }
}

void CellStore::setColCount(qint32 cols) {
    closeOpenRow();
    cols = std::max<qint32>(cols, 0);
    if (cols < m_cols) {
        // Shrinking drops the texts of the removed columns, so growing again gives empty cells.
        m_cols = cols;
        for (Row &row : m_rows) {
            if (row.cells) {
                const QStringList texts = decode(row.cells);
                if (texts.size() > cols) {
                    const QList<QStringView> views(texts.cbegin(), texts.cbegin() + cols);
                    Byte *cells = encode(views.data(), qint32(views.size()), false);
                    release(row);
                    row.cells = cells;
                }
            }
            if (row.extras >= 0) {
                Extras &e = m_extras[size_t(row.extras)];
                if (qint32(e.pictures.size()) > cols) {
                    e.pictures.resize(size_t(cols));
                    dropEmptyExtras(row);
                }
            }
        }
    }
    m_cols = cols;
}

QStringView CellStore::view(qint32 row, qint32 col) const {
    const Byte *cells = m_rows[size_t(row)].cells;
    if (!cells) {
        return {};
    }
    qint64 length = 0;
    if (isLatin1(cells)) {
        const Byte *start = nullptr;
        if (!findCell(cells, col, start, length)) {
            return {};
        }
        m_viewScratch.clear();
        return widen(start, length, m_viewScratch);
    }
    const char16_t *start = nullptr;
    return findCell(cells, col, start, length) ? QStringView(start, length) : QStringView();
}

QString CellStore::text(qint32 row, qint32 col) const {
    const Byte *cells = m_rows[size_t(row)].cells;
    if (!cells) {
        return {};
    }
    qint64 length = 0;
    if (isLatin1(cells)) {
        const Byte *start = nullptr;
        return findCell(cells, col, start, length)
                   ? QString::fromLatin1(reinterpret_cast<const char *>(start), length)
                   : QString();
    }
    const char16_t *start = nullptr;
    return findCell(cells, col, start, length) ? QStringView(start, length).toString() : QString();
}

void CellStore::views(qint32 row, const qint32 *cols, size_t count, QStringView *out,
                      TextScratch &scratch) const {
    const Byte *cells = m_rows[size_t(row)].cells;
    if (cells && isLatin1(cells)) {
        readViews<Byte>(cells, cols, count, out, scratch);
    } else {
        readViews<char16_t>(cells, cols, count, out, scratch);
    }
}

void CellStore::views(qint32 row, const qint32 *cols, size_t count, QStringView *out) const {
    m_viewsScratch.clear();
    views(row, cols, count, out, m_viewsScratch);
}

template <typename Unit>
void CellStore::splice(qint32 row, qint32 col, QStringView text) {
    // Find the cell in place; splice the new text in with one reallocation.
    Row &r = m_rows[size_t(row)];
    Byte *cells = r.cells;
    const quint32 flags = headerOf(cells) & ~kSizeMask;
    const qint64 used = usedBytes(cells);
    const Unit *end = bodyEnd<Unit>(cells);
    const Unit *p = body<Unit>(cells);
    qint32 c = 0;
    while (p < end && c < col) {
        qint64 length = 0;
        p = Cells<Unit>::read(p, length) + length;
        ++c;
    }
    const qint64 offset = reinterpret_cast<const Byte *>(p) - cells;
    const qint32 missing = col - c; // empty cells to add before the text when the row is short
    qint64 oldBytes = 0;
    if (p < end) {
        qint64 length = 0;
        const Unit *start = Cells<Unit>::read(p, length);
        oldBytes = qint64(reinterpret_cast<const Byte *>(start + length) -
                          reinterpret_cast<const Byte *>(p));
        if (Cells<Unit>::equal(start, length, text)) {
            return;
        }
    } else if (text.isEmpty()) {
        return; // already empty
    }
    const qint64 newBytes =
        (missing + Cells<Unit>::prefix(text.size()) + text.size()) * qint64(sizeof(Unit));
    const qint64 tail = used - offset - oldBytes;
    const qint64 total = used - oldBytes + newBytes;
    if (total > qint64(kSizeMask)) {
        throw std::bad_alloc(); // the size must fit its header
    }
    const bool open = row == m_openRow;
    if (newBytes > oldBytes && !(open && total <= m_openCapacity)) {
        // Growing opens the row with spare room, half as much again.
        if (!open) {
            closeOpenRow();
        }
        const qint64 capacity = std::min(total + total / 2, qint64(kSizeMask));
        auto *grown = static_cast<Byte *>(std::realloc(cells, size_t(capacity)));
        if (!grown) {
            throw std::bad_alloc();
        }
        r.cells = cells = grown;
        m_openRow = row;
        m_openCapacity = capacity;
        std::memmove(cells + offset + newBytes, cells + offset + oldBytes, size_t(tail));
    } else if (newBytes > oldBytes) {
        std::memmove(cells + offset + newBytes, cells + offset + oldBytes, size_t(tail));
    } else if (newBytes < oldBytes) {
        std::memmove(cells + offset + newBytes, cells + offset + oldBytes, size_t(tail));
        if (!open) {
            if (auto *shrunk = static_cast<Byte *>(std::realloc(cells, size_t(total)))) {
                r.cells = cells = shrunk;
            }
        }
    }
    Unit *w = reinterpret_cast<Unit *>(cells + offset);
    std::fill(w, w + missing, Unit(0));
    Cells<Unit>::write(w + missing, text);
    setHeader(cells, quint32(total) | flags);
    if (text.isEmpty() && allCellsEmpty<Unit>(cells)) {
        release(r);
    }
}

void CellStore::setText(qint32 row, qint32 col, QStringView text) {
    Row &r = m_rows[size_t(row)];
    const bool latin1 = fitsLatin1(text);
    if (!r.cells) {
        if (text.isEmpty()) {
            return;
        }
        // The common case of filling an empty row: pad with empty cells, then the text. The
        // row opens with room for as many cells again in the columns to its right.
        const qint64 unit = latin1 ? 1 : 2;
        const qint64 cell =
            (latin1 ? Cells<Byte>::prefix(text.size()) : Cells<char16_t>::prefix(text.size())) +
            text.size();
        const qint64 bytes = kHeader + (col + cell) * unit;
        if (bytes > qint64(kSizeMask)) {
            throw std::bad_alloc();
        }
        closeOpenRow();
        const qint64 capacity = std::min<qint64>(
            bytes + cell * unit * std::max(0, m_cols - col - 1), qint64(kSizeMask));
        Byte *cells = allocateBytes(capacity);
        setHeader(cells, quint32(bytes) | (latin1 ? kLatin1 : 0));
        if (latin1) {
            Byte *p = body<Byte>(cells);
            std::fill(p, p + col, Byte(0));
            Cells<Byte>::write(p + col, text);
        } else {
            char16_t *p = body<char16_t>(cells);
            std::fill(p, p + col, char16_t(0));
            Cells<char16_t>::write(p + col, text);
        }
        r.cells = cells;
        m_openRow = row;
        m_openCapacity = capacity;
        return;
    }
    own(r);
    if (isLatin1(r.cells) && !latin1) {
        // A character beyond Latin-1 turns the whole row into UTF-16.
        closeOpenRow();
        const QStringList texts = decode(r.cells);
        QList<QStringView> views(texts.cbegin(), texts.cend());
        if (views.size() <= col) {
            views.resize(col + 1);
        }
        views[col] = text;
        Byte *cells = encode(views.data(), qint32(views.size()), false);
        release(r);
        r.cells = cells;
        return;
    }
    if (isLatin1(r.cells)) {
        splice<Byte>(row, col, text);
    } else {
        splice<char16_t>(row, col, text);
    }
}

void CellStore::setRowTexts(qint32 row, const QList<QStringView> &texts) {
    closeOpenRow();
    Byte *cells = encode(texts.data(), qint32(texts.size()), false);
    release(m_rows[size_t(row)]);
    m_rows[size_t(row)].cells = cells;
}

void CellStore::packRowTexts(qint32 row, const QStringView *texts, qint32 count) {
    Row &r = m_rows[size_t(row)];
    release(r);
    r.cells = encode(texts, count, true);
    if (r.cells) {
        ++m_packedRows;
    }
}

void CellStore::packRowTexts(qint32 row, const QLatin1StringView *texts, qint32 count) {
    Row &r = m_rows[size_t(row)];
    release(r);
    r.cells = packLatin1(texts, count);
    if (r.cells) {
        ++m_packedRows;
    }
}

void CellStore::shareRowTexts(qint32 row, const CellStore &from, qint32 fromRow, qint32 count) {
    bool holdsBlocks = false;
    for (qint32 i = 0; i < count; ++i) {
        Byte *source = from.m_rows[size_t(fromRow + i)].cells;
        Row &r = m_rows[size_t(row + i)];
        if (r.cells == source) {
            continue;
        }
        release(r);
        if (!source) {
            continue;
        }
        if (!isPacked(source)) {
            const qint64 bytes = usedBytes(source);
            r.cells = allocateBytes(bytes);
            std::memcpy(r.cells, source, size_t(bytes));
            continue;
        }
        // The blocks stay alive as long as either store has a row in them: held before the
        // first row refers to them, once for the whole range.
        if (!holdsBlocks) {
            for (const auto &blocks : from.m_blocks) {
                if (std::find(m_blocks.cbegin(), m_blocks.cend(), blocks) == m_blocks.cend()) {
                    m_blocks.push_back(blocks);
                }
            }
            holdsBlocks = true;
        }
        r.cells = source;
        ++m_packedRows;
    }
}

void CellStore::insertRow(qint32 at) {
    ++m_heightsVersion;
    closeOpenRow();
    m_rows.insert(m_rows.begin() + at, Row{});
}

void CellStore::removeRow(qint32 at) {
    ++m_heightsVersion;
    closeOpenRow();
    Row &row = m_rows[size_t(at)];
    if (rowHeight(at) >= 0) {
        --m_customHeights;
    }
    release(row);
    if (row.extras >= 0) {
        m_extras[size_t(row.extras)] = Extras{};
        m_freeExtras.push_back(row.extras);
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
            QStringList texts = decode(row.cells);
            if (texts.size() < needed) {
                texts.resize(needed);
            }
            move(texts);
            const QList<QStringView> views(texts.cbegin(), texts.cend());
            Byte *cells = encode(views.data(), qint32(views.size()), false);
            release(row);
            row.cells = cells;
        }
        if (row.extras >= 0 && !m_extras[size_t(row.extras)].pictures.empty()) {
            auto &pictures = m_extras[size_t(row.extras)].pictures;
            if (qint32(pictures.size()) < needed) {
                pictures.resize(size_t(needed));
            }
            move(pictures);
        }
    }
}

void CellStore::clearCells() {
    closeOpenRow();
    for (Row &row : m_rows) {
        release(row);
        if (row.extras >= 0) {
            m_extras[size_t(row.extras)].pictures.clear();
            dropEmptyExtras(row);
        }
    }
}

void CellStore::setRowHeight(qint32 row, qint32 twips) {
    ++m_heightsVersion;
    const bool wasCustom = rowHeight(row) >= 0;
    const qint32 height = twips < 0 ? -1 : twips;
    if (height >= 0) {
        extras(row).height = height;
    } else if (Row &r = m_rows[size_t(row)]; r.extras >= 0) {
        m_extras[size_t(r.extras)].height = -1;
        dropEmptyExtras(r);
    }
    m_customHeights += int(height >= 0) - int(wasCustom);
}

bool CellStore::rowMerge(qint32 row) const {
    const qint32 e = m_rows[size_t(row)].extras;
    return e >= 0 && m_extras[size_t(e)].merge;
}

void CellStore::setRowMerge(qint32 row, bool merge) {
    if (merge) {
        extras(row).merge = true;
    } else if (Row &r = m_rows[size_t(row)]; r.extras >= 0) {
        m_extras[size_t(r.extras)].merge = false;
        dropEmptyExtras(r);
    }
}

QPixmap CellStore::picture(qint32 row, qint32 col) const {
    const qint32 e = m_rows[size_t(row)].extras;
    if (e < 0 || col >= qint32(m_extras[size_t(e)].pictures.size())) {
        return {};
    }
    return m_extras[size_t(e)].pictures[size_t(col)];
}

void CellStore::setPicture(qint32 row, qint32 col, const QPixmap &picture) {
    if (picture.isNull()) {
        Row &r = m_rows[size_t(row)];
        if (r.extras >= 0) {
            auto &pictures = m_extras[size_t(r.extras)].pictures;
            if (col < qint32(pictures.size())) {
                pictures[size_t(col)] = QPixmap();
                dropEmptyExtras(r);
            }
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
    const qint32 e = m_rows[size_t(row)].extras;
    return e >= 0 && !m_extras[size_t(e)].pictures.empty();
}

qint64 CellStore::textBytes() const {
    qint64 bytes = 0;
    for (const Row &row : m_rows) {
        if (row.cells) {
            bytes += usedBytes(row.cells);
        }
    }
    return bytes;
}

CellStore::Extras &CellStore::extras(qint32 row) {
    Row &r = m_rows[size_t(row)];
    if (r.extras < 0) {
        if (!m_freeExtras.empty()) {
            r.extras = m_freeExtras.back();
            m_freeExtras.pop_back();
        } else {
            m_extras.emplace_back();
            r.extras = qint32(m_extras.size() - 1);
        }
    }
    return m_extras[size_t(r.extras)];
}

void CellStore::dropEmptyExtras(Row &row) {
    Extras &e = m_extras[size_t(row.extras)];
    while (!e.pictures.empty() && e.pictures.back().isNull()) {
        e.pictures.pop_back();
    }
    if (e.height < 0 && !e.merge && e.pictures.empty()) {
        e = Extras{};
        m_freeExtras.push_back(row.extras);
        row.extras = -1;
    }
}

} // namespace Vantrel3
