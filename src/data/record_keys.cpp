#include "data/record_keys.h"

namespace Vantrel3 {

void RecordKeys::reset(int parts) {
    m_parts = parts;
    m_count = 0;
    m_integers = parts == 1;
    m_type = QMetaType();
    m_integerKeys.clear();
    m_keys.clear();
}

bool RecordKeys::compactable(const QVariant &v) {
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return !v.isNull();
    default:
        return false;
    }
}

QVariant RecordKeys::integerKey(qint64 key) const {
    QVariant v = QVariant::fromValue(qlonglong(key));
    if (m_type.isValid() && m_type != v.metaType()) {
        v.convert(m_type);
    }
    return v;
}

void RecordKeys::widen() {
    if (!m_integers) {
        return;
    }
    m_keys.reserve(m_count);
    for (qint64 k : m_integerKeys) {
        m_keys.append(integerKey(k));
    }
    m_integerKeys = {};
    m_integers = false;
}

void RecordKeys::appendInteger(qint64 key, QMetaType type) {
    if (m_integers && (!m_type.isValid() || m_type == type)) {
        m_type = type;
        m_integerKeys.push_back(key);
        ++m_count;
        return;
    }
    QVariant v = QVariant::fromValue(qlonglong(key));
    v.convert(type);
    append({v});
}

void RecordKeys::append(const RecordKeys &other) {
    if (other.m_count == 0) {
        return;
    }
    if (m_integers && other.m_integers && (!m_type.isValid() || m_type == other.m_type)) {
        m_type = other.m_type;
        m_integerKeys.insert(m_integerKeys.end(), other.m_integerKeys.cbegin(),
                             other.m_integerKeys.cend());
        m_count += other.m_count;
        return;
    }
    for (qsizetype i = 0; i < other.m_count; ++i) {
        append(other.at(i));
    }
}

void RecordKeys::append(const QList<QVariant> &key) {
    if (m_integers && key.size() == 1 && compactable(key.front()) &&
        (!m_type.isValid() || m_type == key.front().metaType())) {
        m_type = key.front().metaType();
        m_integerKeys.push_back(key.front().toLongLong());
        ++m_count;
        return;
    }
    widen();
    for (int i = 0; i < m_parts; ++i) {
        m_keys.append(key.value(i));
    }
    ++m_count;
}

QList<QVariant> RecordKeys::at(qsizetype record) const {
    if (m_integers) {
        return {integerKey(m_integerKeys[size_t(record)])};
    }
    return m_keys.mid(record * m_parts, m_parts);
}

void RecordKeys::set(qsizetype record, const QList<QVariant> &key) {
    if (m_integers && key.size() == 1 && compactable(key.front()) &&
        m_type == key.front().metaType()) {
        m_integerKeys[size_t(record)] = key.front().toLongLong();
        return;
    }
    widen();
    for (int i = 0; i < m_parts; ++i) {
        m_keys[record * m_parts + i] = key.value(i);
    }
}

void RecordKeys::remove(qsizetype record) {
    if (m_integers) {
        m_integerKeys.erase(m_integerKeys.begin() + record);
    } else {
        m_keys.remove(record * m_parts, m_parts);
    }
    --m_count;
}

void RecordKeys::reserve(qsizetype count) {
    if (m_integers) {
        m_integerKeys.reserve(size_t(count));
    }
}

void RecordKeys::squeeze() {
    if (m_integers) {
        m_integerKeys.shrink_to_fit();
    } else {
        m_keys.squeeze();
    }
}

} // namespace Vantrel3
