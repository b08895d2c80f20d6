#include "common/error_of.h"
#include "common/error_recorder.h"
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>

#include "editing/cell_button.h"
#include "editing/editor_box.h"

#include <QCursor>
#include <QImage>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using Vantrel3::CellButton;
using Vantrel3::EditorBox;
using Vantrel3::FlexGrid;
using Vantrel3::OleColor;
using Vantrel3::Vantrel;
using Vantrel3::VbError;

namespace {

FlexGrid *visibleGrid(Vantrel &v) {
    return v.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1"));
}

FlexGrid *hiddenGrid(Vantrel &v) {
    return v.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid2"));
}

// The names PropertyChanged carried, in order.
QStringList changedNames(const QSignalSpy &spy) {
    QStringList names;
    for (const QList<QVariant> &args : spy) {
        names << args.at(0).toString();
    }
    return names;
}

// A control with room for indexes 0..3 in both directions.
void giveShape(Vantrel &v) {
    v.resize(400, 300);
    v.SetCols(4);
    v.SetRows(4);
}

} // namespace

TEST(VantrelProperties, BothGridsPropertiesReachTheHiddenGrid) {
    struct Case {
        const char *name;
        std::function<void(Vantrel &)> write;
        std::function<QVariant(FlexGrid &)> readHidden;
        QVariant expected;
    };
    const Case cases[] = {
        {"Cols", [](Vantrel &v) { v.SetCols(6); }, [](FlexGrid &g) { return QVariant(g.Cols()); },
         6},
        {"Rows", [](Vantrel &v) { v.SetRows(7); }, [](FlexGrid &g) { return QVariant(g.Rows()); },
         7},
        {"FixedRows", [](Vantrel &v) { v.SetFixedRows(2); },
         [](FlexGrid &g) { return QVariant(g.FixedRows()); }, 2},
        {"FixedCols", [](Vantrel &v) { v.SetFixedCols(1); },
         [](FlexGrid &g) { return QVariant(g.FixedCols()); }, 1},
        {"FormatString", [](Vantrel &v) { v.SetFormatString(QStringLiteral("<Nome|>Importo")); },
         [](FlexGrid &g) { return QVariant(g.FormatString()); }, QStringLiteral("<Nome|>Importo")},
        {"WordWrap", [](Vantrel &v) { v.SetWordWrap(true); },
         [](FlexGrid &g) { return QVariant(g.WordWrap()); }, true},
        {"MergeCells", [](Vantrel &v) { v.SetMergeCells(Vantrel3::eMergeRestrictRows); },
         [](FlexGrid &g) { return QVariant(g.MergeCells()); }, 2},
        {"MergeRow", [](Vantrel &v) { v.SetMergeRow(2, true); },
         [](FlexGrid &g) { return QVariant(g.MergeRow(2)); }, true},
        {"MergeCol", [](Vantrel &v) { v.SetMergeCol(3, true); },
         [](FlexGrid &g) { return QVariant(g.MergeCol(3)); }, true},
        {"Redraw", [](Vantrel &v) { v.SetRedraw(false); },
         [](FlexGrid &g) { return QVariant(g.Redraw()); }, false},
        {"Row", [](Vantrel &v) { v.SetRow(3); }, [](FlexGrid &g) { return QVariant(g.Row()); }, 3},
        {"Col", [](Vantrel &v) { v.SetCol(2); }, [](FlexGrid &g) { return QVariant(g.Col()); }, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Vantrel v;
        giveShape(v);
        FlexGrid &hidden = *hiddenGrid(v);
        // The value must be a change, or a write that never reached the grid would pass.
        ASSERT_NE(c.readHidden(hidden), c.expected);
        QSignalSpy spy(&v, &Vantrel::PropertyChanged);
        c.write(v);
        EXPECT_EQ(c.readHidden(hidden), c.expected);
        EXPECT_EQ(c.readHidden(*visibleGrid(v)), c.expected);
        EXPECT_EQ(changedNames(spy), QStringList{QString::fromLatin1(c.name)});
    }
}

TEST(VantrelProperties, GridPropertiesReachTheVisibleGridAndNotify) {
    struct Case {
        const char *name;
        std::function<void(Vantrel &)> write;
        std::function<QVariant(const Vantrel &)> readControl;
        std::function<QVariant(const FlexGrid &)> readGrid;
        QVariant expected;
    };
    const Case cases[] = {
        {"BackColor", [](Vantrel &v) { v.SetBackColor(0x123456); },
         [](const Vantrel &v) { return QVariant(quint32(v.BackColor())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.BackColor())); }, 0x123456u},
        {"AllowUserResizing", [](Vantrel &v) { v.SetAllowUserResizing(Vantrel3::eResizeBoth); },
         [](const Vantrel &v) { return QVariant(v.AllowUserResizing()); },
         [](const FlexGrid &g) { return QVariant(g.AllowUserResizing()); }, 3},
        {"BackColorBkg", [](Vantrel &v) { v.SetBackColorBkg(0x010203); },
         [](const Vantrel &v) { return QVariant(quint32(v.BackColorBkg())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.BackColorBkg())); }, 0x010203u},
        {"BackColorFixed", [](Vantrel &v) { v.SetBackColorFixed(0x0000FF); },
         [](const Vantrel &v) { return QVariant(quint32(v.BackColorFixed())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.BackColorFixed())); }, 0x0000FFu},
        {"BackColorSel", [](Vantrel &v) { v.SetBackColorSel(0x00FF00); },
         [](const Vantrel &v) { return QVariant(quint32(v.BackColorSel())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.BackColorSel())); }, 0x00FF00u},
        {"ForeColorFixed", [](Vantrel &v) { v.SetForeColorFixed(0xFF0000); },
         [](const Vantrel &v) { return QVariant(quint32(v.ForeColorFixed())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.ForeColorFixed())); }, 0xFF0000u},
        {"ForeColorSel", [](Vantrel &v) { v.SetForeColorSel(0x0F0F0F); },
         [](const Vantrel &v) { return QVariant(quint32(v.ForeColorSel())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.ForeColorSel())); }, 0x0F0F0Fu},
        {"GridColor", [](Vantrel &v) { v.SetGridColor(0x202020); },
         [](const Vantrel &v) { return QVariant(quint32(v.GridColor())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.GridColor())); }, 0x202020u},
        {"GridColorFixed", [](Vantrel &v) { v.SetGridColorFixed(0x303030); },
         [](const Vantrel &v) { return QVariant(quint32(v.GridColorFixed())); },
         [](const FlexGrid &g) { return QVariant(quint32(g.GridColorFixed())); }, 0x303030u},
        {"ColAlignment", [](Vantrel &v) { v.SetColAlignment(1, Vantrel3::eAlignRightCenter); },
         [](const Vantrel &v) { return QVariant(v.ColAlignment(1)); },
         [](const FlexGrid &g) { return QVariant(g.ColAlignment(1)); }, 7},
        {"ColData", [](Vantrel &v) { v.SetColData(2, 4242); },
         [](const Vantrel &v) { return QVariant(v.ColData(2)); },
         [](const FlexGrid &g) { return QVariant(g.ColData(2)); }, 4242},
        {"FixedAlignment", [](Vantrel &v) { v.SetFixedAlignment(3, 4); },
         [](const Vantrel &v) { return QVariant(v.FixedAlignment(3)); },
         [](const FlexGrid &g) { return QVariant(g.FixedAlignment(3)); }, qint16(4)},
        {"FocusRect", [](Vantrel &v) { v.SetFocusRect(2); },
         [](const Vantrel &v) { return QVariant(v.FocusRect()); },
         [](const FlexGrid &g) { return QVariant(g.FocusRect()); }, 2},
        {"GridLines", [](Vantrel &v) { v.SetGridLines(Vantrel3::eGridRaised); },
         [](const Vantrel &v) { return QVariant(v.GridLines()); },
         [](const FlexGrid &g) { return QVariant(g.GridLines()); }, 3},
        {"GridLinesFixed", [](Vantrel &v) { v.SetGridLinesFixed(Vantrel3::eGridNone); },
         [](const Vantrel &v) { return QVariant(v.GridLinesFixed()); },
         [](const FlexGrid &g) { return QVariant(g.GridLinesFixed()); }, 0},
        {"GridLineWidth", [](Vantrel &v) { v.SetGridLineWidth(3); },
         [](const Vantrel &v) { return QVariant(v.GridLineWidth()); },
         [](const FlexGrid &g) { return QVariant(g.GridLineWidth()); }, qint16(3)},
        {"HighLight", [](Vantrel &v) { v.SetHighLight(Vantrel3::eHighlightWithFocus); },
         [](const Vantrel &v) { return QVariant(v.HighLight()); },
         [](const FlexGrid &g) { return QVariant(g.HighLight()); }, 2},
        {"RowData", [](Vantrel &v) { v.SetRowData(3, -7); },
         [](const Vantrel &v) { return QVariant(v.RowData(3)); },
         [](const FlexGrid &g) { return QVariant(g.RowData(3)); }, -7},
        {"RowHeight", [](Vantrel &v) { v.SetRowHeight(2, 600); },
         [](const Vantrel &v) { return QVariant(v.RowHeight(2)); },
         [](const FlexGrid &g) { return QVariant(g.RowHeight(2)); }, 600},
        {"RowHeightMin", [](Vantrel &v) { v.SetRowHeightMin(450); },
         [](const Vantrel &v) { return QVariant(v.RowHeightMin()); },
         [](const FlexGrid &g) { return QVariant(g.RowHeightMin()); }, 450},
        {"SelectionMode", [](Vantrel &v) { v.SetSelectionMode(Vantrel3::eSelectionByRow); },
         [](const Vantrel &v) { return QVariant(v.SelectionMode()); },
         [](const FlexGrid &g) { return QVariant(g.SelectionMode()); }, 1},
        {"TextStyle", [](Vantrel &v) { v.SetTextStyle(Vantrel3::eTextRaised); },
         [](const Vantrel &v) { return QVariant(v.TextStyle()); },
         [](const FlexGrid &g) { return QVariant(g.TextStyle()); }, 1},
        {"TextStyleFixed", [](Vantrel &v) { v.SetTextStyleFixed(Vantrel3::eTextInsetLight); },
         [](const Vantrel &v) { return QVariant(v.TextStyleFixed()); },
         [](const FlexGrid &g) { return QVariant(g.TextStyleFixed()); }, 4},
        {"ToolTipText", [](Vantrel &v) { v.SetToolTipText(QStringLiteral("Totale fattura")); },
         [](const Vantrel &v) { return QVariant(v.ToolTipText()); },
         [](const FlexGrid &g) { return QVariant(g.ToolTipText()); },
         QStringLiteral("Totale fattura")},
        {"Font",
         [](Vantrel &v) {
             QFont font = v.font();
             font.setPointSize(23);
             v.SetFont(font);
         },
         [](const Vantrel &v) { return QVariant(v.Font().pointSize()); },
         [](const FlexGrid &g) { return QVariant(g.font().pointSize()); }, 23},
        {"CellPicture",
         [](Vantrel &v) {
             QPixmap picture(9, 5);
             picture.fill(Qt::red);
             v.SetCellPicture(picture);
         },
         [](const Vantrel &v) { return QVariant(v.CellPicture().size()); },
         [](const FlexGrid &g) { return QVariant(g.CellPicture().size()); }, QSize(9, 5)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Vantrel v;
        giveShape(v);
        ASSERT_NE(c.readGrid(*visibleGrid(v)), c.expected);
        QSignalSpy spy(&v, &Vantrel::PropertyChanged);
        c.write(v);
        EXPECT_EQ(c.readGrid(*visibleGrid(v)), c.expected);
        EXPECT_EQ(c.readControl(v), c.expected);
        EXPECT_EQ(changedNames(spy), QStringList{QString::fromLatin1(c.name)});
    }
}

TEST(VantrelProperties, ReadOnlyGeometryComesFromTheVisibleGrid) {
    Vantrel v;
    giveShape(v);
    // Widths and heights set on the visible grid only, so the two grids' geometry differs.
    v.SetColWidth(0, 3000);
    v.SetRowHeight(1, 900);
    v.SetRow(1);
    v.SetCol(0);
    const FlexGrid &shown = *visibleGrid(v);
    const FlexGrid &hidden = *hiddenGrid(v);
    struct Case {
        const char *name;
        std::function<qint32(const Vantrel &)> control;
        std::function<qint32(const FlexGrid &)> grid;
    };
    const Case cases[] = {
        {"CellWidth", [](const Vantrel &c) { return c.CellWidth(); },
         [](const FlexGrid &g) { return g.CellWidth(); }},
        {"CellHeight", [](const Vantrel &c) { return c.CellHeight(); },
         [](const FlexGrid &g) { return g.CellHeight(); }},
        {"ColPos", [](const Vantrel &c) { return c.ColPos(1); },
         [](const FlexGrid &g) { return g.ColPos(1); }},
        {"RowPos", [](const Vantrel &c) { return c.RowPos(2); },
         [](const FlexGrid &g) { return g.RowPos(2); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.control(v), c.grid(shown));
        EXPECT_NE(c.control(v), c.grid(hidden));
    }
    EXPECT_EQ(v.CellLeft(), shown.CellLeft());
    EXPECT_EQ(v.CellTop(), shown.CellTop());
    EXPECT_EQ(v.MouseRow(), shown.MouseRow());
    EXPECT_EQ(v.MouseCol(), shown.MouseCol());

    // A zero width hides a column; visibility follows the visible grid.
    v.SetColWidth(3, 0);
    EXPECT_FALSE(v.ColIsVisible(3));
    EXPECT_TRUE(v.ColIsVisible(0));
    EXPECT_EQ(v.RowIsVisible(1), shown.RowIsVisible(1));
}

TEST(VantrelProperties, TheGridsErrorsPassThroughUnchangedAndNotifyNothing) {
    struct Case {
        const char *name;
        std::function<void(Vantrel &)> onControl;
        qint32 expected;
    };
    const Case cases[] = {
        {"ColWidth read", [](Vantrel &v) { (void)v.ColWidth(4); }, 381},
        {"ColWidth write", [](Vantrel &v) { v.SetColWidth(-1, 500); }, 381},
        {"ColAlignment read", [](Vantrel &v) { (void)v.ColAlignment(4); }, 381},
        {"ColAlignment write", [](Vantrel &v) { v.SetColAlignment(99, 1); }, 381},
        {"ColAlignment value", [](Vantrel &v) { v.SetColAlignment(1, 10); }, 380},
        {"ColData", [](Vantrel &v) { v.SetColData(4, 1); }, 381},
        {"FixedAlignment", [](Vantrel &v) { v.SetFixedAlignment(-1, 1); }, 381},
        {"RowData", [](Vantrel &v) { (void)v.RowData(4); }, 381},
        {"RowHeight", [](Vantrel &v) { v.SetRowHeight(4, 300); }, 381},
        {"ColPos", [](Vantrel &v) { (void)v.ColPos(4); }, 381},
        {"MergeRow", [](Vantrel &v) { v.SetMergeRow(4, true); }, 381},
        {"MergeCol", [](Vantrel &v) { v.SetMergeCol(4, true); }, 381},
        {"GridLineWidth", [](Vantrel &v) { v.SetGridLineWidth(0); }, 380},
        {"GridLines", [](Vantrel &v) { v.SetGridLines(4); }, 380},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Vantrel v;
        giveShape(v);
        QSignalSpy spy(&v, &Vantrel::PropertyChanged);
        EXPECT_EQ(errorOf([&] { c.onControl(v); }), c.expected);
        EXPECT_EQ(spy.count(), 0);
    }
}

TEST(VantrelProperties, ForeColorColoursTheEditorNotTheGrid) {
    Vantrel v;
    const quint32 gridBefore = visibleGrid(v)->ForeColor();
    v.SetForeColor(0x00AA00);
    EXPECT_EQ(quint32(v.findChild<EditorBox *>(QStringLiteral("Text1"))->ForeColor()), 0x00AA00u);
    EXPECT_EQ(quint32(visibleGrid(v)->ForeColor()), gridBefore);
    EXPECT_EQ(quint32(v.ForeColor()), 0x00AA00u);
}

TEST(VantrelProperties, EditorPropertiesReachText1) {
    Vantrel v;
    auto *text1 = v.findChild<EditorBox *>(QStringLiteral("Text1"));
    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.SetBackColorEdit(0xC0E0FF);
    EXPECT_EQ(quint32(text1->BackColor()), 0xC0E0FFu);
    EXPECT_EQ(quint32(v.BackColorEdit()), 0xC0E0FFu);
    EXPECT_EQ(changedNames(spy), QStringList{QStringLiteral("BackColorEdit")});
    EXPECT_FALSE(v.MultiLine());
}

TEST(VantrelProperties, ButtonBackColorWritesBothButtonsAndReadsCommand1) {
    Vantrel v;
    auto *command1 = v.findChild<CellButton *>(QStringLiteral("Command1"));
    auto *command2 = v.findChild<CellButton *>(QStringLiteral("Command2"));
    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.SetButtonBackColor(0x00C0C0);
    EXPECT_EQ(quint32(command1->BackColor()), 0x00C0C0u);
    EXPECT_EQ(quint32(command2->BackColor()), 0x00C0C0u);
    EXPECT_EQ(changedNames(spy), QStringList{QStringLiteral("ButtonBackColor")});
    command2->SetBackColor(0x222222);
    EXPECT_EQ(quint32(v.ButtonBackColor()), 0x00C0C0u);
    command1->SetBackColor(0x111111);
    EXPECT_EQ(quint32(v.ButtonBackColor()), 0x111111u);
}

TEST(VantrelProperties, AutoCompleteStaysFalseWhileEditingIsOff) {
    struct Case {
        bool allowEdit;
        bool written;
        bool expected;
    };
    const Case cases[] = {
        {false, true, false},
        {false, false, false},
        {true, true, true},
        {true, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "AllowEdit " << c.allowEdit << " write " << c.written);
        Vantrel v;
        v.SetAllowEdit(c.allowEdit);
        QSignalSpy spy(&v, &Vantrel::PropertyChanged);
        v.SetAutoComplete(c.written);
        EXPECT_EQ(v.AutoComplete(), c.expected);
        EXPECT_EQ(changedNames(spy), QStringList{QStringLiteral("AutoComplete")});
    }
}

TEST(VantrelProperties, MousePointerIsNarrowedToAnIntegerAndShownAsACursor) {
    struct Case {
        qint32 written;
        qint32 error;
        std::optional<Qt::CursorShape> shape; // nullopt: no cursor of the control's own
    };
    const Case cases[] = {
        {Vantrel3::eDefault, 0, std::nullopt},
        {Vantrel3::eArrow, 0, Qt::ArrowCursor},
        {Vantrel3::eCross, 0, Qt::CrossCursor},
        {Vantrel3::eIBeam, 0, Qt::IBeamCursor},
        {Vantrel3::eSizeNS, 0, Qt::SizeVerCursor},
        {Vantrel3::eSizeEW, 0, Qt::SizeHorCursor},
        {Vantrel3::eHourglass, 0, Qt::WaitCursor},
        {Vantrel3::eNoDrop, 0, Qt::ForbiddenCursor},
        {Vantrel3::eArrowHourGlass, 0, Qt::BusyCursor},
        {Vantrel3::eSizeAll, 0, Qt::SizeAllCursor},
        // Outside the Integer range: overflow, not a wrapped value (65538 would wrap to 2).
        {65538, VbError::Overflow, std::nullopt},
        {32768, VbError::Overflow, std::nullopt},
        {-32769, VbError::Overflow, std::nullopt},
        // An Integer that names no pointer
        {16, VbError::InvalidPropertyValue, std::nullopt},
        {-1, VbError::InvalidPropertyValue, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.written);
        Vantrel v;
        QSignalSpy spy(&v, &Vantrel::PropertyChanged);
        EXPECT_EQ(errorOf([&] { v.SetMousePointer(c.written); }), c.error);
        EXPECT_EQ(v.MousePointer(), c.error ? 0 : c.written);
        EXPECT_EQ(spy.count(), c.error ? 0 : 1);
        EXPECT_EQ(v.testAttribute(Qt::WA_SetCursor), c.shape.has_value());
        if (c.shape) {
            EXPECT_EQ(v.cursor().shape(), *c.shape);
        }
    }
}

TEST(VantrelProperties, CustomPointerShowsTheMouseIcon) {
    Vantrel v;
    QPixmap icon(16, 16);
    icon.fill(Qt::blue);
    v.SetMousePointer(Vantrel3::eCustom);
    // Without an icon there is nothing custom to show.
    EXPECT_FALSE(v.testAttribute(Qt::WA_SetCursor));
    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.SetMouseIcon(icon);
    EXPECT_EQ(changedNames(spy), QStringList{QStringLiteral("MouseIcon")});
    EXPECT_EQ(v.MouseIcon().size(), QSize(16, 16));
    EXPECT_EQ(v.cursor().shape(), Qt::BitmapCursor);
    v.SetMousePointer(Vantrel3::eCross);
    EXPECT_EQ(v.cursor().shape(), Qt::CrossCursor);
}

TEST(VantrelProperties, SurfaceValues) {
    Vantrel v;
    EXPECT_TRUE(v.HasDC());
    EXPECT_EQ(v.hDC(), 0);
    EXPECT_EQ(v.Appearance(), 0);

    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.SetEnabled(false);
    EXPECT_FALSE(v.Enabled());
    EXPECT_FALSE(visibleGrid(v)->isEnabled());
    v.SetEnabled(true);
    EXPECT_TRUE(visibleGrid(v)->isEnabled());
    EXPECT_EQ(changedNames(spy),
              (QStringList{QStringLiteral("Enabled"), QStringLiteral("Enabled")}));
}

TEST(VantrelProperties, ThreeDimensionalAppearanceDrawsAFrameOverTheEdge) {
    Vantrel v;
    v.resize(200, 120);
    const QImage flat = v.grab().toImage();
    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.SetAppearance(1);
    EXPECT_EQ(v.Appearance(), 1);
    const QImage raised = v.grab().toImage();
    EXPECT_NE(flat.pixelColor(0, 60), raised.pixelColor(0, 60));
    v.SetAppearance(0);
    EXPECT_EQ(v.grab().toImage(), flat);
    EXPECT_EQ(errorOf([&] { v.SetAppearance(2); }), VbError::InvalidPropertyValue);
    EXPECT_EQ(v.Appearance(), 0);
    EXPECT_EQ(changedNames(spy),
              (QStringList{QStringLiteral("Appearance"), QStringLiteral("Appearance")}));
}

TEST(VantrelProperties, KeyboardOptionsStartAsDocumentedAndRoundTrip) {
    Vantrel v;
    EXPECT_EQ(v.SetKeyFunction(), Vantrel3::eKeyF7);
    EXPECT_FALSE(v.ArrowAsKeyTab());
    EXPECT_FALSE(v.EnterAsKeyTab());

    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.SetSetKeyFunction(Vantrel3::eKeyF2);
    v.SetArrowAsKeyTab(true);
    v.SetEnterAsKeyTab(true);
    EXPECT_EQ(v.SetKeyFunction(), Vantrel3::eKeyF2);
    EXPECT_TRUE(v.ArrowAsKeyTab());
    EXPECT_TRUE(v.EnterAsKeyTab());
    EXPECT_EQ(changedNames(spy),
              (QStringList{QStringLiteral("SetKeyFunction"), QStringLiteral("ArrowAsKeyTab"),
                           QStringLiteral("EnterAsKeyTab")}));
}

// Property pages and the property bag reach the properties by name.
TEST(VantrelProperties, NamedPropertiesAreReachableThroughTheMetaObject) {
    struct Case {
        const char *name;
        QVariant value;
    };
    const Case cases[] = {
        {"BackColor", QVariant::fromValue(quint32(0x445566))},
        {"BackColorSel", QVariant::fromValue(quint32(0x0000FF))},
        {"GridColorFixed", QVariant::fromValue(quint32(0x00FFFF))},
        {"BackColorEdit", QVariant::fromValue(quint32(0xC0E0FF))},
        {"ButtonBackColor", QVariant::fromValue(quint32(0x808080))},
        {"GridLineWidth", QVariant::fromValue(qint16(2))},
        {"RowHeightMin", QVariant::fromValue(qint32(500))},
        {"FormatString", QVariant(QStringLiteral("^A|^B"))},
        {"ToolTipText", QVariant(QStringLiteral("suggerimento"))},
        {"WordWrap", QVariant(true)},
        {"Redraw", QVariant(false)},
        {"MergeCells", QVariant::fromValue(Vantrel3::eMergeRestrictAll)},
        {"SetKeyFunction", QVariant::fromValue(Vantrel3::eKeyF9)},
        {"ArrowAsKeyTab", QVariant(true)},
        {"EnterAsKeyTab", QVariant(true)},
        {"Appearance", QVariant::fromValue(qint32(1))},
        {"MousePointer", QVariant::fromValue(Vantrel3::eHourglass)},
        {"Enabled", QVariant(false)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Vantrel v;
        QSignalSpy spy(&v, &Vantrel::PropertyChanged);
        EXPECT_TRUE(v.setProperty(c.name, c.value));
        EXPECT_EQ(v.property(c.name), c.value);
        EXPECT_EQ(changedNames(spy), QStringList{QString::fromLatin1(c.name)});
    }
    Vantrel v;
    for (const char *readOnly : {"CellHeight", "CellLeft", "CellTop", "CellWidth", "MouseCol",
                                 "MouseRow", "MultiLine", "HasDC", "hDC"}) {
        SCOPED_TRACE(readOnly);
        EXPECT_TRUE(v.property(readOnly).isValid());
        EXPECT_FALSE(v.setProperty(readOnly, 1));
    }
}

TEST(VantrelProperties, EnumeratedPropertiesAreTypedAndTakeTheirNumbers) {
    Vantrel v;
    const QMetaObject *meta = v.metaObject();
    const struct {
        const char *name;
        const char *enumeration;
        int value;
    } cases[] = {
        {"ScrollBars", "ScrollBarsSettings", Vantrel3::eScrollBarVertical},
        {"SetKeyFunction", "eKeyFunction", Vantrel3::eKeyF3},
        {"AllowUserResizing", "AllowUserResizeSettings", Vantrel3::eResizeBoth},
        {"GridLines", "GridLineSettings", Vantrel3::eGridInset},
        {"GridLinesFixed", "GridLineSettings", Vantrel3::eGridRaised},
        {"HighLight", "HighLightSettings", Vantrel3::eHighlightWithFocus},
        {"MousePointer", "MousePointerSettings", Vantrel3::eCross},
        {"SelectionMode", "SelectionModeSettings", Vantrel3::eSelectionByRow},
        {"TextStyle", "TextStyleSettings", Vantrel3::eTextInset},
        {"TextStyleFixed", "TextStyleSettings", Vantrel3::eTextRaisedLight},
        {"RecordsetType", "RsType", 2},
        {"MergeCells", "MergeCellsSettings", Vantrel3::eMergeFree},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QMetaProperty p = meta->property(meta->indexOfProperty(c.name));
        ASSERT_TRUE(p.isEnumType());
        EXPECT_STREQ(p.enumerator().name(), c.enumeration);
        // A plain number written through the meta-object reads back as the member.
        EXPECT_TRUE(v.setProperty(c.name, c.value));
        EXPECT_EQ(v.property(c.name).toInt(), c.value);
        EXPECT_EQ(QString::fromLatin1(p.enumerator().valueToKey(v.property(c.name).toInt())),
                  QString::fromLatin1(p.enumerator().valueToKey(c.value)));
    }
}

TEST(VantrelProperties, EveryWritablePropertyNotifiesItsChange) {
    Vantrel v;
    const QMetaObject *meta = v.metaObject();
    int checked = 0;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (!p.isWritable()) {
            continue;
        }
        SCOPED_TRACE(p.name());
        ASSERT_TRUE(p.hasNotifySignal());
        ++checked;
    }
    EXPECT_GE(checked, 50);

    // A write, and a move the user makes, reach the change signals.
    QSignalSpy rows(&v, &Vantrel::RowsChanged);
    QSignalSpy border(&v, &Vantrel::BorderStyleChanged);
    QSignalSpy row(&v, &Vantrel::RowChanged);
    v.SetRows(5);
    v.setProperty("BorderStyle", 0);
    v.AddItem(QStringLiteral("x"));
    EXPECT_EQ(rows.count(), 2);
    EXPECT_EQ(border.count(), 1);
    v.resize(300, 200);
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    FlexGrid *grid = v.findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(v.Row(), 2);
    EXPECT_EQ(row.count(), 1);
}

// Designer, QML and uic-generated code write through the property system, which cannot carry an
// exception: a value the control refuses goes to the error sink and the property keeps its
// value, while the classic setters still raise it.
TEST(VantrelProperties, AValueRefusedThroughThePropertySystemIsReportedAndChangesNothing) {
    struct Case {
        const char *name;
        QVariant value;
        qint32 expected;
    };
    const Case cases[] = {
        {"Rows", -1, 380},      {"Cols", -3, 380},         {"FixedRows", 99, 380},
        {"FixedCols", 99, 380}, {"GridLineWidth", 0, 380}, {"BorderStyle", 9, 380},
        {"GridLines", 4, 380},  {"RowHeightMin", -5, 380}, {"Appearance", 7, 380},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Vantrel v;
        giveShape(v);
        const QVariant before = v.property(c.name);
        ErrorRecorder errors;
        EXPECT_NO_THROW(v.setProperty(c.name, c.value));
        EXPECT_EQ(errors.numbers, QList<qint32>({c.expected}));
        EXPECT_EQ(v.property(c.name), before);
    }
    Vantrel v;
    giveShape(v);
    EXPECT_EQ(errorOf([&] { v.SetFixedRows(99); }), 380) << "the classic setter still raises";
}
