#include "editing/cell_editor.h"

#include "editing/cell_button.h"
#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_accessible_name.h"
#include "editing/editor_box.h"
#include "editing/typing_filter.h"
#include "host/ignoring_errors.h"
#include "styles/cell_style_registry.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/vbruntime.h>

#include <QTimer>

#include <algorithm>

namespace Vantrel3 {

CellEditor::CellEditor(const EditorParts &parts, const CellStyleRegistry &registry,
                       EditSession &session, const EditOptions &options)
    : m_parts(parts), m_registry(registry), m_session(session), m_options(options) {
    // A paste lets in only what typing would.
    m_parts.editor.setPasteFilter([this](const QString &text) {
        return TypingFilter::pasted(m_session.style.CurDataType, m_session.style.CurCaseType, text);
    });
}

void CellEditor::setLookupItemsSink(std::function<void(const QStringList &)> sink) {
    m_lookupItemsSink = std::move(sink);
}

qint32 CellEditor::controlWidth() const {
    const QWidget *control = m_parts.editor.parentWidget();
    return control ? Twips::fromPixelsX(control, control->width()) : 0;
}

PlacementMetrics CellEditor::metrics() const {
    const FlexGrid &grid = m_parts.shown;
    PlacementMetrics m;
    m.row = grid.Row();
    m.col = grid.Col();
    m.rows = grid.Rows();
    m.cols = grid.Cols();
    m.fixedRows = grid.FixedRows();
    m.fixedCols = grid.FixedCols();
    if (!EditorPlacement::placesOn(m)) {
        return m;
    }
    m.cellLeft = grid.CellLeft();
    m.cellTop = grid.CellTop();
    m.cellWidth = grid.CellWidth();
    m.cellHeight = grid.CellHeight();
    m.controlWidth = controlWidth();
    m.gridWidth = grid.Width();
    m.gridHeight = grid.Height();
    m.scrollBars = grid.ScrollBars();
    m.borderStyle = grid.BorderStyle();
    m.buttonWidth = m_parts.drop.Width();
    return m;
}

void CellEditor::placeEditor() {
    if (!m_options.allowEdit) {
        return;
    }
    const PlacementMetrics m = metrics();
    EditorBox &editor = m_parts.editor;
    if (!EditorPlacement::placesOn(m)) {
        // A fixed cell is never edited: no editor lies on it, and the grid has the keys.
        if (editor.hasFocus()) {
            m_parts.shown.setFocus();
        }
        editor.SetVisible(false);
        m_parts.drop.SetVisible(false);
        m_parts.browse.SetVisible(false);
        return;
    }
    const FlexGrid &grid = m_parts.shown;
    if (!(grid.RowIsVisible(m.row) && grid.ColIsVisible(m.col))) {
        // The cell is out of view: the editor must not float over another cell, yet it keeps
        // the focus and what was typed, so it goes out of sight rather than away.
        editor.move(-editor.width() - 1, -editor.height() - 1);
        m_parts.drop.SetVisible(false);
        m_parts.browse.SetVisible(false);
        return;
    }
    applyLayout(EditorPlacement::layout(m, m_registry));
    editor.setAccessibleName(EditorAccessibleName::forCell(grid, m.row, m.col));
    if (!m_session.holdsTyping(m.row, m.col, editor.Text())) {
        reloadEditor();
    }
    editor.SetVisible(true);
    editor.raise();
    // The cell's button lies beside the editor, above anything else.
    for (CellButton *button : {&m_parts.drop, &m_parts.browse}) {
        if (button->Visible()) {
            button->raise();
        }
    }
}

bool CellEditor::currentCellInView() const {
    const FlexGrid &grid = m_parts.shown;
    return grid.RowIsVisible(grid.Row()) && grid.ColIsVisible(grid.Col());
}

void CellEditor::applyLayout(const EditorLayout &layout) {
    EditorBox &editor = m_parts.editor;
    editor.SetLeft(layout.left);
    editor.SetTop(layout.top);
    editor.SetHeight(layout.height);
    editor.SetWidth(layout.width);
    if (layout.button) {
        CellButton *shown = nullptr;
        if (*layout.button == CellButtonKind::Drop) {
            shown = &m_parts.drop;
        } else if (*layout.button == CellButtonKind::Browse) {
            shown = &m_parts.browse;
        }
        for (CellButton *button : {&m_parts.drop, &m_parts.browse}) {
            if (button != shown) {
                button->SetVisible(false);
            }
        }
        if (shown) {
            shown->SetHeight(layout.buttonHeight);
            shown->SetTop(layout.buttonTop);
            shown->SetLeft(layout.buttonLeft);
            shown->SetVisible(true);
        }
    }
    if (layout.style) {
        editor.SetMaxLength(layout.style->maxLength);
    }
    layout.applyTo(m_session.style);
    if (m_lookupItemsSink) {
        m_lookupItemsSink(layout.lookupItems);
    }
}

void CellEditor::schedulePlacement() {
    if (m_placementPending) {
        return;
    }
    m_placementPending = true;
    QTimer::singleShot(0, &m_parts.editor, [this] {
        m_placementPending = false;
        guarded("PlaceEditor", [this] { placeEditor(); });
    });
}

void CellEditor::loadCurrentCell() {
    FlexGrid &shown = m_parts.shown;
    FlexGrid &raw = m_parts.raw;
    raw.SetCol(shown.Col());
    raw.SetRow(shown.Row());
    if (m_options.allowEdit) {
        m_parts.editor.SetText(
            m_registry.lookUpCodes().shownText(shown.Row(), shown.Col(), raw.Text()));
        shown.SetText(m_parts.editor.Text());
    }
}

void CellEditor::reloadEditor() {
    const qint32 row = m_parts.shown.Row();
    const qint32 col = m_parts.shown.Col();
    const QString text = m_registry.lookUpCodes().shownText(row, col, m_parts.raw.Text());
    m_parts.editor.SetText(text);
    m_session.load(row, col, text);
}

void CellEditor::lookUpItemAdded(qint32 row, qint32 col) {
    FlexGrid &shown = m_parts.shown;
    if (row < shown.FixedRows() || col < shown.FixedCols() || row >= shown.Rows() ||
        col >= shown.Cols()) {
        return;
    }
    if (const std::optional<QString> label =
            m_registry.lookUpCodes().labelFor(row, col, m_parts.raw.TextMatrix(row, col))) {
        shown.SetTextMatrix(row, col, *label);
    }
    if (row == shown.Row() && col == shown.Col()) {
        placeEditor();
    }
}

CellEditor::Commit CellEditor::endEdit(qint32 fallbackType) const {
    Commit c;
    c.row = m_parts.shown.Row();
    c.col = m_parts.shown.Col();
    c.typed = m_parts.editor.Text();
    c.rawBefore = m_parts.raw.TextMatrix(c.row, c.col);
    const LookupCodes &codes = m_registry.lookUpCodes();
    c.text = codes.storedOnLeave(c.row, c.col, c.rawBefore, c.typed);
    const CellStyleState &style = m_session.style;
    // The cell's own data type decides; the field's only where the cell has none.
    c.dataType = style.CurDataType != NoType ? style.CurDataType : fallbackType;
    c.caseType = style.CurCaseType;
    // The code is what the record takes, so the code is what must be valid.
    c.validated = CellText::validate(c.text, c.dataType, style.CurCustomFormat);
    c.label = codes.labelFor(c.row, c.col, c.text);
    return c;
}

void CellEditor::applyEdit(const Commit &c, bool keepInvalidRaw) {
    const bool keepRaw = keepInvalidRaw && c.invalid();
    // By address: the cell may be any cell, not only the one being left.
    ignoringErrors([&] {
        QString shown;
        if (keepRaw) {
            shown = CellText::kErr;
        } else if (c.label && !c.invalid()) {
            shown = *c.label;
        } else {
            shown = CellText::shownOnLeave(c.typed, c.validated, c.caseType);
        }
        m_parts.shown.SetTextMatrix(c.row, c.col, shown);
    });
    ignoringErrors([&] {
        m_parts.raw.SetTextMatrix(c.row, c.col, c.invalid() && !keepRaw ? CellText::kErr : c.text);
    });
    // A cell passed through unchanged keeps the reason it was given when its text was typed.
    if (!c.changed()) {
        return;
    }
    if (c.invalid()) {
        m_notes.set(c.row, c.col, CellText::reason(c.text, c.dataType));
    } else {
        m_notes.remove(c.row, c.col);
    }
}

void CellEditor::rowsInserted(qint32 first, qint32 count) {
    m_session.rowsInserted(first, count);
    m_notes.rowsInserted(first, count);
    for (RowFollower *follower : m_followers) {
        follower->rowsInserted(first, count);
    }
}

void CellEditor::rowsRemoved(qint32 first, qint32 count) {
    m_session.rowsRemoved(first, count);
    m_notes.rowsRemoved(first, count);
    for (RowFollower *follower : m_followers) {
        follower->rowsRemoved(first, count);
    }
}

void CellEditor::cellsReplaced() {
    m_session.forget();
    m_notes.clear();
    for (RowFollower *follower : m_followers) {
        follower->cellsReplaced();
    }
}

void CellEditor::addRowFollower(RowFollower *follower) {
    m_followers.push_back(follower);
}

void CellEditor::reloadCurrentCell() {
    loadCurrentCell();
    if (m_options.allowEdit) {
        // What the editor now shows, a code's label included, is no typing.
        m_session.load(m_parts.shown.Row(), m_parts.shown.Col(), m_parts.editor.Text());
    }
}

void CellEditor::finishLeaving() {
    m_session.forget();
    m_session.style.reset();
    ignoringErrors([&] { m_parts.editor.SetMaxLength(0); });
    ignoringErrors([&] { m_parts.editor.SetFont(m_parts.shown.font()); });
    ignoringErrors([&] { m_parts.drop.SetVisible(false); });
    ignoringErrors([&] { m_parts.browse.SetVisible(false); });
    ignoringErrors([&] { m_parts.shown.setFocus(); });
}

CellStyleState CellEditor::styleFor(qint32 row, qint32 col) const {
    CellStyleState style;
    m_registry.ApplyCellStyle(row, col, style, nullptr);
    return style;
}

CellText::Styled CellEditor::styled(const QString &text, const CellStyleState &style) {
    return CellText::styled(text, style.CurCaseType, style.CurCustomFormat);
}

CellText::Styled CellEditor::styledFor(qint32 row, qint32 col, const QString &text,
                                       const CellStyleState &style) const {
    CellText::Styled texts = styled(text, style);
    if (const std::optional<QString> label =
            m_registry.lookUpCodes().labelFor(row, col, texts.raw)) {
        texts.shown = *label;
    }
    return texts;
}

void CellEditor::formatCellText(qint32 row, qint32 col, const QString &text) {
    const CellText::Styled texts = styledFor(row, col, text, styleFor(row, col));
    m_parts.shown.SetTextMatrix(row, col, texts.shown);
    m_parts.raw.SetTextMatrix(row, col, texts.raw);
    m_notes.remove(row, col);
}

namespace {

bool changesText(qint32 caseType, const QString &customFormat) {
    return caseType != 0 || !customFormat.isEmpty();
}

} // namespace

void CellEditor::styleStoredRows(qint32 firstRow, qint32 lastRow) {
    FlexGrid &shown = m_parts.shown;
    FlexGrid &raw = m_parts.raw;
    lastRow = std::min(lastRow, std::min(shown.Rows(), raw.Rows()) - 1);
    const qint32 cols = std::min(shown.Cols(), raw.Cols());
    if (firstRow > lastRow || cols <= 0) {
        return;
    }
    const LookupCodes &codes = m_registry.lookUpCodes();
    const auto style = [&](qint32 row, qint32 col, qint32 caseType, const QString &format) {
        // The hidden grid keeps the value as stored; one the format cannot take is shown as
        // stored too.
        ignoringErrors([&] {
            const QString stored = raw.TextMatrix(row, col);
            CellText::Styled texts = CellText::styled(stored, caseType, format);
            // A code of the cell's lookup items shows its label, in no other case or format.
            if (const std::optional<QString> label = codes.labelFor(row, col, stored)) {
                texts.shown = *label;
            }
            if (texts.shown != shown.TextMatrix(row, col)) {
                shown.SetTextMatrix(row, col, texts.shown);
            }
        });
    };
    const bool redraw = shown.Redraw();
    shown.SetRedraw(false);
    const bool anyCellStyle = !m_registry.colEdit().empty();
    for (qint32 col = 0; col < cols; ++col) {
        const clsGrid *mode = m_registry.lastColumnMode(col);
        if (!mode || !changesText(mode->CaseFormat, mode->CustomFormat)) {
            continue;
        }
        for (qint32 row = firstRow; row <= lastRow; ++row) {
            // A cell style replaces the column's case and format; those cells come below.
            if (!anyCellStyle || !m_registry.firstEditStyle(row, col)) {
                style(row, col, mode->CaseFormat, mode->CustomFormat);
            }
        }
    }
    for (const clsEdit &edit : m_registry.colEdit()) {
        const bool inRange =
            edit.iRow >= firstRow && edit.iRow <= lastRow && edit.iCol >= 0 && edit.iCol < cols;
        // Only the first style of a cell counts, as for a text written by code.
        if (inRange && m_registry.firstEditStyle(edit.iRow, edit.iCol) == &edit &&
            changesText(edit.CaseFormat, edit.CustomFormat)) {
            style(edit.iRow, edit.iCol, edit.CaseFormat, edit.CustomFormat);
        }
    }
    shown.SetRedraw(redraw);
}

void CellEditor::giveTypingLook() {
    m_parts.editor.SetForeColor(m_options.foreColorEdit);
    m_parts.editor.SetFont(m_options.fontEditText);
}

} // namespace Vantrel3
