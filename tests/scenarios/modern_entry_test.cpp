// What users of today's data-entry grids expect beyond the classic control: amounts with
// decimals, "Err" that says why, undo, blocks copied and pasted, coded lookups.

#include "common/control_parts.h"
#include "common/message_box_recorder.h"
#include "common/shown_control.h"
#include "common/wait.h"
#include "host/vb_test_locale.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace Vantrel3;

// Readable failure output for the texts compared below.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Columns: 0 plain, 1 Decimal "#,##0.00", 2 Date, 3 Partita Iva, 4 Codice Fiscale.
class ModernEntryTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(5);
        grid.SetRows(6);
        grid.ColEditMode(1, 0, NoButton, Decimal, NoCase, QStringLiteral("#,##0.00"));
        grid.ColEditMode(2, 0, NoButton, Date);
        grid.ColEditMode(3, 0, NoButton, PartitaIva);
        grid.ColEditMode(4, 0, NoButton, CodiceFiscale, UpperCase);
        ASSERT_NO_FATAL_FAILURE(show(800, 300));
    }

    // Types into (row, col) as a user does, then leaves the cell downwards.
    void typeAndLeave(qint32 row, qint32 col, const QString &keys) {
        enterAfresh(row, col);
        editor()->setFocus();
        editor()->SetText(QString());
        QTest::keyClicks(editor(), keys);
        QTest::keyClick(editor(), Qt::Key_Down);
    }

    QString typed(qint32 row, qint32 col, const QString &keys) {
        enterAfresh(row, col);
        editor()->setFocus();
        editor()->SetText(QString());
        QTest::keyClicks(editor(), keys);
        return editor()->Text();
    }

    MessageBoxRecorder boxes;
};

} // namespace

TEST_F(ModernEntryTest, DecimalCellsTakeOneSeparatorOfTheLocaleAndALeadingMinus) {
    struct Case {
        QLocale locale;
        QString keys;
        QString typed;
        QString shown; // after leaving, in the column's format
    };
    const Case cases[] = {
        {vbtest::italian(), QStringLiteral("1234,5"), QStringLiteral("1234,5"),
         QStringLiteral("1.234,50")},
        {vbtest::italian(), QStringLiteral("12,3,4"), QStringLiteral("12,34"),
         QStringLiteral("12,34")},
        {vbtest::italian(), QStringLiteral("1-2.5x"), QStringLiteral("125"),
         QStringLiteral("125,00")},
        {vbtest::italian(), QStringLiteral("-7,25"), QStringLiteral("-7,25"),
         QStringLiteral("-7,25")},
        {vbtest::american(), QStringLiteral("1234.5"), QStringLiteral("1234.5"),
         QStringLiteral("1,234.50")},
        {vbtest::american(), QStringLiteral("1,2.3.4"), QStringLiteral("12.34"),
         QStringLiteral("12.34")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys.toStdString() + " " + c.locale.name().toStdString());
        const vbtest::RuntimeLocale locale(c.locale);
        EXPECT_EQ(typed(1, 1, c.keys), c.typed);
        QTest::keyClick(editor(), Qt::Key_Down);
        EXPECT_EQ(grid.TextMatrix(1, 1), c.shown);
        EXPECT_EQ(grid.ValidationMessage(1, 1), QString());
    }
}

TEST_F(ModernEntryTest, AnErrCellSaysWhyAsItsTooltipAndThroughItsSignal) {
    struct Case {
        QLocale locale;
        qint32 col;
        QString keys;
        QString why;
    };
    const Case cases[] = {
        {vbtest::italian(), 3, QStringLiteral("12345678901"),
         QStringLiteral("Partita IVA non valida: la cifra di controllo dovrebbe essere 3")},
        {vbtest::italian(), 4, QStringLiteral("RSSMRA80A01H501A"),
         QStringLiteral("Codice fiscale non valido: il carattere di controllo dovrebbe essere U")},
        {vbtest::italian(), 4, QStringLiteral("RSSMRA80"),
         QStringLiteral("Codice fiscale non valido: deve avere 16 caratteri")},
        {vbtest::italian(), 2, QStringLiteral("31/02/2020"), QStringLiteral("Data non valida")},
        {vbtest::american(), 2, QStringLiteral("13/31/2020"), QStringLiteral("Data non valida")},
        {vbtest::american(), 1, QStringLiteral("1.2.3"), QStringLiteral("Numero non valido")},
    };
    QList<QStringList> signalled;
    QObject::connect(&grid, &Vantrel::ValidationFailed, &grid,
                     [&](qint32 row, qint32 col, const QString &why) {
                         signalled << QStringList{QString::number(row), QString::number(col), why};
                     });
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        const vbtest::RuntimeLocale locale(c.locale);
        signalled.clear();
        enterAfresh(2, c.col);
        // Pasted, so that text the typing filter would refuse can reach the cell.
        editor()->SetText(c.keys);
        QTest::keyClick(editor(), Qt::Key_Down);
        EXPECT_EQ(grid2()->TextMatrix(2, c.col), QStringLiteral("Err"));
        EXPECT_EQ(grid.ValidationMessage(2, c.col), c.why);
        EXPECT_EQ(signalled, QList<QStringList>({{"2", QString::number(c.col), c.why}}));
        // The tooltip of the cell says the same.
        QTest::mouseMove(grid1()->viewport(), cellCentre(2, c.col));
        QHelpEvent help(QEvent::ToolTip, cellCentre(2, c.col),
                        grid1()->viewport()->mapToGlobal(cellCentre(2, c.col)));
        QApplication::sendEvent(grid1()->viewport(), &help);
        EXPECT_EQ(QToolTip::text(), c.why);
        QToolTip::hideText();
    }
    // A valid text, or one the host writes, takes the reason away.
    typeAndLeave(2, 3, QStringLiteral("12345678903"));
    EXPECT_EQ(grid.ValidationMessage(2, 3), QString());
    grid.SetTextMatrix(2, 4, QStringLiteral("altro"));
    EXPECT_EQ(grid.ValidationMessage(2, 4), QString());
    EXPECT_EQ(grid.ValidationMessage(2, 2), QStringLiteral("Data non valida"));
    // It follows its row.
    grid.AddItem(QStringLiteral("nuova"), 1);
    EXPECT_EQ(grid.ValidationMessage(3, 2), QStringLiteral("Data non valida"));
    EXPECT_EQ(grid.ValidationMessage(2, 2), QString());
    EXPECT_EQ(grid.ValidationMessage(1, 1), QString());
}
