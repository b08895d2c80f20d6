#pragma once

#include <QString>
#include <QVariantList>
#include <QtGlobal>

#include <functional>
#include <optional>

class QWidget;

namespace Vantrel3 {

class DataControl;
class EditSession;
class FlexGrid;
struct EditOptions;

// The binding of the grids to Data1's recordset: both grids fill themselves when it refreshes,
// bound entry starts when the control is shown with an open recordset, typing puts a record into
// edit mode, a left cell is written back, new rows become records, and the blank record saved
// for the trailing row is deleted at the end if it is still blank.
class RecordBinding {
public:
    RecordBinding(DataControl &data, FlexGrid &shown, FlexGrid &raw, EditSession &session,
                  const EditOptions &options, QWidget &control);

    // Bound entry: set when the control was shown while its data source had an open recordset.
    bool active() const { return m_boundEntry; }

    // The saved data source, opened with the form; a database that cannot be opened is
    // reported and the control stays usable, unbound.
    void loadDataSource(const QString &database, qint16 type, const QString &source);
    // Both grids take the recordset's field names and records.
    void fillGrids();
    // Decides bound entry; `addTrailingRow` appends the trailing empty row before it starts.
    void onShow(const std::function<void()> &addTrailingRow);
    // Deletes the blank record of the trailing row if it is still blank and still last.
    void onTerminate();

    // Puts the record of `row` into edit mode; true when it started one now.
    bool startRecordEdit(qint32 row);
    // Writes the text of a left cell to its record. False when the record did not take it; the
    // failure is kept for takeFailedWrite. It may set the data type from the field's type.
    bool WriteCellToRecord(qint32 row, qint32 col, const QString &text, const QString &rawBefore);

    // A write-back that failed while its cell was left.
    struct FailedWrite {
        qint32 row;
        qint32 col;
        QString text;
        QString description;
    };
    std::optional<FailedWrite> takeFailedWrite();

    // Bound AddItem: the trailing row's blank record, or a new one, takes the item's fields.
    void startRecordForItem();
    // Gives the started record one field of an item; returns the text the cell shows.
    QString writeItemField(qint32 col, const QString &field);
    // The record save; a failure is reported to the user and false comes back.
    bool saveRecord();
    // The item's record is saved on `row`: the trailing row's blank record, if it was that one,
    // now holds data.
    void itemSaved(qint32 row);
    // Adds and saves the blank record of a new trailing row; no half-made record stays pending.
    void addTrailingRecord();
    // Deletes the record of grid row `index`.
    void deleteRecord(qint32 index);

private:
    bool trailingBlankRecordIntact() const;
    void CompleteNewRecord();

    DataControl &m_data;
    FlexGrid &m_shown;
    FlexGrid &m_raw;
    EditSession &m_session;
    const EditOptions &m_options;
    QWidget &m_control;

    bool m_boundEntry = false;
    // The blank record this control saved for the trailing empty row, and its position.
    bool m_blankRecordSaved = false;
    qint32 m_blankRecordPosition = -1;
    // The values the blank record was saved with (server-filled keys included), for "still
    // blank".
    QVariantList m_blankRecordValues;
    std::optional<FailedWrite> m_failedWrite;
};

} // namespace Vantrel3
