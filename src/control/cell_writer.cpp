#include "control/cell_writer.h"

#include "editing/cell_editor.h"
#include "editing/cell_text.h"
#include "editing/editor_placement.h"
#include "editing/typing_filter.h"
#include "host/ignoring_errors.h"
#include "styles/cell_style_registry.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/FlexGrid.h>

namespace Vantrel3 {

CellWriter::CellWriter(FlexGrid &shown, FlexGrid &raw, const CellStyleRegistry &registry,
                       CellEditor &cells, RecordBinding &binding)
    : m_shown(shown), m_raw(raw), m_registry(registry), m_cells(cells), m_binding(binding) {}

QString CellWriter::refusal(const QString &text, const QString &filtered, qint32 maxLength,
                            qint32 dataType) const {
    // What the filter lets through must be the whole text, bar case and surrounding blanks:
    // a value silently cut down ("12a" to "12") would be another value.
    const QString whole = TypingFilter::pasted(NoType, NoCase, text);
    if (filtered.compare(whole, Qt::CaseInsensitive) != 0 &&
        filtered.compare(whole.trimmed(), Qt::CaseInsensitive) != 0) {
        const QString why = CellText::reason(text, dataType);
        return why.isEmpty() ? QStringLiteral("Caratteri non ammessi") : why;
    }
    if (maxLength > 0 && filtered.size() > maxLength) {
        return QStringLiteral("Testo troppo lungo: al massimo %1 caratteri").arg(maxLength);
    }
    return QString();
}

CellWriter::Result CellWriter::write(qint32 row, qint32 col, const QString &text, Check check) {
    const PlacedStyle style = EditorPlacement::typingStyle(m_registry, row, col);
    CellEditor::Commit c;
    c.row = row;
    c.col = col;
    c.typed = text;
    c.text = text;
    c.caseType = style.caseType;
    // The cell's own data type decides; the field's only where the cell has none.
    c.dataType = style.dataType != NoType
                     ? style.dataType
                     : (m_binding.active() ? m_binding.fieldDataType(col) : NoType);
    c.rawBefore = m_raw.TextMatrix(row, col);
    const LookupCodes &codes = m_registry.lookUpCodes();
    if (check == Check::AsTyped) {
        c.typed = TypingFilter::pasted(style.dataType, style.caseType, text);
        if (QString why = refusal(text, c.typed, style.maxLength, c.dataType); !why.isEmpty()) {
            return {RecordBinding::Outcome::NothingToWrite, why, false};
        }
        // A lookup label stands for its code, as when it is typed.
        c.text = codes.storedOnLeave(row, col, c.rawBefore, c.typed);
    }
    // A restored value is a raw text already: a code stays a code, and a label written as
    // plain text stays that text.
    c.label = codes.labelFor(row, col, c.text);
    c.validated = CellText::validate(c.text, c.dataType, style.customFormat);
    if (check == Check::AsTyped && c.invalid()) {
        return {RecordBinding::Outcome::NothingToWrite, CellText::reason(c.text, c.dataType),
                false};
    }
    if (!c.changed()) {
        return {};
    }
    RecordBinding::Write w;
    // Invalid text is never written: the record keeps its value.
    if (m_binding.writes() && !c.invalid()) {
        w = m_binding.writeCell(row, col, c.text);
    }
    if (w.outcome != RecordBinding::Outcome::Written &&
        w.outcome != RecordBinding::Outcome::NothingToWrite) {
        return {w.outcome, w.description, false};
    }
    m_cells.applyEdit(c, m_binding.active());
    if (row == m_shown.Row() && col == m_shown.Col()) {
        ignoringErrors([&] { m_cells.reloadCurrentCell(); });
    }
    return {w.outcome, QString(), true};
}

} // namespace Vantrel3
