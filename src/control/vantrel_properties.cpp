// The control's pass-through properties: most forward to the visible grid, some to both grids,
// the editor, the buttons or the control's own surface. Pass-throughs add no checks of their
// own, so the parts' errors reach the host unchanged.

#include <Vantrel3/Vantrel.h>

#include "control/mouse_pointers.h"
#include "control/vantrel_p.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"

#include <Vantrel3/DataControl.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/VbError.h>

#include <limits>

namespace Vantrel3 {

// ---- Grid pass-through ----

OleColor Vantrel::BackColor() const {
    return d->MSFlexGrid1->BackColor();
}

void Vantrel::SetBackColor(OleColor color) {
    d->MSFlexGrid1->SetBackColor(color);
    Q_EMIT PropertyChanged(QStringLiteral("BackColor"));
}

QFont Vantrel::Font() const {
    return d->MSFlexGrid1->font();
}

void Vantrel::SetFont(const QFont &font) {
    d->MSFlexGrid1->setFont(font);
    Q_EMIT PropertyChanged(QStringLiteral("Font"));
}

AllowUserResizeSettings Vantrel::AllowUserResizing() const {
    return AllowUserResizeSettings(d->MSFlexGrid1->AllowUserResizing());
}

void Vantrel::SetAllowUserResizing(qint32 mode) {
    d->MSFlexGrid1->SetAllowUserResizing(mode);
    Q_EMIT PropertyChanged(QStringLiteral("AllowUserResizing"));
}

OleColor Vantrel::BackColorBkg() const {
    return d->MSFlexGrid1->BackColorBkg();
}

void Vantrel::SetBackColorBkg(OleColor color) {
    d->MSFlexGrid1->SetBackColorBkg(color);
    Q_EMIT PropertyChanged(QStringLiteral("BackColorBkg"));
}

OleColor Vantrel::BackColorFixed() const {
    return d->MSFlexGrid1->BackColorFixed();
}

void Vantrel::SetBackColorFixed(OleColor color) {
    d->MSFlexGrid1->SetBackColorFixed(color);
    Q_EMIT PropertyChanged(QStringLiteral("BackColorFixed"));
}

OleColor Vantrel::BackColorSel() const {
    return d->MSFlexGrid1->BackColorSel();
}

void Vantrel::SetBackColorSel(OleColor color) {
    d->MSFlexGrid1->SetBackColorSel(color);
    Q_EMIT PropertyChanged(QStringLiteral("BackColorSel"));
}

OleColor Vantrel::ForeColorFixed() const {
    return d->MSFlexGrid1->ForeColorFixed();
}

void Vantrel::SetForeColorFixed(OleColor color) {
    d->MSFlexGrid1->SetForeColorFixed(color);
    Q_EMIT PropertyChanged(QStringLiteral("ForeColorFixed"));
}

OleColor Vantrel::ForeColorSel() const {
    return d->MSFlexGrid1->ForeColorSel();
}

void Vantrel::SetForeColorSel(OleColor color) {
    d->MSFlexGrid1->SetForeColorSel(color);
    Q_EMIT PropertyChanged(QStringLiteral("ForeColorSel"));
}

OleColor Vantrel::GridColor() const {
    return d->MSFlexGrid1->GridColor();
}

void Vantrel::SetGridColor(OleColor color) {
    d->MSFlexGrid1->SetGridColor(color);
    Q_EMIT PropertyChanged(QStringLiteral("GridColor"));
}

OleColor Vantrel::GridColorFixed() const {
    return d->MSFlexGrid1->GridColorFixed();
}

void Vantrel::SetGridColorFixed(OleColor color) {
    d->MSFlexGrid1->SetGridColorFixed(color);
    Q_EMIT PropertyChanged(QStringLiteral("GridColorFixed"));
}

qint32 Vantrel::CellHeight() const {
    return d->MSFlexGrid1->CellHeight();
}

qint32 Vantrel::CellLeft() const {
    return d->MSFlexGrid1->CellLeft();
}

qint32 Vantrel::CellTop() const {
    return d->MSFlexGrid1->CellTop();
}

qint32 Vantrel::CellWidth() const {
    return d->MSFlexGrid1->CellWidth();
}

QPixmap Vantrel::CellPicture() const {
    return d->MSFlexGrid1->CellPicture();
}

void Vantrel::SetCellPicture(const QPixmap &picture) {
    d->MSFlexGrid1->SetCellPicture(picture);
    Q_EMIT PropertyChanged(QStringLiteral("CellPicture"));
}

qint32 Vantrel::ColAlignment(qint32 col) const {
    return d->MSFlexGrid1->ColAlignment(col);
}

void Vantrel::SetColAlignment(qint32 col, qint32 alignment) {
    d->MSFlexGrid1->SetColAlignment(col, alignment);
    Q_EMIT PropertyChanged(QStringLiteral("ColAlignment"));
}

qint32 Vantrel::ColData(qint32 col) const {
    return d->MSFlexGrid1->ColData(col);
}

void Vantrel::SetColData(qint32 col, qint32 value) {
    d->MSFlexGrid1->SetColData(col, value);
    Q_EMIT PropertyChanged(QStringLiteral("ColData"));
}

bool Vantrel::ColIsVisible(qint32 col) const {
    return d->MSFlexGrid1->ColIsVisible(col);
}

qint32 Vantrel::ColPos(qint32 col) const {
    return d->MSFlexGrid1->ColPos(col);
}

qint16 Vantrel::FixedAlignment(qint32 col) const {
    return d->MSFlexGrid1->FixedAlignment(col);
}

void Vantrel::SetFixedAlignment(qint32 col, qint16 alignment) {
    d->MSFlexGrid1->SetFixedAlignment(col, alignment);
    Q_EMIT PropertyChanged(QStringLiteral("FixedAlignment"));
}

qint32 Vantrel::FocusRect() const {
    return d->MSFlexGrid1->FocusRect();
}

void Vantrel::SetFocusRect(qint32 style) {
    d->MSFlexGrid1->SetFocusRect(style);
    Q_EMIT PropertyChanged(QStringLiteral("FocusRect"));
}

GridLineSettings Vantrel::GridLines() const {
    return GridLineSettings(d->MSFlexGrid1->GridLines());
}

void Vantrel::SetGridLines(qint32 style) {
    d->MSFlexGrid1->SetGridLines(style);
    Q_EMIT PropertyChanged(QStringLiteral("GridLines"));
}

GridLineSettings Vantrel::GridLinesFixed() const {
    return GridLineSettings(d->MSFlexGrid1->GridLinesFixed());
}

void Vantrel::SetGridLinesFixed(qint32 style) {
    d->MSFlexGrid1->SetGridLinesFixed(style);
    Q_EMIT PropertyChanged(QStringLiteral("GridLinesFixed"));
}

qint16 Vantrel::GridLineWidth() const {
    return d->MSFlexGrid1->GridLineWidth();
}

void Vantrel::SetGridLineWidth(qint16 width) {
    d->MSFlexGrid1->SetGridLineWidth(width);
    Q_EMIT PropertyChanged(QStringLiteral("GridLineWidth"));
}

HighLightSettings Vantrel::HighLight() const {
    return HighLightSettings(d->MSFlexGrid1->HighLight());
}

void Vantrel::SetHighLight(qint32 mode) {
    d->MSFlexGrid1->SetHighLight(mode);
    Q_EMIT PropertyChanged(QStringLiteral("HighLight"));
}

qint32 Vantrel::MouseCol() const {
    return d->MSFlexGrid1->MouseCol();
}

qint32 Vantrel::MouseRow() const {
    return d->MSFlexGrid1->MouseRow();
}

qint32 Vantrel::RowData(qint32 row) const {
    return d->MSFlexGrid1->RowData(row);
}

void Vantrel::SetRowData(qint32 row, qint32 value) {
    d->MSFlexGrid1->SetRowData(row, value);
    Q_EMIT PropertyChanged(QStringLiteral("RowData"));
}

qint32 Vantrel::RowHeight(qint32 row) const {
    return d->MSFlexGrid1->RowHeight(row);
}

void Vantrel::SetRowHeight(qint32 row, qint32 twips) {
    d->MSFlexGrid1->SetRowHeight(row, twips);
    Q_EMIT PropertyChanged(QStringLiteral("RowHeight"));
}

qint32 Vantrel::RowHeightMin() const {
    return d->MSFlexGrid1->RowHeightMin();
}

void Vantrel::SetRowHeightMin(qint32 twips) {
    d->MSFlexGrid1->SetRowHeightMin(twips);
    Q_EMIT PropertyChanged(QStringLiteral("RowHeightMin"));
}

bool Vantrel::RowIsVisible(qint32 row) const {
    return d->MSFlexGrid1->RowIsVisible(row);
}

qint32 Vantrel::RowPos(qint32 row) const {
    return d->MSFlexGrid1->RowPos(row);
}

SelectionModeSettings Vantrel::SelectionMode() const {
    return SelectionModeSettings(d->MSFlexGrid1->SelectionMode());
}

void Vantrel::SetSelectionMode(qint32 mode) {
    d->MSFlexGrid1->SetSelectionMode(mode);
    Q_EMIT PropertyChanged(QStringLiteral("SelectionMode"));
}

TextStyleSettings Vantrel::TextStyle() const {
    return TextStyleSettings(d->MSFlexGrid1->TextStyle());
}

void Vantrel::SetTextStyle(qint32 style) {
    d->MSFlexGrid1->SetTextStyle(style);
    Q_EMIT PropertyChanged(QStringLiteral("TextStyle"));
}

TextStyleSettings Vantrel::TextStyleFixed() const {
    return TextStyleSettings(d->MSFlexGrid1->TextStyleFixed());
}

void Vantrel::SetTextStyleFixed(qint32 style) {
    d->MSFlexGrid1->SetTextStyleFixed(style);
    Q_EMIT PropertyChanged(QStringLiteral("TextStyleFixed"));
}

QString Vantrel::ToolTipText() const {
    return d->MSFlexGrid1->ToolTipText();
}

void Vantrel::SetToolTipText(const QString &text) {
    d->MSFlexGrid1->SetToolTipText(text);
    Q_EMIT PropertyChanged(QStringLiteral("ToolTipText"));
}

void Vantrel::Refresh() {
    d->MSFlexGrid1->Refresh();
}

// ---- Both grids ----

QString Vantrel::FormatString() const {
    return d->MSFlexGrid1->FormatString();
}

void Vantrel::SetFormatString(const QString &format) {
    d->MSFlexGrid1->SetFormatString(format);
    d->MSFlexGrid2->SetFormatString(format);
    Q_EMIT PropertyChanged(QStringLiteral("FormatString"));
}

bool Vantrel::WordWrap() const {
    return d->MSFlexGrid1->WordWrap();
}

void Vantrel::SetWordWrap(bool wrap) {
    d->MSFlexGrid1->SetWordWrap(wrap);
    d->MSFlexGrid2->SetWordWrap(wrap);
    Q_EMIT PropertyChanged(QStringLiteral("WordWrap"));
}

MergeCellsSettings Vantrel::MergeCells() const {
    return MergeCellsSettings(d->MSFlexGrid1->MergeCells());
}

void Vantrel::SetMergeCells(qint32 mode) {
    d->MSFlexGrid1->SetMergeCells(mode);
    d->MSFlexGrid2->SetMergeCells(mode);
    Q_EMIT PropertyChanged(QStringLiteral("MergeCells"));
}

bool Vantrel::MergeRow(qint32 row) const {
    return d->MSFlexGrid1->MergeRow(row);
}

void Vantrel::SetMergeRow(qint32 row, bool merge) {
    d->MSFlexGrid1->SetMergeRow(row, merge);
    d->MSFlexGrid2->SetMergeRow(row, merge);
    Q_EMIT PropertyChanged(QStringLiteral("MergeRow"));
}

bool Vantrel::MergeCol(qint32 col) const {
    return d->MSFlexGrid1->MergeCol(col);
}

void Vantrel::SetMergeCol(qint32 col, bool merge) {
    d->MSFlexGrid1->SetMergeCol(col, merge);
    d->MSFlexGrid2->SetMergeCol(col, merge);
    Q_EMIT PropertyChanged(QStringLiteral("MergeCol"));
}

bool Vantrel::Redraw() const {
    return d->MSFlexGrid1->Redraw();
}

void Vantrel::SetRedraw(bool redraw) {
    d->MSFlexGrid1->SetRedraw(redraw);
    d->MSFlexGrid2->SetRedraw(redraw);
    Q_EMIT PropertyChanged(QStringLiteral("Redraw"));
}

// ---- Editor ----

bool Vantrel::MultiLine() const {
    return d->Text1->MultiLine();
}

OleColor Vantrel::BackColorEdit() const {
    return d->Text1->BackColor();
}

void Vantrel::SetBackColorEdit(OleColor color) {
    d->Text1->SetBackColor(color);
    Q_EMIT PropertyChanged(QStringLiteral("BackColorEdit"));
}

// ---- Surface ----

bool Vantrel::Enabled() const {
    // The control's own setting: a control on a disabled form is still enabled itself.
    return !testAttribute(Qt::WA_ForceDisabled);
}

void Vantrel::SetEnabled(bool enabled) {
    setEnabled(enabled);
    Q_EMIT PropertyChanged(QStringLiteral("Enabled"));
}

MousePointerSettings Vantrel::MousePointer() const {
    return MousePointerSettings(d->mousePointer);
}

void Vantrel::SetMousePointer(qint32 pointer) {
    // The surface keeps the pointer as an Integer: a Long that does not fit overflows.
    if (pointer < std::numeric_limits<qint16>::min() ||
        pointer > std::numeric_limits<qint16>::max()) {
        throw VbError(VbError::Overflow);
    }
    const auto narrowed = qint16(pointer);
    if (!isMousePointer(narrowed)) {
        throw VbError(VbError::InvalidPropertyValue);
    }
    d->mousePointer = narrowed;
    d->applyCursor();
    Q_EMIT PropertyChanged(QStringLiteral("MousePointer"));
}

QPixmap Vantrel::MouseIcon() const {
    return d->mouseIcon;
}

void Vantrel::SetMouseIcon(const QPixmap &icon) {
    d->mouseIcon = icon;
    d->applyCursor();
    Q_EMIT PropertyChanged(QStringLiteral("MouseIcon"));
}

qint32 Vantrel::Appearance() const {
    return d->appearance;
}

void Vantrel::SetAppearance(qint32 appearance) {
    if (appearance != 0 && appearance != 1) {
        throw VbError(VbError::InvalidPropertyValue);
    }
    d->appearance = appearance;
    d->applyAppearance();
    Q_EMIT PropertyChanged(QStringLiteral("Appearance"));
}

bool Vantrel::HasDC() const {
    return true;
}

qint32 Vantrel::hDC() const {
    return 0;
}

// ---- Own settings ----

eKeyFunction Vantrel::SetKeyFunction() const {
    return eKeyFunction(d->options.setKeyFunction);
}

void Vantrel::SetSetKeyFunction(qint32 keyCode) {
    d->options.setKeyFunction = keyCode;
    Q_EMIT PropertyChanged(QStringLiteral("SetKeyFunction"));
}

bool Vantrel::ArrowAsKeyTab() const {
    return d->options.arrowAsKeyTab;
}

void Vantrel::SetArrowAsKeyTab(bool on) {
    d->options.arrowAsKeyTab = on;
    Q_EMIT PropertyChanged(QStringLiteral("ArrowAsKeyTab"));
}

bool Vantrel::EnterAsKeyTab() const {
    return d->options.enterAsKeyTab;
}

void Vantrel::SetEnterAsKeyTab(bool on) {
    d->options.enterAsKeyTab = on;
    Q_EMIT PropertyChanged(QStringLiteral("EnterAsKeyTab"));
}

// ---- Buttons ----

OleColor Vantrel::ButtonBackColor() const {
    return d->Command1->BackColor();
}

void Vantrel::SetButtonBackColor(OleColor color) {
    d->Command1->SetBackColor(color);
    d->Command2->SetBackColor(color);
    Q_EMIT PropertyChanged(QStringLiteral("ButtonBackColor"));
}

// ---- Data source ----

QString Vantrel::DatabaseName() const {
    return d->Data1->DatabaseName();
}

void Vantrel::SetDatabaseName(const QString &name) {
    d->beforeRefresh();
    try {
        d->Data1->SetDatabaseName(name);
        d->Data1->Refresh();
    } catch (const VbError &e) {
        d->tellSourceUnavailable(e);
        return;
    }
    Q_EMIT PropertyChanged(QStringLiteral("DatabaseName"));
}

RsType Vantrel::RecordsetType() const {
    return RsType(d->Data1->RecordsetType());
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
    d->beforeRefresh();
    try {
        d->Data1->SetRecordSource(source);
        d->Data1->Refresh();
    } catch (const VbError &e) {
        d->tellSourceUnavailable(e);
        return;
    }
    Q_EMIT PropertyChanged(QStringLiteral("RecordSource"));
}

} // namespace Vantrel3
