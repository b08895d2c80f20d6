#include "data/record_fingerprint.h"

#include "data/sql_types.h"

#include <QDateTime>
#include <QHashFunctions>

#include <algorithm>
#include <cstring>

namespace Vantrel3 {

void RecordFingerprint::growBuffer(qsizetype bytes) {
    m_buffer.resize(
        size_t(std::max<qsizetype>(m_used + bytes, 2 * qsizetype(m_buffer.size()) + 256)));
}

void RecordFingerprint::addText(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    addUtf8(utf8.constData(), utf8.size());
}

void RecordFingerprint::add(const QVariant &value) {
    if (sql::isNullValue(value)) {
        addNull();
        return;
    }
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        addInteger(value.toLongLong());
        return;
    case QMetaType::ULongLong: {
        const qulonglong n = value.toULongLong();
        addFixed('U', n);
        return;
    }
    case QMetaType::Double:
    case QMetaType::Float:
        addReal(value.toDouble());
        return;
    case QMetaType::QString:
        addText(value.toString());
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        addBytes(bytes.constData(), bytes.size());
        return;
    }
    case QMetaType::Bool: {
        addFixed('b', char(value.toBool() ? 1 : 0));
        return;
    }
    case QMetaType::QDate: {
        addFixed('D', qint64(value.toDate().toJulianDay()));
        return;
    }
    default: {
        // Any other kind by its type and its exact text.
        const QByteArray text = QByteArray::number(value.metaType().id()) + ':' +
                                (value.metaType().id() == QMetaType::QDateTime
                                     ? value.toDateTime().toString(Qt::ISODateWithMs).toUtf8()
                                     : value.toString().toUtf8());
        addSized('X', text.constData(), text.size());
        return;
    }
    }
}

quint64 RecordFingerprint::finish() {
    const quint64 digest = qHashBits(m_buffer.data(), size_t(m_used), m_seed);
    m_used = 0;
    return digest;
}

quint64 RecordFingerprint::of(const QList<QVariant> &values, quint64 seed) {
    RecordFingerprint f(seed);
    for (const QVariant &v : values) {
        f.add(v);
    }
    return f.finish();
}

} // namespace Vantrel3
