#pragma once

#include <QtGlobal>

namespace Vantrel3 {

// Something kept by grid row that must follow its rows when rows are inserted or removed above
// it, and be let go when the grids are emptied or filled again.
class RowFollower {
public:
    virtual void rowsInserted(qint32 first, qint32 count) = 0;
    virtual void rowsRemoved(qint32 first, qint32 count) = 0;
    virtual void cellsReplaced() = 0;

protected:
    ~RowFollower() = default;
};

} // namespace Vantrel3
