#include <Vantrel3/DataControl.h>

#include "data/recordset_p.h"
#include "data/sql_connection.h"

#include <QAtomicInt>
#include <QElapsedTimer>
#include <QSqlDatabase>

namespace Vantrel3 {

namespace {

const QString kSource = QStringLiteral("Data1");

QString nextConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("Vantrel3.DataControl.%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

} // namespace

RecordSink::~RecordSink() = default;

void RecordSink::appendLatin1(qint32 index, const QLatin1StringView *texts, qint32 count) {
    QList<QString> wide;
    QList<QStringView> views;
    wide.reserve(count);
    views.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        wide.append(QString(texts[i]));
        views.append(wide.back());
    }
    append(index, views.constData(), count);
}

DataControl::DataControl(QObject *parent) : QObject(parent), m_connection(nextConnectionName()) {
    setObjectName(kSource);
}

DataControl::~DataControl() {
    close();
}

QString DataControl::DatabaseName() const {
    return m_databaseName;
}

void DataControl::SetDatabaseName(const QString &name) {
    m_databaseName = name;
}

qint16 DataControl::RecordsetType() const {
    return m_recordsetType;
}

void DataControl::SetRecordsetType(qint16 type) {
    if (type < 0 || type > 2) {
        throw VbError(VbError::InvalidPropertyValue, kSource);
    }
    m_recordsetType = type;
}

QString DataControl::RecordSource() const {
    return m_recordSource;
}

void DataControl::SetRecordSource(const QString &source) {
    m_recordSource = source;
}

bool DataControl::ReadOnly() const {
    return m_readOnly;
}

void DataControl::SetReadOnly(bool readOnly) {
    m_readOnly = readOnly;
}

QString DataControl::connectionName() const {
    return m_connection;
}

void DataControl::setRecordSink(RecordSink *sink) {
    m_sink = sink;
}

RecordSink *DataControl::recordSink() const {
    return m_sink;
}

void DataControl::close() {
    // The recordset goes first: it reaches the database through the connection name.
    m_recordset.reset();
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void DataControl::Refresh() {
    QElapsedTimer since;
    since.start();
    close();
    if (m_databaseName.trimmed().isEmpty() || m_recordSource.trimmed().isEmpty()) {
        Q_EMIT Refreshed();
        return;
    }
    const sql::ConnectionTarget target = sql::parseDatabaseName(m_databaseName, kSource);
    sql::openConnection(m_connection, target, kSource);
    try {
        auto p = openRecordset(m_connection, target.dialect, m_recordSource, m_recordsetType,
                               m_readOnly, kSource, m_sink, since);
        m_recordset.reset(new Vantrel3::Recordset(std::move(p)));
    } catch (...) {
        close();
        throw;
    }
    Q_EMIT Refreshed();
}

Recordset &DataControl::Recordset() const {
    if (!m_recordset) {
        throw sql::daoError(sql::ObjectNotSet, kSource);
    }
    return *m_recordset;
}

bool DataControl::HasRecordset() const {
    return m_recordset != nullptr;
}

void DataControl::UpdateRecord() {
    Vantrel3::Recordset &rs = Recordset();
    if (rs.EditMode() != 0) {
        rs.Update();
    }
}

} // namespace Vantrel3
