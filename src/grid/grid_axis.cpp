#include "grid/grid_axis.h"

#include <algorithm>
#include <limits>

namespace Vantrel3 {

namespace {

int clampToInt(qint64 value) {
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min() / 2,
                                  std::numeric_limits<int>::max() / 2));
}

} // namespace

qint64 GridAxis::span(qint32 from, qint32 to) const {
    if (to <= from) {
        return 0;
    }
    if (uniform > 0) {
        return qint64(to - from) * uniform;
    }
    // A walk is cheaper for the few indexes of a viewport; far positions use the index.
    constexpr qint32 kWalkLimit = 256;
    if (spanOf && to - from > kWalkLimit) {
        return spanOf(from, to);
    }
    qint64 total = 0;
    for (qint32 i = from; i < to; ++i) {
        total += sizeOf(i);
    }
    return total;
}

int GridAxis::position(qint32 i, qint32 first) const {
    if (i < fixed) {
        return int(span(0, i));
    }
    const qint64 base = fixedExtent();
    return clampToInt(i >= first ? base + span(first, i) : base - span(i, first));
}

qint32 GridAxis::indexAt(int pos, qint32 first, int extent) const {
    if (pos < 0 || pos >= extent) {
        return -1;
    }
    int at = 0;
    for (qint32 i = 0; i < std::min(fixed, count); ++i) {
        at += size(i);
        if (pos < at) {
            return i;
        }
    }
    if (uniform > 0) {
        const qint64 i = first + qint64(pos - at) / uniform;
        return i < count ? qint32(i) : -1;
    }
    for (qint32 i = first; i < count && at < extent; ++i) {
        at += sizeOf(i);
        if (pos < at) {
            return i;
        }
    }
    return -1;
}

qint32 GridAxis::maxFirst(int extent) const {
    if (count <= fixed) {
        return fixed;
    }
    const qint64 room = qint64(extent) - fixedExtent();
    if (uniform > 0) {
        const qint64 fit = std::max<qint64>(1, room / uniform);
        return qint32(std::max<qint64>(fixed, count - fit));
    }
    qint64 used = 0;
    qint32 first = count;
    while (first > fixed && used + sizeOf(first - 1) <= room) {
        used += sizeOf(first - 1);
        --first;
    }
    if (first == count) {
        first = count - 1; // even the last index alone is taller than the viewport
    }
    return std::max(fixed, first);
}

qint32 GridAxis::firstToShow(qint32 i, qint32 first, int extent) const {
    if (i < fixed || i >= count) {
        return first;
    }
    if (i < first) {
        return i;
    }
    // The lowest first index that still shows i whole; walking up from i stays within a page.
    const qint64 room = qint64(extent) - fixedExtent();
    qint32 lowest = i;
    if (uniform > 0) {
        const qint64 fit = std::max<qint64>(1, room / uniform);
        lowest = qint32(std::max<qint64>(fixed, i - fit + 1));
    } else {
        qint64 used = sizeOf(i);
        while (lowest > fixed && used + sizeOf(lowest - 1) <= room) {
            used += sizeOf(lowest - 1);
            --lowest;
        }
    }
    return std::max(first, lowest);
}

qint32 GridAxis::pageCount(qint32 first, int extent) const {
    const qint64 room = qint64(extent) - fixedExtent();
    if (uniform > 0) {
        return qint32(std::clamp<qint64>(room / uniform, 1, std::max(1, count - fixed)));
    }
    qint64 used = 0;
    qint32 n = 0;
    for (qint32 i = first; i < count; ++i) {
        used += sizeOf(i);
        if (used > room) {
            break;
        }
        ++n;
    }
    return std::max(1, n);
}

bool GridAxis::isVisible(qint32 i, qint32 first, int extent) const {
    if (i < 0 || i >= count || size(i) == 0) {
        return false;
    }
    if (i < fixed) {
        return span(0, i) < extent;
    }
    if (i < first) {
        return false;
    }
    const qint64 base = fixedExtent();
    if (uniform > 0) {
        return base + qint64(i - first) * uniform < extent;
    }
    qint64 at = base;
    for (qint32 j = first; j < i; ++j) {
        at += sizeOf(j);
        if (at >= extent) {
            return false;
        }
    }
    return at < extent;
}

std::vector<GridAxis::Span> GridAxis::visible(qint32 first, int extent) const {
    std::vector<Span> spans;
    int at = 0;
    auto take = [&](qint32 i) {
        const int s = size(i);
        if (s > 0) {
            spans.push_back({i, at, s});
            at += s;
        }
    };
    for (qint32 i = 0; i < std::min(fixed, count) && at < extent; ++i) {
        take(i);
    }
    for (qint32 i = std::max(first, fixed); i < count && at < extent; ++i) {
        take(i);
    }
    return spans;
}

} // namespace Vantrel3
