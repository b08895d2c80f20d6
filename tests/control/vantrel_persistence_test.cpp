#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/Vantrel.h>

#include "editing/cell_button.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

using Vantrel3::CellButton;
using Vantrel3::FlexGrid;
using Vantrel3::PropertyBag;
using Vantrel3::Vantrel;

namespace {

FlexGrid &grid(Vantrel &v, const char *name) {
    return *v.findChild<FlexGrid *>(QString::fromLatin1(name));
}

CellButton &button(Vantrel &v, const char *name) {
    return *v.findChild<CellButton *>(QString::fromLatin1(name));
}

QPixmap picture(QColor a, QColor b) {
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(a);
    image.setPixelColor(3, 2, b);
    return QPixmap::fromImage(image);
}

QImage pixels(const QPixmap &p) {
    return p.toImage().convertToFormat(QImage::Format_ARGB32);
}

QFont font(const char *family, double size, int weight, bool italic) {
    QFont f;
    f.setFamily(QString::fromLatin1(family));
    f.setPointSizeF(size);
    f.setWeight(QFont::Weight(weight));
    f.setItalic(italic);
    return f;
}

// The key of every entry of a bag's text form, in order (a font block counts once).
QStringList writtenKeys(const QString &text) {
    static const QRegularExpression entry(QStringLiteral("^(?:BeginProperty +)?([A-Za-z0-9_]+)"));
    QStringList keys;
    bool inBlock = false;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u"EndProperty")) {
            inBlock = false;
            continue;
        }
        if (inBlock) {
            continue;
        }
        inBlock = line.startsWith(u"BeginProperty");
        keys << entry.match(line).captured(1);
    }
    return keys;
}

QString savedText(const Vantrel &v) {
    PropertyBag bag;
    v.WriteProperties(bag);
    return bag.toText();
}

// Every saved setting away from its default, on both grids where the setting is saved twice.
void configureEverything(Vantrel &a) {
    FlexGrid &g1 = grid(a, "MSFlexGrid1");
    FlexGrid &g2 = grid(a, "MSFlexGrid2");
    // Format strings first: they rewrite the headings and the widths of their columns.
    g1.SetFormatString(QStringLiteral("|>Importo|^Data"));
    g2.SetFormatString(QStringLiteral("|<Raw"));
    g1.SetCols(5);
    g2.SetCols(4);
    g1.SetRows(7);
    g2.SetRows(6);
    g1.SetFixedCols(1);
    g2.SetFixedCols(2);
    // No fixed row on the visible grid: its current cell stays at (1, 1) while a control loads,
    // the cell CellPicture and TextMatrix0 are applied to.
    g1.SetFixedRows(0);
    g2.SetFixedRows(3);
    a.SetBackColor(0x00112233u);
    a.SetForeColor(0x00445566u);
    a.SetFont(font("DejaVu Serif", 13.5, 700, true));
    a.SetBorderStyle(0);
    a.SetAllowUserResizing(3);
    a.SetBackColorBkg(0x00010203u);
    a.SetBackColorFixed(0x00040506u);
    a.SetBackColorSel(0x00070809u);
    a.SetColAlignment(0, 7);
    a.SetColData(0, 4242);
    a.SetColWidth(0, 1515);
    a.SetFixedAlignment(0, 2);
    a.SetFocusRect(2);
    a.SetForeColorFixed(0x000A0B0Cu);
    a.SetForeColorSel(0x000D0E0Fu);
    a.SetGridColor(0x00101112u);
    a.SetGridColorFixed(0x00131415u);
    a.SetGridLines(3);
    a.SetGridLinesFixed(2);
    a.SetGridLineWidth(4);
    a.SetHighLight(2);
    a.SetMouseIcon(picture(Qt::blue, Qt::yellow));
    a.SetMousePointer(Vantrel3::eCustom);
    a.SetRowData(0, -77);
    a.SetRowHeight(0, 600);
    a.SetRowHeightMin(300);
    a.SetScrollBars(1);
    a.SetSelectionMode(2);
    a.SetTextStyle(3);
    a.SetTextStyleFixed(4);
    a.SetToolTipText(QStringLiteral("Suggerimento \"qui\"\tfine"));
    a.SetBackColorEdit(0x00202122u);
    a.SetForeColorEdit(0x00232425u);
    a.SetAutoInsert(false);
    a.SetFontEditText(font("DejaVu Sans Mono", 11, 300, false));
    a.SetSetKeyFunction(119);
    a.SetArrowAsKeyTab(true);
    a.SetEnterAsKeyTab(true);
    a.SetAppearance(0);
    a.SetAutoComplete(true);
    a.SetAllowEdit(false);
    a.SetWordWrap(true);
    a.SetMergeCells(Vantrel3::eMergeRestrictRows);
    a.SetMergeRow(0, true);
    a.SetMergeCol(0, true);
    g2.SetMergeCells(3);
    a.SetRedraw(true);
    a.SetRecordsetType(2);
    button(a, "Command1").SetBackColor(0x00303132u);
    button(a, "Command2").SetBackColor(0x00333435u);
    a.SetTextArray(0, QStringLiteral("angolo"));
    // Recorded column and row, then the current cell moved away from them behind the control's
    // back: the recorded cell is saved, the current one is not.
    a.SetCol(3);
    a.SetRow(5);
    g1.SetRow(1);
    g1.SetCol(1);
    a.SetCellPicture(picture(Qt::red, Qt::green));
    g1.SetText(QStringLiteral("cella corrente"));
}

} // namespace

TEST(VantrelPersist, EveryKeySurvivesTheTextForm) {
    Vantrel a;
    configureEverything(a);
    PropertyBag written;
    a.WriteProperties(written);
    const QString text = written.toText();

    Vantrel b(PropertyBag::fromText(text));

    struct Case {
        const char *name;
        std::function<QVariant(Vantrel &)> read;
    };
    auto g1 = [](const std::function<QVariant(FlexGrid &)> &f) {
        return [f](Vantrel &v) { return f(grid(v, "MSFlexGrid1")); };
    };
    auto g2 = [](const std::function<QVariant(FlexGrid &)> &f) {
        return [f](Vantrel &v) { return f(grid(v, "MSFlexGrid2")); };
    };
    const Case cases[] = {
        {"BackColor", [](Vantrel &v) { return QVariant(quint32(v.BackColor())); }},
        {"ForeColor", [](Vantrel &v) { return QVariant(quint32(v.ForeColor())); }},
        {"Enabled", [](Vantrel &v) { return QVariant(v.Enabled()); }},
        {"Font", [](Vantrel &v) { return QVariant(v.Font()); }},
        {"BorderStyle", [](Vantrel &v) { return QVariant(v.BorderStyle()); }},
        {"AllowUserResizing", [](Vantrel &v) { return QVariant(v.AllowUserResizing()); }},
        {"BackColorBkg", [](Vantrel &v) { return QVariant(quint32(v.BackColorBkg())); }},
        {"BackColorFixed", [](Vantrel &v) { return QVariant(quint32(v.BackColorFixed())); }},
        {"BackColorSel", [](Vantrel &v) { return QVariant(quint32(v.BackColorSel())); }},
        {"CellPicture", [](Vantrel &v) { return QVariant(pixels(v.CellPicture())); }},
        {"ColAlignment0", [](Vantrel &v) { return QVariant(v.ColAlignment(0)); }},
        {"ColData0", [](Vantrel &v) { return QVariant(v.ColData(0)); }},
        {"Cols 1", g1([](FlexGrid &g) { return QVariant(g.Cols()); })},
        {"Cols 2", g2([](FlexGrid &g) { return QVariant(g.Cols()); })},
        {"ColWidth0", [](Vantrel &v) { return QVariant(v.ColWidth(0)); }},
        {"FixedAlignment0", [](Vantrel &v) { return QVariant(v.FixedAlignment(0)); }},
        {"FixedCols 1", g1([](FlexGrid &g) { return QVariant(g.FixedCols()); })},
        {"FixedCols 2", g2([](FlexGrid &g) { return QVariant(g.FixedCols()); })},
        {"FixedRows 1", g1([](FlexGrid &g) { return QVariant(g.FixedRows()); })},
        {"FixedRows 2", g2([](FlexGrid &g) { return QVariant(g.FixedRows()); })},
        {"FocusRect", [](Vantrel &v) { return QVariant(v.FocusRect()); }},
        {"ForeColorFixed", [](Vantrel &v) { return QVariant(quint32(v.ForeColorFixed())); }},
        {"ForeColorSel", [](Vantrel &v) { return QVariant(quint32(v.ForeColorSel())); }},
        {"FormatString 1", g1([](FlexGrid &g) { return QVariant(g.FormatString()); })},
        {"FormatString 2", g2([](FlexGrid &g) { return QVariant(g.FormatString()); })},
        {"GridColor", [](Vantrel &v) { return QVariant(quint32(v.GridColor())); }},
        {"GridColorFixed", [](Vantrel &v) { return QVariant(quint32(v.GridColorFixed())); }},
        {"GridLines", [](Vantrel &v) { return QVariant(v.GridLines()); }},
        {"GridLinesFixed", [](Vantrel &v) { return QVariant(v.GridLinesFixed()); }},
        {"GridLineWidth", [](Vantrel &v) { return QVariant(v.GridLineWidth()); }},
        {"HighLight", [](Vantrel &v) { return QVariant(v.HighLight()); }},
        {"MouseIcon", [](Vantrel &v) { return QVariant(pixels(v.MouseIcon())); }},
        {"MousePointer", [](Vantrel &v) { return QVariant(v.MousePointer()); }},
        {"RowData0", [](Vantrel &v) { return QVariant(v.RowData(0)); }},
        {"RowHeight0", [](Vantrel &v) { return QVariant(v.RowHeight(0)); }},
        {"RowHeightMin", [](Vantrel &v) { return QVariant(v.RowHeightMin()); }},
        {"Rows 1", g1([](FlexGrid &g) { return QVariant(g.Rows()); })},
        {"Rows 2", g2([](FlexGrid &g) { return QVariant(g.Rows()); })},
        {"ScrollBars", [](Vantrel &v) { return QVariant(v.ScrollBars()); }},
        {"SelectionMode", [](Vantrel &v) { return QVariant(v.SelectionMode()); }},
        {"TextArray0", [](Vantrel &v) { return QVariant(v.TextArray(0)); }},
        {"TextMatrix0", g1([](FlexGrid &g) { return QVariant(g.Text()); })},
        {"TextStyle", [](Vantrel &v) { return QVariant(v.TextStyle()); }},
        {"TextStyleFixed", [](Vantrel &v) { return QVariant(v.TextStyleFixed()); }},
        {"ToolTipText", [](Vantrel &v) { return QVariant(v.ToolTipText()); }},
        {"WordWrap", [](Vantrel &v) { return QVariant(v.WordWrap()); }},
        {"BackColorEdit", [](Vantrel &v) { return QVariant(quint32(v.BackColorEdit())); }},
        {"ForeColorEdit", [](Vantrel &v) { return QVariant(quint32(v.ForeColorEdit())); }},
        {"AutoInsert", [](Vantrel &v) { return QVariant(v.AutoInsert()); }},
        {"FontEditText", [](Vantrel &v) { return QVariant(v.FontEditText()); }},
        {"AllowEdit", [](Vantrel &v) { return QVariant(v.AllowEdit()); }},
        {"SetKeyFunction", [](Vantrel &v) { return QVariant(v.SetKeyFunction()); }},
        {"ArrowAsKeyTab", [](Vantrel &v) { return QVariant(v.ArrowAsKeyTab()); }},
        {"EnterAsKeyTab", [](Vantrel &v) { return QVariant(v.EnterAsKeyTab()); }},
        {"Appearance", [](Vantrel &v) { return QVariant(v.Appearance()); }},
        {"ButtonBackColor 1",
         [](Vantrel &v) { return QVariant(quint32(button(v, "Command1").BackColor())); }},
        {"ButtonBackColor 2",
         [](Vantrel &v) { return QVariant(quint32(button(v, "Command2").BackColor())); }},
        {"AutoComplete", [](Vantrel &v) { return QVariant(v.AutoComplete()); }},
        {"MergeRow0 1", g1([](FlexGrid &g) { return QVariant(g.MergeRow(0)); })},
        {"MergeRow0 2", g2([](FlexGrid &g) { return QVariant(g.MergeRow(0)); })},
        {"MergeCol0 1", g1([](FlexGrid &g) { return QVariant(g.MergeCol(0)); })},
        {"MergeCol0 2", g2([](FlexGrid &g) { return QVariant(g.MergeCol(0)); })},
        {"MergeCells 1", g1([](FlexGrid &g) { return QVariant(g.MergeCells()); })},
        {"MergeCells 2", g2([](FlexGrid &g) { return QVariant(g.MergeCells()); })},
        {"Redraw 1", g1([](FlexGrid &g) { return QVariant(g.Redraw()); })},
        {"Redraw 2", g2([](FlexGrid &g) { return QVariant(g.Redraw()); })},
        {"RecordsetType", [](Vantrel &v) { return QVariant(v.RecordsetType()); }},
    };
    // What a control gets for keys missing from its bag: a setting of A equal to it would
    // prove nothing here.
    Vantrel blank{PropertyBag()};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(c.read(a), c.read(blank));
        EXPECT_EQ(c.read(b), c.read(a));
    }
    // The recorded cell goes through the bag; B's current cell is its own.
    EXPECT_EQ(savedText(b), text);
}

TEST(VantrelPersist, KeysAreWrittenInTheDocumentedOrder) {
    Vantrel a;
    configureEverything(a);
    const QStringList expected = {
        "BackColor",
        "ForeColor",
        "Enabled",
        "Font",
        "BorderStyle",
        "AllowUserResizing",
        "BackColorBkg",
        "BackColorFixed",
        "BackColorSel",
        "CellPicture",
        "ColAlignment0",
        "ColData0",
        "Cols",
        "Cols",
        "ColWidth0",
        "FixedAlignment0",
        "FixedCols",
        "FixedRows",
        "FixedCols",
        "FixedRows",
        "FocusRect",
        "ForeColorFixed",
        "ForeColorSel",
        "FormatString",
        "FormatString",
        "GridColor",
        "GridColorFixed",
        "GridLines",
        "GridLinesFixed",
        "GridLineWidth",
        "HighLight",
        "MouseIcon",
        "MousePointer",
        "AutoInsert",
        "SetKeyFunction",
        "RowData0",
        "RowHeight0",
        "RowHeightMin",
        "Rows",
        "Rows",
        "ScrollBars",
        "SelectionMode",
        "TextArray0",
        "TextMatrix0",
        "TextStyle",
        "TextStyleFixed",
        "ToolTipText",
        "WordWrap",
        "BackColorEdit",
        "ForeColorEdit",
        "FontEditText",
        "AllowEdit",
        "ArrowAsKeyTab",
        "EnterAsKeyTab",
        "Appearance",
        "Col",
        "Row",
        "ButtonBackColor",
        "ButtonBackColor",
        "AutoComplete",
        "WordWrap",
        "MergeRow0",
        "MergeRow0",
        "MergeCol0",
        "MergeCol0",
        "MergeCells",
        "MergeCells",
        "Redraw",
        "Redraw",
        "RecordsetType",
    };
    EXPECT_EQ(writtenKeys(savedText(a)), expected);
}

TEST(VantrelPersist, NewControlSavesOnlyItsAlwaysWrittenKeysAndLoadsBackTheSame) {
    Vantrel a;
    // The three flags with an empty default are always written; settings at their new-control
    // value are not.
    PropertyBag bag;
    a.WriteProperties(bag);
    for (const char *key : {"Enabled", "WordWrap", "Redraw"}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(bag.contains(QString::fromLatin1(key)));
    }
    for (const char *key : {"Cols", "Rows", "FixedCols", "FixedRows", "BorderStyle",
                            "SetKeyFunction", "ForeColorEdit", "AllowEdit", "AutoInsert",
                            "AutoComplete", "Col", "Row", "ArrowAsKeyTab", "EnterAsKeyTab"}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(bag.contains(QString::fromLatin1(key)));
    }
    const QString text = bag.toText();
    Vantrel b(PropertyBag::fromText(text));
    EXPECT_EQ(savedText(b), text);
}

TEST(VantrelPersist, TwiceSavedKeysGoToEachPartInTurn) {
    struct Case {
        const char *text;
        std::function<QVariant(Vantrel &)> first;
        std::function<QVariant(Vantrel &)> second;
        QVariant expectFirst, expectSecond;
    };
    auto on = [](const char *name, const std::function<QVariant(FlexGrid &)> &f) {
        return [name, f](Vantrel &v) { return f(grid(v, name)); };
    };
    const Case cases[] = {
        {"Cols = 6\nCols = 3\n", on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.Cols()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.Cols()); }), 6, 3},
        {"Rows = 9\nRows = 4\n", on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.Rows()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.Rows()); }), 9, 4},
        {"Cols = 5\nCols = 5\nFixedCols = 3\nFixedCols = 2\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.FixedCols()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.FixedCols()); }), 3, 2},
        // Fixed rows come before the rows in the saved order.
        {"FixedRows = 4\nFixedRows = 2\nRows = 8\nRows = 5\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.FixedRows()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.FixedRows()); }), 4, 2},
        {"FormatString = \"A|B\"\nFormatString = \"C\"\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.FormatString()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.FormatString()); }), "A|B", "C"},
        {"MergeRow0 = False\nMergeRow0 = True\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.MergeRow(0)); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.MergeRow(0)); }), false, true},
        {"MergeCol0 = True\nMergeCol0 = False\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.MergeCol(0)); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.MergeCol(0)); }), true, false},
        {"MergeCells = 1\nMergeCells = 4\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.MergeCells()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.MergeCells()); }), 1, 4},
        {"Redraw = True\nRedraw = False\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.Redraw()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.Redraw()); }), true, false},
        {"ButtonBackColor = &H00000011&\nButtonBackColor = &H00000022&\n",
         [](Vantrel &v) { return QVariant(quint32(button(v, "Command1").BackColor())); },
         [](Vantrel &v) { return QVariant(quint32(button(v, "Command2").BackColor())); },
         quint32(0x11), quint32(0x22)},
        // Both WordWrap values are the visible grid's: the second one is what it keeps.
        {"WordWrap = False\nWordWrap = True\n",
         on("MSFlexGrid1", [](FlexGrid &g) { return QVariant(g.WordWrap()); }),
         on("MSFlexGrid2", [](FlexGrid &g) { return QVariant(g.WordWrap()); }), true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Vantrel v(PropertyBag::fromText(QString::fromLatin1(c.text)));
        EXPECT_EQ(c.first(v), c.expectFirst);
        EXPECT_EQ(c.second(v), c.expectSecond);
    }
}

TEST(VantrelPersist, IndexZeroPositionsAreLoadedButNeverSaved) {
    struct Case {
        const char *text;
        std::function<QVariant(Vantrel &)> moved;
        QVariant expected;
    };
    const Case cases[] = {
        // ColData0 is applied before the move, so the moved column carries it.
        {"ColData0 = 7\nColPosition0 = 1\n",
         [](Vantrel &v) {
             return QVariant(QList<QVariant>{v.ColData(0), v.ColData(1)});
         },
         QVariant(QList<QVariant>{0, 7})},
        {"RowData0 = 9\nRowPosition0 = 1\n",
         [](Vantrel &v) {
             return QVariant(QList<QVariant>{v.RowData(0), v.RowData(1)});
         },
         QVariant(QList<QVariant>{0, 9})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Vantrel v(PropertyBag::fromText(QString::fromLatin1(c.text)));
        EXPECT_EQ(c.moved(v), c.expected);
        PropertyBag saved;
        v.WriteProperties(saved);
        EXPECT_FALSE(saved.contains(QStringLiteral("ColPosition0")));
        EXPECT_FALSE(saved.contains(QStringLiteral("RowPosition0")));
    }
}

TEST(VantrelPersist, ValuesEqualToTheirSavedDefaultsLoadBackToo) {
    // A value equal to its key's default is not stored; it must load back as itself, not as
    // whatever the part held before.
    Vantrel a;
    a.SetButtonBackColor(0);
    a.SetBackColorEdit(0xC0E0FF);
    a.SetSetKeyFunction(Vantrel3::eKeyF7);
    PropertyBag written;
    a.WriteProperties(written);
    EXPECT_FALSE(written.contains(QStringLiteral("ButtonBackColor")));
    EXPECT_FALSE(written.contains(QStringLiteral("BackColorEdit")));
    Vantrel b(PropertyBag::fromText(written.toText()));
    EXPECT_EQ(quint32(b.ButtonBackColor()), 0u);
    EXPECT_EQ(quint32(button(b, "Command2").BackColor()), 0u);
    EXPECT_EQ(quint32(b.BackColorEdit()), 0xC0E0FFu);
    EXPECT_EQ(b.SetKeyFunction(), Vantrel3::eKeyF7);
}

TEST(VantrelPersist, SavedSettingsAlwaysLoadAgainWhateverTheyHold) {
    // Generated values, awkward texts and font names among them: whatever a control saves, a
    // control loads back, and saves again word for word.
    QRandomGenerator random(20261208);
    const QStringList awkward = {
        QStringLiteral("\tArial"),
        QStringLiteral("Arial\r\n"),
        QStringLiteral("Ar\x01ial"),
        QStringLiteral("\"Quoted\" \\ name"),
        QStringLiteral("Città & Co."),
        QString::fromUtf8("漢字 Sans"),
        QString::fromUtf8("Emoji \U0001F600"),
        QStringLiteral("\x7F end"),
        QStringLiteral("vbTab & \"x\""),
        QStringLiteral(" "),
    };
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const auto pick = [&](int n) { return int(random.bounded(n)); };
        Vantrel a;
        QFont f = a.Font();
        f.setFamily(awkward[pick(int(awkward.size()))]);
        f.setPointSizeF(6 + pick(30) / 2.0);
        f.setBold(pick(2) == 1);
        f.setItalic(pick(2) == 1);
        a.SetFont(f);
        QFont edit = a.FontEditText();
        edit.setFamily(awkward[pick(int(awkward.size()))]);
        a.SetFontEditText(edit);
        a.SetToolTipText(awkward[pick(int(awkward.size()))] + QString::number(pick(1000)));
        a.SetCols(1 + pick(6));
        a.SetRows(2 + pick(6));
        a.SetBackColor(random.generate() & 0x00FFFFFFu);
        a.SetForeColorEdit(pick(2) ? 0x80000008u : (random.generate() & 0x00FFFFFFu));
        a.SetButtonBackColor(pick(3) == 0 ? 0u : (random.generate() & 0x00FFFFFFu));
        a.SetBackColorEdit(pick(3) == 0 ? 0xC0E0FFu : (random.generate() & 0x00FFFFFFu));
        a.SetGridLineWidth(qint16(1 + pick(4)));
        a.SetRowData(0, qint32(random.generate()));
        a.SetColData(0, qint32(random.generate()));
        a.SetSetKeyFunction(Vantrel3::eKeyF1 + pick(12));
        a.SetAutoInsert(pick(2) == 1);
        a.SetEnterAsKeyTab(pick(2) == 1);
        a.SetTextArray(0, awkward[pick(int(awkward.size()))]);
        const QString text = savedText(a);
        Vantrel b(PropertyBag::fromText(text));
        EXPECT_EQ(savedText(b), text);
        EXPECT_EQ(b.Font().family(), f.family());
        EXPECT_EQ(b.FontEditText().family(), edit.family());
    }
}
