// The control's saved settings: the property-bag keys under which the settings are saved and
// loaded, with their defaults, and the values of a new control, all from one table. A key saved
// twice holds the visible grid's value, then the hidden grid's (or Command1's, then Command2's).

#include "control/vantrel_p.h"

#include "editing/cell_button.h"
#include "editing/editor_box.h"

#include <Vantrel3/DataControl.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/VbError.h>

#include <QSignalBlocker>

namespace Vantrel3 {

namespace {

using Kind = Setting::Kind;
using Get = std::function<QVariant()>;
using Set = std::function<void(const QVariant &)>;

// Settings saved with an empty default are always stored; one read back as empty is False.
const QVariant kEmpty;

Setting row(const char *key, Kind kind, const QVariant &def, Get get, Set set, int copy = 0) {
    Setting s;
    s.key = QString::fromLatin1(key);
    s.copy = copy;
    s.kind = kind;
    s.def = def;
    s.get = std::move(get);
    s.set = [set = std::move(set)](const QVariant &v, const PropertyBag &) { set(v); };
    return s;
}

Setting withInit(Setting s, Set init) {
    s.init = std::move(init);
    return s;
}

// A grid setting saved twice: the visible grid's value, then the hidden grid's.
template <typename T, typename A>
void bothGrids(std::vector<Setting> &rows, const char *key, Kind kind, const QVariant &def,
               FlexGrid *g1, FlexGrid *g2, T (FlexGrid::*get)() const, void (FlexGrid::*set)(A)) {
    int copy = 0;
    for (FlexGrid *g : {g1, g2}) {
        rows.push_back(row(
            key, kind, def, [g, get] { return QVariant::fromValue((g->*get)()); },
            [g, set](const QVariant &v) { (g->*set)(v.value<T>()); }, copy++));
    }
}

// A visible-grid setting of index 0.
template <typename T>
Setting indexZero(const char *key, Kind kind, FlexGrid *g, T (FlexGrid::*get)(qint32) const,
                  void (FlexGrid::*set)(qint32, T)) {
    return row(
        key, kind, 0, [g, get] { return QVariant::fromValue((g->*get)(0)); },
        [g, set](const QVariant &v) { (g->*set)(0, v.value<T>()); });
}

template <typename T, typename A>
Setting gridRow(const char *key, Kind kind, const QVariant &def, FlexGrid *g,
                T (FlexGrid::*get)() const, void (FlexGrid::*set)(A)) {
    return row(
        key, kind, def, [g, get] { return QVariant::fromValue((g->*get)()); },
        [g, set](const QVariant &v) { (g->*set)(v.value<T>()); });
}

Setting colourRow(const char *key, quint32 def, FlexGrid *g, OleColor (FlexGrid::*get)() const,
                  void (FlexGrid::*set)(OleColor)) {
    return row(
        key, Kind::Colour, def, [g, get] { return QVariant(quint32((g->*get)())); },
        [g, set](const QVariant &v) { (g->*set)(OleColor(v.toUInt())); });
}

template <typename T>
Setting own(const char *key, Kind kind, const QVariant &def, T &field) {
    return withInit(row(
                        key, kind, def, [&field] { return QVariant::fromValue(field); },
                        [&field](const QVariant &v) { field = v.value<T>(); }),
                    [&field](const QVariant &v) { field = v.value<T>(); });
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

SettingsTable VantrelPrivate::makeSettings() {
    FlexGrid *g1 = MSFlexGrid1;
    FlexGrid *g2 = MSFlexGrid2;
    EditorBox *editor = Text1;
    Vantrel *const q = this->q;
    std::vector<Setting> r;

    r.push_back(
        colourRow("BackColor", 0x80000005u, g1, &FlexGrid::BackColor, &FlexGrid::SetBackColor));
    r.push_back(row(
        "ForeColor", Kind::Colour, 0x80000008u,
        [editor] { return QVariant(quint32(editor->ForeColor())); },
        [editor](const QVariant &v) { editor->SetForeColor(OleColor(v.toUInt())); }));
    r.push_back(row(
        "Enabled", Kind::Bool, kEmpty, [q] { return QVariant(q->Enabled()); },
        [q](const QVariant &v) { q->setEnabled(v.toBool()); }));
    r.push_back(row(
        "Font", Kind::Font, QVariant(), [g1] { return QVariant(g1->font()); },
        [g1](const QVariant &v) { g1->setFont(v.value<QFont>()); }));
    r.push_back(withInit(gridRow("BorderStyle", Kind::Long, 1, g1, &FlexGrid::BorderStyle,
                                 &FlexGrid::SetBorderStyle),
                         [q](const QVariant &v) { q->SetBorderStyle(v.toInt()); }));
    r.push_back(gridRow("AllowUserResizing", Kind::Long, 0, g1, &FlexGrid::AllowUserResizing,
                        &FlexGrid::SetAllowUserResizing));
    r.push_back(colourRow("BackColorBkg", 0x808080u, g1, &FlexGrid::BackColorBkg,
                          &FlexGrid::SetBackColorBkg));
    r.push_back(colourRow("BackColorFixed", 0x8000000Fu, g1, &FlexGrid::BackColorFixed,
                          &FlexGrid::SetBackColorFixed));
    r.push_back(colourRow("BackColorSel", 0x808000u, g1, &FlexGrid::BackColorSel,
                          &FlexGrid::SetBackColorSel));
    r.push_back(row(
        "CellPicture", Kind::Picture, QPixmap(), [q] { return QVariant(q->CellPicture()); },
        [q](const QVariant &v) { q->SetCellPicture(v.value<QPixmap>()); }));
    r.push_back(indexZero("ColAlignment0", Kind::Long, g1, &FlexGrid::ColAlignment,
                          &FlexGrid::SetColAlignment));
    r.push_back(indexZero("ColData0", Kind::Long, g1, &FlexGrid::ColData, &FlexGrid::SetColData));
    // Loaded, never saved.
    r.push_back(row("ColPosition0", Kind::Long, 0, nullptr,
                    [g1](const QVariant &v) { g1->SetColPosition(0, v.toInt()); }));
    bothGrids(r, "Cols", Kind::Long, 2, g1, g2, &FlexGrid::Cols, &FlexGrid::SetCols);
    r.push_back(
        indexZero("ColWidth0", Kind::Long, g1, &FlexGrid::ColWidth, &FlexGrid::SetColWidth));
    r.push_back(indexZero("FixedAlignment0", Kind::Integer, g1, &FlexGrid::FixedAlignment,
                          &FlexGrid::SetFixedAlignment));
    bothGrids(r, "FixedCols", Kind::Long, 0, g1, g2, &FlexGrid::FixedCols, &FlexGrid::SetFixedCols);
    bothGrids(r, "FixedRows", Kind::Long, 1, g1, g2, &FlexGrid::FixedRows, &FlexGrid::SetFixedRows);
    for (Setting &s : r) {
        if (s.key == u"FixedRows") {
            FlexGrid *g = s.copy == 0 ? g1 : g2;
            s.set = [this, g, copy = s.copy](const QVariant &v, const PropertyBag &bag) {
                loadFixedRows(*g, v.toInt(),
                              settings.saved(bag, QStringLiteral("Rows"), copy).toInt());
            };
        }
    }
    r.push_back(
        gridRow("FocusRect", Kind::Long, 0, g1, &FlexGrid::FocusRect, &FlexGrid::SetFocusRect));
    r.push_back(colourRow("ForeColorFixed", 0x80000012u, g1, &FlexGrid::ForeColorFixed,
                          &FlexGrid::SetForeColorFixed));
    r.push_back(colourRow("ForeColorSel", 0x8000000Eu, g1, &FlexGrid::ForeColorSel,
                          &FlexGrid::SetForeColorSel));
    bothGrids(r, "FormatString", Kind::Text, QString(), g1, g2, &FlexGrid::FormatString,
              &FlexGrid::SetFormatString);
    r.push_back(
        colourRow("GridColor", 0xC0C0C0u, g1, &FlexGrid::GridColor, &FlexGrid::SetGridColor));
    r.push_back(colourRow("GridColorFixed", 0u, g1, &FlexGrid::GridColorFixed,
                          &FlexGrid::SetGridColorFixed));
    r.push_back(
        gridRow("GridLines", Kind::Long, 1, g1, &FlexGrid::GridLines, &FlexGrid::SetGridLines));
    r.push_back(gridRow("GridLinesFixed", Kind::Long, 1, g1, &FlexGrid::GridLinesFixed,
                        &FlexGrid::SetGridLinesFixed));
    r.push_back(gridRow("GridLineWidth", Kind::Integer, 1, g1, &FlexGrid::GridLineWidth,
                        &FlexGrid::SetGridLineWidth));
    r.push_back(
        gridRow("HighLight", Kind::Long, 0, g1, &FlexGrid::HighLight, &FlexGrid::SetHighLight));
    r.push_back(row(
        "MouseIcon", Kind::Picture, QPixmap(), [q] { return QVariant(q->MouseIcon()); },
        [q](const QVariant &v) { q->SetMouseIcon(v.value<QPixmap>()); }));
    r.push_back(row(
        "MousePointer", Kind::Integer, 0, [q] { return QVariant(qint32(q->MousePointer())); },
        [q](const QVariant &v) {
            // The surface's own settings: loading them is no change of the control.
            const QSignalBlocker loading(q);
            q->SetMousePointer(v.toInt());
        }));
    r.push_back(indexZero("RowData0", Kind::Long, g1, &FlexGrid::RowData, &FlexGrid::SetRowData));
    r.push_back(
        indexZero("RowHeight0", Kind::Long, g1, &FlexGrid::RowHeight, &FlexGrid::SetRowHeight));
    r.push_back(gridRow("RowHeightMin", Kind::Long, 0, g1, &FlexGrid::RowHeightMin,
                        &FlexGrid::SetRowHeightMin));
    // Loaded, never saved.
    r.push_back(row("RowPosition0", Kind::Long, 0, nullptr,
                    [g1](const QVariant &v) { g1->SetRowPosition(0, v.toInt()); }));
    bothGrids(r, "Rows", Kind::Long, 2, g1, g2, &FlexGrid::Rows, &FlexGrid::SetRows);
    r.push_back(
        gridRow("ScrollBars", Kind::Long, 3, g1, &FlexGrid::ScrollBars, &FlexGrid::SetScrollBars));
    r.push_back(gridRow("SelectionMode", Kind::Long, 0, g1, &FlexGrid::SelectionMode,
                        &FlexGrid::SetSelectionMode));
    r.push_back(row(
        "TextArray0", Kind::Text, QString(), [g1] { return QVariant(g1->TextArray(0)); },
        [g1](const QVariant &v) { g1->SetTextArray(0, v.toString()); }));
    r.push_back(row(
        "TextMatrix0", Kind::Text, QString(), [g1] { return QVariant(g1->Text()); },
        [g1](const QVariant &v) { g1->SetTextMatrix(g1->Row(), g1->Col(), v.toString()); }));
    r.push_back(
        gridRow("TextStyle", Kind::Long, 0, g1, &FlexGrid::TextStyle, &FlexGrid::SetTextStyle));
    r.push_back(gridRow("TextStyleFixed", Kind::Long, 0, g1, &FlexGrid::TextStyleFixed,
                        &FlexGrid::SetTextStyleFixed));
    r.push_back(gridRow("ToolTipText", Kind::Text, QString(), g1, &FlexGrid::ToolTipText,
                        &FlexGrid::SetToolTipText));
    r.push_back(
        gridRow("WordWrap", Kind::Bool, kEmpty, g1, &FlexGrid::WordWrap, &FlexGrid::SetWordWrap));
    r.push_back(row(
        "BackColorEdit", Kind::Colour, 0xC0E0FFu,
        [editor] { return QVariant(quint32(editor->BackColor())); },
        [editor](const QVariant &v) { editor->SetBackColor(OleColor(v.toUInt())); }));
    r.push_back(withInit(row(
                             "ForeColorEdit", Kind::Colour, 0x80u,
                             [this] { return QVariant(quint32(options.foreColorEdit)); },
                             [this](const QVariant &v) { options.foreColorEdit = v.toUInt(); }),
                         [this](const QVariant &v) { options.foreColorEdit = v.toUInt(); }));
    r.push_back(own("AutoInsert", Kind::Bool, true, options.autoInsert));
    r.push_back(own("FontEditText", Kind::Font, QVariant(), options.fontEditText));
    r.push_back(own("AllowEdit", Kind::Bool, true, options.allowEdit));
    r.push_back(own("SetKeyFunction", Kind::Long, qint32(eKeyF7), options.setKeyFunction));
    r.push_back(own("ArrowAsKeyTab", Kind::Bool, false, options.arrowAsKeyTab));
    r.push_back(own("EnterAsKeyTab", Kind::Bool, false, options.enterAsKeyTab));
    r.push_back(row(
        "Appearance", Kind::Long, 1, [q] { return QVariant(qint32(q->Appearance())); },
        [q](const QVariant &v) {
            const QSignalBlocker loading(q);
            q->SetAppearance(v.toInt());
        }));
    // The recorded cell is loaded; the current cell does not move.
    r.push_back(own("Col", Kind::Long, 0, recordedCol));
    r.push_back(own("Row", Kind::Long, 0, recordedRow));
    int copy = 0;
    for (CellButton *button : {Command1, Command2}) {
        r.push_back(row(
            "ButtonBackColor", Kind::Colour, 0u,
            [button] { return QVariant(quint32(button->BackColor())); },
            [button](const QVariant &v) { button->SetBackColor(OleColor(v.toUInt())); }, copy++));
    }
    r.push_back(withInit(own("AutoComplete", Kind::Bool, false, options.autoComplete),
                         [q](const QVariant &v) { q->SetAutoComplete(v.toBool()); }));
    // Read and saved a second time, for the visible grid again.
    r.push_back(
        gridRow("WordWrap", Kind::Bool, kEmpty, g1, &FlexGrid::WordWrap, &FlexGrid::SetWordWrap));
    r.back().copy = 1;
    copy = 0;
    for (FlexGrid *g : {g1, g2}) {
        r.push_back(row(
            "MergeRow0", Kind::Bool, false, [g] { return QVariant(g->MergeRow(0)); },
            [g](const QVariant &v) { g->SetMergeRow(0, v.toBool()); }, copy++));
    }
    copy = 0;
    for (FlexGrid *g : {g1, g2}) {
        r.push_back(row(
            "MergeCol0", Kind::Bool, false, [g] { return QVariant(g->MergeCol(0)); },
            [g](const QVariant &v) { g->SetMergeCol(0, v.toBool()); }, copy++));
    }
    bothGrids(r, "MergeCells", Kind::Long, 0, g1, g2, &FlexGrid::MergeCells,
              &FlexGrid::SetMergeCells);
    bothGrids(r, "Redraw", Kind::Bool, kEmpty, g1, g2, &FlexGrid::Redraw, &FlexGrid::SetRedraw);
    DataControl *data = Data1;
    r.push_back(row(
        "DatabaseName", Kind::Text, QString(), [data] { return QVariant(data->DatabaseName()); },
        [data](const QVariant &v) { data->SetDatabaseName(v.toString()); }));
    r.push_back(row(
        "RecordsetType", Kind::Integer, 1,
        [data] { return QVariant(qint32(data->RecordsetType())); },
        [data](const QVariant &v) { data->SetRecordsetType(qint16(v.toInt())); }));
    // The data source opens with the form, once all three are loaded.
    r.push_back(row(
        "RecordSource", Kind::Text, QString(), [data] { return QVariant(data->RecordSource()); },
        [this, data](const QVariant &v) {
            binding.loadDataSource(data->DatabaseName(), data->RecordsetType(), v.toString());
        }));

    // A new control sets the shape through the public properties, so both grids change and
    // each is marked changed.
    for (Setting &s : r) {
        if (s.copy != 0) {
            continue;
        }
        if (s.key == u"FixedCols") {
            s.init = [q](const QVariant &v) { q->SetFixedCols(v.toInt()); };
        } else if (s.key == u"FixedRows") {
            s.init = [q](const QVariant &v) { q->SetFixedRows(v.toInt()); };
        } else if (s.key == u"Cols") {
            s.init = [q](const QVariant &v) { q->SetCols(v.toInt()); };
        } else if (s.key == u"Rows") {
            s.init = [q](const QVariant &v) { q->SetRows(v.toInt()); };
        }
    }

    return SettingsTable(
        std::move(r),
        {{QStringLiteral("FixedRows"), 0, QStringLiteral("FixedCols"), 0},
         {QStringLiteral("AutoInsert"), 0, QStringLiteral("MousePointer"), 0},
         {QStringLiteral("SetKeyFunction"), 0, QStringLiteral("AutoInsert"), 0}},
        {QStringLiteral("ForeColorEdit"), QStringLiteral("FontEditText"),
         QStringLiteral("AllowEdit"), QStringLiteral("ArrowAsKeyTab"),
         QStringLiteral("EnterAsKeyTab"), QStringLiteral("AutoInsert"),
         QStringLiteral("SetKeyFunction"), QStringLiteral("Col"), QStringLiteral("Row"),
         QStringLiteral("FixedCols"), QStringLiteral("FixedRows"), QStringLiteral("Cols"),
         QStringLiteral("Rows"), QStringLiteral("BorderStyle"), QStringLiteral("AutoComplete")},
        [this] { return QVariant(ambientFont()); });
}

void Vantrel::InitProperties() {
    d->settings.init();
}

void Vantrel::ReadProperties(const PropertyBag &bag) {
    d->settings.read(bag);
}

void Vantrel::WriteProperties(PropertyBag &bag) const {
    d->settings.write(bag);
}

} // namespace Vantrel3
