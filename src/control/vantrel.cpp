#include <Vantrel3/Vantrel.h>

#include "control/vantrel_p.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"
#include "host/key_codes.h"

#include <Vantrel3/AboutBox.h>
#include <Vantrel3/DataControl.h>
#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QShowEvent>

namespace Vantrel3 {

Vantrel::Vantrel(QWidget *parent) : QWidget(parent), d(std::make_unique<VantrelPrivate>(this)) {
    d->connectParts();
    InitProperties();
}

Vantrel::Vantrel(const PropertyBag &settings, QWidget *parent)
    : QWidget(parent), d(std::make_unique<VantrelPrivate>(this)) {
    d->connectParts();
    ReadProperties(settings);
}

Vantrel::~Vantrel() {
    // What the user typed is committed as leaving the cell would, never dropped unsaid.
    guarded("Terminate", [this] { d->commitPendingTyping(); });
    try {
        d->binding.onTerminate();
    } catch (...) {
    }
    // QWidget tears the children down after the private state is gone, and that can still move
    // the focus or close popups: their signals must no longer reach handlers that use it.
    for (QObject *child : findChildren<QObject *>()) {
        QObject::disconnect(child, nullptr, this, nullptr);
    }
}

void Vantrel::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    // The host hiding the control (its window closing, another tab page): the typing is
    // committed now, while the user can still be told about a failure.
    if (!event->spontaneous()) {
        guarded("Hide", [this] { d->commitPendingTyping(); });
    }
}

void Vantrel::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // The host showing the control, not the window system restoring it.
    if (!event->spontaneous()) {
        guarded("Show", [this] { d->binding.onShow([this] { AddItem(QString()); }); });
    }
}

void Vantrel::keyPressEvent(QKeyEvent *event) {
    // Only the surface's own keys: the grid and the editor forward theirs themselves.
    if (QApplication::focusWidget() != this) {
        QWidget::keyPressEvent(event);
        return;
    }
    qint16 keyCode = KeyCodes::fromQtKey(event->key());
    qint16 shift = KeyCodes::shiftState(event->modifiers());
    Q_EMIT KeyDown(keyCode, shift);
    if (!event->text().isEmpty()) {
        qint16 keyAscii = KeyCodes::keyAsciiFromChar(event->text().front());
        Q_EMIT KeyPress(keyAscii);
    }
}

void Vantrel::keyReleaseEvent(QKeyEvent *event) {
    if (QApplication::focusWidget() != this) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    qint16 keyCode = KeyCodes::fromQtKey(event->key());
    qint16 shift = KeyCodes::shiftState(event->modifiers());
    Q_EMIT KeyUp(keyCode, shift);
}

namespace {

// The surface's own mouse event: not one that a child passed up.
bool onSurface(const QWidget *surface, const QMouseEvent *event) {
    return surface->childAt(event->position().toPoint()) == nullptr;
}

struct MouseArgs {
    qint16 button;
    qint16 shift;
    float x;
    float y;
};

MouseArgs mouseArgs(const QWidget *surface, const QMouseEvent *event) {
    const QPointF p = event->position();
    const Qt::MouseButtons buttons =
        event->type() == QEvent::MouseMove ? event->buttons() : Qt::MouseButtons(event->button());
    return {KeyCodes::mouseButtons(buttons), KeyCodes::shiftState(event->modifiers()),
            float(p.x() * Twips::perPixelX(surface)), float(p.y() * Twips::perPixelY(surface))};
}

} // namespace

void Vantrel::mousePressEvent(QMouseEvent *event) {
    if (onSurface(this, event)) {
        MouseArgs a = mouseArgs(this, event);
        Q_EMIT MouseDown(a.button, a.shift, a.x, a.y);
    }
}

void Vantrel::mouseMoveEvent(QMouseEvent *event) {
    if (onSurface(this, event)) {
        MouseArgs a = mouseArgs(this, event);
        Q_EMIT MouseMove(a.button, a.shift, a.x, a.y);
    }
}

void Vantrel::mouseReleaseEvent(QMouseEvent *event) {
    if (onSurface(this, event)) {
        MouseArgs a = mouseArgs(this, event);
        Q_EMIT MouseUp(a.button, a.shift, a.x, a.y);
    }
}

qint32 Vantrel::Rows() const {
    return d->MSFlexGrid1->Rows();
}

void Vantrel::SetRows(qint32 rows) {
    d->MSFlexGrid1->SetRows(rows);
    d->MSFlexGrid2->SetRows(rows);
    Q_EMIT PropertyChanged(QStringLiteral("Rows"));
}

qint32 Vantrel::Cols() const {
    return d->MSFlexGrid1->Cols();
}

void Vantrel::SetCols(qint32 cols) {
    d->MSFlexGrid1->SetCols(cols);
    d->MSFlexGrid2->SetCols(cols);
    Q_EMIT PropertyChanged(QStringLiteral("Cols"));
}

qint32 Vantrel::FixedRows() const {
    return d->MSFlexGrid1->FixedRows();
}

void Vantrel::SetFixedRows(qint32 rows) {
    d->MSFlexGrid1->SetFixedRows(rows);
    d->MSFlexGrid2->SetFixedRows(rows);
    Q_EMIT PropertyChanged(QStringLiteral("FixedRows"));
}

qint32 Vantrel::FixedCols() const {
    return d->MSFlexGrid1->FixedCols();
}

void Vantrel::SetFixedCols(qint32 cols) {
    d->MSFlexGrid1->SetFixedCols(cols);
    d->MSFlexGrid2->SetFixedCols(cols);
    Q_EMIT PropertyChanged(QStringLiteral("FixedCols"));
}

qint32 Vantrel::Row() const {
    return d->MSFlexGrid1->Row();
}

void Vantrel::SetRow(qint32 row) {
    d->MSFlexGrid1->SetRow(row);
    d->MSFlexGrid2->SetRow(row);
    d->recordedRow = row;
    Q_EMIT PropertyChanged(QStringLiteral("Row"));
}

qint32 Vantrel::Col() const {
    return d->MSFlexGrid1->Col();
}

void Vantrel::SetCol(qint32 col) {
    d->MSFlexGrid1->SetCol(col);
    d->MSFlexGrid2->SetCol(col);
    d->recordedCol = col;
    Q_EMIT PropertyChanged(QStringLiteral("Col"));
}

qint32 Vantrel::BorderStyle() const {
    return d->MSFlexGrid1->BorderStyle();
}

void Vantrel::SetBorderStyle(qint32 style) {
    d->MSFlexGrid1->SetBorderStyle(style);
    Q_EMIT PropertyChanged(QStringLiteral("BorderStyle"));
    d->cells.placeEditor();
}

ScrollBarsSettings Vantrel::ScrollBars() const {
    return ScrollBarsSettings(d->MSFlexGrid1->ScrollBars());
}

void Vantrel::SetScrollBars(qint32 bars) {
    d->MSFlexGrid1->SetScrollBars(bars);
    Q_EMIT PropertyChanged(QStringLiteral("ScrollBars"));
}

bool Vantrel::AllowEdit() const {
    return d->options.allowEdit;
}

void Vantrel::SetAllowEdit(bool allow) {
    d->options.allowEdit = allow;
    if (allow) {
        d->cells.placeEditor();
    } else {
        d->Text1->SetVisible(false);
    }
    Q_EMIT PropertyChanged(QStringLiteral("AllowEdit"));
}

qint32 Vantrel::ColWidth(qint32 col) const {
    return d->MSFlexGrid1->ColWidth(col);
}

void Vantrel::SetColWidth(qint32 col, qint32 twips) {
    d->MSFlexGrid1->SetColWidth(col, twips);
    Q_EMIT PropertyChanged(QStringLiteral("ColWidth"));
}

QString Vantrel::TextMatrix(qint32 row, qint32 col) const {
    return d->MSFlexGrid1->TextMatrix(row, col);
}

void Vantrel::SetTextMatrix(qint32 row, qint32 col, const QString &text) {
    d->rows.SetTextMatrix(row, col, text);
    Q_EMIT PropertyChanged(QStringLiteral("TextMatrix"));
}

void Vantrel::ColEditMode(qint32 iCol, qint32 MaxLen, qint32 ButtonStyle, qint32 DataType,
                          qint32 CaseType, const QString &CustomFormat) {
    if (!d->options.allowEdit) {
        return;
    }
    d->registry.ColEditMode(iCol, MaxLen, ButtonStyle, DataType, CaseType, CustomFormat);
}

void Vantrel::AddEditStyle(qint32 iCol, qint32 iRow, qint32 MaxLen, qint32 DataType,
                           qint32 CaseType, const QString &CustomFormat) {
    if (!d->options.allowEdit) {
        return;
    }
    d->registry.AddEditStyle(iCol, iRow, MaxLen, DataType, CaseType, CustomFormat);
}

void Vantrel::AddButton(qint32 iCol, qint32 iRow, qint32 iStyle) {
    if (!d->options.allowEdit) {
        return;
    }
    d->registry.AddButton(iCol, iRow, iStyle);
}

void Vantrel::AddLookUp(qint32 iCol, qint32 iRow, const QString &sData) {
    if (!d->options.allowEdit) {
        return;
    }
    d->registry.AddLookUp(iCol, iRow, sData);
}

void Vantrel::AddLookUpItem(qint32 iCol, qint32 iRow, const QString &Code, const QString &Label) {
    if (!d->options.allowEdit) {
        return;
    }
    d->registry.AddLookUpItem(iCol, iRow, Code, Label);
    // The cell may have been filled before the item existed.
    d->cells.lookUpItemAdded(iRow, iCol);
}

void Vantrel::AddItem(const QString &Item, std::optional<qint32> Index) {
    d->rows.AddItem(Item, Index);
    Q_EMIT RowsChanged();
}

QString Vantrel::ValidationMessage(qint32 Row, qint32 Col) const {
    // Out-of-range indexes are the grid's error, as for TextMatrix.
    d->MSFlexGrid1->TextMatrix(Row, Col);
    return d->cells.notes().at(Row, Col);
}

QUndoStack *Vantrel::UndoStack() const {
    return &d->edits.history().stack();
}

void Vantrel::Undo() {
    d->edits.undo();
}

void Vantrel::Redo() {
    d->edits.redo();
}

void Vantrel::InfoBox() {
    ShowAboutBox(this);
}

void Vantrel::RemoveItem(qint32 Index) {
    d->rows.RemoveItem(Index);
    Q_EMIT RowsChanged();
}

void Vantrel::Clear() {
    d->rows.Clear();
}

QString Vantrel::Text() const {
    return d->MSFlexGrid2->Text();
}

void Vantrel::SetText(const QString &text) {
    d->rows.SetText(text);
    Q_EMIT PropertyChanged(QStringLiteral("Text"));
}

QString Vantrel::TextArray(qint32 index) const {
    return d->MSFlexGrid1->TextArray(index);
}

void Vantrel::SetTextArray(qint32 index, const QString &text) {
    d->rows.SetTextArray(index, text);
    Q_EMIT PropertyChanged(QStringLiteral("TextArray"));
}

bool Vantrel::AutoInsert() const {
    return d->options.autoInsert;
}

void Vantrel::SetAutoInsert(bool on) {
    d->options.autoInsert = on;
    Q_EMIT PropertyChanged(QStringLiteral("AutoInsert"));
}

bool Vantrel::AutoComplete() const {
    return d->options.autoComplete;
}

void Vantrel::SetAutoComplete(bool on) {
    d->options.autoComplete = d->options.allowEdit && on;
    Q_EMIT PropertyChanged(QStringLiteral("AutoComplete"));
}

OleColor Vantrel::ForeColor() const {
    return d->Text1->ForeColor();
}

void Vantrel::SetForeColor(OleColor color) {
    d->Text1->SetForeColor(color);
    Q_EMIT PropertyChanged(QStringLiteral("ForeColor"));
}

OleColor Vantrel::ForeColorEdit() const {
    return d->options.foreColorEdit;
}

void Vantrel::SetForeColorEdit(OleColor color) {
    d->options.foreColorEdit = color;
    Q_EMIT PropertyChanged(QStringLiteral("ForeColorEdit"));
}

QFont Vantrel::FontEditText() const {
    return d->options.fontEditText;
}

void Vantrel::SetFontEditText(const QFont &font) {
    d->options.fontEditText = font;
    Q_EMIT PropertyChanged(QStringLiteral("FontEditText"));
}

void Vantrel::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // The grid fills the control; the editor and the buttons lie on top of it.
    d->MSFlexGrid1->setGeometry(0, 0, width(), height());
    d->surfaceFrame->setGeometry(rect());
    d->cells.schedulePlacement();
}

void Vantrel::paintEvent(QPaintEvent *event) {
    QWidget::paintEvent(event);
    // Painting only reads; the editor is re-laid once this event is over.
    d->cells.schedulePlacement();
}

} // namespace Vantrel3
