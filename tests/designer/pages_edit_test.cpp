#include "pages_edit.h"

#include <Vantrel3/Vantrel.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Vantrel3;
using Values = PagesEdit::Snapshot;

namespace {

// Works the modal property pages as the developer would, once they are open.
void whenPagesOpen(std::function<void(QDialog &)> work) {
    QTimer::singleShot(0, [work = std::move(work)] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
    });
}

QLineEdit *field(QDialog &dialog, const char *name) {
    return dialog.findChild<QLineEdit *>(QLatin1String(name));
}

} // namespace

TEST(PagesEdit, ChangesAreThePropertiesWhoseValuesDiffer) {
    const Values before{{"Rows", 2}, {"Cols", 2}, {"ToolTipText", QString()}};
    const struct {
        const char *name;
        Values after;
        Values expected;
    } cases[] = {
        {"nothing changed", before, {}},
        {"one value", {{"Rows", 2}, {"Cols", 5}, {"ToolTipText", QString()}}, {{"Cols", 5}}},
        {"two values, in the order of after",
         {{"ToolTipText", QStringLiteral("x")}, {"Rows", 9}, {"Cols", 2}},
         {{"ToolTipText", QStringLiteral("x")}, {"Rows", 9}}},
        {"a property before did not have", {{"Rows", 2}, {"Appearance", 1}}, {{"Appearance", 1}}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(PagesEdit::changes(before, c.after), c.expected) << c.name;
    }
}

TEST(PagesEdit, SnapshotHoldsTheControlsOwnDesignableSettings) {
    Vantrel grid;
    grid.SetCols(4);
    grid.SetToolTipText(QStringLiteral("suggerimento"));
    const Values snapshot = PagesEdit::snapshot(grid);
    const auto find = [&](const char *name) -> const PagesEdit::Property * {
        for (const PagesEdit::Property &p : snapshot) {
            if (p.name == name) {
                return &p;
            }
        }
        return nullptr;
    };
    const struct {
        const char *name;
        bool held;
    } cases[] = {
        {"Cols", true},       {"ToolTipText", true},
        {"ScrollBars", true}, {"FontEditText", true}, // a font compares by value
        {"Row", false},                               // run time only
        {"Text", false},      {"CellHeight", false},  // read only
        {"MouseIcon", false},                         // a picture does not compare
        {"geometry", false},                          // QWidget's, not the control's
    };
    for (const auto &c : cases) {
        EXPECT_EQ(find(c.name) != nullptr, c.held) << c.name;
    }
    ASSERT_NE(find("Cols"), nullptr);
    EXPECT_EQ(find("Cols")->value.toInt(), 4);
    EXPECT_EQ(find("ToolTipText")->value.toString(), QStringLiteral("suggerimento"));
}

TEST(PagesEdit, RunReportsWhatTheDeveloperChangedAndLeavesTheGridAlone) {
    Vantrel grid;
    grid.setObjectName(QStringLiteral("grigliaClienti"));
    grid.SetRows(6);
    QString title;
    whenPagesOpen([&](QDialog &dialog) {
        title = dialog.windowTitle();
        // The copy starts from the grid's own settings.
        EXPECT_EQ(field(dialog, "txtRows")->text(), QStringLiteral("6"));
        field(dialog, "txtCols")->setText(QStringLiteral("5"));
        field(dialog, "txtToolTipText")->setText(QStringLiteral("Clienti"));
        dialog.findChild<QCheckBox *>(QStringLiteral("chkEnterAsKeyTab"))->setChecked(true);
        dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    const Values changed = PagesEdit::run(grid, nullptr);

    EXPECT_EQ(
        changed,
        (Values{{"Cols", 5}, {"ToolTipText", QStringLiteral("Clienti")}, {"EnterAsKeyTab", true}}));
    EXPECT_TRUE(title.contains(QStringLiteral("grigliaClienti"))) << title.toStdString();
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(grid.ToolTipText(), QString());
    EXPECT_FALSE(grid.EnterAsKeyTab());
}

TEST(PagesEdit, CancelledPagesChangeNothing) {
    Vantrel grid;
    whenPagesOpen([](QDialog &dialog) {
        field(dialog, "txtCols")->setText(QStringLiteral("5"));
        dialog.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
    });
    EXPECT_TRUE(PagesEdit::run(grid, nullptr).isEmpty());
    EXPECT_EQ(grid.Cols(), 2);
}
