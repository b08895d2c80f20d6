#include "data/record_reader.h"

#include <QSqlQuery>

namespace Vantrel3 {

std::optional<StoredRecord> RecordReader::read(const QList<QVariant> &key) const {
    if (m_rs.keyColumns.isEmpty() || m_rs.table.isEmpty()) {
        throw sql::daoError(sql::NotSupported, kRecordsetSource);
    }
    QSqlDatabase database = m_rs.db();
    if (!database.isOpen()) {
        throw sql::daoError(sql::DriverFailed, kRecordsetSource);
    }
    QSqlQuery q(database);
    q.setForwardOnly(true);
    bool ok = q.prepare(QStringLiteral("SELECT ") + m_rs.selectList() + QStringLiteral(" FROM ") +
                        m_rs.table + QStringLiteral(" WHERE ") + m_rs.keyWhere());
    for (const QVariant &k : key) {
        q.addBindValue(k);
    }
    if (!ok || !q.exec()) {
        throw m_rs.sqlError(q.lastError());
    }
    if (!q.next()) {
        if (q.lastError().isValid()) {
            throw m_rs.sqlError(q.lastError());
        }
        return std::nullopt;
    }
    StoredRecord record;
    const int keyCount = int(m_rs.keySelect.size());
    for (int i = 0; i < keyCount; ++i) {
        record.key.append(q.value(i));
    }
    for (int i = 0; i < m_rs.info.size(); ++i) {
        record.values.append(q.value(keyCount + i));
    }
    return record;
}

} // namespace Vantrel3
