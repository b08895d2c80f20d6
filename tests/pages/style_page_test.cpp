#include "page_test_support.h"

#include "pages/style_page.h"

#include <Vantrel3/Vantrel.h>

#include <QFileDialog>
#include <gtest/gtest.h>
#include <optional>

using namespace Vantrel3;
using namespace pagetest;

namespace {

// Installs a file-dialog stand-in for one scope; it records what the dialog was set up with.
class FakeFileDialog {
public:
    FakeFileDialog() {
        setFileDialogRunner([this](QFileDialog &dialog) {
            ++runs;
            title = dialog.windowTitle();
            filters = dialog.nameFilters();
            acceptMode = dialog.acceptMode();
            fileMode = dialog.fileMode();
            return answer;
        });
    }
    ~FakeFileDialog() { setFileDialogRunner(nullptr); }

    std::optional<QString> answer;
    int runs = 0;
    QString title;
    QStringList filters;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptSave;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
};

} // namespace

TEST(StylePage, LoadsEveryFieldInOrderAndLeavesRowHeightAlone) {
    Vantrel grid;
    grid.SetDatabaseName(QStringLiteral("/data/clienti.db"));
    grid.SetAutoComplete(true);
    grid.SetToolTipText(QStringLiteral("Righe della fattura"));
    grid.SetWordWrap(true);
    grid.SetGridLineWidth(3);
    grid.SetFormatString(QStringLiteral("<Codice|>Importo"));

    StylePage page;
    EXPECT_EQ(page.Caption(), QStringLiteral("Style"));
    FieldChangeLog log(&page);
    page.SetSelectedControls({&grid});

    EXPECT_EQ(log.names, (QStringList{"txtDatabaseName", "chkAutoComplete", "txtToolTipText",
                                      "chkWordWrap", "txtGridLineWidth", "txtFormatString"}));
    EXPECT_EQ(textBox(&page, "txtDatabaseName")->text(), QStringLiteral("/data/clienti.db"));
    EXPECT_TRUE(checkBox(&page, "chkAutoComplete")->isChecked());
    EXPECT_EQ(textBox(&page, "txtToolTipText")->text(), QStringLiteral("Righe della fattura"));
    EXPECT_TRUE(checkBox(&page, "chkWordWrap")->isChecked());
    EXPECT_EQ(textBox(&page, "txtGridLineWidth")->text(), QStringLiteral("3"));
    EXPECT_EQ(textBox(&page, "txtFormatString")->text(), grid.FormatString());
    EXPECT_EQ(textBox(&page, "txtRowHeight")->text(), QString());
    EXPECT_TRUE(page.Changed());
}

TEST(StylePage, AppliesEveryFieldInOrderToTheFirstControlOnly) {
    Vantrel first;
    Vantrel second;
    StylePage page;
    page.SetSelectedControls({&first, &second});
    textBox(&page, "txtDatabaseName")->setText(QStringLiteral("ordini.sqlite"));
    checkBox(&page, "chkAutoComplete")->setChecked(true);
    textBox(&page, "txtToolTipText")->setText(QStringLiteral("Suggerimento"));
    checkBox(&page, "chkWordWrap")->setChecked(true);
    textBox(&page, "txtGridLineWidth")->setText(QStringLiteral(" 4 "));
    textBox(&page, "txtFormatString")->setText(QStringLiteral("^A|^B"));

    QSignalSpy spy(&first, &Vantrel::PropertyChanged);
    QSignalSpy secondSpy(&second, &Vantrel::PropertyChanged);
    page.ApplyChanges();

    EXPECT_EQ(changedNames(spy), (QStringList{"DatabaseName", "AutoComplete", "ToolTipText",
                                              "WordWrap", "GridLineWidth", "FormatString"}));
    EXPECT_EQ(first.DatabaseName(), QStringLiteral("ordini.sqlite"));
    EXPECT_TRUE(first.AutoComplete());
    EXPECT_EQ(first.ToolTipText(), QStringLiteral("Suggerimento"));
    EXPECT_TRUE(first.WordWrap());
    EXPECT_EQ(first.GridLineWidth(), 4);
    EXPECT_EQ(first.Cols(), 2);
    EXPECT_EQ(first.TextMatrix(0, 0), QStringLiteral("A"));
    EXPECT_EQ(secondSpy.count(), 0);
    EXPECT_EQ(second.DatabaseName(), QString());
}

TEST(StylePage, AGridLineWidthThatIsNotAnIntegerStopsTheApplyThere) {
    const struct {
        const char *text;
        qint32 error;
    } cases[] = {{"", VbError::TypeMismatch},
                 {"largo", VbError::TypeMismatch},
                 {"40000", VbError::Overflow},
                 {"11", VbError::InvalidPropertyValue}};
    for (const auto &c : cases) {
        Vantrel grid;
        StylePage page;
        page.SetSelectedControls({&grid});
        textBox(&page, "txtToolTipText")->setText(QStringLiteral("scritto"));
        textBox(&page, "txtGridLineWidth")->setText(QLatin1String(c.text));
        textBox(&page, "txtFormatString")->setText(QStringLiteral("mai"));

        QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
        EXPECT_EQ(errorOf([&] { page.ApplyChanges(); }), c.error) << c.text;
        EXPECT_EQ(changedNames(spy),
                  (QStringList{"DatabaseName", "AutoComplete", "ToolTipText", "WordWrap"}))
            << c.text;
        EXPECT_EQ(grid.ToolTipText(), QStringLiteral("scritto"));
        EXPECT_EQ(grid.GridLineWidth(), 1);
        EXPECT_NE(grid.FormatString(), QStringLiteral("mai"));
    }
}

TEST(StylePage, RowHeightMarksThePageChangedButTouchesNothing) {
    Vantrel grid;
    StylePage page;
    page.SetSelectedControls({&grid});
    page.SetChanged(false);
    const qint32 rowHeight = grid.RowHeight(0);

    textBox(&page, "txtRowHeight")->setText(QStringLiteral("900"));
    EXPECT_TRUE(page.Changed());

    QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
    page.ApplyChanges();
    EXPECT_FALSE(changedNames(spy).contains(QStringLiteral("RowHeight")));
    EXPECT_EQ(grid.RowHeight(0), rowHeight);
    EXPECT_EQ(grid.RowHeight(1), rowHeight);
}

TEST(StylePage, BrowseOffersDatabasesAndPutsTheChosenFileInTheBox) {
    Vantrel grid;
    grid.SetDatabaseName(QStringLiteral("vecchio.db"));
    StylePage page;
    page.SetSelectedControls({&grid});
    page.SetChanged(false);
    FakeFileDialog dialog;
    auto *button = field<QPushButton>(&page, "Command1");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("..."));

    // Steps: what the dialog answers, and what the box then holds.
    const struct {
        std::optional<QString> answer;
        QString box;
    } steps[] = {
        {QStringLiteral("/tmp/uno.db"), QStringLiteral("/tmp/uno.db")},
        {std::nullopt, QStringLiteral("/tmp/uno.db")}, // cancelled: the previous file name
        {QStringLiteral("/tmp/due.sqlite3"), QStringLiteral("/tmp/due.sqlite3")},
        {std::nullopt, QStringLiteral("/tmp/due.sqlite3")},
    };
    int runs = 0;
    for (const auto &step : steps) {
        dialog.answer = step.answer;
        button->click();
        EXPECT_EQ(dialog.runs, ++runs);
        EXPECT_EQ(textBox(&page, "txtDatabaseName")->text(), step.box);
    }
    EXPECT_TRUE(page.Changed());
    EXPECT_EQ(dialog.title, QStringLiteral("Database"));
    EXPECT_EQ(dialog.filters, (QStringList{QStringLiteral("Database (*.db *.sqlite *.sqlite3)"),
                                           QStringLiteral("Tutti i file (*)")}));
    EXPECT_EQ(dialog.acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode, QFileDialog::ExistingFile);
    // Browsing changes only the box; the control waits for Apply.
    EXPECT_EQ(grid.DatabaseName(), QStringLiteral("vecchio.db"));
}

TEST(StylePage, CancellingTheBrowseLeavesTheBoxAsItWas) {
    Vantrel grid;
    grid.SetDatabaseName(QStringLiteral("vecchio.db"));
    StylePage page;
    page.SetSelectedControls({&grid});
    FakeFileDialog dialog;
    page.Browse();
    EXPECT_EQ(dialog.runs, 1);
    EXPECT_EQ(textBox(&page, "txtDatabaseName")->text(), QStringLiteral("vecchio.db"));
    textBox(&page, "txtDatabaseName")->setText(QStringLiteral("scritto.db"));
    page.Browse();
    EXPECT_EQ(textBox(&page, "txtDatabaseName")->text(), QStringLiteral("scritto.db"));
}
