#pragma once

#include <QtGlobal>
#include <vector>

namespace Vantrel3 {

// Large blocks holding the texts of rows filled in bulk, so that a row costs no allocation of its
// own. The stores whose rows lie in them share them; they go with the last of those stores' rows.
class TextBlocks {
public:
    TextBlocks() = default;
    ~TextBlocks();
    TextBlocks(const TextBlocks &) = delete;
    TextBlocks &operator=(const TextBlocks &) = delete;

    // Room for `bytes`, 4-byte aligned, that never moves while the blocks live.
    unsigned char *allocate(qint64 bytes) {
        bytes = (bytes + 3) & ~qint64(3);
        if (m_used + bytes > m_capacity) {
            return allocateSlow(bytes);
        }
        unsigned char *p = m_blocks.back() + m_used;
        m_used += bytes;
        return p;
    }
    // Bytes allocated from the system, for diagnostics.
    qint64 capacity() const { return m_total; }

private:
    unsigned char *allocateSlow(qint64 bytes);

    std::vector<unsigned char *> m_blocks;
    qint64 m_used = 0;     // bytes taken from the last block
    qint64 m_capacity = 0; // bytes in the last block
    qint64 m_total = 0;
};

} // namespace Vantrel3
