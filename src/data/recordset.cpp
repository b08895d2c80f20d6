#include "data/recordset_p.h"

#include "data/constraint_failure.h"
#include "data/record_reader.h"
#include "data/record_writer.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Vantrel3 {

namespace {
const QString kField = QStringLiteral("DAO.Field");
const QString kFields = QStringLiteral("DAO.Fields");

// A raw value as value() and Field::Value() give it: Null as the runtime's Null.
QVariant valueOf(const QVariant &raw, const sql::ColumnType &type) {
    const QVariant v = sql::fromDriver(raw, type);
    return v.isValid() ? v : QVariant::fromValue(nullptr);
}

} // namespace

RecordsetPrivate::RecordsetPrivate() : fields(this) {}

void RecordsetPrivate::makeFields() {
    fieldObjects.clear();
    for (int i = 0; i < info.size(); ++i) {
        fieldObjects.push_back(std::unique_ptr<Field>(new Field(this, i)));
    }
}

QSqlDatabase RecordsetPrivate::db() const {
    return QSqlDatabase::database(connection, false);
}

void RecordsetPrivate::requireCurrent(const QString &source) const {
    if (dead && kind == 0) {
        throw sql::daoError(sql::RecordDeleted, source);
    }
    if (!hasCurrent()) {
        throw sql::daoError(sql::NoCurrentRecord, source);
    }
}

void RecordsetPrivate::requireUpdatable(const QString &source) const {
    if (!updatable()) {
        throw VbError(sql::ReadOnlyObject, source,
                      sql::daoMessage(sql::ReadOnlyObject) + u' ' + readOnlyReason);
    }
}

void RecordsetPrivate::discardEdit() {
    editMode = 0;
    buffer.clear();
    touched.clear();
}

void RecordsetPrivate::previewAutoNumbers() {
    for (int i = 0; i < info.size(); ++i) {
        const FieldInfo &f = info.at(i);
        if (!f.autoNumber) {
            continue;
        }
        QSqlQuery q(db());
        bool ok = false;
        if (dialect == sql::Dialect::Postgres) {
            // The number is taken now and written with the record, as AutoNumber does.
            ok = q.prepare(QStringLiteral("SELECT nextval(?::regclass)"));
            q.addBindValue(f.sequence);
            ok = ok && q.exec() && q.next();
            touched[i] = ok;
        } else {
            // Left out of the INSERT: SQLite assigns it, and RETURNING brings back the number
            // it really took should another writer have come first.
            const QString sequence =
                QStringLiteral("(SELECT seq FROM sqlite_sequence WHERE name = ?)");
            const QString maxRowid = QStringLiteral("(SELECT max(rowid) FROM %1)").arg(table);
            ok = q.prepare(QStringLiteral("SELECT max(coalesce(%1, 0), coalesce(%2, 0)) + 1")
                               .arg(sequence, maxRowid));
            q.addBindValue(sql::unquoteIdentifier(table));
            ok = ok && q.exec() && q.next();
            if (!ok) { // no AUTOINCREMENT table in this file, so no sqlite_sequence
                ok = q.exec(QStringLiteral("SELECT coalesce(%1, 0) + 1").arg(maxRowid)) && q.next();
            }
        }
        if (!ok) {
            throw sqlError(q.lastError());
        }
        buffer[i] = QVariant(q.value(0).toLongLong());
    }
}

QVariant RecordsetPrivate::fieldValue(int field) const {
    QVariant v;
    if (editMode != 0) {
        v = buffer.at(field);
    } else {
        requireCurrent(kField);
        v = sql::fromDriver(raw(pos, field), info.at(field).type);
    }
    // Null travels as the runtime's Null.
    return v.isValid() ? v : QVariant::fromValue(nullptr);
}

void RecordsetPrivate::setFieldValue(int field, const QVariant &value) {
    requireUpdatable(kField);
    if (editMode == 0) {
        throw sql::daoError(sql::NothingPending, kField);
    }
    buffer[field] = sql::coerce(value, info.at(field).type, kField);
    touched[field] = true;
}

QString RecordsetPrivate::selectList() const {
    QStringList out = keySelect;
    for (const FieldInfo &f : info) {
        out.append(f.read);
    }
    return out.join(QStringLiteral(", "));
}

QString RecordsetPrivate::keyWhere() const {
    QStringList terms;
    for (const QString &column : keyColumns) {
        terms.append(column + QStringLiteral(" = ?"));
    }
    return terms.join(QStringLiteral(" AND "));
}

QList<QVariant> RecordsetPrivate::keyOf(qsizetype record) const {
    const qsizetype n = keySelect.size();
    return keys.mid(record * n, n);
}

void RecordsetPrivate::store(qsizetype record, const StoredRecord &stored) {
    std::copy(stored.values.cbegin(), stored.values.cend(), values.begin() + record * info.size());
    std::copy(stored.key.cbegin(), stored.key.cend(), keys.begin() + record * keySelect.size());
}

sql::DataError RecordsetPrivate::sqlError(const QSqlError &error) const {
    QStringList names;
    for (const FieldInfo &f : info) {
        names.append(f.name);
    }
    if (auto failure = sql::ConstraintFailure::read(error, dialect, tableName, names)) {
        failure->findRule(db(), table);
        return sql::DataError(failure->number(), kRecordsetSource,
                              sql::withDriverText(failure->description(), error),
                              failure->fields().value(0));
    }
    const VbError e =
        sql::fromSqlError(error, dialect, kRecordsetSource, tableName, db().databaseName());
    return sql::DataError(e.Number(), e.Source(), e.Description());
}

void RecordsetPrivate::update() {
    requireUpdatable(kRecordsetSource);
    if (editMode == 0) {
        throw sql::daoError(sql::NothingPending, kRecordsetSource);
    }
    QList<int> written;
    QList<QVariant> binds;
    for (int i = 0; i < info.size(); ++i) {
        if (touched.at(i)) {
            written.append(i);
            binds.append(sql::toBind(buffer.at(i), info.at(i).type, dialect));
        }
    }
    RecordWriter writer(*this);
    if (editMode == 2) {
        const StoredRecord record = writer.insert(written, binds);
        values.append(record.values);
        keys.append(record.key);
        ++rows;
        lastModified = rows - 1;
        if (eof) {
            pos = rows; // past the end stays past the end
        }
    } else {
        if (dead || pos >= rows) {
            throw sql::daoError(sql::NoCurrentRecord, kRecordsetSource);
        }
        if (!written.isEmpty()) {
            store(pos, writer.update(pos, written, binds));
        }
        lastModified = pos;
    }
    discardEdit();
}

void RecordsetPrivate::remove() {
    requireUpdatable(kRecordsetSource);
    requireCurrent(kRecordsetSource);
    if (editMode == 2) {
        discardEdit(); // a pending new record is dropped; the current record is the one deleted
    }
    RecordWriter(*this).remove(pos);
    discardEdit();
    drop(pos);
}

void RecordsetPrivate::drop(qsizetype record) {
    const qsizetype n = info.size();
    values.remove(record * n, n);
    keys.remove(record * keySelect.size(), keySelect.size());
    --rows;
    if (lastModified == record) {
        lastModified = -1;
    } else if (lastModified > record) {
        --lastModified;
    }
    if (record < pos) {
        --pos; // the current record (or the end) moved up with the others
    } else if (record == pos && !bof && !eof && !dead) {
        if (editMode == 1) {
            discardEdit();
        }
        dead = true; // the next record now sits at pos, as after Delete
    }
}

void RecordsetPrivate::requireRecord(qsizetype record) const {
    if (record < 0 || record >= rows) {
        throw VbError(VbError::SubscriptOutOfRange, kRecordsetSource);
    }
}

// Field

QString Field::Name() const {
    return m_rs->info.at(m_index).name;
}

qint16 Field::Type() const {
    return m_rs->info.at(m_index).type.dao;
}

qint32 Field::Size() const {
    return m_rs->info.at(m_index).type.maxLength;
}

bool Field::Required() const {
    return m_rs->info.at(m_index).required;
}

QVariant Field::Value() const {
    return m_rs->fieldValue(m_index);
}

void Field::SetValue(const QVariant &value) {
    m_rs->setFieldValue(m_index, value);
}

// Fields

qint32 Fields::Count() const {
    return qint32(m_rs->info.size());
}

Field &Fields::Item(qint32 index) const {
    if (index < 0 || index >= Count()) {
        throw sql::daoError(sql::ItemNotFound, kFields);
    }
    return *m_rs->fieldObjects.at(size_t(index));
}

Field &Fields::Item(const QString &name) const {
    for (int i = 0; i < m_rs->info.size(); ++i) {
        if (m_rs->info.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            return *m_rs->fieldObjects.at(size_t(i));
        }
    }
    throw sql::daoError(sql::ItemNotFound, kFields);
}

// Recordset

Recordset::Recordset(std::unique_ptr<RecordsetPrivate> p) : d(std::move(p)) {}

Recordset::~Recordset() = default;

qint16 Recordset::Type() const {
    return d->kind;
}

bool Recordset::Updatable() const {
    return d->updatable();
}

QString Recordset::readOnlyReason() const {
    return d->readOnlyReason;
}

qint32 Recordset::RecordCount() const {
    return qint32(d->rows);
}

bool Recordset::IsBOF() const {
    return d->bof;
}

bool Recordset::IsEOF() const {
    return d->eof;
}

qint16 Recordset::EditMode() const {
    return d->editMode;
}

qint32 Recordset::AbsolutePosition() const {
    return d->hasCurrent() ? qint32(d->pos) : -1;
}

void Recordset::SetAbsolutePosition(qint32 position) {
    if (position < 0 || position >= d->rows) {
        throw sql::daoError(sql::InvalidArgument, kRecordsetSource);
    }
    d->discardEdit();
    d->pos = position;
    d->bof = d->eof = d->dead = false;
}

qint32 Recordset::LastModified() const {
    return qint32(d->lastModified);
}

void Recordset::MoveFirst() {
    if (d->rows == 0) {
        throw sql::daoError(sql::NoCurrentRecord, kRecordsetSource);
    }
    SetAbsolutePosition(0);
}

void Recordset::MoveLast() {
    if (d->rows == 0) {
        throw sql::daoError(sql::NoCurrentRecord, kRecordsetSource);
    }
    SetAbsolutePosition(qint32(d->rows - 1));
}

void Recordset::MoveNext() {
    if (d->eof) {
        throw sql::daoError(sql::NoCurrentRecord, kRecordsetSource);
    }
    d->discardEdit();
    // After a Delete the next record already sits at the dead record's index.
    const qsizetype next = d->bof ? 0 : (d->dead ? d->pos : d->pos + 1);
    d->pos = next;
    d->bof = d->dead = false;
    d->eof = next >= d->rows;
}

void Recordset::MovePrevious() {
    if (d->bof) {
        throw sql::daoError(sql::NoCurrentRecord, kRecordsetSource);
    }
    d->discardEdit();
    const qsizetype previous = d->pos - 1;
    d->eof = d->dead = false;
    d->bof = previous < 0 || d->rows == 0;
    d->pos = qMax<qsizetype>(previous, 0);
}

void Recordset::AddNew() {
    d->requireUpdatable(kRecordsetSource);
    d->discardEdit();
    d->buffer = QList<QVariant>(d->info.size());
    d->touched = QList<bool>(d->info.size(), false);
    d->previewAutoNumbers();
    d->editMode = 2;
}

void Recordset::Edit() {
    d->requireUpdatable(kRecordsetSource);
    d->requireCurrent(kRecordsetSource);
    d->discardEdit();
    d->buffer.reserve(d->info.size());
    for (int i = 0; i < d->info.size(); ++i) {
        d->buffer.append(sql::fromDriver(d->raw(d->pos, i), d->info.at(i).type));
    }
    d->touched = QList<bool>(d->info.size(), false);
    d->editMode = 1;
}

void Recordset::Update() {
    d->update();
}

void Recordset::CancelUpdate() {
    if (d->editMode == 0) {
        throw sql::daoError(sql::NothingPending, kRecordsetSource);
    }
    d->discardEdit();
}

void Recordset::Delete() {
    d->remove();
}

Fields &Recordset::Fields() const {
    return d->fields;
}

qint32 Recordset::fieldCount() const {
    return qint32(d->info.size());
}

QString Recordset::text(qint32 record, qint32 field) const {
    if (record < 0 || record >= d->rows || field < 0 || field >= d->info.size()) {
        throw VbError(VbError::SubscriptOutOfRange, kRecordsetSource);
    }
    return sql::displayText(d->raw(record, field), d->info.at(field).type);
}

QVariant Recordset::value(qint32 record, qint32 field) const {
    if (record < 0 || record >= d->rows || field < 0 || field >= d->info.size()) {
        throw VbError(VbError::SubscriptOutOfRange, kRecordsetSource);
    }
    return valueOf(d->raw(record, field), d->info.at(field).type);
}

bool Recordset::resync(qint32 position) {
    d->requireRecord(position);
    const auto stored = RecordReader(*d).read(d->keyOf(position));
    if (!stored) {
        return false;
    }
    d->store(position, *stored);
    if (d->editMode == 1 && d->pos == position && !d->dead) {
        for (int i = 0; i < d->info.size(); ++i) {
            if (!d->touched.at(i)) {
                d->buffer[i] = sql::fromDriver(d->raw(position, i), d->info.at(i).type);
            }
        }
    }
    return true;
}

void Recordset::forget(qint32 position) {
    d->requireRecord(position);
    d->drop(position);
}

std::optional<QList<QVariant>> Recordset::databaseValues(qint32 position) const {
    d->requireRecord(position);
    const auto stored = RecordReader(*d).read(d->keyOf(position));
    if (!stored) {
        return std::nullopt;
    }
    QList<QVariant> out;
    for (int i = 0; i < d->info.size(); ++i) {
        out.append(valueOf(stored->values.at(i), d->info.at(i).type));
    }
    return out;
}

} // namespace Vantrel3
