#include "control/vantrel_p.h"

namespace Vantrel3 {

QString Vantrel::DatabaseName() const {
    return d->databaseName;
}

void Vantrel::SetDatabaseName(const QString &name) {
    d->databaseName = name;
    Q_EMIT PropertyChanged(QStringLiteral("DatabaseName"));
}

qint32 Vantrel::RecordsetType() const {
    return d->recordsetType;
}

void Vantrel::SetRecordsetType(qint32 type) {
    d->recordsetType = qint16(type);
    Q_EMIT PropertyChanged(QStringLiteral("RecordsetType"));
}

QString Vantrel::RecordSource() const {
    return d->recordSource;
}

void Vantrel::SetRecordSource(const QString &source) {
    d->recordSource = source;
    Q_EMIT PropertyChanged(QStringLiteral("RecordSource"));
}

} // namespace Vantrel3
