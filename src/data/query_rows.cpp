#include "data/query_rows.h"

#include "data/record_fingerprint.h"
#include "data/recordset_p.h"

#include <QSqlError>

namespace Vantrel3 {

QueryRows::QueryRows(QSqlQuery &query, int keyCount, const QList<FieldInfo> &fields,
                     sql::Dialect dialect, const QString &source, quint64 seed)
    : m_query(query), m_keyCount(keyCount), m_dialect(dialect), m_source(source), m_seed(seed),
      m_texts(size_t(fields.size())), m_views(size_t(fields.size())) {
    for (const FieldInfo &f : fields) {
        m_types.push_back(f.type);
    }
}

bool QueryRows::next() {
    if (m_query.next()) {
        return true;
    }
    if (m_query.lastError().isValid()) {
        throw sql::fromSqlError(m_query.lastError(), m_dialect, m_source);
    }
    return false;
}

void QueryRows::appendKey(RecordKeys &keys) {
    QList<QVariant> key;
    key.reserve(m_keyCount);
    for (int k = 0; k < m_keyCount; ++k) {
        key.append(m_query.value(k));
    }
    keys.append(key);
}

quint64 QueryRows::fingerprint() {
    RecordFingerprint f(m_seed);
    for (size_t i = 0; i < m_types.size(); ++i) {
        f.add(m_query.value(m_keyCount + int(i)));
    }
    return f.finish();
}

const QStringView *QueryRows::texts() {
    for (size_t i = 0; i < m_types.size(); ++i) {
        m_texts[i] = sql::displayText(m_query.value(m_keyCount + int(i)), m_types[i]);
        m_views[i] = m_texts[i];
    }
    return m_views.data();
}

void QueryRows::appendValues(QList<QVariant> &values) const {
    for (size_t i = 0; i < m_types.size(); ++i) {
        values.append(m_query.value(m_keyCount + int(i)));
    }
}

} // namespace Vantrel3
