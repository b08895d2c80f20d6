// A bound control in a host form, driven through its widgets against each database engine; every
// stage is checked in the database through a connection of the test's own.

#include "common/bound_control.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>

namespace {
class BoundEntry : public BoundControlTest {};
} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, BoundEntry, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         dbtest::engineName);

TEST_P(BoundEntry, ShowingFillsBothGridsAndAddsOnePlainRow) {
    for (const bool sourceFirst : {false, true}) {
        SCOPED_TRACE(sourceFirst ? "RecordSource first" : "DatabaseName first");
        bindAndShow(sourceFirst);
        EXPECT_TRUE(boxes.boxes.isEmpty());
        for (FlexGrid *grid : {grid1(), grid2()}) {
            ASSERT_EQ(grid->Cols(), 5);
            EXPECT_EQ(shown(grid),
                      QStringList({"nome|codice_fiscale|nascita|importo",
                                   "Anna|ANNCF|17/05/1980|10", "Bruno|BRNCF||20", "|||"}));
        }
        // In bound entry the trailing row stays whatever the host removes.
        control().RemoveItem(control().Rows() - 1);
        EXPECT_EQ(control().Rows(), 4);
        EXPECT_EQ(rows(), kStart);
        close();
        EXPECT_EQ(rows(), kStart);
        EXPECT_EQ(writes(), 0);
    }
}

TEST_P(BoundEntry, FullSessionReachesTheDatabaseStageByStage) {
    bindAndShow();

    // An edit of an existing record.
    typeAt(1, 0, QStringLiteral("Anita"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20"}));
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Anita"));
    EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("Anita"));

    // Typing on the trailing row: AutoInsert appends a row, the typed record is kept and a blank
    // record stands for the new trailing row.
    typeAt(3, 0, QStringLiteral("Carlo"));
    EXPECT_EQ(grid1()->Rows(), 5);
    QTest::keyClick(editor(), Qt::Key_Tab);
    QTest::keyClick(grid1(), Qt::Key_Right);
    QTest::keyClick(grid1(), Qt::Key_Right);
    settle();
    typeAt(3, 2, QStringLiteral("01/02/2003"));
    QTest::keyClick(editor(), Qt::Key_Tab);
    QTest::keyClick(grid1(), Qt::Key_Right);
    settle();
    typeAt(3, 3, QStringLiteral("42"));
    // Leaving the new row writes its one record, with every field typed in it.
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20"}));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20",
                                   "Carlo|<null>|2003-02-01|42"}));

    // An item with tab-separated fields fills the trailing row and its record.
    control().AddItem(QStringLiteral("Dora\tDRACF\t02/03/1990\t7"));
    settle();
    EXPECT_EQ(rows(),
              QStringList({"Anita|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20",
                           "Carlo|<null>|2003-02-01|42", "Dora|DRACF|1990-03-02|7", "||<null>|0"}));
    EXPECT_EQ(grid1()->Rows(), 6);
    EXPECT_EQ(shown(grid1()).mid(4), QStringList({"Dora|DRACF|02/03/1990|7", "|||"}));

    // Removing a row removes its record; the trailing row stays.
    control().RemoveItem(2);
    control().RemoveItem(grid1()->Rows() - 1);
    settle();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Carlo|<null>|2003-02-01|42",
                                   "Dora|DRACF|1990-03-02|7", "||<null>|0"}));
    EXPECT_EQ(shown(grid1()).mid(1),
              QStringList({"Anita|ANNCF|17/05/1980|10", "Carlo||01/02/2003|42",
                           "Dora|DRACF|02/03/1990|7", "|||"}));

    // The end removes the trailing blank record only.
    close();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Carlo|<null>|2003-02-01|42",
                                   "Dora|DRACF|1990-03-02|7"}));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_P(BoundEntry, EditsThatMustNotReachTheDatabase) {
    struct Case {
        const char *name;
        qint32 recordsetType;
        QString typed; // typed over cell (1, 0), which holds "Anna"
    };
    const Case cases[] = {
        {"snapshot", 2, QStringLiteral("Zorro")},
        {"same text", 1, QStringLiteral("Anna")},
        {"no typing", 1, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bindAndShow(false, c.recordsetType);
        const qint64 before = writes();
        if (c.typed.isEmpty()) {
            goTo(1, 0);
            QTest::keyClick(grid1(), Qt::Key_Down);
        } else {
            typeAt(1, 0, c.typed);
            leaveDown();
        }
        EXPECT_EQ(grid1()->TextMatrix(1, 0), c.typed.isEmpty() ? "Anna" : c.typed);
        EXPECT_EQ(writes(), before);
        EXPECT_EQ(rows(), kStart);
        EXPECT_TRUE(boxes.boxes.isEmpty());
        close();
    }
}

TEST_P(BoundEntry, EmptyTextReachesATextFieldAsEmptyTextNotNull) {
    struct Case {
        const char *name;
        bool byItem; // AddItem with an empty field, or a cell emptied by the user
        QStringList after;
    };
    const Case cases[] = {
        {"item", true, kStart + QStringList{"Eva||<null>|5", "||<null>|0"}},
        {"emptied cell", false, {"Anna||1980-05-17|10", "Bruno|BRNCF|<null>|20"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        insertStart();
        bindAndShow();
        if (c.byItem) {
            control().AddItem(QStringLiteral("Eva\t\t\t5"));
        } else {
            typeAt(1, 1, QStringLiteral("x"));
            QTest::keyClick(editor(), Qt::Key_Backspace);
            leaveDown();
            EXPECT_EQ(grid1()->TextMatrix(1, 1), QString());
        }
        settle();
        EXPECT_EQ(rows(), c.after);
        close();
    }
}

TEST_P(BoundEntry, InvalidTextNeverReplacesAStoredValue) {
    struct Case {
        const char *what;
        qint32 col;
        QString typed;
        bool paste;
    };
    const Case cases[] = {
        {"letters over a number", 3, QStringLiteral("abc"), false},
        {"an impossible date", 2, QStringLiteral("31/02/2020"), false},
        {"words pasted over a number", 3, QStringLiteral("dieci euro"), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        insertStart();
        ASSERT_TRUE(db->exec({QStringLiteral("UPDATE clienti SET nascita = '1999-05-26', "
                                             "importo = 250 WHERE nome = 'Bruno'")}));
        bindAndShow();
        if (c.paste) {
            goTo(2, c.col);
            QTest::keyClick(grid1(), Qt::Key_Return);
            QApplication::clipboard()->setText(c.typed);
            editor()->selectAll();
            QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
        } else {
            typeAt(2, c.col, c.typed);
        }
        ASSERT_EQ(editor()->Text(), c.typed);
        leaveDown();
        // The record keeps its value; the cell says at once that the text is not valid, and
        // keeps it for the user to mend.
        EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruno|BRNCF|1999-05-26|250"}));
        EXPECT_EQ(grid1()->TextMatrix(2, c.col), QStringLiteral("Err"));
        goTo(2, c.col);
        EXPECT_EQ(editor()->Text(), c.typed);
        EXPECT_TRUE(boxes.boxes.isEmpty());
        close();
    }
}

TEST_P(BoundEntry, AValueTheTableRefusesIsReportedAndTheTypedTextKept) {
    bindAndShow();
    typeAt(1, 3, QStringLiteral("-5"));
    // Typing filters nothing here: the cell has no style of its own.
    ASSERT_EQ(editor()->Text(), QStringLiteral("-5"));
    leaveDown();
    QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
    EXPECT_EQ(boxes.boxes[0].style, vbCritical);
    EXPECT_FALSE(boxes.boxes[0].prompt.isEmpty());
    // Nothing shown as saved; the user is back on the cell with their text.
    EXPECT_EQ(grid1()->TextMatrix(1, 3), QStringLiteral("10"));
    EXPECT_EQ(grid2()->TextMatrix(1, 3), QStringLiteral("10"));
    QTRY_EXPECT_EQ(control().Row(), 1);
    EXPECT_EQ(control().Col(), 3);
    EXPECT_EQ(editor()->Text(), QStringLiteral("-5"));
    close();
    EXPECT_EQ(rows(), kStart);
}

TEST_P(BoundEntry, OnlyAnUntouchedTrailingBlankRecordGoesAtTheEnd) {
    struct Case {
        const char *name;
        bool typeIntoTrailingRow;
        QStringList after;
    };
    const QStringList withItem = kStart + QStringList{QStringLiteral("Dora|DRACF|<null>|7")};
    const Case cases[] = {
        {"untouched", false, withItem},
        {"typed into", true, withItem + QStringList{QStringLiteral("Ugo||<null>|0")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        insertStart();
        bindAndShow();
        control().SetAutoInsert(false);
        control().AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
        settle();
        EXPECT_EQ(rows(), withItem + QStringList{QStringLiteral("||<null>|0")});
        if (c.typeIntoTrailingRow) {
            typeAt(grid1()->Rows() - 1, 0, QStringLiteral("Ugo"));
            QTest::keyClick(editor(), Qt::Key_Up);
            settle();
            EXPECT_EQ(grid1()->TextMatrix(grid1()->Rows() - 1, 0), QStringLiteral("Ugo"));
        }
        close();
        EXPECT_EQ(rows(), c.after);
        EXPECT_TRUE(boxes.boxes.isEmpty());
    }
}

TEST_P(BoundEntry, AMissingTableIsReportedOnceAndTheControlStaysUsable) {
    form = std::make_unique<TestForm>();
    control().SetDatabaseName(db->databaseName());
    control().SetRecordSource(QStringLiteral("mancante"));
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
    EXPECT_EQ(boxes.boxes[0].style, vbCritical);
    ASSERT_TRUE(form->showActive());
    control().AddItem(QStringLiteral("a\tb"));
    EXPECT_EQ(control().TextMatrix(control().Rows() - 1, 0), QStringLiteral("a"));
    EXPECT_EQ(boxes.boxes.size(), 1);
    close();
    EXPECT_EQ(rows(), kStart);
}

// The engines' own ways of failing.

TEST_P(BoundEntry, AWriteTheFileOrServerRefusesIsReportedAndTheTypedTextKept) {
    struct Case {
        const char *name;
        Engine engine;
        bool beforeBinding;
        std::function<void(dbtest::TestDatabase &)> breakIt;
        std::function<void(dbtest::TestDatabase &)> mendIt;
    };
    const Case cases[] = {
        {"read-only file", Engine::Sqlite, true,
         [](dbtest::TestDatabase &d) {
             ASSERT_TRUE(
                 QFile::setPermissions(static_cast<dbtest::SqliteDatabase &>(d).file(),
                                       QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
         },
         [](dbtest::TestDatabase &d) {
             QFile::setPermissions(static_cast<dbtest::SqliteDatabase &>(d).file(),
                                   QFile::ReadOwner | QFile::WriteOwner);
         }},
        {"server gone", Engine::Postgres, false,
         [](dbtest::TestDatabase &) { dbtest::PostgresDatabase::cluster().stop(); },
         [](dbtest::TestDatabase &) { ASSERT_TRUE(dbtest::PostgresDatabase::cluster().start()); }},
    };
    for (const Case &c : cases) {
        if (c.engine != GetParam()) {
            continue;
        }
        SCOPED_TRACE(c.name);
        if (c.beforeBinding) {
            c.breakIt(*db);
        }
        bindAndShow();
        if (!c.beforeBinding) {
            c.breakIt(*db);
        }
        typeAt(1, 0, QStringLiteral("Nuovo"));
        leaveDown();
        QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
        EXPECT_EQ(boxes.boxes[0].style, vbCritical);
        EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Anna"));
        EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("Anna"));
        QTRY_EXPECT_EQ(control().Row(), 1);
        EXPECT_EQ(control().Col(), 0);
        EXPECT_EQ(editor()->Text(), QStringLiteral("Nuovo"));
        close();
        c.mendIt(*db);
        EXPECT_EQ(rows(), kStart);
    }
}

TEST_P(BoundEntry, AWriteOrItemTheLockedFileRefusesIsReportedAndNotSaved) {
    if (GetParam() != Engine::Sqlite) {
        GTEST_SKIP() << "a whole-file lock is SQLite's";
    }
    bindAndShow();
    control().AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
    settle();
    const QStringList before = kStart + QStringList{"Dora|DRACF|<null>|7", "||<null>|0"};
    ASSERT_EQ(rows(), before);
    const QString name = QStringLiteral("bound_entry_lock");
    {
        QSqlDatabase lock = db->connect(name);
        QSqlQuery q(lock);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        // A typed edit.
        typeAt(1, 0, QStringLiteral("Nuovo"));
        leaveDown();
        QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
        QTRY_EXPECT_EQ(control().Row(), 1);
        EXPECT_EQ(editor()->Text(), QStringLiteral("Nuovo"));
        EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Anna"));
        editor()->SetText(QStringLiteral("Anna"));
        QTest::keyClick(editor(), Qt::Key_Down);
        settle();
        // An item: no row is appended for a record that was not saved; the trailing row keeps
        // the item's text and still stands for its (blank) record.
        const qint32 gridRows = control().Rows();
        control().AddItem(QStringLiteral("Eva\tEVACF"));
        settle();
        EXPECT_EQ(control().Rows(), gridRows);
        EXPECT_EQ(control().TextMatrix(gridRows - 1, 0), QStringLiteral("Eva"));
        ASSERT_EQ(boxes.boxes.size(), 2);
        EXPECT_EQ(boxes.boxes[1].title, QStringLiteral("Vantrel Message"));
        EXPECT_EQ(boxes.boxes[1].style, vbCritical);
        ASSERT_TRUE(q.exec(QStringLiteral("COMMIT")));
    }
    QSqlDatabase::removeDatabase(name);
    EXPECT_EQ(rows(), before);
    // Once the lock is gone the refused item's record (still blank) takes the next item.
    const qint32 trailing = control().Rows() - 1;
    control().AddItem(QStringLiteral("Fede\tFDCF"));
    settle();
    EXPECT_EQ(control().TextMatrix(trailing, 0), QStringLiteral("Fede"));
    EXPECT_EQ(control().Rows(), trailing + 2);
    close();
    EXPECT_EQ(rows(), kStart + QStringList({"Dora|DRACF|<null>|7", "Fede|FDCF|<null>|0"}));
}
