#pragma once

#include <QList>
#include <QMetaType>
#include <QVariant>

#include <vector>

namespace Vantrel3 {

// The keys that find a recordset's records again, in record order. A key of one integer column
// (a row id, a serial) takes 8 bytes a record; any other key is kept as the driver's values.
class RecordKeys {
public:
    // Keys of `parts` columns each; none for a query.
    void reset(int parts);

    qsizetype size() const { return m_parts == 0 ? 0 : m_count; }
    int parts() const { return m_parts; }

    void append(const QList<QVariant> &key);
    // A one-column integer key as the driver gives it as `type` (e.g. qlonglong for SQLite).
    void appendInteger(qint64 key, QMetaType type);
    // Every key of `other`, a list of keys of as many columns, after these.
    void append(const RecordKeys &other);
    QList<QVariant> at(qsizetype record) const;
    void set(qsizetype record, const QList<QVariant> &key);
    void remove(qsizetype record);
    // Room for `count` keys, taken at once.
    void reserve(qsizetype count);
    // Gives back the spare room that appending one key at a time left.
    void squeeze();

private:
    static bool compactable(const QVariant &v);
    QVariant integerKey(qint64 key) const;
    // From then on every key is kept as driver values.
    void widen();

    int m_parts = 0;
    qsizetype m_count = 0;
    bool m_integers = true;
    QMetaType m_type;
    std::vector<qint64> m_integerKeys;
    QList<QVariant> m_keys; // m_count x m_parts, once widened
};

} // namespace Vantrel3
