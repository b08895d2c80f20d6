#include "data/record_writer.h"

#include "data/record_reader.h"

#include <QSqlQuery>

namespace Vantrel3 {

namespace {

QList<int> allFields(const RecordsetPrivate &rs) {
    QList<int> out;
    for (int i = 0; i < rs.info.size(); ++i) {
        out.append(i);
    }
    return out;
}

} // namespace

VbError RecordWriter::conflict(bool stillThere) {
    if (stillThere) {
        return sql::daoError(sql::DataChanged, kRecordsetSource);
    }
    return VbError(sql::RecordDeleted, kRecordsetSource,
                   QStringLiteral("Un altro utente ha eliminato questo record: nulla è stato "
                                  "scritto."));
}

StoredRecord RecordWriter::insert(const QList<int> &fields, const QList<QVariant> &binds) {
    QString text = QStringLiteral("INSERT INTO ") + m_rs.table;
    if (fields.isEmpty()) {
        text += QStringLiteral(" DEFAULT VALUES");
    } else {
        QStringList columns;
        for (int f : fields) {
            columns.append(sql::quoteIdentifier(m_rs.info.at(f).name));
        }
        const QStringList marks(columns.size(), QStringLiteral("?"));
        text += QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    return run(text + QStringLiteral(" RETURNING ") + m_rs.selectList(), binds, -1);
}

StoredRecord RecordWriter::update(qsizetype record, const QList<int> &fields,
                                  const QList<QVariant> &binds, const QList<QVariant> &loaded) {
    QStringList sets;
    for (int f : fields) {
        sets.append(sql::quoteIdentifier(m_rs.info.at(f).name) + QStringLiteral(" = ?"));
    }
    QList<QVariant> all = binds;
    const QString where =
        unchanged(record, m_rs.addressKey ? allFields(m_rs) : fields, loaded, all);
    return run(QStringLiteral("UPDATE ") + m_rs.table + QStringLiteral(" SET ") +
                   sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") + where +
                   QStringLiteral(" RETURNING ") + m_rs.selectList(),
               all, record);
}

void RecordWriter::remove(qsizetype record, const QList<QVariant> &loaded) {
    // Every field: a record another user filled in since is not deleted unseen.
    QList<QVariant> binds;
    const QString where = unchanged(record, allFields(m_rs), loaded, binds);
    run(QStringLiteral("DELETE FROM ") + m_rs.table + QStringLiteral(" WHERE ") + where +
            QStringLiteral(" RETURNING ") + m_rs.selectList(),
        binds, record);
}

QString RecordWriter::unchanged(qsizetype record, const QList<int> &checked,
                                const QList<QVariant> &loaded, QList<QVariant> &binds) const {
    QStringList terms{m_rs.keyWhere()};
    binds.append(m_rs.keyOf(record));
    for (int f : checked) {
        terms.append(sql::sameValue(m_rs.info.at(f).read, m_rs.dialect));
        binds.append(loaded.at(f)); // as read, so it compares equal to what is stored
    }
    return terms.join(QStringLiteral(" AND "));
}

StoredRecord RecordWriter::run(const QString &text, const QList<QVariant> &binds,
                               qsizetype record) {
    QSqlDatabase database = m_rs.db();
    if (!database.isOpen()) {
        throw sql::daoError(sql::DriverFailed, kRecordsetSource);
    }
    // One transaction: a commit that fails (a lock, a lost server) is seen and reported, and the
    // look for the cause of a missing record sees what the write saw.
    if (!database.transaction()) {
        throw m_rs.sqlError(database.lastError());
    }
    std::optional<StoredRecord> written;
    {
        QSqlQuery q(database);
        bool ok = q.prepare(text);
        for (const QVariant &b : binds) {
            q.addBindValue(b);
        }
        ok = ok && q.exec();
        if (!ok) {
            const QSqlError error = q.lastError();
            q.finish();
            database.rollback();
            throw m_rs.sqlError(error);
        }
        if (q.next()) {
            written.emplace();
            const int keyCount = int(m_rs.keySelect.size());
            for (int i = 0; i < keyCount; ++i) {
                written->key.append(q.value(i));
            }
            for (int i = 0; i < m_rs.info.size(); ++i) {
                written->values.append(q.value(keyCount + i));
            }
        }
    }
    if (!written) {
        bool stillThere = false;
        try {
            // Its key alone tells whether the record is gone or holds other values now.
            stillThere = record >= 0 && RecordReader(m_rs).read(m_rs.keyOf(record)).has_value();
        } catch (...) {
            database.rollback();
            throw;
        }
        database.rollback();
        throw conflict(stillThere);
    }
    if (!database.commit()) {
        const QSqlError error = database.lastError();
        database.rollback();
        throw m_rs.sqlError(error);
    }
    return *written;
}

} // namespace Vantrel3
