// Lookup items with a code and a label: the user reads, picks and types labels, while the hidden
// grid and Text hold codes. Driven with real keys and clicks in a host form.

#include "common/control_parts.h"
#include "common/shown_control.h"
#include "common/wait.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace Vantrel3;

namespace {

constexpr qint32 kRows = 12;

// Column 1: provinces by code, with the drop button. Column 2: plain items with the same texts
// as column 1's labels.
class CodedLookupTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(3);
        grid.SetRows(kRows);
        // Two rows more for the rows AddItem adds.
        for (qint32 r = 1; r < kRows + 2; ++r) {
            grid.AddButton(1, r, ButtonStyleDrop);
            grid.AddLookUpItem(1, r, QStringLiteral("RM"), QStringLiteral("Roma"));
            grid.AddLookUpItem(1, r, QStringLiteral("RO"), QStringLiteral("Rovigo"));
            grid.AddLookUpItem(1, r, QStringLiteral("MI"), QStringLiteral("Milano"));
            grid.AddButton(2, r, ButtonStyleDrop);
            grid.AddLookUp(2, r, QStringLiteral("Roma"));
            grid.AddLookUp(2, r, QStringLiteral("Rovigo"));
        }
        ASSERT_NO_FATAL_FAILURE(show(600, 260));
    }

    void at(qint32 row, qint32 col) {
        enterAfresh(row, col);
        editor()->setFocus();
    }

    // Opens the cell's list with its button and picks an item with Enter, a modal list from
    // inside its own loop; returns the texts the list showed.
    QStringList pick(int item) {
        listed.clear();
        auto choose = [this, item] {
            QListWidget *list = parts::list1(grid);
            for (int i = 0; i < list->count(); ++i) {
                listed.append(list->item(i)->text());
            }
            list->setCurrentRow(item);
            QTest::keyClick(list, Qt::Key_Return);
        };
        if (!grid.AutoComplete()) {
            QTimer::singleShot(0, parts::list1(grid), choose);
            // Keeps a failing pick from hanging the test.
            QTimer::singleShot(5000, parts::list(grid), [this] { parts::list(grid)->unload(); });
        }
        QTest::mouseClick(parts::command1(grid), Qt::LeftButton);
        if (grid.AutoComplete()) {
            choose();
        }
        return listed;
    }

    // "shown|raw" of a cell.
    QString cell(qint32 row, qint32 col) {
        return grid1()->TextMatrix(row, col) + u'|' + grid2()->TextMatrix(row, col);
    }

    QStringList listed;
};

} // namespace

TEST_F(CodedLookupTest, TheListShowsLabelsAndAPickStoresTheCodeWhileTheCellShowsTheLabel) {
    const struct {
        bool autoComplete;
        int item;
        const char *label, *code;
    } cases[] = {{true, 0, "Roma", "RM"}, {false, 2, "Milano", "MI"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        grid.SetAutoComplete(c.autoComplete);
        at(1, 1);
        EXPECT_EQ(pick(c.item), QStringList({"Roma", "Rovigo", "Milano"}));
        EXPECT_EQ(editor()->Text(), QString::fromUtf8(c.label));
        QTest::keyClick(editor(), Qt::Key_Down);
        EXPECT_EQ(cell(1, 1), QStringLiteral("%1|%2").arg(c.label, c.code));
        EXPECT_EQ(grid.TextMatrix(1, 1), QString::fromUtf8(c.label));
        grid.SetRow(1);
        EXPECT_EQ(grid.Text(), QString::fromUtf8(c.code));
    }
}

TEST_F(CodedLookupTest, TypedLabelsBecomeCodesAndOtherTextsStayAsTyped) {
    const struct {
        bool autoComplete;
        const char *typed, *inEditor, *cellAfter;
    } cases[] = {
        {true, "rom", "Roma", "Roma|RM"},         // completed from the labels
        {true, "RM", "RM", "Roma|RM"},            // a code stays that code
        {false, "MILANO", "MILANO", "Milano|MI"}, // a whole label in any case
        {false, "rm", "rm", "rm|rm"},             // neither: as typed
        {false, "Rom", "Rom", "Rom|Rom"},
    };
    qint32 row = 1; // each case in an empty cell of its own
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        grid.SetAutoComplete(c.autoComplete);
        at(row, 1);
        QTest::keyClicks(editor(), QString::fromUtf8(c.typed));
        EXPECT_EQ(editor()->Text(), QString::fromUtf8(c.inEditor));
        QTest::keyClick(editor(), Qt::Key_Down);
        EXPECT_EQ(cell(row++, 1), QString::fromUtf8(c.cellAfter));
    }
}

TEST_F(CodedLookupTest, EnteringACodedCellShowsItsLabelAndLeavingItUntouchedKeepsItsText) {
    grid.SetTextMatrix(2, 1, QStringLiteral("RO"));
    // A label the host writes is a text like any other: the cell keeps it raw.
    grid.SetTextMatrix(3, 1, QStringLiteral("Roma"));
    at(2, 1);
    EXPECT_EQ(editor()->Text(), QStringLiteral("Rovigo"));
    EXPECT_EQ(grid.Text(), QStringLiteral("RO"));
    // Escape gives back the label the cell was entered with.
    QTest::keyClicks(editor(), QStringLiteral("x"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(editor()->Text(), QStringLiteral("Rovigo"));
    QTest::keyClick(editor(), Qt::Key_Down);
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(cell(2, 1), QStringLiteral("Rovigo|RO"));
    EXPECT_EQ(cell(3, 1), QStringLiteral("Roma|Roma"));
}

TEST_F(CodedLookupTest, HostWritesOfACodeShowTheLabelOnlyInCodedCells) {
    at(1, 0);
    const struct {
        const char *what;
        std::function<void(Vantrel &)> write;
        qint32 row;
    } cases[] = {
        {"TextMatrix", [](Vantrel &v) { v.SetTextMatrix(2, 1, QStringLiteral("MI")); }, 2},
        {"TextArray", [](Vantrel &v) { v.SetTextArray(3 * 3 + 1, QStringLiteral("MI")); }, 3},
        {"AddItem", [](Vantrel &v) { v.AddItem(QStringLiteral("x\tMI\tMI")); }, kRows},
        {"AddItem at 4", [](Vantrel &v) { v.AddItem(QStringLiteral("y\tMI\tMI"), 4); }, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.write(grid);
        EXPECT_EQ(cell(c.row, 1), QStringLiteral("Milano|MI"));
    }
    // Column 2's plain items translate nothing.
    EXPECT_EQ(cell(4, 2), QStringLiteral("MI|MI"));
    // An item added for a cell that already holds its code shows its label there; one for a
    // row the grid does not have yet is kept for it.
    grid.SetTextMatrix(6, 1, QStringLiteral("VE"));
    EXPECT_EQ(cell(6, 1), QStringLiteral("VE|VE"));
    grid.AddLookUpItem(1, 6, QStringLiteral("VE"), QStringLiteral("Venezia"));
    grid.AddLookUpItem(1, kRows + 5, QStringLiteral("VE"), QStringLiteral("Venezia"));
    EXPECT_EQ(cell(6, 1), QStringLiteral("Venezia|VE"));
    // Text writes the current cell, whose editor then shows the label.
    at(5, 1);
    grid.SetText(QStringLiteral("RM"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("Roma"));
    QTest::keyClick(editor(), Qt::Key_Up);
    EXPECT_EQ(cell(5, 1), QStringLiteral("Roma|RM"));
}

TEST_F(CodedLookupTest, PlainLookupCellsKeepTheirTexts) {
    grid.SetAutoComplete(true);
    at(1, 2);
    EXPECT_EQ(pick(1), QStringList({"Roma", "Rovigo"}));
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(cell(1, 2), QStringLiteral("Rovigo|Rovigo"));
    grid.SetAutoComplete(false);
    at(2, 2);
    QTest::keyClicks(editor(), QStringLiteral("roma"));
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(cell(2, 2), QStringLiteral("roma|roma"));
}
