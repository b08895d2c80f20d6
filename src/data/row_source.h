#pragma once

#include "data/record_keys.h"

#include <QLatin1StringView>
#include <QStringView>
#include <QtGlobal>

namespace Vantrel3 {

// The records of a forward-only read, one at a time: each record's key, the fingerprint of its
// values and the host string form of each field, for a recordset that streams them to a grid.
class RowSource {
public:
    virtual ~RowSource() = default;

    // How many records the read will give, when known before it (else -1).
    virtual qint64 expectedCount() const { return -1; }
    // Steps to the next record; false after the last. Raises the DAO error of a failed read.
    virtual bool next() = 0;
    // The current record's key, appended to `keys`.
    virtual void appendKey(RecordKeys &keys) = 0;
    // The fingerprint of the current record's values (RecordFingerprint with the recordset's
    // seed).
    virtual quint64 fingerprint() = 0;
    // The current record's field texts, one view per field, valid until next().
    virtual const QStringView *texts() = 0;
    // The same in one byte a character when every text of the record fits in Latin-1, else
    // null (and texts() has them).
    virtual const QLatin1StringView *latin1Texts() { return nullptr; }
};

} // namespace Vantrel3
