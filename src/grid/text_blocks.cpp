#include "grid/text_blocks.h"

#include <cstdlib>
#include <new>

namespace Vantrel3 {

namespace {

// Below the allocator's threshold for mapping memory of its own, so blocks come from the heap.
constexpr qint64 kBlockBytes = 64 * 1024;

unsigned char *allocateBlock(qint64 bytes) {
    auto *p = static_cast<unsigned char *>(std::malloc(size_t(bytes)));
    if (!p) {
        throw std::bad_alloc();
    }
    return p;
}

} // namespace

TextBlocks::~TextBlocks() {
    for (unsigned char *block : m_blocks) {
        std::free(block);
    }
}

unsigned char *TextBlocks::allocateSlow(qint64 bytes) {
    // Room for the block's address first, so that no block is lost to a failed allocation.
    if (m_blocks.size() == m_blocks.capacity()) {
        m_blocks.reserve(2 * m_blocks.size() + 16);
    }
    if (bytes > kBlockBytes / 4) {
        // A large row gets a block of its own, ahead of the block still being filled.
        unsigned char *own = allocateBlock(bytes);
        m_blocks.insert(m_blocks.empty() ? m_blocks.end() : m_blocks.end() - 1, own);
        m_total += bytes;
        return own;
    }
    m_blocks.push_back(allocateBlock(kBlockBytes));
    m_used = 0;
    m_capacity = kBlockBytes;
    m_total += kBlockBytes;
    unsigned char *p = m_blocks.back();
    m_used += bytes;
    return p;
}

} // namespace Vantrel3
