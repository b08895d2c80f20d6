#pragma once

#include <QtGlobal>
#include <functional>
#include <vector>

namespace Vantrel3 {

// Prefix sums over the sizes of an axis whose indexes do not all have the same size, so that the
// position of any index costs a logarithm of the count instead of a walk over the indexes before
// it. Holds how much each index differs from the standard size (a Fenwick tree). No widget here.
class GridSizeIndex {
public:
    // Builds over count indexes; deltaOf(i) is index i's size less the standard size.
    void build(qint32 count, const std::function<qint64(qint32)> &deltaOf);
    qint32 count() const { return qint32(m_tree.size()); }
    // The sum of the deltas of [0, i).
    qint64 prefix(qint32 i) const;

private:
    std::vector<qint64> m_tree; // 1-based in meaning: m_tree[k - 1] holds node k
};

} // namespace Vantrel3
