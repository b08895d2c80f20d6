// Opening a large bound table: the rows read so far are shown while it is read, no input reaches
// the control in the middle of it, and everything is there when the call returns.

#include "common/bound_control.h"
#include "data/record_stream.h"

#include <QKeyEvent>

namespace {

class BoundOpen : public BoundControlTest {};

// What reaches the shown grid while a table is read, and after.
class LoadWatch final : public QObject {
public:
    explicit LoadWatch(FlexGrid &grid) : m_grid(grid) {}
    bool loading = false;
    qint32 complete = 0;        // Rows once every record is in
    QList<qint32> rowsAtPaints; // the grid's Rows at each paint during the open
    int inputDuringRead = 0;
    int input = 0;

    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::Paint:
            if (loading) {
                rowsAtPaints.append(m_grid.Rows());
            }
            break;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
            // Before every record is in, the read is still going on.
            inputDuringRead += loading && m_grid.Rows() < complete ? 1 : 0;
            ++input;
            break;
        default:
            break;
        }
        return false;
    }

private:
    FlexGrid &m_grid;
};

// Shows the rows read so far from the first record on, for the duration of a test.
struct ProgressAtOnce {
    ProgressAtOnce() {
        Vantrel3::StreamProgress::firstMs = 0;
        Vantrel3::StreamProgress::everyMs = 0;
    }
    ~ProgressAtOnce() {
        Vantrel3::StreamProgress::firstMs = first;
        Vantrel3::StreamProgress::everyMs = every;
    }
    const int first = Vantrel3::StreamProgress::firstMs;
    const int every = Vantrel3::StreamProgress::everyMs;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, BoundOpen, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         dbtest::engineName);

TEST_P(BoundOpen, ALongReadShowsTheRowsSoFarTakesNoInputAndEndsComplete) {
    constexpr int kRecords = 3000;
    QStringList values;
    for (int i = 0; i < kRecords; ++i) {
        values.append(QStringLiteral("('Nome%1', 'CF%1', '2001-02-03', %2)").arg(i).arg(i % 50));
    }
    ASSERT_TRUE(
        db->exec({QStringLiteral("CREATE TABLE vuota (nome TEXT, id %1)").arg(db->serialKey()),
                  QStringLiteral("INSERT INTO clienti (nome, codice_fiscale, nascita, "
                                 "importo) VALUES ") +
                      values.join(u", ")}))
        << db->error().toStdString();
    form = std::make_unique<TestForm>();
    control().SetDatabaseName(db->databaseName());
    control().SetRecordSource(QStringLiteral("vuota"));
    ASSERT_TRUE(form->showActive());

    const qint64 before = writes();
    LoadWatch watch(*grid1());
    grid1()->viewport()->installEventFilter(&watch);
    grid1()->installEventFilter(&watch);
    editor()->installEventFilter(&watch);
    // A key pressed just before the open waits for it to end.
    QCoreApplication::postEvent(grid1(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
    {
        ProgressAtOnce atOnce;
        watch.complete = kRecords + 3;
        watch.loading = true;
        control().SetRecordSource(QStringLiteral("clienti"));
        watch.loading = false;
    }

    // Rows and texts are complete on return: the header, the records, the trailing row.
    const qint32 all = kRecords + 2;
    EXPECT_EQ(control().Rows(), all + 2);
    for (FlexGrid *grid : {grid1(), grid2()}) {
        EXPECT_EQ(grid->TextMatrix(1, 0), QStringLiteral("Anna"));
        EXPECT_EQ(grid->TextMatrix(all, 0), QStringLiteral("Nome%1").arg(kRecords - 1));
        EXPECT_EQ(grid->TextMatrix(all, 2), QStringLiteral("03/02/2001"));
    }
    // Painted while reading, with fewer rows than at the end; no input was handled meanwhile.
    ASSERT_FALSE(watch.rowsAtPaints.isEmpty());
    EXPECT_LT(watch.rowsAtPaints.front(), watch.complete);
    EXPECT_EQ(watch.inputDuringRead, 0);
    QTRY_COMPARE(watch.input, 1);
    EXPECT_EQ(writes(), before);
}
