#include "control/record_binding.h"

#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "host/ignoring_errors.h"

#include <Vantrel3/DataControl.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Recordset.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3 {

namespace {

const QString kVantrelMessage = QStringLiteral("Vantrel Message");

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

RecordBinding::RecordBinding(DataControl &data, FlexGrid &shown, FlexGrid &raw,
                             EditSession &session, const EditOptions &options, QWidget &control)
    : m_data(data), m_shown(shown), m_raw(raw), m_session(session), m_options(options),
      m_control(control) {}

// --- Loading and filling ---------------------------------------------------------------------

void RecordBinding::loadDataSource(const QString &database, qint16 type, const QString &source) {
    m_data.SetDatabaseName(database);
    m_data.SetRecordsetType(type);
    m_data.SetRecordSource(source);
    if (database.isEmpty() || source.isEmpty()) {
        return;
    }
    try {
        m_data.Refresh();
    } catch (const VbError &e) {
        MsgBox(e.Description(), vbCritical, kVantrelMessage, &m_control);
    }
}

void RecordBinding::fillGrids() {
    if (!m_data.HasRecordset()) {
        return;
    }
    const Recordset &rs = m_data.Recordset();
    const qint32 fields = rs.fieldCount();
    const qint32 records = rs.RecordCount();
    const Fields &names = rs.Fields();
    for (FlexGrid *grid : {&m_shown, &m_raw}) {
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
    m_blankRecordSaved = false;
}

// --- Show and Terminate ----------------------------------------------------------------------

void RecordBinding::onShow(const std::function<void()> &addTrailingRow) {
    bool open = false;
    try {
        open = m_data.Recordset().RecordCount() >= 0;
    } catch (...) {
        open = false;
    }
    if (!open) {
        m_boundEntry = false;
        return;
    }
    // Runs before the flag is set: on the first showing the trailing row is a plain grid row.
    attempt(addTrailingRow);
    m_boundEntry = true;
}

bool RecordBinding::trailingBlankRecordIntact() const {
    if (!m_blankRecordSaved || !m_data.HasRecordset()) {
        return false;
    }
    const Recordset &rs = m_data.Recordset();
    const qint32 last = rs.RecordCount() - 1;
    if (last < 0 || last != m_blankRecordPosition) {
        return false;
    }
    // Only a record that still holds the values it was saved blank with may go. They are
    // compared as saved, not against 0 and "": the database may have filled fields itself (a
    // serial key), which is no user data.
    const QVariantList &saved = m_blankRecordValues;
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

void RecordBinding::onTerminate() {
    if (!m_boundEntry) {
        return;
    }
    attempt([&] {
        if (!trailingBlankRecordIntact()) {
            return;
        }
        Recordset &rs = m_data.Recordset();
        rs.MoveLast();
        rs.Delete();
    });
}

// --- Records -----------------------------------------------------------------------------------

bool RecordBinding::startRecordEdit(qint32 row) {
    if (!m_options.allowEdit || !m_boundEntry || m_data.RecordsetType() == Snapshot ||
        m_session.recordEditPending) {
        return false;
    }
    attempt([&] { m_data.Recordset().SetAbsolutePosition(row - 1); });
    attempt([&] { m_data.Recordset().Edit(); });
    m_session.recordEditPending = true;
    return true;
}

void RecordBinding::startRecordForItem() {
    Recordset &rs = m_data.Recordset();
    // The trailing row's blank record takes the new item's fields, so grid rows and records
    // stay in step; without one, a new record is added.
    if (trailingBlankRecordIntact()) {
        rs.SetAbsolutePosition(m_blankRecordPosition);
        rs.Edit();
        return;
    }
    rs.AddNew();
}

QString RecordBinding::writeItemField(qint32 col, const QString &field) {
    Recordset &rs = m_data.Recordset();
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

bool RecordBinding::saveRecord() {
    try {
        m_data.UpdateRecord();
        return true;
    } catch (const VbError &e) {
        attempt([&] { m_data.Recordset().CancelUpdate(); });
        MsgBox(e.Description(), vbCritical, kVantrelMessage, &m_control);
        return false;
    }
}

void RecordBinding::itemSaved(qint32 row) {
    if (row - 1 == m_blankRecordPosition) {
        m_blankRecordSaved = false; // the trailing record took the item
    }
}

void RecordBinding::addTrailingRecord() {
    try {
        m_data.Recordset().AddNew();
        CompleteNewRecord();
    } catch (...) {
        // No blank record for the new row: nothing the user entered is at stake, but no
        // half-made record may stay pending.
        ignoringErrors([&] { m_data.Recordset().CancelUpdate(); });
        throw;
    }
}

void RecordBinding::deleteRecord(qint32 index) {
    Recordset &rs = m_data.Recordset();
    rs.SetAbsolutePosition(index - 1);
    rs.Delete();
    if (m_blankRecordSaved && index - 1 < m_blankRecordPosition) {
        --m_blankRecordPosition;
    }
}

void RecordBinding::CompleteNewRecord() {
    Recordset &rs = m_data.Recordset();
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
    m_data.UpdateRecord();
    m_blankRecordSaved = true;
    m_blankRecordPosition = rs.RecordCount() - 1;
    QVariantList saved;
    for (qint32 i = 0; i < rs.fieldCount(); ++i) {
        saved.append(rs.value(m_blankRecordPosition, i));
    }
    m_blankRecordValues = saved;
}

bool RecordBinding::WriteCellToRecord(qint32 row, qint32 col, const QString &t,
                                      const QString &rawBefore) {
    if (!m_options.allowEdit || !m_boundEntry || m_data.RecordsetType() == Snapshot) {
        return true;
    }
    if (t == rawBefore) {
        return true;
    }
    try {
        Recordset &rs = m_data.Recordset();
        // A pick from a popup reaches here without a typed key, so without a record edit.
        if (rs.EditMode() == 0) {
            rs.SetAbsolutePosition(row - 1);
            rs.Edit();
        }
        Field &f = rs.Fields().Item(col);
        CellStyleState &style = m_session.style;
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
        m_data.UpdateRecord();
        if (row - 1 == m_blankRecordPosition) {
            m_blankRecordSaved = false; // the trailing record now holds data
        }
        return true;
    } catch (const VbError &e) {
        attempt([&] { m_data.Recordset().CancelUpdate(); });
        m_failedWrite = FailedWrite{row, col, t, e.Description()};
        return false;
    }
}

std::optional<RecordBinding::FailedWrite> RecordBinding::takeFailedWrite() {
    return std::exchange(m_failedWrite, std::nullopt);
}

} // namespace Vantrel3
