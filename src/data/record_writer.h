#pragma once

#include "data/recordset_p.h"

#include <optional>

namespace Vantrel3 {

// Writes one record of a recordset to its table, each write in a transaction of its own, and
// returns the record as the database then holds it.
//
// An update or a delete finds its record as the recordset read it: by its key, and by the value
// the recordset loaded for each field it writes (every field for a delete, and for a table whose
// key is only the row's address), so another user's change is never overwritten or deleted
// unseen. When the record is not found that way nothing is written, and the error says why:
// 3167 when another user deleted it, 3197 when another user changed it.
class RecordWriter {
public:
    explicit RecordWriter(RecordsetPrivate &rs) : m_rs(rs) {}

    // Inserts the given fields (indexes into the recordset's fields) with their bound values.
    StoredRecord insert(const QList<int> &fields, const QList<QVariant> &binds);
    // Writes the given fields of record `record`, found by its key and `loaded`, its values as
    // the recordset loaded them.
    StoredRecord update(qsizetype record, const QList<int> &fields, const QList<QVariant> &binds,
                        const QList<QVariant> &loaded);
    void remove(qsizetype record, const QList<QVariant> &loaded);
    // Why a record was not found as loaded: another user changed it (3197) or deleted it (3167).
    static VbError conflict(bool stillThere);

private:
    // "key AND each checked field still as loaded", its values appended to binds.
    QString unchanged(qsizetype record, const QList<int> &checked, const QList<QVariant> &loaded,
                      QList<QVariant> &binds) const;
    // Runs one statement that returns the written record; `record` is the one it looks for, or
    // -1 for an insert.
    StoredRecord run(const QString &text, const QList<QVariant> &binds, qsizetype record);

    RecordsetPrivate &m_rs;
};

} // namespace Vantrel3
