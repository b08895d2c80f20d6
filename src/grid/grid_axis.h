#pragma once

#include <QtGlobal>
#include <functional>
#include <vector>

namespace Vantrel3 {

// One direction of the grid (rows or columns) in pixels: the fixed indexes always shown first,
// then the scrolling ones from a first index on. Every query walks at most the indexes that fit
// in the viewport (or none, when all sizes are equal), so cost never grows with the count.
class GridAxis {
public:
    struct Span {
        qint32 index;
        int pos;
        int size;
    };

    qint32 count = 0;
    qint32 fixed = 0;
    int uniform = 0;                   // > 0: every index has this size and sizeOf is not used
    std::function<int(qint32)> sizeOf; // 0 for a hidden index
    // When set, the total size of [from, to) without walking; used for long spans only.
    std::function<qint64(qint32, qint32)> spanOf;

    int size(qint32 i) const { return uniform > 0 ? uniform : sizeOf(i); }
    qint64 span(qint32 from, qint32 to) const; // total size of [from, to)
    int fixedExtent() const { return int(span(0, fixed)); }

    // Start of index i in viewport coordinates when the scrolling part starts at first.
    int position(qint32 i, qint32 first) const;
    // The index under pos, or -1 when none.
    qint32 indexAt(int pos, qint32 first, int extent) const;
    // The largest first index that still leaves the viewport filled to the last index.
    qint32 maxFirst(int extent) const;
    // The first index that shows i whole, moving as little as possible from first.
    qint32 firstToShow(qint32 i, qint32 first, int extent) const;
    // How many scrolling indexes from first fit whole in the viewport (at least 1).
    qint32 pageCount(qint32 first, int extent) const;
    bool isVisible(qint32 i, qint32 first, int extent) const;
    // The indexes drawn in the viewport, fixed ones first; hidden ones are left out.
    std::vector<Span> visible(qint32 first, int extent) const;
};

} // namespace Vantrel3
