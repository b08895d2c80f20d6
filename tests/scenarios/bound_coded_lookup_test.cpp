// A bound grid with coded lookup items: the user reads, picks and types names, the record takes
// the code. Checked in the database through a connection of the test's own.

#include "common/bound_control.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>

namespace {

class BoundCodedLookup : public BoundControlTest {
protected:
    // Binds a new control whose codice_fiscale cells have their items before the table
    // fills them, as a host form sets itself up.
    void openWithItems() {
        form = std::make_unique<TestForm>();
        Vantrel &c = form->control();
        // Upper case, as the codes are: the names still show as they are spelled.
        c.ColEditMode(1, 0, NoButton, AlphaNumeric, UpperCase);
        for (qint32 r = 1; r <= 3; ++r) {
            c.AddLookUpItem(1, r, QStringLiteral("ANNCF"), QStringLiteral("Anna Bianchi"));
            c.AddLookUpItem(1, r, QStringLiteral("BRNCF"), QStringLiteral("Bruno Neri"));
            c.AddLookUpItem(1, r, QStringLiteral("CRLCF"), QStringLiteral("Carlo Rossi"));
            c.AddLookUpItem(1, r, QStringLiteral("RM"), QStringLiteral("Roma"));
        }
        c.SetDatabaseName(db->databaseName());
        c.SetRecordSource(QStringLiteral("clienti"));
        ASSERT_TRUE(form->showActive());
    }
    void ctrl(QWidget *target, Qt::Key key) {
        QTest::keyClick(target, key, Qt::ControlModifier);
        settle();
    }
    QString cell(qint32 row, qint32 col) {
        return grid1()->TextMatrix(row, col) + u'|' + grid2()->TextMatrix(row, col);
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, BoundCodedLookup,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), dbtest::engineName);

TEST_P(BoundCodedLookup, TheRecordTakesTheCodeOfTheNamePickedOrTyped) {
    bindAndShow();
    goTo(1, 1);
    ASSERT_EQ(editor()->Text(), QStringLiteral("ANNCF"));
    // Items of codice_fiscale; those of the current cell show in its editor at once.
    for (qint32 r = 1; r <= 2; ++r) {
        control().AddButton(1, r, ButtonStyleDrop);
        control().AddLookUpItem(1, r, QStringLiteral("ANNCF"), QStringLiteral("Anna Bianchi"));
        control().AddLookUpItem(1, r, QStringLiteral("BRNCF"), QStringLiteral("Bruno Neri"));
        control().AddLookUpItem(1, r, QStringLiteral("CRLCF"), QStringLiteral("Carlo Rossi"));
    }
    EXPECT_EQ(editor()->Text(), QStringLiteral("Anna Bianchi"));
    EXPECT_EQ(control().Text(), QStringLiteral("ANNCF"));
    // The cells filled before their items existed show the names too.
    EXPECT_EQ(cell(2, 1), QStringLiteral("Bruno Neri|BRNCF"));
    leaveDown();
    EXPECT_EQ(cell(1, 1), QStringLiteral("Anna Bianchi|ANNCF"));
    EXPECT_EQ(writes(), 0);

    control().SetAutoComplete(true);
    QTest::mouseClick(parts::command1(control()), Qt::LeftButton);
    ASSERT_TRUE(parts::list(control())->isVisible());
    parts::list1(control())->setCurrentRow(2);
    QTest::keyClick(parts::list1(control()), Qt::Key_Return);
    EXPECT_EQ(editor()->Text(), QStringLiteral("Carlo Rossi"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruno|CRLCF|<null>|20"}));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Carlo Rossi|CRLCF"));

    // A whole name typed, committed because the form hides: the editor shows the name.
    control().SetAutoComplete(false);
    typeAt(1, 1, QStringLiteral("bruno neri"));
    form->hide();
    EXPECT_EQ(rows(), QStringList({"Anna|BRNCF|1980-05-17|10", "Bruno|CRLCF|<null>|20"}));
    EXPECT_EQ(grid2()->TextMatrix(1, 1), QStringLiteral("BRNCF"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("Bruno Neri"));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_P(BoundCodedLookup, ARefusedCodeLeavesTheRecordAndGivesTheNameBackToTheUser) {
    bindAndShow();
    // Importo takes numbers; the table refuses negative ones.
    control().AddLookUpItem(3, 2, QStringLiteral("-5"), QStringLiteral("Debito"));
    control().AddLookUpItem(3, 2, QStringLiteral("0"), QStringLiteral("Pari"));
    typeAt(2, 3, QStringLiteral("debito"));
    leaveDown();
    QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(rows(), kStart);
    // Back on the cell with what the user typed, not the code it stood for.
    QTRY_EXPECT_EQ(editor()->Text(), QStringLiteral("debito"));
    EXPECT_EQ(control().Row() * 10 + control().Col(), 23);

    editor()->selectAll();
    QTest::keyClicks(editor(), QStringLiteral("Pari"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|0"}));
    EXPECT_EQ(cell(2, 3), QStringLiteral("Pari|0"));
}

TEST_P(BoundCodedLookup, TheTableOpenedAgainShowsTheNamesOfTheCodesItHolds) {
    ASSERT_NO_FATAL_FAILURE(openWithItems());
    EXPECT_EQ(cell(1, 1), QStringLiteral("Anna Bianchi|ANNCF"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Bruno Neri|BRNCF"));
    // The name typed, then the program ended with the row left.
    typeAt(2, 1, QStringLiteral("CARLO ROSSI"));
    leaveDown();
    close();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruno|CRLCF|<null>|20"}));
    // Another program writes a code the items do not know: it is shown as it is.
    ASSERT_TRUE(db->exec({QStringLiteral("UPDATE clienti SET codice_fiscale = 'XYZ' WHERE "
                                         "nome = 'Anna'")}))
        << db->error().toStdString();

    ASSERT_NO_FATAL_FAILURE(openWithItems());
    EXPECT_EQ(cell(1, 1), QStringLiteral("XYZ|XYZ"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Carlo Rossi|CRLCF"));
    EXPECT_EQ(control().TextMatrix(2, 1), QStringLiteral("Carlo Rossi"));
    // Entering and leaving the cell untouched writes nothing.
    const qint64 before = writes();
    goTo(2, 1);
    EXPECT_EQ(editor()->Text(), QStringLiteral("Carlo Rossi"));
    editor()->setFocus();
    leaveDown();
    EXPECT_EQ(writes(), before);
    EXPECT_EQ(cell(2, 1), QStringLiteral("Carlo Rossi|CRLCF"));
}

TEST_P(BoundCodedLookup, PastedNamesStoreTheirCodesAndUndoAndRedoWriteTheCodesBack) {
    ASSERT_NO_FATAL_FAILURE(openWithItems());
    // A name and a code, pasted as a block from the grid.
    QGuiApplication::clipboard()->setText(QStringLiteral("Roma\nANNCF\n"));
    goTo(1, 1);
    ctrl(grid1(), Qt::Key_V);
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_EQ(rows(), QStringList({"Anna|RM|1980-05-17|10", "Bruno|ANNCF|<null>|20"}));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Anna Bianchi|ANNCF"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("Roma"));
    EXPECT_EQ(control().Text(), QStringLiteral("RM"));
    // The current cell copies as the code it holds, beside the name shown.
    ctrl(grid1(), Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("RM\n"));

    ctrl(grid1(), Qt::Key_Z);
    EXPECT_EQ(rows(), kStart);
    EXPECT_EQ(cell(2, 1), QStringLiteral("Bruno Neri|BRNCF"));
    EXPECT_EQ(editor()->Text(), QStringLiteral("Anna Bianchi"));
    ctrl(grid1(), Qt::Key_Y);
    EXPECT_EQ(rows(), QStringList({"Anna|RM|1980-05-17|10", "Bruno|ANNCF|<null>|20"}));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Anna Bianchi|ANNCF"));

    // One name pasted into the editor is typing: leaving the cell stores its code.
    QGuiApplication::clipboard()->setText(QStringLiteral("Bruno Neri"));
    goTo(2, 1);
    editor()->setFocus();
    editor()->selectAll();
    ctrl(editor(), Qt::Key_V);
    EXPECT_EQ(editor()->Text(), QStringLiteral("BRUNO NERI")); // the cell's case, as typed
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|RM|1980-05-17|10", "Bruno|BRNCF|<null>|20"}));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Bruno Neri|BRNCF"));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}
