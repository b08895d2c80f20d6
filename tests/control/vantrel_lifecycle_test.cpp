#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>

#include <QFont>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

using Vantrel3::FlexGrid;
using Vantrel3::PropertyBag;
using Vantrel3::Vantrel;
using Vantrel3::VbError;

namespace {

FlexGrid &grid(Vantrel &v, const char *name) {
    return *v.findChild<FlexGrid *>(QString::fromLatin1(name));
}

PropertyBag bagOf(const char *text) {
    return PropertyBag::fromText(QString::fromLatin1(text));
}

QString savedText(const Vantrel &v) {
    PropertyBag bag;
    v.WriteProperties(bag);
    return bag.toText();
}

QStringList changedNames(const QSignalSpy &spy) {
    QStringList names;
    for (const QList<QVariant> &args : spy) {
        names << args.at(0).toString();
    }
    return names;
}

// A host form whose font differs from the application's, so the ambient font is recognisable.
struct Host {
    QWidget form;
    Host() {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPointSizeF(15.5);
        f.setItalic(true);
        form.setFont(f);
    }
};

} // namespace

TEST(VantrelLifecycle, NewControlTakesTheValuesOfANewControl) {
    Host host;
    Vantrel v(&host.form);
    struct Case {
        const char *name;
        std::function<QVariant()> read;
        QVariant expected;
    };
    const Case cases[] = {
        {"FixedRows visible", [&] { return QVariant(grid(v, "MSFlexGrid1").FixedRows()); }, 1},
        {"FixedRows hidden", [&] { return QVariant(grid(v, "MSFlexGrid2").FixedRows()); }, 1},
        {"FixedCols visible", [&] { return QVariant(grid(v, "MSFlexGrid1").FixedCols()); }, 0},
        {"FixedCols hidden", [&] { return QVariant(grid(v, "MSFlexGrid2").FixedCols()); }, 0},
        {"Rows visible", [&] { return QVariant(grid(v, "MSFlexGrid1").Rows()); }, 2},
        {"Rows hidden", [&] { return QVariant(grid(v, "MSFlexGrid2").Rows()); }, 2},
        {"Cols visible", [&] { return QVariant(grid(v, "MSFlexGrid1").Cols()); }, 2},
        {"Cols hidden", [&] { return QVariant(grid(v, "MSFlexGrid2").Cols()); }, 2},
        {"BorderStyle", [&] { return QVariant(v.BorderStyle()); }, 1},
        {"AllowEdit", [&] { return QVariant(v.AllowEdit()); }, true},
        {"AutoInsert", [&] { return QVariant(v.AutoInsert()); }, true},
        {"SetKeyFunction", [&] { return QVariant(v.SetKeyFunction()); }, 118},
        {"ForeColorEdit", [&] { return QVariant(quint32(v.ForeColorEdit())); }, quint32(0x80)},
        {"AutoComplete", [&] { return QVariant(v.AutoComplete()); }, false},
        {"ArrowAsKeyTab", [&] { return QVariant(v.ArrowAsKeyTab()); }, false},
        {"EnterAsKeyTab", [&] { return QVariant(v.EnterAsKeyTab()); }, false},
        {"FontEditText is the ambient font", [&] { return QVariant(v.FontEditText()); },
         QVariant(host.form.font())},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.read(), c.expected);
    }
}

TEST(VantrelLifecycle, InitPropertiesResetsAndMarksTheShapeChanged) {
    Vantrel v;
    v.SetCols(6);
    v.SetRows(9);
    v.SetFixedCols(2);
    v.SetFixedRows(3);
    v.SetBorderStyle(0);
    v.SetSetKeyFunction(113);
    v.SetForeColorEdit(0x00FF00u);
    v.SetAutoInsert(false);
    v.SetArrowAsKeyTab(true);
    v.SetAutoComplete(true);
    const QString newControl = savedText(Vantrel());

    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.InitProperties();

    // Only the shape, the border and AutoComplete go through the public properties.
    EXPECT_EQ(changedNames(spy), QStringList({"FixedCols", "FixedRows", "Cols", "Rows",
                                              "BorderStyle", "AutoComplete"}));
    EXPECT_EQ(savedText(v), newControl);
}

TEST(VantrelLifecycle, MissingFlagKeysLoadAsFalse) {
    struct Case {
        const char *text;
        bool enabled, wrap, redraw;
    };
    const Case cases[] = {
        {"", false, false, false},
        {"Enabled = True\n", true, false, false},
        {"WordWrap = True\nWordWrap = True\n", false, true, false},
        {"Redraw = True\nRedraw = True\n", false, false, true},
        {"Enabled = True\nWordWrap = True\nWordWrap = True\nRedraw = True\nRedraw = True\n", true,
         true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Vantrel v(bagOf(c.text));
        EXPECT_EQ(v.Enabled(), c.enabled);
        EXPECT_EQ(grid(v, "MSFlexGrid1").WordWrap(), c.wrap);
        EXPECT_EQ(grid(v, "MSFlexGrid1").Redraw(), c.redraw);
        EXPECT_EQ(grid(v, "MSFlexGrid2").Redraw(), c.redraw);
    }
    // Loaded into a control that had them on: the missing keys still turn them off.
    Vantrel v;
    v.SetWordWrap(true);
    v.SetRedraw(true);
    v.ReadProperties(PropertyBag());
    EXPECT_FALSE(v.Enabled());
    EXPECT_FALSE(v.WordWrap());
    EXPECT_FALSE(grid(v, "MSFlexGrid1").Redraw());
    EXPECT_FALSE(grid(v, "MSFlexGrid2").Redraw());
}

TEST(VantrelLifecycle, LoadingColAndRowLeavesTheCurrentCell) {
    struct Case {
        const char *name;
        qint32 row, col;
    };
    const Case cases[] = {{"first data cell", 1, 0}, {"inside the grid", 3, 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Vantrel v;
        v.SetRows(6);
        v.SetCols(5);
        v.SetRow(c.row);
        v.SetCol(c.col);
        v.ReadProperties(bagOf("Cols = 5\nCols = 5\nRows = 6\nRows = 6\nCol = 4\nRow = 5\n"));
        EXPECT_EQ(v.Row(), c.row);
        EXPECT_EQ(v.Col(), c.col);
        EXPECT_EQ(grid(v, "MSFlexGrid2").Row(), c.row);
        EXPECT_EQ(grid(v, "MSFlexGrid2").Col(), c.col);
        // The loaded cell is the one saved again.
        PropertyBag saved;
        v.WriteProperties(saved);
        EXPECT_EQ(saved.values(QStringLiteral("Col")), QList<QVariant>{4});
        EXPECT_EQ(saved.values(QStringLiteral("Row")), QList<QVariant>{5});
    }
}

TEST(VantrelLifecycle, OneBagLoadsEveryControlAlike) {
    const PropertyBag bag = bagOf("Enabled = True\nCols = 4\nCols = 3\nRows = 5\nRows = 5\n"
                                  "ToolTipText = \"tip\"\nAllowEdit = False\n");
    Vantrel first(bag);
    Vantrel second(bag);
    Vantrel reloaded;
    reloaded.ReadProperties(bag);
    reloaded.ReadProperties(bag);
    for (Vantrel *v : {&second, &reloaded}) {
        EXPECT_EQ(savedText(*v), savedText(first));
    }
    EXPECT_EQ(grid(second, "MSFlexGrid2").Cols(), 3);
    EXPECT_EQ(second.ToolTipText(), QStringLiteral("tip"));
}

TEST(VantrelLifecycle, LoadingMarksOnlyThePicturesChanged) {
    Vantrel v;
    QSignalSpy spy(&v, &Vantrel::PropertyChanged);
    v.ReadProperties(bagOf("MousePointer = 11\nAppearance = 0\nCols = 3\nBorderStyle = 0\n"));
    EXPECT_EQ(changedNames(spy), QStringList({"CellPicture", "MouseIcon"}));
    EXPECT_EQ(v.MousePointer(), 11);
    EXPECT_EQ(v.Appearance(), 0);
}

TEST(VantrelLifecycle, DamagedTextNeverReachesAControl) {
    struct Case {
        const char *text;
        int line;
    };
    const Case cases[] = {
        {"Cols = 3\nRows =\n", 2},
        {"Cols = 3\nRows = 4\nthis is no entry\n", 3},
        {"BackColor = &H1234567890&\n", 1},
        {"ToolTipText = \"open\n", 1},
        {"Cols = 3\nCellPicture = LoadPicture(\"!!not base64\")\n", 2},
        {"Rows = 99999999999\n", 1},
        {"Cols = 3\nBeginProperty Font\n   Name = \"Arial\"\n", 2},
        {"BeginProperty Font\n   Size = 9\nEndProperty\n", 3},
        {"BeginProperty Font\n   Name = \"Arial\"\n   Colour = 3\nEndProperty\n", 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        QWidget host;
        try {
            new Vantrel(bagOf(c.text), &host);
            ADD_FAILURE() << "the damaged text was accepted";
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), VbError::InvalidPropertyValue);
            EXPECT_TRUE(e.Description().contains(QStringLiteral("line %1:").arg(c.line)))
                << e.Description().toStdString();
        }
        EXPECT_TRUE(host.findChildren<Vantrel *>().isEmpty());
    }
}

TEST(VantrelLifecycle, FailureWhileLoadingStopsAtTheFailingKey) {
    struct Case {
        const char *text;
        qint32 error;
    };
    // Each bag fails on its first line; "AutoComplete" and "Redraw" come after every failing key
    // in the loading order, and a missing "Redraw" would turn redrawing off.
    const Case cases[] = {
        {"FixedRows = 5\nFixedRows = 1\nRows = 3\nRows = 3\n", VbError::InvalidPropertyValue},
        {"FixedRows = 1\nFixedRows = 4\nRows = 6\nRows = 3\n", VbError::InvalidPropertyValue},
        {"Cols = 4\nCols = 4\nFixedCols = 5\n", VbError::InvalidPropertyValue},
        {"Cols = -1\n", VbError::InvalidPropertyValue},
        {"GridLineWidth = 11\n", VbError::InvalidPropertyValue},
        {"GridLineWidth = 65537\n", VbError::Overflow},
        {"FixedAlignment0 = 70000\n", VbError::Overflow},
        {"MousePointer = 12345\n", VbError::InvalidPropertyValue},
        {"MousePointer = 70000\n", VbError::Overflow},
        {"Appearance = 2\n", VbError::InvalidPropertyValue},
        {"Cols = \"abc\"\n", VbError::TypeMismatch},
        {"BackColor = \"rosso\"\n", VbError::TypeMismatch},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const PropertyBag bag = PropertyBag::fromText(QString::fromLatin1(c.text) +
                                                      QStringLiteral("AutoComplete = True\n"));
        Vantrel v;
        v.SetRedraw(true);
        qint32 raised = 0;
        try {
            v.ReadProperties(bag);
        } catch (const VbError &e) {
            raised = e.Number();
        }
        EXPECT_EQ(raised, c.error);
        EXPECT_FALSE(v.AutoComplete());
        EXPECT_TRUE(v.Redraw());

        // A control built from such a bag never comes into being.
        QWidget host;
        EXPECT_THROW(new Vantrel(bag, &host), VbError);
        EXPECT_TRUE(host.findChildren<Vantrel *>().isEmpty());
    }
}

TEST(VantrelLifecycle, EnabledIsTheControlsOwnSettingWhateverItsForm) {
    // A form saved while it was disabled: the control itself stays enabled, and says so.
    QWidget form;
    auto *v = new Vantrel(&form);
    form.setEnabled(false);
    EXPECT_FALSE(v->isEnabled());
    EXPECT_TRUE(v->Enabled());
    PropertyBag bag;
    v->WriteProperties(bag);
    EXPECT_EQ(bag.values(QStringLiteral("Enabled")), QList<QVariant>{true});
    Vantrel reloaded(bag);
    EXPECT_TRUE(reloaded.Enabled());
    // Its own setting does count.
    v->SetEnabled(false);
    form.setEnabled(true);
    EXPECT_FALSE(v->Enabled());
    EXPECT_FALSE(v->isEnabled());
}

TEST(VantrelLifecycle, AnItemAmongTheHeaderRowsIsRefusedAndWritesNothing) {
    Vantrel v;
    v.SetRows(3);
    v.SetTextMatrix(0, 0, QStringLiteral("Nome"));
    v.AddItem(QStringLiteral("intruso"), 0);
    EXPECT_EQ(v.Rows(), 3);
    EXPECT_EQ(v.TextMatrix(0, 0), QStringLiteral("Nome"));
    // A data row is a place for an item.
    v.AddItem(QStringLiteral("ospite"), 1);
    EXPECT_EQ(v.Rows(), 4);
    EXPECT_EQ(v.TextMatrix(1, 0), QStringLiteral("ospite"));
    EXPECT_EQ(v.TextMatrix(0, 0), QStringLiteral("Nome"));
}
