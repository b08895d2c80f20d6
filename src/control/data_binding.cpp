// The binding to Data1's recordset: the data-source properties, the grids filling themselves on
// refresh, the bound-entry decision when the control is shown, the record-edit start, the
// write-back of an edited cell, the completion of a new record and the blank-record rule at
// the end.

#include "control/vantrel_p.h"
#include "editing/editor_box.h"
#include "host/ignoring_errors.h"

#include <Vantrel3/DataControl.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Recordset.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <QTimer>

namespace Vantrel3 {

namespace {

const QString kVantrelMessage = QStringLiteral("Vantrel Message");
// The values the trailing blank record was saved with, kept on the data source.

enum class FieldGroup { Numeric, Date, Text, Other };

FieldGroup groupOf(qint16 type) {
    switch (type) {
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 11:
        return FieldGroup::Numeric;
    case 8:
    case 22:
        return FieldGroup::Date;
    case 10:
    case 12:
        return FieldGroup::Text;
    default:
        return FieldGroup::Other;
    }
}

// A text field gets a zero-length string, never Null: a null QString would reach the database as
// NULL.
QVariant textValue(const QString &text) {
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

} // namespace

// --- Properties ------------------------------------------------------------------------------

QString Vantrel::DatabaseName() const {
    return d->Data1->DatabaseName();
}

void Vantrel::SetDatabaseName(const QString &name) {
    d->Data1->SetDatabaseName(name);
    d->Data1->Refresh();
    Q_EMIT PropertyChanged(QStringLiteral("DatabaseName"));
}

qint32 Vantrel::RecordsetType() const {
    return d->Data1->RecordsetType();
}

void Vantrel::SetRecordsetType(qint32 type) {
    if (type < -32768 || type > 32767) {
        throw VbError(VbError::Overflow, QStringLiteral("Vantrel"));
    }
    d->Data1->SetRecordsetType(qint16(type));
    Q_EMIT PropertyChanged(QStringLiteral("RecordsetType"));
}

QString Vantrel::RecordSource() const {
    return d->Data1->RecordSource();
}

void Vantrel::SetRecordSource(const QString &source) {
    try {
        d->Data1->SetRecordSource(source);
        d->Data1->Refresh();
    } catch (const VbError &e) {
        MsgBox(e.Description(), vbCritical, kVantrelMessage, this);
        return;
    }
    Q_EMIT PropertyChanged(QStringLiteral("RecordSource"));
}

// --- Loading and filling ---------------------------------------------------------------------

void VantrelPrivate::loadDataSource(const QString &database, qint16 type, const QString &source) {
    Data1->SetDatabaseName(database);
    Data1->SetRecordsetType(type);
    Data1->SetRecordSource(source);
    if (database.isEmpty() || source.isEmpty()) {
        return;
    }
    // The data source opens with the form; a database that cannot be opened is reported and the
    // control stays usable, unbound.
    try {
        Data1->Refresh();
    } catch (const VbError &e) {
        MsgBox(e.Description(), vbCritical, kVantrelMessage, q);
    }
}

void VantrelPrivate::fillGridsFromRecordset() {
    if (!Data1->HasRecordset()) {
        return;
    }
    const Recordset &rs = Data1->Recordset();
    const qint32 fields = rs.fieldCount();
    const qint32 records = rs.RecordCount();
    const Fields &names = rs.Fields();
    for (FlexGrid *grid : {MSFlexGrid1, MSFlexGrid2}) {
        const bool redraw = grid->Redraw();
        grid->SetRedraw(false);
        grid->SetCols(std::max(fields, grid->FixedCols() + 1));
        grid->SetRows(records + 1);
        for (qint32 c = 0; c < fields; ++c) {
            grid->SetTextMatrix(0, c, names.Item(c).Name());
        }
        for (qint32 r = 0; r < records; ++r) {
            for (qint32 c = 0; c < fields; ++c) {
                grid->SetTextMatrix(r + 1, c, rs.text(r, c));
            }
        }
        grid->SetRedraw(redraw);
    }
    blankRecordSaved = false;
    forgetTyping();
    schedulePlacement();
}

// --- Show and Terminate ----------------------------------------------------------------------

void VantrelPrivate::onShow() {
    bool open = false;
    try {
        open = Data1->Recordset().RecordCount() >= 0;
    } catch (...) {
        open = false;
    }
    if (!open) {
        boundEntry = false;
        return;
    }
    // Runs before the flag is set: on the first showing the trailing row is a plain grid row.
    attempt([&] { q->AddItem(QString()); });
    boundEntry = true;
}

bool VantrelPrivate::trailingBlankRecordIntact() const {
    if (!blankRecordSaved || !Data1->HasRecordset()) {
        return false;
    }
    const Recordset &rs = Data1->Recordset();
    const qint32 last = rs.RecordCount() - 1;
    if (last < 0 || last != blankRecordPosition) {
        return false;
    }
    // Only a record that still holds the values it was saved blank with may go. They are
    // compared as saved, not against 0 and "": the database may have filled fields itself (a
    // serial key), which is no user data.
    const QVariantList &saved = blankRecordValues;
    if (saved.size() != rs.fieldCount()) {
        return false;
    }
    for (qint32 i = 0; i < rs.fieldCount(); ++i) {
        const QVariant v = rs.value(last, i);
        const bool same =
            v.isNull() || saved[i].isNull() ? v.isNull() == saved[i].isNull() : v == saved[i];
        if (!same) {
            return false;
        }
    }
    return true;
}

void VantrelPrivate::onTerminate() {
    if (!boundEntry) {
        return;
    }
    attempt([&] {
        if (!trailingBlankRecordIntact()) {
            return;
        }
        Recordset &rs = Data1->Recordset();
        rs.MoveLast();
        rs.Delete();
    });
}

// --- Records -----------------------------------------------------------------------------------

bool VantrelPrivate::startRecordEdit() {
    if (!allowEdit || !boundEntry || Data1->RecordsetType() == Snapshot || recordEditPending) {
        return false;
    }
    attempt([&] { Data1->Recordset().SetAbsolutePosition(MSFlexGrid1->Row() - 1); });
    attempt([&] { Data1->Recordset().Edit(); });
    recordEditPending = true;
    return true;
}

void VantrelPrivate::startRecordForItem() {
    Recordset &rs = Data1->Recordset();
    // The trailing row's blank record takes the new item's fields, so grid rows and records
    // stay in step; without one, a new record is added.
    if (trailingBlankRecordIntact()) {
        rs.SetAbsolutePosition(blankRecordPosition);
        rs.Edit();
        return;
    }
    rs.AddNew();
}

QString VantrelPrivate::writeItemField(qint32 col, const QString &field) {
    Recordset &rs = Data1->Recordset();
    Field &f = rs.Fields().Item(col);
    switch (groupOf(f.Type())) {
    case FieldGroup::Numeric: {
        const double value = vb::Val(field);
        f.SetValue(value);
        return vb::Format(value);
    }
    case FieldGroup::Date:
        if (vb::IsDate(field)) {
            f.SetValue(vb::CDate(field));
            return field;
        }
        f.SetValue(QVariant());
        return QStringLiteral("Err");
    case FieldGroup::Text:
        f.SetValue(textValue(field));
        return field;
    case FieldGroup::Other:
        break;
    }
    return QString();
}

bool VantrelPrivate::saveRecord() {
    try {
        Data1->UpdateRecord();
        return true;
    } catch (const VbError &e) {
        attempt([&] { Data1->Recordset().CancelUpdate(); });
        MsgBox(e.Description(), vbCritical, kVantrelMessage, q);
        return false;
    }
}

void VantrelPrivate::CompleteNewRecord() {
    Recordset &rs = Data1->Recordset();
    Fields &fields = rs.Fields();
    for (qint32 i = 0; i < fields.Count(); ++i) {
        Field &f = fields.Item(i);
        if (!f.Value().isNull()) {
            continue;
        }
        switch (groupOf(f.Type())) {
        case FieldGroup::Numeric:
            f.SetValue(0);
            break;
        case FieldGroup::Date:
            f.SetValue(QVariant());
            break;
        case FieldGroup::Text:
            f.SetValue(textValue(QString()));
            break;
        case FieldGroup::Other:
            break;
        }
    }
    Data1->UpdateRecord();
    blankRecordSaved = true;
    blankRecordPosition = rs.RecordCount() - 1;
    QVariantList saved;
    for (qint32 i = 0; i < rs.fieldCount(); ++i) {
        saved.append(rs.value(blankRecordPosition, i));
    }
    blankRecordValues = saved;
}

bool VantrelPrivate::WriteCellToRecord() {
    if (!allowEdit || !boundEntry || Data1->RecordsetType() == Snapshot) {
        return true;
    }
    const QString t = Text1->Text();
    if (t == MSFlexGrid2->Text()) {
        return true;
    }
    try {
        Recordset &rs = Data1->Recordset();
        const qint32 row = MSFlexGrid1->Row();
        // A pick from a popup reaches here without a typed key, so without a record edit.
        if (rs.EditMode() == 0) {
            rs.SetAbsolutePosition(row - 1);
            rs.Edit();
        }
        Field &f = rs.Fields().Item(MSFlexGrid1->Col());
        switch (groupOf(f.Type())) {
        case FieldGroup::Numeric:
            style.CurDataType = Numeric;
            f.SetValue(vb::IsNumeric(t) ? QVariant(vb::CDbl(t)) : QVariant(0));
            break;
        case FieldGroup::Date:
            style.CurDataType = Date;
            f.SetValue(vb::IsDate(t) ? QVariant(vb::CDate(t)) : QVariant());
            break;
        case FieldGroup::Text:
            style.CurDataType = AlphaNumeric;
            f.SetValue(textValue(t));
            break;
        case FieldGroup::Other:
            return true;
        }
        Data1->UpdateRecord();
        if (row - 1 == blankRecordPosition) {
            blankRecordSaved = false; // the trailing record now holds data
        }
        return true;
    } catch (const VbError &e) {
        attempt([&] { Data1->Recordset().CancelUpdate(); });
        failedWrite = {MSFlexGrid1->Row(), MSFlexGrid1->Col(), t, e.Description()};
        return false;
    }
}

void VantrelPrivate::reportFailedWrite() {
    if (!failedWrite) {
        return;
    }
    // After the move is over: tell the user, then take them back to the cell with their text.
    QTimer::singleShot(0, q, [this] {
        if (!failedWrite) {
            return;
        }
        const FailedWrite w = *failedWrite;
        failedWrite.reset();
        MsgBox(w.description, vbCritical, kVantrelMessage, q);
        attempt([&] {
            q->SetRow(w.row);
            q->SetCol(w.col);
            Text1->SetText(w.text);
            Text1->setFocus();
        });
    });
}

} // namespace Vantrel3
