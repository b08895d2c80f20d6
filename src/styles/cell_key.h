#pragma once

#include <QtGlobal>

namespace Vantrel3 {

// One hash key for a cell's row and column, which every per-cell index of the registry uses.
inline quint64 cellKey(qint32 row, qint32 col) {
    return (quint64(quint32(row)) << 32) | quint64(quint32(col));
}

} // namespace Vantrel3
