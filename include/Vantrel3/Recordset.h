#pragma once

#include <Vantrel3/Export.h>

#include <QList>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace Vantrel3 {

class RecordsetPrivate;

/// One column of a recordset, obtained from Recordset::Fields(). Type() is the DAO field type
/// code: 1 Boolean, 3 Integer, 4 Long, 5 Currency, 6 Single, 7 Double, 8 Date, 10 Text,
/// 11 binary (OLE object), 12 Memo, 15 GUID, 22 Time.
class VANTREL3_EXPORT Field {
public:
    /// The column's name, as the database gives it.
    QString Name() const;
    /// The DAO field type code (see the class description).
    qint16 Type() const;
    /// Declared length of a text field; 0 when unbounded or not text.
    qint32 Size() const;
    /// Always False: the columns' NOT NULL constraints are not read; a required field shows
    /// itself when Update raises 3314 naming it.
    bool Required() const;
    /// The current record's value, or the edit buffer's while AddNew/Edit is pending. Null comes
    /// back as a QVariant holding std::nullptr_t. Raises 3021 without a current record.
    QVariant Value() const;
    /// Writes into the edit buffer after checking the value against the field's type: 3421 for a
    /// value of the wrong kind, 3163 for text longer than the field, 3020 with no AddNew/Edit
    /// pending, 3027 on a read-only recordset. A null or invalid QVariant writes Null.
    void SetValue(const QVariant &value);

private:
    friend class RecordsetPrivate;
    Field(RecordsetPrivate *rs, int index) : m_rs(rs), m_index(index) {}
    RecordsetPrivate *m_rs;
    int m_index;
};

/// The columns of a recordset, in the order of the table or query.
class VANTREL3_EXPORT Fields {
public:
    /// The number of columns.
    qint32 Count() const;
    /// The column at 0-based @p index; raises 3265 for an index that is not there.
    Field &Item(qint32 index) const;
    /// The column named @p name, matched case-insensitively; raises 3265 for a name that is not
    /// there.
    Field &Item(const QString &name) const;

private:
    friend class RecordsetPrivate;
    explicit Fields(RecordsetPrivate *rs) : m_rs(rs) {}
    RecordsetPrivate *m_rs;
};

/// The records of a table or query, read at once and kept in memory (a table in primary-key or
/// row id order), each with the key that finds it again in the database. Writes go straight to
/// the database with bound parameters; the memory changes only once the database accepted them.
/// Obtained from DataControl::Recordset(); valid until the control's next Refresh.
class VANTREL3_EXPORT Recordset {
public:
    /// Forgets the records; the database is not touched.
    ~Recordset();
    /// Not copyable: a recordset belongs to its DataControl.
    Recordset(const Recordset &) = delete;
    /// Not copyable: a recordset belongs to its DataControl.
    Recordset &operator=(const Recordset &) = delete;

    /// 0 Table, 1 Dynaset, 2 Snapshot (read-only).
    qint16 Type() const;
    /// False for a snapshot, a read-only database file or control, a query, a view, or a
    /// PostgreSQL table without a primary key (its rows have no lasting identity to write back
    /// to); AddNew, Edit and Delete then raise 3027 with the reason after the standard text.
    bool Updatable() const;
    /// Why the records can only be read, in Italian, such as "La tabella «x» non ha una chiave
    /// primaria: i dati si possono solo leggere."; empty when Updatable().
    QString readOnlyReason() const;
    /// The number of records, exact at once: every record is read by Refresh.
    qint32 RecordCount() const;
    /// True when the cursor is before the first record.
    bool IsBOF() const;
    /// True when the cursor is after the last record.
    bool IsEOF() const;
    /// 0 none, 1 Edit pending, 2 AddNew pending.
    qint16 EditMode() const;

    /// The current record's 0-based position; -1 without a current record.
    qint32 AbsolutePosition() const;
    /// Makes record @p position (0..RecordCount-1, else 3001) current, discarding a pending
    /// AddNew/Edit as every move does. Table-type recordsets accept it too, so a grid row always
    /// reaches its own record.
    void SetAbsolutePosition(qint32 position);
    /// Position of the record last added or changed, -1 when none.
    qint32 LastModified() const;

    /// Makes the first record current; raises 3021 when there are no records.
    void MoveFirst();
    /// Makes the last record current; raises 3021 when there are no records.
    void MoveLast();
    /// Moves to the next record, or past the last one (IsEOF); raises 3021 at EOF.
    void MoveNext();
    /// Moves to the previous record, or before the first one (IsBOF); raises 3021 at BOF.
    void MovePrevious();

    /// Starts a new record in an empty edit buffer. AddNew keeps the current record; after
    /// Update the new record is last and the old record is current again.
    void AddNew();
    /// Starts changing the current record: the edit buffer takes its values.
    void Edit();
    /// Writes the pending AddNew (all its fields in one INSERT) or Edit; without either it raises
    /// 3020. After Edit, Update writes only if each field it writes still holds in the database
    /// the value this recordset read for it (every field, for a table found by SQLite's rowid);
    /// otherwise nothing is written and it raises 3197 when another user changed the record, or
    /// 3167 when another user deleted it. A refused NOT NULL, UNIQUE or CHECK raises 3314, 3022
    /// or 3317 naming the field. A write waits up to 5 seconds for another user's lock, then
    /// raises 3218. A failed Update keeps the edit pending, with its values, and the records in
    /// memory unchanged.
    void Update();
    /// Discards the pending AddNew or Edit; raises 3020 when none is pending.
    void CancelUpdate();
    /// Deletes the current record at once, if it still holds what was read (else 3197 or 3167,
    /// and nothing is deleted); it stays current but dead (3021 on access) until a move.
    void Delete();

    /// The columns, with the current record's values.
    Vantrel3::Fields &Fields() const;

    /// @name Fast reads for grids
    /// By position, with no change of the current record; 381 for a record or field outside.
    /// @{

    /// The number of fields of every record.
    qint32 fieldCount() const;
    /// The host string form of @p record's @p field (Null gives "").
    QString text(qint32 record, qint32 field) const;
    /// The value of @p record's @p field, in the form Field::Value() gives.
    QVariant value(qint32 record, qint32 field) const;
    /// @}

    /// @name Another user's changes
    /// Positions 0..RecordCount-1, else 381; a query has no key to find a record by and raises
    /// 3251.
    /// @{

    /// Reads record @p position again from the database by its key into memory and returns true;
    /// false, with memory unchanged, when the database no longer has it. The cursor and
    /// LastModified stay as they are. A pending Edit of that record stays pending with the fields
    /// it has not written refreshed, and its Update then checks against the values just read.
    bool resync(qint32 position);
    /// Drops record @p position from memory, not from the database: for a record another user
    /// deleted. The records after it move up one position, and the cursor and LastModified
    /// follow them; a current record forgotten is dead, as after Delete, and a pending Edit of it
    /// is discarded.
    void forget(qint32 position);
    /// The record's values as the database holds them now, read by its key, in the form value()
    /// gives; nullopt when the record no longer exists. Memory is not changed.
    std::optional<QList<QVariant>> databaseValues(qint32 position) const;
    /// @}

private:
    friend class DataControl;
    explicit Recordset(std::unique_ptr<RecordsetPrivate> d);
    std::unique_ptr<RecordsetPrivate> d;
};

} // namespace Vantrel3
