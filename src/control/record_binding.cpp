#include "control/record_binding.h"

#include "data/data_error.h"
#include "editing/cell_editor.h"
#include "editing/cell_text.h"
#include "editing/edit_options.h"
#include "host/ignoring_errors.h"
#include "styles/cell_style_registry.h"

#include <Vantrel3/DataControl.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Recordset.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3 {

namespace {

const QString kVantrelMessage = QStringLiteral("Vantrel Message");
constexpr qint32 kRecordChanged = 3197;
constexpr qint32 kRecordDeleted = 3167;

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

bool sameValues(const QList<QVariant> &a, const QVariantList &b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        const bool same =
            a[i].isNull() || b[i].isNull() ? a[i].isNull() == b[i].isNull() : a[i] == b[i];
        if (!same) {
            return false;
        }
    }
    return true;
}

} // namespace

RecordBinding::RecordBinding(DataControl &data, FlexGrid &shown, FlexGrid &raw, CellEditor &cells,
                             const EditOptions &options, QWidget &control)
    : m_data(data), m_shown(shown), m_raw(raw), m_cells(cells), m_options(options),
      m_control(control), m_filler(data, shown, raw) {}

bool RecordBinding::active() const {
    return m_boundEntry && m_data.HasRecordset();
}

bool RecordBinding::writes() const {
    return active() && m_options.allowEdit && m_data.RecordsetType() != Snapshot;
}

void RecordBinding::report(const QString &description) const {
    MsgBox(description, vbCritical, kVantrelMessage, &m_control);
}

// --- Rows and records ------------------------------------------------------------------------

qint32 RecordBinding::positionOf(qint32 row) const {
    if (row < 0 || row >= m_raw.Rows()) {
        return -1;
    }
    const qint32 tag = m_raw.RowData(row);
    if (tag <= 0 || size_t(tag) > m_positions.size()) {
        return -1;
    }
    return m_positions[size_t(tag - 1)];
}

void RecordBinding::tag(qint32 row, qint32 position) {
    m_positions.push_back(position);
    m_raw.SetRowData(row, qint32(m_positions.size()));
}

void RecordBinding::recordGone(qint32 position) {
    for (qint32 &p : m_positions) {
        if (p == position) {
            p = -1;
        } else if (p > position) {
            --p;
        }
    }
    if (m_blankBookmark >= 0 && m_positions[size_t(m_blankBookmark)] < 0) {
        m_blankBookmark = -1;
    }
}

bool RecordBinding::hasRecord(qint32 row) const {
    return active() && positionOf(row) >= 0;
}

qint32 RecordBinding::fieldDataType(qint32 col) const {
    if (!m_data.HasRecordset() || col < 0 || col >= m_data.Recordset().fieldCount()) {
        return 0;
    }
    switch (groupOf(m_data.Recordset().Fields().Item(col).Type())) {
    case FieldGroup::Numeric:
        return Numeric;
    case FieldGroup::Date:
        return Date;
    case FieldGroup::Text:
        return AlphaNumeric;
    case FieldGroup::Other:
        break;
    }
    return 0;
}

qint32 RecordBinding::dataTypeOf(qint32 row, qint32 col) const {
    const qint32 own = m_cells.registry().placedDataType(row, col);
    return own != 0 ? own : fieldDataType(col);
}

QVariant RecordBinding::valueFor(qint32 col, const QString &text) const {
    // A number or date the user cleared is no value: the field becomes Null, where a conversion
    // of "" would refuse the edit with a type mismatch.
    const FieldGroup group = groupOf(m_data.Recordset().Fields().Item(col).Type());
    if ((group == FieldGroup::Numeric || group == FieldGroup::Date) && text.trimmed().isEmpty()) {
        return {};
    }
    switch (group) {
    case FieldGroup::Numeric:
        return vb::CDbl(text);
    case FieldGroup::Date:
        return vb::CDate(text);
    case FieldGroup::Text:
        return textValue(text);
    case FieldGroup::Other:
        break;
    }
    return {};
}

void RecordBinding::reloadRow(qint32 row, qint32 position) {
    const Recordset &rs = m_data.Recordset();
    for (qint32 c = 0; c < rs.fieldCount() && c < m_shown.Cols(); ++c) {
        ignoringErrors([&] { m_cells.formatCellText(row, c, rs.text(position, c)); });
    }
}

// --- Loading, filling, showing and the end ---------------------------------------------------

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
        report(e.Description());
    }
}

void RecordBinding::beforeRefresh() {
    if (!active()) {
        return;
    }
    attempt([&] {
        if (blankRecordIntact()) {
            Recordset &rs = m_data.Recordset();
            rs.SetAbsolutePosition(m_positions[size_t(m_blankBookmark)]);
            rs.Delete();
        }
    });
    m_boundEntry = false;
    m_blankBookmark = -1;
}

void RecordBinding::fillGrids(bool shown, const std::function<void()> &addTrailingRow) {
    m_boundEntry = false;
    m_blankBookmark = -1;
    m_positions.clear();
    if (!m_data.HasRecordset()) {
        return;
    }
    ++m_opened;
    const Recordset &rs = m_data.Recordset();
    const qint32 fields = rs.fieldCount();
    const qint32 records = rs.RecordCount();
    // The shown grid reads a code of a cell's lookup items as its label.
    const LookupCodes &codes = m_cells.registry().lookUpCodes();
    // The records reached the grids as Data1 read them (m_filler). Only a recordset whose
    // records went to another sink is copied here, record by record.
    if (!m_filler.takeFilled()) {
        const Fields &names = rs.Fields();
        for (FlexGrid *grid : {&m_shown, &m_raw}) {
            const bool redraw = grid->Redraw();
            grid->SetRedraw(false);
            grid->SetCols(std::max(fields, grid->FixedCols() + 1));
            grid->SetRows(records + 1);
            for (qint32 c = 0; c < fields; ++c) {
                grid->SetTextMatrix(0, c, names.Item(c).Name());
            }
            const bool labels = grid == &m_shown;
            for (qint32 r = 0; r < records; ++r) {
                for (qint32 c = 0; c < fields; ++c) {
                    const QString text = rs.text(r, c);
                    grid->SetTextMatrix(r + 1, c, labels ? codes.shownText(r + 1, c, text) : text);
                }
            }
            grid->SetRedraw(redraw);
        }
    } else if (!codes.isEmpty()) {
        // The streamed texts are the stored ones: a cell whose code has a label takes its own.
        const bool redraw = m_shown.Redraw();
        m_shown.SetRedraw(false);
        for (qint32 r = 1; r <= records; ++r) {
            for (qint32 c = 0; c < fields; ++c) {
                const QString raw = m_raw.TextMatrix(r, c);
                const QString shown = codes.shownText(r, c, raw);
                if (shown != raw) {
                    m_shown.SetTextMatrix(r, c, shown);
                }
            }
        }
        m_shown.SetRedraw(redraw);
    }
    // Stored values are shown in their column's case and format, as texts written by code are.
    m_cells.styleStoredRows(1, records);
    // Grid row r stands for record r - 1.
    m_positions.reserve(size_t(records));
    m_raw.SetRowData(0, 0);
    for (qint32 r = 0; r < records; ++r) {
        tag(r + 1, r);
    }
    // Opened while the control is on screen: bound entry goes on with the new records.
    if (shown) {
        startBoundEntry(addTrailingRow);
    }
}

void RecordBinding::startBoundEntry(const std::function<void()> &addTrailingRow) {
    // Runs before the flag is set: the trailing row is a plain grid row, with no record.
    attempt(addTrailingRow);
    m_boundEntry = true;
    m_entered = m_opened;
}

void RecordBinding::onShow(const std::function<void()> &addTrailingRow) {
    if (!m_data.HasRecordset()) {
        m_boundEntry = false;
        return;
    }
    // Once per opened recordset: showing the control again adds no row and no record.
    if (m_entered == m_opened) {
        return;
    }
    startBoundEntry(addTrailingRow);
}

bool RecordBinding::blankRecordIntact() const {
    if (m_blankBookmark < 0 || !m_data.HasRecordset()) {
        return false;
    }
    const qint32 position = m_positions[size_t(m_blankBookmark)];
    if (position < 0) {
        return false;
    }
    // Only a record that still holds, in the database, the values it was saved blank with may
    // go: another user may have filled it since. The values are compared as saved, not against
    // 0 and "": the database may have filled fields itself (a serial key), which is no user data.
    const auto now = m_data.Recordset().databaseValues(position);
    return now && sameValues(*now, m_blankValues);
}

void RecordBinding::onTerminate() {
    if (!active()) {
        return;
    }
    attempt([&] {
        if (!blankRecordIntact()) {
            return;
        }
        Recordset &rs = m_data.Recordset();
        rs.SetAbsolutePosition(m_positions[size_t(m_blankBookmark)]);
        rs.Delete();
    });
}

// --- Writing cells and new rows --------------------------------------------------------------

RecordBinding::Write RecordBinding::failure(qint32 row, qint32 position, const VbError &e) {
    Recordset &rs = m_data.Recordset();
    ignoringErrors([&] { rs.CancelUpdate(); });
    if (e.Number() == kRecordChanged) {
        bool stillThere = false;
        ignoringErrors([&] { stillThere = rs.resync(position); });
        if (stillThere) {
            reloadRow(row, position);
            return {Outcome::Changed,
                    e.Description() +
                        QStringLiteral("\nLa riga mostra ora i dati attuali; lasciando di nuovo la "
                                       "cella si salva il valore digitato."),
                    -1,
                    {}};
        }
    }
    if (e.Number() == kRecordChanged || e.Number() == kRecordDeleted) {
        ignoringErrors([&] { rs.forget(position); });
        recordGone(position);
        return {Outcome::Deleted,
                QStringLiteral("Un altro utente ha eliminato questo record: la sua riga è stata "
                               "tolta dalla griglia e il valore digitato non è stato salvato.\n") +
                    e.Description(),
                -1,
                {}};
    }
    return refusal(e);
}

RecordBinding::Write RecordBinding::refusal(const VbError &e) const {
    const QString field = sql::failedField(e);
    qint32 col = -1;
    const Recordset &rs = m_data.Recordset();
    ignoringErrors([&] {
        if (!field.isEmpty()) {
            const Fields &fields = rs.Fields();
            for (qint32 c = 0; c < fields.Count(); ++c) {
                if (fields.Item(c).Name() == field) {
                    col = c;
                }
            }
        }
    });
    return {Outcome::Refused, e.Description(), col, {}};
}

RecordBinding::Write RecordBinding::writeCell(qint32 row, qint32 col, const QString &text) {
    const qint32 position = positionOf(row);
    if (!writes() || position < 0) {
        return {};
    }
    Recordset &rs = m_data.Recordset();
    try {
        rs.SetAbsolutePosition(position);
        rs.Edit();
        Field &f = rs.Fields().Item(col);
        if (groupOf(f.Type()) == FieldGroup::Other) {
            rs.CancelUpdate();
            return {};
        }
        f.SetValue(valueFor(col, text));
        m_data.UpdateRecord();
    } catch (const VbError &e) {
        return failure(row, position, e);
    }
    // The blank record stays known while it holds data: undone typing can leave it blank again,
    // and then it still goes at the end.
    return {Outcome::Written, {}, -1, {}};
}

RecordBinding::Write RecordBinding::insertRow(qint32 row) {
    // A row that stands for a record, or stood for one another user deleted, is no new row.
    if (!writes() || row < m_raw.FixedRows() || m_raw.RowData(row) > 0) {
        return {};
    }
    Recordset &rs = m_data.Recordset();
    // Every field typed so far whose text is valid for its cell; invalid text is never written.
    QList<QPair<qint32, QVariant>> values;
    try {
        for (qint32 c = 0; c < rs.fieldCount() && c < m_raw.Cols(); ++c) {
            const QString text = m_raw.TextMatrix(row, c);
            if (text.isEmpty() ||
                CellText::validate(text, dataTypeOf(row, c), QString()) == CellText::kErr) {
                continue;
            }
            const QVariant value = valueFor(c, text);
            if (value.isValid()) {
                values.append({c, value});
            }
        }
    } catch (const VbError &e) {
        return {Outcome::Refused, e.Description(), -1, {}};
    }
    if (values.isEmpty()) {
        return {};
    }
    try {
        rs.AddNew();
        for (const auto &[c, value] : values) {
            rs.Fields().Item(c).SetValue(value);
        }
        m_data.UpdateRecord();
    } catch (const VbError &e) {
        ignoringErrors([&] { rs.CancelUpdate(); });
        return refusal(e);
    }
    const qint32 position = rs.RecordCount() - 1;
    tag(row, position);
    // What the database filled in itself (a key, a default) shows in the cells left empty.
    Write written{Outcome::Written, {}, -1, {}};
    for (qint32 c = 0; c < rs.fieldCount() && c < m_shown.Cols(); ++c) {
        if (m_raw.TextMatrix(row, c).isEmpty()) {
            ignoringErrors([&] {
                m_cells.formatCellText(row, c, rs.text(position, c));
                written.filled.append(c);
            });
        }
    }
    return written;
}

// --- The host's items and row removal --------------------------------------------------------

void RecordBinding::startItem() {
    m_itemStarted = false;
    m_itemRefusal.clear();
    m_itemFieldsRefused.clear();
    try {
        Recordset &rs = m_data.Recordset();
        // The trailing row's blank record takes the new item's fields, so no second record is
        // added for it; without one, a new record is added.
        if (blankRecordIntact() && m_raw.RowData(m_raw.Rows() - 1) - 1 == m_blankBookmark) {
            rs.SetAbsolutePosition(m_positions[size_t(m_blankBookmark)]);
            rs.Edit();
        } else {
            rs.AddNew();
        }
        m_itemStarted = true;
    } catch (const VbError &e) {
        m_itemRefusal = e.Description();
    }
}

QString RecordBinding::itemField(qint32 col, const QString &field) {
    QString shown = field;
    QVariant value;
    try {
        const Field &f = m_data.Recordset().Fields().Item(col);
        switch (groupOf(f.Type())) {
        case FieldGroup::Numeric: {
            const double number = vb::Val(field);
            value = number;
            shown = vb::Format(number);
            break;
        }
        case FieldGroup::Date:
            if (vb::IsDate(field)) {
                value = vb::CDate(field);
            } else {
                // Null; a text that is no date says so, an empty one is simply empty.
                value = QVariant();
                if (!field.isEmpty()) {
                    shown = CellText::kErr;
                }
            }
            break;
        case FieldGroup::Text:
            value = textValue(field);
            break;
        case FieldGroup::Other:
            return shown;
        }
        if (m_itemStarted) {
            m_data.Recordset().Fields().Item(col).SetValue(value);
        }
    } catch (const VbError &e) {
        QString name = QString::number(col);
        ignoringErrors([&] { name = m_data.Recordset().Fields().Item(col).Name(); });
        m_itemFieldsRefused.append(QStringLiteral("«%1»: %2").arg(name, e.Description()));
    }
    return shown;
}

bool RecordBinding::saveItem(qint32 row) {
    Recordset *rs = nullptr;
    ignoringErrors([&] { rs = &m_data.Recordset(); });
    if (!m_itemStarted || !m_itemFieldsRefused.isEmpty()) {
        if (rs && m_itemStarted) {
            ignoringErrors([&] { rs->CancelUpdate(); });
        }
        QStringList why;
        if (!m_itemRefusal.isEmpty()) {
            why.append(m_itemRefusal);
        }
        why.append(m_itemFieldsRefused);
        report(QStringLiteral("La riga non è stata salvata.\n") + why.join(u'\n'));
        return false;
    }
    const bool editedBlank = rs->EditMode() == 1;
    try {
        m_data.UpdateRecord();
    } catch (const VbError &e) {
        ignoringErrors([&] { rs->CancelUpdate(); });
        report(e.Description());
        return false;
    }
    if (editedBlank) {
        m_blankBookmark = -1; // the trailing record took the item
    } else {
        tag(row, rs->RecordCount() - 1);
    }
    return true;
}

void RecordBinding::addTrailingRecord(qint32 row) {
    Recordset &rs = m_data.Recordset();
    try {
        rs.AddNew();
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
    } catch (...) {
        // No blank record for the new row: nothing the user entered is at stake, but no
        // half-made record may stay pending. The row gets its record when it is written.
        ignoringErrors([&] { rs.CancelUpdate(); });
        return;
    }
    const qint32 position = rs.RecordCount() - 1;
    tag(row, position);
    m_blankBookmark = qint32(m_positions.size()) - 1;
    m_blankValues.clear();
    for (qint32 i = 0; i < rs.fieldCount(); ++i) {
        m_blankValues.append(rs.value(position, i));
    }
}

bool RecordBinding::deleteRecordOf(qint32 row) {
    const qint32 position = positionOf(row);
    if (!active() || position < 0) {
        return true;
    }
    Recordset &rs = m_data.Recordset();
    try {
        rs.SetAbsolutePosition(position);
        rs.Delete();
    } catch (const VbError &e) {
        if (e.Number() == kRecordDeleted) {
            // Another user deleted it already: the row goes too.
            ignoringErrors([&] { rs.forget(position); });
            recordGone(position);
            return true;
        }
        if (e.Number() == kRecordChanged) {
            // Another user changed it since it was read: the row shows it as it is now, stays,
            // and the user decides again.
            ignoringErrors([&] {
                if (rs.resync(position)) {
                    reloadRow(row, position);
                }
            });
        }
        report(e.Description());
        return false;
    }
    recordGone(position);
    // The row, if it stays, is a new row again: leaving it adds its record anew.
    ignoringErrors([&] { m_raw.SetRowData(row, 0); });
    return true;
}

} // namespace Vantrel3
