#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Vantrel3 {

// Copies `n` bytes between buffers that do not overlap. A field's text or value is mostly a few
// bytes long, and a read copies several of them for every record: those are copied inline, with
// fixed-size moves, rather than through a library call each.
inline void copyBytes(void *to, const void *from, size_t n) {
    auto *d = static_cast<unsigned char *>(to);
    const auto *s = static_cast<const unsigned char *>(from);
    if (n > 16) {
        std::memcpy(d, s, n);
    } else if (n >= 8) {
        // Two 8-byte moves that overlap in the middle.
        std::uint64_t head;
        std::uint64_t tail;
        std::memcpy(&head, s, 8);
        std::memcpy(&tail, s + n - 8, 8);
        std::memcpy(d, &head, 8);
        std::memcpy(d + n - 8, &tail, 8);
    } else if (n >= 4) {
        std::uint32_t head;
        std::uint32_t tail;
        std::memcpy(&head, s, 4);
        std::memcpy(&tail, s + n - 4, 4);
        std::memcpy(d, &head, 4);
        std::memcpy(d + n - 4, &tail, 4);
    } else {
        for (size_t i = 0; i < n; ++i) {
            d[i] = s[i];
        }
    }
}

} // namespace Vantrel3
