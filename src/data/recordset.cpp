#include "data/recordset_p.h"

#include "data/constraint_failure.h"
#include "data/record_fingerprint.h"
#include "data/record_reader.h"
#include "data/record_writer.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace Vantrel3 {

namespace {
const QString kField = QStringLiteral("DAO.Field");
const QString kFields = QStringLiteral("DAO.Fields");
// Records read again and kept in a streamed recordset: the one being edited and the last few a
// caller read.
constexpr size_t kHeldRecords = 16;

// A raw value as value() and Field::Value() give it: Null as the runtime's Null.
QVariant valueOf(const QVariant &raw, const sql::ColumnType &type) {
    const QVariant v = sql::fromDriver(raw, type);
    return v.isValid() ? v : QVariant::fromValue(nullptr);
}

} // namespace

RecordsetPrivate::RecordsetPrivate()
    : seed(QRandomGenerator::system()->generate64() | 1), fields(this) {}

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
    editOriginals.clear();
    editConflict = 0;
}

RecordsetPrivate::ReadBack RecordsetPrivate::readBack(qsizetype record,
                                                      QList<QVariant> &read) const {
    const auto stored = RecordReader(*this).read(keyOf(record));
    if (!stored) {
        return ReadBack::Gone;
    }
    read = stored->values;
    return RecordFingerprint::of(read, seed) == fingerprints[size_t(record)] ? ReadBack::Loaded
                                                                             : ReadBack::Changed;
}

void RecordsetPrivate::hold(qsizetype record, const QList<QVariant> &values) const {
    const auto it = std::find_if(held.begin(), held.end(),
                                 [record](const Held &h) { return h.record == record; });
    if (it != held.end()) {
        held.erase(it);
    } else if (held.size() >= kHeldRecords) {
        held.erase(held.begin());
    }
    held.push_back({record, values});
}

std::optional<QList<QVariant>> RecordsetPrivate::heldOrRead(qsizetype record,
                                                            ReadBack &outcome) const {
    for (auto it = held.crbegin(); it != held.crend(); ++it) {
        if (it->record == record) {
            outcome = ReadBack::Loaded;
            return it->values;
        }
    }
    QList<QVariant> read;
    outcome = readBack(record, read);
    if (outcome == ReadBack::Loaded) {
        hold(record, read);
    }
    if (outcome == ReadBack::Gone) {
        return std::nullopt;
    }
    return read;
}

QList<QVariant> RecordsetPrivate::loadedValues(qsizetype record) const {
    if (!streamed) {
        return values.mid(record * info.size(), info.size());
    }
    ReadBack outcome = ReadBack::Gone;
    const std::optional<QList<QVariant>> read = heldOrRead(record, outcome);
    if (outcome == ReadBack::Changed) {
        throw sql::daoError(sql::DataChanged, kRecordsetSource);
    }
    if (!read) {
        throw RecordWriter::conflict(false);
    }
    return *read;
}

QList<QVariant> RecordsetPrivate::currentValues(qsizetype record) const {
    if (!streamed) {
        return values.mid(record * info.size(), info.size());
    }
    // A changed record's values are what the database holds now; they are not held, being not
    // as loaded.
    ReadBack outcome = ReadBack::Gone;
    const std::optional<QList<QVariant>> read = heldOrRead(record, outcome);
    if (!read) {
        throw sql::daoError(sql::RecordDeleted, kRecordsetSource);
    }
    return *read;
}

QVariant RecordsetPrivate::raw(qsizetype record, int field) const {
    if (!streamed) {
        return values.at(record * info.size() + field);
    }
    return currentValues(record).at(field);
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
    return keys.at(record);
}

void RecordsetPrivate::store(qsizetype record, const StoredRecord &stored) {
    keys.set(record, stored.key);
    if (!streamed) {
        std::copy(stored.values.cbegin(), stored.values.cend(),
                  values.begin() + record * info.size());
        return;
    }
    fingerprints[size_t(record)] = RecordFingerprint::of(stored.values, seed);
    hold(record, stored.values);
}

void RecordsetPrivate::append(const StoredRecord &stored) {
    keys.append(stored.key);
    if (!streamed) {
        values.append(stored.values);
    } else {
        fingerprints.push_back(RecordFingerprint::of(stored.values, seed));
        hold(rows, stored.values);
    }
    ++rows;
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
        append(writer.insert(written, binds));
        lastModified = rows - 1;
        if (eof) {
            pos = rows; // past the end stays past the end
        }
    } else {
        if (dead || pos >= rows) {
            throw sql::daoError(sql::NoCurrentRecord, kRecordsetSource);
        }
        if (editConflict == sql::DataChanged) {
            throw sql::daoError(sql::DataChanged, kRecordsetSource);
        }
        if (editConflict == sql::RecordDeleted) {
            throw RecordWriter::conflict(false);
        }
        if (!written.isEmpty()) {
            store(pos, writer.update(pos, written, binds, editOriginals));
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
    // Every field as loaded: a record another user filled in since is not deleted unseen.
    RecordWriter(*this).remove(pos, loadedValues(pos));
    discardEdit();
    drop(pos);
}

void RecordsetPrivate::drop(qsizetype record) {
    if (!streamed) {
        values.remove(record * info.size(), info.size());
    } else {
        fingerprints.erase(fingerprints.begin() + record);
        held.erase(std::remove_if(held.begin(), held.end(),
                                  [record](const Held &h) { return h.record == record; }),
                   held.end());
        for (Held &h : held) {
            h.record -= h.record > record ? 1 : 0;
        }
    }
    keys.remove(record);
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
    QList<QVariant> originals;
    qint32 conflict = 0;
    if (!d->streamed) {
        originals = d->loadedValues(d->pos);
    } else {
        // The record is read again by its key when its edit starts; another user's change or
        // delete since it was loaded is told by Update, which then writes nothing.
        switch (d->readBack(d->pos, originals)) {
        case RecordsetPrivate::ReadBack::Loaded:
            d->hold(d->pos, originals);
            break;
        case RecordsetPrivate::ReadBack::Changed:
            conflict = sql::DataChanged;
            break;
        case RecordsetPrivate::ReadBack::Gone:
            conflict = sql::RecordDeleted;
            originals = QList<QVariant>(d->info.size());
            break;
        }
    }
    d->buffer.reserve(d->info.size());
    for (int i = 0; i < d->info.size(); ++i) {
        d->buffer.append(sql::fromDriver(originals.at(i), d->info.at(i).type));
    }
    d->touched = QList<bool>(d->info.size(), false);
    d->editOriginals = originals;
    d->editConflict = conflict;
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
                d->buffer[i] = sql::fromDriver(stored->values.at(i), d->info.at(i).type);
            }
        }
        d->editOriginals = stored->values;
        d->editConflict = 0;
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
