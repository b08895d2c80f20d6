#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace Vantrel3 {

class CellEditor;
class DataControl;
class VbError;
class FlexGrid;
struct EditOptions;

// The binding of the grids to Data1's recordset. Both grids fill themselves when it refreshes;
// bound entry starts once per opened recordset, when the control is shown; a left cell is written
// back to its record; a new row becomes a record when the user leaves it; the host's items
// become records; and the blank record saved for the trailing row goes at the end if it is
// still blank in the database.
//
// Each grid row stands for one record, or for none: the hidden grid's RowData carries the
// record's bookmark, so the tie follows the row wherever rows are inserted or removed.
class RecordBinding {
public:
    RecordBinding(DataControl &data, FlexGrid &shown, FlexGrid &raw, CellEditor &cells,
                  const EditOptions &options, QWidget &control);

    // Bound entry on an open recordset.
    bool active() const;
    // Bound entry that writes: not a snapshot.
    bool writes() const;

    // The saved data source, opened with the form; a database that cannot be opened is
    // reported and the control stays usable, unbound.
    void loadDataSource(const QString &database, qint16 type, const QString &source);
    // The recordset is about to be opened again: bound entry on it ends, and the blank record
    // of the trailing row goes if it is still blank.
    void beforeRefresh();
    // Both grids take the recordset's field names and records; bound entry starts again at
    // once when the control is already shown (`shown`), through `addTrailingRow`.
    void fillGrids(bool shown, const std::function<void()> &addTrailingRow);
    // Starts bound entry, once per opened recordset.
    void onShow(const std::function<void()> &addTrailingRow);
    // Deletes the blank record of the trailing row if it is still blank in the database.
    void onTerminate();

    // The data type a field's type gives a cell without one of its own: Numeric, Date or
    // AlphaNumeric; 0 for a field of another type, or none.
    qint32 fieldDataType(qint32 col) const;
    bool hasRecord(qint32 row) const;

    // How a write to the database went.
    enum class Outcome { Written, NothingToWrite, Refused, Changed, Deleted };
    struct Write {
        Outcome outcome = Outcome::NothingToWrite;
        QString description;
        // The column of the field a refused new record blames, or -1.
        qint32 col = -1;
        // The cells of a new record that the database filled in (a key, a default).
        QList<qint32> filled;
    };
    // Writes a left cell's valid text to the record its row stands for. A record another user
    // changed is read again into both grids; one another user deleted is forgotten, and the
    // caller removes its row.
    Write writeCell(qint32 row, qint32 col, const QString &text);
    // A new row is left: its record is added with every valid field typed so far. Nothing is
    // written for a row with nothing typed.
    Write insertRow(qint32 row);

    // The host's AddItem on a bound grid, in three steps. The trailing row's blank record, or a
    // new one, is started; each field goes to it (the text the cell shows comes back whether or
    // not the record took it); then the record is saved on `row`. A refused item is reported
    // once, with every field the record did not take and why, and nothing is saved.
    void startItem();
    QString itemField(qint32 col, const QString &field);
    bool saveItem(qint32 row);
    // Saves the blank record that stands for a new trailing row; nothing when it fails.
    void addTrailingRecord(qint32 row);
    // RemoveItem: the row's record is deleted first. False when it could not be: the user was
    // told why, and the row must stay. A row that stays after its record went is a new row.
    bool deleteRecordOf(qint32 row);

private:
    qint32 positionOf(qint32 row) const;
    void tag(qint32 row, qint32 position);
    void recordGone(qint32 position);
    bool blankRecordIntact() const;
    void saveBlankRecord(qint32 row);
    QVariant valueFor(qint32 col, const QString &text) const;
    qint32 dataTypeOf(qint32 row, qint32 col) const;
    void reloadRow(qint32 row, qint32 position);
    void report(const QString &description) const;
    // A write to an existing record that failed: another user's change is read again, a record
    // another user deleted is forgotten, anything else is a refusal.
    Write failure(qint32 row, qint32 position, const VbError &e);
    // A refusal, with the column of the field it blames.
    Write refusal(const VbError &e) const;
    void startBoundEntry(const std::function<void()> &addTrailingRow);

    DataControl &m_data;
    FlexGrid &m_shown;
    FlexGrid &m_raw;
    CellEditor &m_cells;
    const EditOptions &m_options;
    QWidget &m_control;

    bool m_boundEntry = false;
    // Opened recordsets counted, and the one bound entry last started on.
    int m_opened = 0;
    int m_entered = -1;
    // Bookmark -> position in the recordset, -1 for a record gone.
    std::vector<qint32> m_positions;
    // The blank record this control saved for the trailing row, and the values it was saved
    // with (server-filled keys included), for "still blank".
    qint32 m_blankBookmark = -1;
    QVariantList m_blankValues;
    // The item being added: whether its record was started, why not, and the fields it refused.
    bool m_itemStarted = false;
    QString m_itemRefusal;
    QStringList m_itemFieldsRefused;
};

} // namespace Vantrel3
