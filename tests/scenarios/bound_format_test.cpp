// Stored values shown in their column's case and format: the shown grid gets the look, the hidden
// grid and the records keep the values, against a real SQLite file and the throwaway PostgreSQL
// server.

#include "common/bound_control.h"

namespace {

class BoundFormat : public BoundControlTest {
protected:
    // Styles come before the data source, as a form sets them up.
    void styleBindAndShow() {
        form = std::make_unique<TestForm>();
        Vantrel &c = form->control();
        c.ColEditMode(0, 20, NoButton, AlphaNumeric, UpperCase);
        c.ColEditMode(3, 12, NoButton, Decimal, NoCase, QStringLiteral("#,##0.00"));
        // Bruno's amount has a look of its own, which replaces the column's.
        c.AddEditStyle(3, 2, 12, Decimal, NoCase, QStringLiteral("0.0"));
        c.SetDatabaseName(db->databaseName());
        c.SetRecordSource(QStringLiteral("clienti"));
        ASSERT_TRUE(form->showActive());
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, BoundFormat, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         dbtest::engineName);

TEST_P(BoundFormat, StoredValuesShowInTheirColumnsLookWhileTheHiddenGridAndRecordsKeepThem) {
    ASSERT_TRUE(db->exec({QStringLiteral("UPDATE clienti SET importo = 1250.5 WHERE nome = 'Anna'"),
                          QStringLiteral("UPDATE writes SET n = 0")}));
    styleBindAndShow();

    EXPECT_EQ(shown(grid1())[1], QStringLiteral("ANNA|ANNCF|17/05/1980|1.250,50"));
    EXPECT_EQ(shown(grid1())[2], QStringLiteral("BRUNO|BRNCF||20,0"));
    EXPECT_EQ(shown(grid2())[1], QStringLiteral("Anna|ANNCF|17/05/1980|1250,5"));
    EXPECT_EQ(shown(grid2())[2], QStringLiteral("Bruno|BRNCF||20"));
    EXPECT_EQ(control().TextMatrix(1, 3), QStringLiteral("1.250,50"));
    control().SetRow(1);
    control().SetCol(3);
    EXPECT_EQ(control().Text(), QStringLiteral("1250,5"));
    EXPECT_EQ(writes(), 0) << "showing a value in its look writes nothing";

    // Opening the table again gives the same look.
    control().SetRecordSource(QStringLiteral("clienti"));
    settle();
    EXPECT_EQ(shown(grid1())[1], QStringLiteral("ANNA|ANNCF|17/05/1980|1.250,50"));
    EXPECT_EQ(writes(), 0);
}

TEST_P(BoundFormat, AnAmountTypedOverAFormattedOneIsStoredWithItsDecimalsAndShownInTheLook) {
    styleBindAndShow();
    typeAt(1, 3, QStringLiteral("99,5"));
    leaveDown();
    EXPECT_EQ(rows().front(), QStringLiteral("Anna|ANNCF|1980-05-17|99.5"));
    EXPECT_EQ(grid1()->TextMatrix(1, 3), QStringLiteral("99,50"));
    EXPECT_EQ(grid2()->TextMatrix(1, 3), QStringLiteral("99,5"));
    // The cell the user did not touch is still only shown in its look.
    EXPECT_EQ(rows()[1], QStringLiteral("Bruno|BRNCF|<null>|20"));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}
