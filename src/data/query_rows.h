#pragma once

#include "data/row_source.h"
#include "data/sql_types.h"

#include <QList>
#include <QSqlQuery>
#include <QString>

#include <vector>

namespace Vantrel3 {

struct FieldInfo;

// Rows read through a forward-only query of Qt's driver: the way for PostgreSQL and for queries.
// Its columns are the key's, then the fields'.
class QueryRows final : public RowSource {
public:
    QueryRows(QSqlQuery &query, int keyCount, const QList<FieldInfo> &fields, sql::Dialect dialect,
              const QString &source, quint64 seed = 0);

    bool next() override;
    void appendKey(RecordKeys &keys) override;
    quint64 fingerprint() override;
    const QStringView *texts() override;
    // The current record's fields as the driver returned them.
    void appendValues(QList<QVariant> &values) const;

private:
    QSqlQuery &m_query;
    int m_keyCount;
    std::vector<sql::ColumnType> m_types;
    sql::Dialect m_dialect;
    QString m_source;
    quint64 m_seed;
    std::vector<QString> m_texts;
    std::vector<QStringView> m_views;
};

} // namespace Vantrel3
