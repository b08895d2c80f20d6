#include "grid/grid_size_index.h"

namespace Vantrel3 {

void GridSizeIndex::build(qint32 count, const std::function<qint64(qint32)> &deltaOf) {
    m_tree.assign(size_t(std::max<qint32>(count, 0)), 0);
    const qint64 n = qint64(m_tree.size());
    for (qint64 k = 1; k <= n; ++k) {
        m_tree[size_t(k - 1)] += deltaOf(qint32(k - 1));
        const qint64 parent = k + (k & -k);
        if (parent <= n) {
            m_tree[size_t(parent - 1)] += m_tree[size_t(k - 1)];
        }
    }
}

qint64 GridSizeIndex::prefix(qint32 i) const {
    qint64 sum = 0;
    for (qint64 k = std::min<qint64>(i, qint64(m_tree.size())); k > 0; k -= k & -k) {
        sum += m_tree[size_t(k - 1)];
    }
    return sum;
}

} // namespace Vantrel3
