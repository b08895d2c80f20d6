// The control's saved settings: the values of a new control, and the property-bag keys under
// which the settings are saved and loaded, in their order and with their defaults. A key saved
// twice holds the visible grid's value, then the hidden grid's (or Command1's, then Command2's).

#include "control/vantrel_p.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/VbError.h>

#include <QApplication>
#include <QSignalBlocker>
#include <limits>

namespace Vantrel3 {

namespace {

// Settings saved with an empty default are always stored; one read back as empty is False.
const QVariant kEmpty;

// A number saved as text that does not read as one (a hand-edited bag) is a type mismatch,
// not a silent 0.
quint32 colour(const QVariant &v) {
    bool ok = true;
    const quint32 c = v.toUInt(&ok);
    if (!ok && v.isValid()) {
        throw VbError(VbError::TypeMismatch, QStringLiteral("Vantrel"));
    }
    return c;
}
qint32 number(const QVariant &v) {
    bool ok = true;
    const qint32 n = v.toInt(&ok);
    if (!ok && v.isValid()) {
        throw VbError(VbError::TypeMismatch, QStringLiteral("Vantrel"));
    }
    return n;
}
// A setting held in an Integer: a saved Long that does not fit overflows instead of wrapping
// round to some other, possibly valid, value.
qint16 integer(const QVariant &v) {
    const qint32 n = number(v);
    if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max()) {
        throw VbError(VbError::Overflow);
    }
    return qint16(n);
}

// The fixed rows are loaded before the rows, but a grid takes no more fixed rows than it has:
// it first gets the rows it is about to load. Fixed rows beyond those saved rows are damage.
void loadFixedRows(FlexGrid &grid, qint32 fixedRows, qint32 savedRows) {
    if (fixedRows > savedRows) {
        throw VbError(VbError::InvalidPropertyValue);
    }
    if (fixedRows > grid.Rows()) {
        grid.SetRows(savedRows);
    }
    grid.SetFixedRows(fixedRows);
}

} // namespace

QFont VantrelPrivate::ambientFont() const {
    return q->parentWidget() ? q->parentWidget()->font() : QApplication::font();
}

void Vantrel::InitProperties() {
    d->foreColorEdit = 0x80;
    d->fontEditText = d->ambientFont();
    d->allowEdit = true;
    d->arrowAsKeyTab = false;
    d->enterAsKeyTab = false;
    d->autoInsert = true;
    d->setKeyFunction = eKeyF7;
    d->recordedCol = 0;
    d->recordedRow = 0;
    SetFixedCols(0);
    SetFixedRows(1);
    SetCols(2);
    SetRows(2);
    SetBorderStyle(1);
    SetAutoComplete(false);
}

void Vantrel::ReadProperties(const PropertyBag &bag) {
    FlexGrid &g1 = *d->MSFlexGrid1;
    FlexGrid &g2 = *d->MSFlexGrid2;
    const QFont ambient = d->ambientFont();
    // Every load reads the bag from its first values, whoever read it before.
    bag.resetReads();
    // The value the n-th read of a key will give, without reading it.
    auto saved = [&bag](const char *key, int n, const QVariant &def) {
        return bag.values(QString::fromLatin1(key)).value(n, def);
    };
    auto read = [&bag](const char *key, const QVariant &def) {
        return bag.ReadProperty(QString::fromLatin1(key), def);
    };

    g1.SetBackColor(colour(read("BackColor", 0x80000005u)));
    d->Text1->SetForeColor(colour(read("ForeColor", 0x80000008u)));
    setEnabled(read("Enabled", kEmpty).toBool());
    g1.setFont(read("Font", ambient).value<QFont>());
    g1.SetBorderStyle(number(read("BorderStyle", 1)));
    g1.SetAllowUserResizing(number(read("AllowUserResizing", 0)));
    g1.SetBackColorBkg(colour(read("BackColorBkg", 0x808080u)));
    g1.SetBackColorFixed(colour(read("BackColorFixed", 0x8000000Fu)));
    g1.SetBackColorSel(colour(read("BackColorSel", 0x808000u)));
    SetCellPicture(read("CellPicture", QPixmap()).value<QPixmap>());
    g1.SetColAlignment(0, number(read("ColAlignment0", 0)));
    g1.SetColData(0, number(read("ColData0", 0)));
    g1.SetColPosition(0, number(read("ColPosition0", 0)));
    g1.SetCols(number(read("Cols", 2)));
    g2.SetCols(number(read("Cols", 2)));
    g1.SetColWidth(0, number(read("ColWidth0", 0)));
    g1.SetFixedAlignment(0, integer(read("FixedAlignment0", 0)));
    g1.SetFixedCols(number(read("FixedCols", 0)));
    g2.SetFixedCols(number(read("FixedCols", 0)));
    loadFixedRows(g1, number(read("FixedRows", 1)), number(saved("Rows", 0, 2)));
    loadFixedRows(g2, number(read("FixedRows", 1)), number(saved("Rows", 1, 2)));
    g1.SetFocusRect(number(read("FocusRect", 0)));
    g1.SetForeColorFixed(colour(read("ForeColorFixed", 0x80000012u)));
    g1.SetForeColorSel(colour(read("ForeColorSel", 0x8000000Eu)));
    g1.SetFormatString(read("FormatString", QString()).toString());
    g2.SetFormatString(read("FormatString", QString()).toString());
    g1.SetGridColor(colour(read("GridColor", 0xC0C0C0u)));
    g1.SetGridColorFixed(colour(read("GridColorFixed", 0u)));
    g1.SetGridLines(number(read("GridLines", 1)));
    g1.SetGridLinesFixed(number(read("GridLinesFixed", 1)));
    g1.SetGridLineWidth(integer(read("GridLineWidth", 1)));
    g1.SetHighLight(number(read("HighLight", 0)));
    SetMouseIcon(read("MouseIcon", QPixmap()).value<QPixmap>());
    {
        // The surface's own settings: loading them is no change of the control.
        const QSignalBlocker loading(this);
        SetMousePointer(integer(read("MousePointer", 0)));
    }
    g1.SetRowData(0, number(read("RowData0", 0)));
    g1.SetRowHeight(0, number(read("RowHeight0", 0)));
    g1.SetRowHeightMin(number(read("RowHeightMin", 0)));
    g1.SetRowPosition(0, number(read("RowPosition0", 0)));
    g1.SetRows(number(read("Rows", 2)));
    g2.SetRows(number(read("Rows", 2)));
    g1.SetScrollBars(number(read("ScrollBars", 3)));
    g1.SetSelectionMode(number(read("SelectionMode", 0)));
    g1.SetTextArray(0, read("TextArray0", QString()).toString());
    g1.SetTextMatrix(g1.Row(), g1.Col(), read("TextMatrix0", QString()).toString());
    g1.SetTextStyle(number(read("TextStyle", 0)));
    g1.SetTextStyleFixed(number(read("TextStyleFixed", 0)));
    g1.SetToolTipText(read("ToolTipText", QString()).toString());
    g1.SetWordWrap(read("WordWrap", kEmpty).toBool());
    d->Text1->SetBackColor(colour(read("BackColorEdit", quint32(d->Text1->BackColor()))));
    d->foreColorEdit = colour(read("ForeColorEdit", 128u));
    d->autoInsert = read("AutoInsert", 1).toBool();
    d->fontEditText = read("FontEditText", ambient).value<QFont>();
    d->allowEdit = read("AllowEdit", 1).toBool();
    d->setKeyFunction = number(read("SetKeyFunction", 118));
    d->arrowAsKeyTab = read("ArrowAsKeyTab", 0).toBool();
    d->enterAsKeyTab = read("EnterAsKeyTab", 0).toBool();
    {
        const QSignalBlocker loading(this);
        SetAppearance(number(read("Appearance", 1)));
    }
    // The recorded cell is loaded; the current cell does not move.
    d->recordedCol = number(read("Col", 0));
    d->recordedRow = number(read("Row", 0));
    d->Command1->SetBackColor(colour(read("ButtonBackColor", quint32(d->Command1->BackColor()))));
    d->Command2->SetBackColor(colour(read("ButtonBackColor", quint32(d->Command2->BackColor()))));
    d->autoComplete = read("AutoComplete", 0).toBool();
    g1.SetWordWrap(read("WordWrap", kEmpty).toBool());
    g1.SetMergeRow(0, read("MergeRow0", false).toBool());
    g2.SetMergeRow(0, read("MergeRow0", false).toBool());
    g1.SetMergeCol(0, read("MergeCol0", false).toBool());
    g2.SetMergeCol(0, read("MergeCol0", false).toBool());
    g1.SetMergeCells(number(read("MergeCells", 0)));
    g2.SetMergeCells(number(read("MergeCells", 0)));
    g1.SetRedraw(read("Redraw", kEmpty).toBool());
    g2.SetRedraw(read("Redraw", kEmpty).toBool());
    d->loadDataSource(read("DatabaseName", QString()).toString(), integer(read("RecordsetType", 1)),
                      read("RecordSource", QString()).toString());
}

void Vantrel::WriteProperties(PropertyBag &bag) const {
    const FlexGrid &g1 = *d->MSFlexGrid1;
    const FlexGrid &g2 = *d->MSFlexGrid2;
    auto write = [&bag](const char *key, const QVariant &value, const QVariant &def) {
        bag.WriteProperty(QString::fromLatin1(key), value, def);
    };
    auto oleColour = [](OleColor c) { return QVariant(quint32(c)); };

    write("BackColor", oleColour(g1.BackColor()), 0x80000005u);
    write("ForeColor", oleColour(d->Text1->ForeColor()), 0x80000008u);
    write("Enabled", isEnabled(), kEmpty);
    write("Font", g1.font(), d->ambientFont());
    write("BorderStyle", g1.BorderStyle(), 1);
    write("AllowUserResizing", g1.AllowUserResizing(), 0);
    write("BackColorBkg", oleColour(g1.BackColorBkg()), 0x808080u);
    write("BackColorFixed", oleColour(g1.BackColorFixed()), 0x8000000Fu);
    write("BackColorSel", oleColour(g1.BackColorSel()), 0x808000u);
    write("CellPicture", CellPicture(), QPixmap());
    write("ColAlignment0", g1.ColAlignment(0), 0);
    write("ColData0", g1.ColData(0), 0);
    write("Cols", g1.Cols(), 2);
    write("Cols", g2.Cols(), 2);
    write("ColWidth0", g1.ColWidth(0), 0);
    write("FixedAlignment0", g1.FixedAlignment(0), 0);
    write("FixedCols", g1.FixedCols(), 0);
    write("FixedRows", g1.FixedRows(), 1);
    write("FixedCols", g2.FixedCols(), 0);
    write("FixedRows", g2.FixedRows(), 1);
    write("FocusRect", g1.FocusRect(), 0);
    write("ForeColorFixed", oleColour(g1.ForeColorFixed()), 0x80000012u);
    write("ForeColorSel", oleColour(g1.ForeColorSel()), 0x8000000Eu);
    write("FormatString", g1.FormatString(), QString());
    write("FormatString", g2.FormatString(), QString());
    write("GridColor", oleColour(g1.GridColor()), 0xC0C0C0u);
    write("GridColorFixed", oleColour(g1.GridColorFixed()), 0u);
    write("GridLines", g1.GridLines(), 1);
    write("GridLinesFixed", g1.GridLinesFixed(), 1);
    write("GridLineWidth", g1.GridLineWidth(), 1);
    write("HighLight", g1.HighLight(), 0);
    write("MouseIcon", MouseIcon(), QPixmap());
    write("MousePointer", MousePointer(), 0);
    write("AutoInsert", d->autoInsert, true);
    write("SetKeyFunction", d->setKeyFunction, 118);
    write("RowData0", g1.RowData(0), 0);
    write("RowHeight0", g1.RowHeight(0), 0);
    write("RowHeightMin", g1.RowHeightMin(), 0);
    write("Rows", g1.Rows(), 2);
    write("Rows", g2.Rows(), 2);
    write("ScrollBars", g1.ScrollBars(), 3);
    write("SelectionMode", g1.SelectionMode(), 0);
    write("TextArray0", g1.TextArray(0), QString());
    write("TextMatrix0", g1.Text(), QString());
    write("TextStyle", g1.TextStyle(), 0);
    write("TextStyleFixed", g1.TextStyleFixed(), 0);
    write("ToolTipText", g1.ToolTipText(), QString());
    write("WordWrap", g1.WordWrap(), kEmpty);
    write("BackColorEdit", oleColour(d->Text1->BackColor()), 0xC0E0FFu);
    write("ForeColorEdit", oleColour(d->foreColorEdit), 128u);
    write("FontEditText", d->fontEditText, d->ambientFont());
    write("AllowEdit", d->allowEdit, true);
    write("ArrowAsKeyTab", d->arrowAsKeyTab, false);
    write("EnterAsKeyTab", d->enterAsKeyTab, false);
    write("Appearance", Appearance(), 1);
    write("Col", d->recordedCol, 0);
    write("Row", d->recordedRow, 0);
    write("ButtonBackColor", oleColour(d->Command1->BackColor()), 0u);
    write("ButtonBackColor", oleColour(d->Command2->BackColor()), 0u);
    write("AutoComplete", d->autoComplete, false);
    write("WordWrap", g1.WordWrap(), kEmpty);
    write("MergeRow0", g1.MergeRow(0), false);
    write("MergeRow0", g2.MergeRow(0), false);
    write("MergeCol0", g1.MergeCol(0), false);
    write("MergeCol0", g2.MergeCol(0), false);
    write("MergeCells", g1.MergeCells(), 0);
    write("MergeCells", g2.MergeCells(), 0);
    write("Redraw", g1.Redraw(), kEmpty);
    write("Redraw", g2.Redraw(), kEmpty);
    write("DatabaseName", DatabaseName(), QString());
    write("RecordsetType", RecordsetType(), 1);
    write("RecordSource", RecordSource(), QString());
}

} // namespace Vantrel3
