// A bound control driven through its widgets against a throwaway PostgreSQL server; every stage
// is checked in the database through a connection of the test's own.

#include "common/message_box_recorder.h"
#include "common/pg_cluster.h"
#include "common/query_rows.h"
#include "editing/editor_box.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

using namespace Vantrel3;
using Vantrel3::test::PgCluster;

// Readable failure output for the row and cell texts compared below.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// One server for the suite (starting one takes seconds), a new database per test.
class BoundEntryPg : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cluster = std::make_unique<PgCluster>(); }
    static void TearDownTestSuite() { cluster.reset(); }

    void SetUp() override {
        ASSERT_TRUE(cluster->ok()) << cluster->error().toStdString();
        ASSERT_TRUE(cluster->start()) << cluster->error().toStdString();
        vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        db = QStringLiteral("bound%1").arg(++serial);
        ASSERT_TRUE(cluster->createDatabase(db)) << cluster->error().toStdString();
        // The key is last, so grid columns 0-3 are the data fields; it keeps the read order.
        ASSERT_TRUE(cluster->exec(
            db, {QStringLiteral("CREATE TABLE clienti (nome text, codice_fiscale varchar(16), "
                                "nascita date, importo numeric(10,2) CHECK (importo >= 0), "
                                "id serial PRIMARY KEY)"),
                 QStringLiteral("INSERT INTO clienti (nome, codice_fiscale, nascita, importo) "
                                "VALUES ('Anna', 'ANNCF', '1980-05-17', 10), "
                                "('Bruno', 'BRNCF', NULL, 20)")}))
            << cluster->error().toStdString();
    }
    void TearDown() override {
        control.reset();
        vb::setLocale(QLocale::system());
    }

    // The table's records in key order, one "nome|codice_fiscale|nascita|importo" per record.
    QStringList rows() {
        return querytest::postgresRows(cluster->socketDir(), db,
                                       QStringLiteral("SELECT nome, codice_fiscale, nascita::text, "
                                                      "importo::text FROM clienti ORDER BY id"));
    }

    void bindAndShow(qint32 recordsetType = 1) {
        control = std::make_unique<Vantrel>();
        control->SetRecordsetType(recordsetType);
        control->SetDatabaseName(cluster->uri(db));
        control->SetRecordSource(QStringLiteral("clienti"));
        control->resize(700, 300);
        control->show();
        control->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(control.get()));
    }

    FlexGrid *grid1() { return control->findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1")); }
    FlexGrid *grid2() { return control->findChild<FlexGrid *>(QStringLiteral("MSFlexGrid2")); }
    EditorBox *editor() { return control->findChild<EditorBox *>(QStringLiteral("Text1")); }

    // Each grid row's first four cells, joined like rows().
    QStringList shown(FlexGrid *grid) {
        QStringList out;
        for (qint32 r = 0; r < grid->Rows(); ++r) {
            QStringList row;
            for (qint32 c = 0; c < 4; ++c) {
                row.append(grid->TextMatrix(r, c));
            }
            out.append(row.join(u'|'));
        }
        return out;
    }

    // Types the way a user does: the first key on the grid opens the editor, the rest go there.
    void typeAt(qint32 row, qint32 col, const QString &text) {
        control->SetRow(row);
        control->SetCol(col);
        grid1()->setFocus();
        QTest::keyClick(grid1(), text.front().toLatin1());
        QTest::keyClicks(editor(), text.mid(1));
    }

    void leaveDown() {
        QTest::keyClick(editor(), Qt::Key_Down);
        settle();
    }

    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    static inline std::unique_ptr<PgCluster> cluster;
    static inline int serial = 0;
    QString db;
    std::unique_ptr<Vantrel> control;
    MessageBoxRecorder boxes;
};

const QStringList kStart = {QStringLiteral("Anna|ANNCF|1980-05-17|10.00"),
                            QStringLiteral("Bruno|BRNCF|<null>|20.00")};

} // namespace

TEST_F(BoundEntryPg, FullSessionReachesTheServerStageByStage) {
    bindAndShow();
    ASSERT_TRUE(boxes.boxes.isEmpty()) << boxes.boxes[0].prompt.toStdString();
    EXPECT_EQ(shown(grid1()).mid(0, 2),
              QStringList({"nome|codice_fiscale|nascita|importo", "Anna|ANNCF|17/05/1980|10"}));
    EXPECT_EQ(grid1()->Rows(), 4);
    EXPECT_EQ(rows(), kStart);

    typeAt(2, 1, QStringLiteral("BRUNO2"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10.00", "Bruno|BRUNO2|<null>|20.00"}));

    typeAt(3, 0, QStringLiteral("Carlo"));
    EXPECT_EQ(grid1()->Rows(), 5);
    QTest::keyClick(editor(), Qt::Key_Tab);
    QTest::keyClick(grid1(), Qt::Key_Right);
    QTest::keyClick(grid1(), Qt::Key_Right);
    settle();
    typeAt(3, 2, QStringLiteral("01/02/2003"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10.00", "Bruno|BRUNO2|<null>|20.00",
                                   "Carlo|<null>|2003-02-01|<null>", "||<null>|0.00"}));

    control->AddItem(QStringLiteral("Dora\tDRACF\t02/03/1990\t7"));
    settle();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10.00", "Bruno|BRUNO2|<null>|20.00",
                                   "Carlo|<null>|2003-02-01|<null>", "Dora|DRACF|1990-03-02|7.00",
                                   "||<null>|0.00"}));
    EXPECT_EQ(shown(grid1()).mid(4), QStringList({"Dora|DRACF|02/03/1990|7", "|||"}));

    control->RemoveItem(1);
    settle();
    EXPECT_EQ(rows(), QStringList({"Bruno|BRUNO2|<null>|20.00", "Carlo|<null>|2003-02-01|<null>",
                                   "Dora|DRACF|1990-03-02|7.00", "||<null>|0.00"}));
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Bruno"));

    control.reset();
    EXPECT_EQ(rows(), QStringList({"Bruno|BRUNO2|<null>|20.00", "Carlo|<null>|2003-02-01|<null>",
                                   "Dora|DRACF|1990-03-02|7.00"}));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(BoundEntryPg, EditsThatMustNotReachTheServer) {
    struct Case {
        const char *name;
        qint32 recordsetType;
        QString typed; // over cell (1, 0), which holds "Anna"
    };
    const Case cases[] = {
        {"snapshot", 2, QStringLiteral("Zorro")},
        {"same text", 1, QStringLiteral("Anna")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bindAndShow(c.recordsetType);
        typeAt(1, 0, c.typed);
        leaveDown();
        EXPECT_EQ(grid1()->TextMatrix(1, 0), c.typed);
        control.reset();
        EXPECT_EQ(rows(), kStart);
        EXPECT_TRUE(boxes.boxes.isEmpty());
    }
}

TEST_F(BoundEntryPg, AFailedWriteIsReportedAndTheTypedTextKept) {
    struct Case {
        const char *name;
        qint32 col;
        QString typed;
        bool stopServer;
    };
    const Case cases[] = {
        {"value the table refuses", 3, QStringLiteral("-5"), false},
        {"server gone", 0, QStringLiteral("Nuovo"), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        boxes.boxes.clear();
        ASSERT_TRUE(cluster->start());
        bindAndShow();
        const QString before = grid1()->TextMatrix(1, c.col);
        if (c.stopServer) {
            cluster->stop();
        }
        typeAt(1, c.col, c.typed);
        leaveDown();
        QTest::qWait(50);
        ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
        EXPECT_EQ(boxes.boxes[0].style, vbCritical);
        EXPECT_EQ(grid1()->TextMatrix(1, c.col), before);
        EXPECT_EQ(grid2()->TextMatrix(1, c.col), before);
        EXPECT_EQ(control->Row(), 1);
        EXPECT_EQ(control->Col(), c.col);
        EXPECT_EQ(editor()->Text(), c.typed);
        control.reset();
        ASSERT_TRUE(cluster->start());
        EXPECT_EQ(rows(), kStart);
    }
}

TEST_F(BoundEntryPg, OnlyAnUntouchedTrailingBlankRecordGoesAtTheEnd) {
    struct Case {
        const char *name;
        bool typeIntoTrailingRow;
        QStringList after;
    };
    const QStringList withItem = kStart + QStringList{QStringLiteral("Dora|DRACF|<null>|7.00")};
    const Case cases[] = {
        {"untouched", false, withItem},
        {"typed into", true, withItem + QStringList{QStringLiteral("Ugo||<null>|0.00")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(cluster->exec(db, {QStringLiteral("DELETE FROM clienti WHERE id > 2")}));
        bindAndShow();
        control->SetAutoInsert(false);
        control->AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
        settle();
        EXPECT_EQ(rows(), withItem + QStringList{QStringLiteral("||<null>|0.00")});
        if (c.typeIntoTrailingRow) {
            typeAt(grid1()->Rows() - 1, 0, QStringLiteral("Ugo"));
            QTest::keyClick(editor(), Qt::Key_Up);
            settle();
        }
        control.reset();
        EXPECT_EQ(rows(), c.after);
        EXPECT_TRUE(boxes.boxes.isEmpty());
    }
}
