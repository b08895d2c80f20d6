#pragma once

#include "data/recordset_p.h"

#include <optional>

namespace Vantrel3 {

// Reads one record of a recordset's table again by its key, as the database holds it now.
class RecordReader {
public:
    explicit RecordReader(const RecordsetPrivate &rs) : m_rs(rs) {}

    // The record with this key, or nullopt when there is none. Raises 3251 for a recordset
    // without a key (a query), which cannot find a record again.
    std::optional<StoredRecord> read(const QList<QVariant> &key) const;

private:
    const RecordsetPrivate &m_rs;
};

} // namespace Vantrel3
