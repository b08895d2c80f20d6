#pragma once

#include "data/byte_copy.h"

#include <QByteArray>
#include <QList>
#include <QStringView>
#include <QVariant>

#include <cmath>
#include <cstring>
#include <vector>

namespace Vantrel3 {

// A 64-bit digest of a record's values as the driver returns them, keyed by a seed of the
// recordset's own: what a streamed recordset keeps instead of the values, to tell whether a
// record read again by its key still holds what was loaded. Every value goes in with its kind
// (Null, integer, real, text, bytes), so that the same values give the same digest whichever way
// they were read.
class RecordFingerprint {
public:
    explicit RecordFingerprint(quint64 seed = 0) : m_seed(seed) {}

    // Inline: a stream adds several values for every record.
    void addNull() { *grow(1) = 'N'; }
    void addInteger(qint64 value) { addFixed('I', value); }
    // A whole number goes in as the integer it equals: SQL finds them equal, and SQLite hands a
    // real column's whole numbers back from RETURNING as integers.
    void addReal(double value) {
        if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0) {
            addInteger(qint64(value));
        } else {
            addFixed('R', value);
        }
    }
    void addText(QStringView text);
    // Text already in UTF-8.
    void addUtf8(const char *text, qsizetype size) { addSized('T', text, size); }
    void addBytes(const char *bytes, qsizetype size) { addSized('B', bytes, size); }
    // A value as Qt's drivers return it.
    void add(const QVariant &value);

    // The digest of the values added since the last finish().
    quint64 finish();
    // The digest of a whole record.
    static quint64 of(const QList<QVariant> &values, quint64 seed);

private:
    // The kind first, and the length of a text or bytes: no two lists of values give the same
    // bytes.
    template <typename T>
    void addFixed(char tag, T value) {
        char *p = grow(1 + qsizetype(sizeof value));
        *p = tag;
        std::memcpy(p + 1, &value, sizeof value);
    }
    void addSized(char tag, const void *data, qsizetype size) {
        const qint64 length = size;
        char *p = grow(1 + qsizetype(sizeof length) + size);
        *p = tag;
        std::memcpy(p + 1, &length, sizeof length);
        copyBytes(p + 1 + sizeof length, data, size_t(size));
    }
    char *grow(qsizetype bytes) {
        if (m_used + bytes > qsizetype(m_buffer.size())) {
            growBuffer(bytes);
        }
        char *p = m_buffer.data() + m_used;
        m_used += bytes;
        return p;
    }
    void growBuffer(qsizetype bytes);

    quint64 m_seed;
    // The values' bytes, each with its kind; digested at finish().
    std::vector<char> m_buffer;
    qsizetype m_used = 0;
};

} // namespace Vantrel3
