#include "common/shown_control.h"
#include "editing/cell_button.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

class AccessibilityTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(3);
        grid.SetRows(5);
        grid.SetTextMatrix(0, 0, QStringLiteral("nome"));
        grid.SetTextMatrix(0, 1, QStringLiteral("importo"));
        grid.ColEditMode(1, 12, ButtonStyleDrop, Numeric, NoCase, QStringLiteral("#,##0.00"));
        grid.AddButton(2, 3, ButtonStyleBrowse);
        ASSERT_NO_FATAL_FAILURE(show(500, 200));
    }

    static QString nameOf(QObject *object) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
        return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
    }
};

} // namespace

TEST_F(AccessibilityTest, TheEditorIsNamedAfterTheCellItLiesOn) {
    const struct {
        qint32 row;
        qint32 col;
        QString name;
    } moves[] = {
        {3, 0, QStringLiteral("Riga 3, nome")},
        {1, 1, QStringLiteral("Riga 1, importo")},
        {4, 2, QStringLiteral("Riga 4, Colonna 3")},
    };
    for (const auto &m : moves) {
        grid.SetRow(m.row);
        grid.SetCol(m.col);
        QTRY_COMPARE(nameOf(editor()), m.name);
    }
}

TEST_F(AccessibilityTest, TheCellButtonsSayWhatTheyOpen) {
    grid.SetRow(2);
    grid.SetCol(1);
    auto *drop = grid.findChild<CellButton *>(QStringLiteral("Command1"));
    auto *browse = grid.findChild<CellButton *>(QStringLiteral("Command2"));
    ASSERT_NE(drop, nullptr);
    ASSERT_NE(browse, nullptr);
    QTRY_VERIFY(drop->isVisible());
    const struct {
        CellButton *button;
        QString name;
    } cases[] = {
        {drop, QStringLiteral("Apri il selettore")},
        {browse, QStringLiteral("Sfoglia")},
    };
    for (const auto &c : cases) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c.button);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), QAccessible::Button);
        EXPECT_EQ(iface->text(QAccessible::Name), c.name);
        EXPECT_FALSE(iface->text(QAccessible::Description).isEmpty());
    }
}

TEST_F(AccessibilityTest, TheGridsTableReadsTheShownTextsNotTheRawOnes) {
    grid.SetTextMatrix(2, 1, QStringLiteral("1234,5"));
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid1());
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 5);
    EXPECT_EQ(table->tableInterface()->columnCount(), 3);
    EXPECT_EQ(table->tableInterface()->cellAt(2, 1)->text(QAccessible::Name),
              grid1()->TextMatrix(2, 1));
    EXPECT_NE(grid1()->TextMatrix(2, 1), grid2()->TextMatrix(2, 1));
    EXPECT_EQ(table->tableInterface()->cellAt(0, 1)->role(), QAccessible::ColumnHeader);
}
