// What a bound control must never do, whatever the user, the host or another connection does:
// write into the wrong record, destroy a stored value, drop typing without a word, or leave
// junk records behind. Each case runs against a real SQLite file and the throwaway PostgreSQL
// server.

#include "common/bound_control.h"

#include <Vantrel3/PropertyBag.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

class BoundSafety : public BoundControlTest {
protected:
    // Statements for a trigger that runs `body` (SQLite) or `plpgsql` before each delete.
    QStringList deleteGuard(const QString &sqliteWhen, const QString &pgCondition) const {
        if (db->engine() == Engine::Sqlite) {
            return {QStringLiteral("CREATE TRIGGER protetto BEFORE DELETE ON clienti WHEN %1 BEGIN "
                                   "SELECT RAISE(ABORT, 'record protetto'); END")
                        .arg(sqliteWhen)};
        }
        return {QStringLiteral("CREATE FUNCTION protetto() RETURNS trigger AS $$ BEGIN IF %1 THEN "
                               "RAISE EXCEPTION 'record protetto'; END IF; RETURN old; END $$ "
                               "LANGUAGE plpgsql")
                    .arg(pgCondition),
                QStringLiteral("CREATE TRIGGER protetto BEFORE DELETE ON clienti FOR EACH ROW "
                               "EXECUTE FUNCTION protetto()")};
    }

    // Runs statements through a second connection, as another user would.
    void anotherUser(const QStringList &statements) {
        ASSERT_TRUE(db->exec(statements)) << db->error().toStdString();
    }

    // Moves to (row, col) and presses the function key, which opens the cell's popup.
    void pressF7At(qint32 row, qint32 col) {
        goTo(row, col);
        QTest::keyClick(grid1(), Qt::Key_F7);
    }

    QString lastBox() const {
        return boxes.boxes.isEmpty() ? QString() : boxes.boxes.last().prompt;
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, BoundSafety, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         dbtest::engineName);

TEST_P(BoundSafety, TypingIntoARowWithoutARecordAddsExactlyOneAndTouchesNoOther) {
    struct Case {
        const char *what;
        bool emptyTable;
        bool autoInsert;
    };
    for (const Case &c : {Case{"after the records, AutoInsert off", false, false},
                          Case{"after the records, AutoInsert on", false, true},
                          Case{"on an empty table", true, true}}) {
        SCOPED_TRACE(c.what);
        insertStart();
        if (c.emptyTable) {
            ASSERT_TRUE(db->exec({QStringLiteral("DELETE FROM clienti"),
                                  QStringLiteral("UPDATE writes SET n = 0")}));
        }
        bindAndShow();
        control().SetAutoInsert(c.autoInsert);
        const qint32 trailing = control().Rows() - 1;
        typeAt(trailing, 0, QStringLiteral("Zeta"));
        QTest::keyClick(editor(), Qt::Key_Tab);
        QTest::keyClick(grid1(), Qt::Key_Right);
        typeAt(trailing, 1, QStringLiteral("ZTACF"));
        // Still on its row: nothing reaches the database yet.
        QTest::keyClick(editor(), Qt::Key_Tab);
        EXPECT_EQ(writes(), 0);
        // Leaving the row writes its one record (on an empty table, to the row AutoInsert added).
        goTo(trailing == 1 ? 2 : 1, 0);
        settle();
        const QStringList before = c.emptyTable ? QStringList() : kStart;
        EXPECT_EQ(rows(), before + QStringList{QStringLiteral("Zeta|ZTACF|<null>|<null>")});
        EXPECT_EQ(writes(), 1);
        EXPECT_TRUE(boxes.boxes.isEmpty()) << lastBox().toStdString();
        // No blank record stays behind when the session ends.
        close();
        EXPECT_EQ(rows(), before + QStringList{QStringLiteral("Zeta|ZTACF|<null>|<null>")});
    }
}

TEST_P(BoundSafety, ARecordThatCannotBeDeletedKeepsItsRowAndRowsStayInStep) {
    ASSERT_TRUE(db->exec(
        deleteGuard(QStringLiteral("old.nome = 'Bruno'"), QStringLiteral("old.nome = 'Bruno'"))))
        << db->error().toStdString();
    bindAndShow();
    control().RemoveItem(2);
    settle();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
    EXPECT_TRUE(boxes.boxes[0].prompt.contains(QStringLiteral("protetto")))
        << boxes.boxes[0].prompt.toStdString();
    EXPECT_EQ(grid1()->TextMatrix(2, 0), QStringLiteral("Bruno"));
    EXPECT_EQ(rows(), kStart);
    // The rows still stand for their records: an edit of Bruno's row reaches Bruno.
    typeAt(2, 0, QStringLiteral("Bruna"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruna|BRNCF|<null>|20"}));
    // A record that may go, goes with its row.
    control().RemoveItem(1);
    settle();
    EXPECT_EQ(rows(), QStringList({"Bruna|BRNCF|<null>|20"}));
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Bruna"));
}

TEST_P(BoundSafety, AnItemTheRecordRefusesIsShownReportedOnceAndNotSaved) {
    struct Case {
        const char *what;
        qint32 recordsetType;
        QString item;
        QStringList shown; // the trailing row's first four cells
        QString named;     // what the one message must name
    };
    const Case cases[] = {
        {"a text too long for its field",
         1,
         QStringLiteral("Dora\tCODICEFISCALETROPPOLUNGO\t\t7"),
         {"Dora", "CODICEFISCALETROPPOLUNGO", "", "7"},
         QStringLiteral("codice_fiscale")},
        {"a value the table's rule refuses",
         1,
         QStringLiteral("Dora\tDRACF\t\t-5"),
         {"Dora", "DRACF", "", "-5"},
         QStringLiteral("importo")},
        {"a snapshot",
         2,
         QStringLiteral("Dora\tDRACF\t\t7"),
         {"Dora", "DRACF", "", "7"},
         QStringLiteral("sola lettura")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        boxes.boxes.clear();
        bindAndShow(false, c.recordsetType);
        const qint32 gridRows = control().Rows();
        control().AddItem(c.item);
        settle();
        // The grid shows every field's text; no row is appended for a record not saved.
        EXPECT_EQ(control().Rows(), gridRows);
        EXPECT_EQ(shown(grid1()).back(), c.shown.join(u'|'));
        ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
        EXPECT_TRUE(boxes.boxes[0].prompt.contains(c.named)) << lastBox().toStdString();
        EXPECT_EQ(rows(), kStart);
        close();
        EXPECT_EQ(rows(), kStart);
    }
}

TEST_P(BoundSafety, AFailedRefreshKeepsTheControlUsableAndAGoodOneResumesBoundEntry) {
    bindAndShow();
    control().AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
    settle();
    ASSERT_EQ(rows(), kStart + QStringList({"Dora|DRACF|<null>|7", "||<null>|0"}));

    control().SetRecordSource(QStringLiteral("mancante"));
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].prompt.contains(QStringLiteral("non è disponibile")))
        << lastBox().toStdString();
    // The blank record of the trailing row went with the old recordset.
    EXPECT_EQ(rows(), kStart + QStringList({"Dora|DRACF|<null>|7"}));
    // Edits stay in the grid, and moving about says nothing more.
    typeAt(1, 0, QStringLiteral("Anita"));
    leaveDown();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(grid1(), Qt::Key_Right);
    }
    settle();
    EXPECT_EQ(boxes.boxes.size(), 1) << lastBox().toStdString();
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Anita"));

    // A source that opens re-reads the table, and bound entry goes on with it.
    control().SetRecordSource(QStringLiteral("clienti"));
    EXPECT_EQ(boxes.boxes.size(), 1) << lastBox().toStdString();
    EXPECT_EQ(shown(grid1()).mid(1),
              QStringList({"Anna|ANNCF|17/05/1980|10", "Bruno|BRNCF||20", "Dora|DRACF||7", "|||"}));
    typeAt(1, 0, QStringLiteral("Anita"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20",
                                   "Dora|DRACF|<null>|7"}));
}

TEST_P(BoundSafety, ShowingTheControlAgainAddsNoRowAndNoRecord) {
    bindAndShow();
    const qint32 gridRows = control().Rows();
    for (int i = 0; i < 3; ++i) {
        form->hide();
        ASSERT_TRUE(form->showActive());
        // As a tab page or a stacked widget does with the control alone.
        control().hide();
        control().show();
    }
    EXPECT_EQ(control().Rows(), gridRows);
    EXPECT_EQ(writes(), 0);
    close();
    EXPECT_EQ(rows(), kStart);
}

TEST_P(BoundSafety, ACellIsValidatedByItsOwnTypeWhatEverItsFieldHolds) {
    // A VAT-number column over a text field.
    form = std::make_unique<TestForm>();
    control().ColEditMode(1, 0, NoButton, PartitaIva);
    control().SetDatabaseName(db->databaseName());
    control().SetRecordSource(QStringLiteral("clienti"));
    ASSERT_TRUE(form->showActive());
    typeAt(1, 1, QStringLiteral("12345678901"));
    leaveDown();
    EXPECT_EQ(grid1()->TextMatrix(1, 1), QStringLiteral("Err"));
    EXPECT_EQ(rows(), kStart);
    typeAt(1, 1, QStringLiteral("12345678903"));
    leaveDown();
    EXPECT_EQ(grid1()->TextMatrix(1, 1), QStringLiteral("12345678903"));
    EXPECT_EQ(rows().front(), QStringLiteral("Anna|12345678903|1980-05-17|10"));
    EXPECT_TRUE(boxes.boxes.isEmpty()) << lastBox().toStdString();
}

TEST_P(BoundSafety, ClosingTheFormCommitsTheTypingOrSaysWhyNot) {
    struct Case {
        const char *what;
        qint32 row;
        qint32 col;
        QString typed;
        QStringList after;
        int boxes;
    };
    const Case cases[] = {
        {"an edit",
         1,
         0,
         QStringLiteral("Ultima"),
         {"Ultima|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20"},
         0},
        {"a new row", 3, 0, QStringLiteral("Nuovo"),
         kStart + QStringList{"Nuovo|<null>|<null>|<null>"}, 0},
        {"a value the table refuses", 2, 3, QStringLiteral("-5"), kStart, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        insertStart();
        boxes.boxes.clear();
        bindAndShow();
        typeAt(c.row, c.col, c.typed);
        // The user closes the window while the editor still holds the typing.
        close();
        EXPECT_EQ(rows(), c.after);
        EXPECT_EQ(boxes.boxes.size(), c.boxes);
        if (c.boxes > 0) {
            EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
        }
    }
}

TEST_P(BoundSafety, EveryCalendarPickLandsInTheRecordItWasOpenedFor) {
    form = std::make_unique<TestForm>();
    control().ColEditMode(2, 0, ButtonStyleDrop, Date);
    control().SetDatabaseName(db->databaseName());
    control().SetRecordSource(QStringLiteral("clienti"));
    ASSERT_TRUE(form->showActive());
    QWidget *calendarView = parts::calendar(control())->obCal()->findChild<QAbstractItemView *>();

    // Refused typing on Bruno's date, then up to Anna's: a pick there is Anna's.
    goTo(2, 2);
    QTest::keyClick(grid1(), Qt::Key_X);
    QTest::keyClick(editor(), Qt::Key_Up);
    settle();
    ASSERT_EQ(control().Row(), 1);
    pressF7At(1, 2);
    ASSERT_TRUE(parts::calendar(control())->isVisible());
    QTest::keyClick(calendarView, Qt::Key_PageDown); // a month after the cell's date
    QTest::keyClick(calendarView, Qt::Key_Return);
    QTest::keyClick(editor(), Qt::Key_Down);
    settle();
    // Another pick on Bruno's row, then back up.
    pressF7At(2, 2);
    ASSERT_TRUE(parts::calendar(control())->isVisible());
    QTest::keyClick(calendarView, Qt::Key_Return);
    QTest::keyClick(editor(), Qt::Key_Up);
    settle();
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-06-17|10",
                                   QStringLiteral("Bruno|BRNCF|%1|20").arg(today)}));
    EXPECT_TRUE(boxes.boxes.isEmpty()) << lastBox().toStdString();
}

TEST_P(BoundSafety, AnotherUsersChangeIsNeverOverwrittenUnseen) {
    struct Case {
        const char *what;
        QStringList otherUser;
        QString gridAfter; // row 1, column 0, once told
        QStringList after;
    };
    const Case cases[] = {
        {"changed the same field",
         {QStringLiteral("UPDATE clienti SET nome = 'Annalisa' WHERE id = %1")},
         QStringLiteral("Annalisa"),
         {"Annalisa|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20"}},
        {"deleted it and gave its key to another",
         {QStringLiteral("DELETE FROM clienti WHERE id = %1"),
          QStringLiteral("INSERT INTO clienti (id, nome, codice_fiscale, importo) VALUES (%1, "
                         "'Zed', 'ZEDCF', 1)")},
         QStringLiteral("Zed"),
         {"Zed|ZEDCF|<null>|1", "Bruno|BRNCF|<null>|20"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        insertStart();
        boxes.boxes.clear();
        bindAndShow();
        // Anna's key, whatever the engine numbered her.
        const QString anna =
            db->rows(QStringLiteral("SELECT id FROM clienti WHERE nome = 'Anna'")).value(0);
        QStringList statements;
        for (const QString &s : c.otherUser) {
            statements << s.arg(anna);
        }
        anotherUser(statements);
        ASSERT_EQ(rows(), c.after);
        typeAt(1, 0, QStringLiteral("Anita"));
        leaveDown();
        ASSERT_EQ(rows(), c.after);
        QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_TRUE(lastBox().contains(QStringLiteral("altro utente"))) << lastBox().toStdString();
        EXPECT_EQ(rows(), c.after);
        // The row shows what the database holds now; the user is back on the cell with their
        // text, and leaving it again saves it knowingly.
        EXPECT_EQ(grid2()->TextMatrix(1, 0), c.gridAfter);
        QTRY_EXPECT_EQ(control().Row(), 1);
        EXPECT_EQ(editor()->Text(), QStringLiteral("Anita"));
        leaveDown();
        EXPECT_EQ(rows().front().section(u'|', 0, 0), QStringLiteral("Anita"));
        EXPECT_EQ(boxes.boxes.size(), 1);
        close();
    }
}

TEST_P(BoundSafety, ARecordAnotherUserDeletedLeavesItsRowAndNobodyStuck) {
    bindAndShow();
    anotherUser({QStringLiteral("DELETE FROM clienti WHERE nome = 'Bruno'")});
    typeAt(2, 0, QStringLiteral("Bruna"));
    leaveDown();
    QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(lastBox().contains(QStringLiteral("altro utente"))) << lastBox().toStdString();
    // Bruno's row is gone; the rows left still stand for their records.
    QTRY_EXPECT_EQ(control().Rows(), 3);
    EXPECT_EQ(shown(grid1()).mid(1), QStringList({"Anna|ANNCF|17/05/1980|10", "|||"}));
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10"}));
    typeAt(1, 0, QStringLiteral("Anita"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10"}));
    EXPECT_EQ(boxes.boxes.size(), 1);
}

TEST_P(BoundSafety, ATableWithoutPrimaryKeyChangesOneRowOrIsOnlyRead) {
    ASSERT_TRUE(db->exec({QStringLiteral("CREATE TABLE gemelli (nome TEXT, n INTEGER)"),
                          QStringLiteral("INSERT INTO gemelli VALUES ('Gemello', 1)"),
                          QStringLiteral("INSERT INTO gemelli VALUES ('Gemello', 1)")}));
    form = std::make_unique<TestForm>();
    control().SetDatabaseName(db->databaseName());
    control().SetRecordSource(QStringLiteral("gemelli"));
    ASSERT_TRUE(form->showActive());
    typeAt(2, 0, QStringLiteral("Secondo"));
    leaveDown();
    const QStringList twins = db->rows(QStringLiteral("SELECT nome FROM gemelli ORDER BY nome"));
    if (db->engine() == Engine::Sqlite) {
        // The rowid tells the twins apart: exactly one changes.
        EXPECT_EQ(twins, QStringList({"Gemello", "Secondo"}));
        EXPECT_TRUE(boxes.boxes.isEmpty()) << lastBox().toStdString();
    } else {
        // Nothing lasting tells them apart: the data are only read, and the user is told why.
        EXPECT_EQ(twins, QStringList({"Gemello", "Gemello"}));
        QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_TRUE(lastBox().contains(QStringLiteral("chiave primaria")))
            << lastBox().toStdString();
    }
}

TEST_P(BoundSafety, ANewRowInATableWithARequiredFieldIsWrittenWhole) {
    ASSERT_TRUE(db->exec({QStringLiteral("CREATE TABLE ordini (cliente TEXT, codice TEXT NOT NULL, "
                                         "id %1)")
                              .arg(db->serialKey())}));
    form = std::make_unique<TestForm>();
    control().SetDatabaseName(db->databaseName());
    control().SetRecordSource(QStringLiteral("ordini"));
    ASSERT_TRUE(form->showActive());
    const auto orders = [this] {
        return db->rows(QStringLiteral("SELECT cliente, codice FROM ordini ORDER BY id"));
    };
    // Typing the first field, key by key, says nothing and writes nothing.
    typeAt(1, 0, QStringLiteral("Ada"));
    QTest::keyClick(editor(), Qt::Key_Tab);
    QTest::keyClick(grid1(), Qt::Key_Right);
    settle();
    EXPECT_TRUE(boxes.boxes.isEmpty()) << lastBox().toStdString();
    EXPECT_TRUE(orders().isEmpty());
    // Leaving the row without the required field: told once, naming it, and back on the row
    // with what was typed.
    goTo(2, 0);
    settle();
    QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(lastBox().contains(QStringLiteral("codice"))) << lastBox().toStdString();
    QTRY_EXPECT_EQ(control().Row(), 1);
    EXPECT_EQ(control().Col(), 1);
    EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("Ada"));
    EXPECT_TRUE(orders().isEmpty());
    // With it, the row becomes one whole record.
    typeAt(1, 1, QStringLiteral("X1"));
    leaveDown();
    EXPECT_EQ(orders(), QStringList({"Ada|X1"}));
    EXPECT_EQ(boxes.boxes.size(), 1);
}

TEST_P(BoundSafety, ADatabaseFileThatWentAwayIsReportedAsNotFound) {
    if (GetParam() != Engine::Sqlite) {
        GTEST_SKIP() << "a file of its own is SQLite's";
    }
    bindAndShow();
    ASSERT_TRUE(QFile::remove(static_cast<dbtest::SqliteDatabase &>(*db).file()));
    typeAt(1, 0, QStringLiteral("Anita"));
    leaveDown();
    QTRY_ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_FALSE(lastBox().contains(QStringLiteral("sola lettura"))) << lastBox().toStdString();
    EXPECT_TRUE(lastBox().contains(QStringLiteral("spostato, sostituito o cancellato")))
        << lastBox().toStdString();
}

TEST_P(BoundSafety, TheBlankRecordGoesAtTheEndOnlyIfTheDatabaseStillHoldsItBlank) {
    struct Case {
        const char *what;
        bool filledByAnotherUser;
    };
    for (const Case c : {Case{"still blank", false}, Case{"filled by another user", true}}) {
        SCOPED_TRACE(c.what);
        insertStart();
        bindAndShow();
        control().AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
        settle();
        ASSERT_EQ(rows(), kStart + QStringList({"Dora|DRACF|<null>|7", "||<null>|0"}));
        if (c.filledByAnotherUser) {
            // The control's memory still holds the record blank; the database does not.
            anotherUser({QStringLiteral("UPDATE clienti SET nome = 'Riempito' WHERE nome = ''")});
        }
        close();
        EXPECT_EQ(rows(),
                  kStart + QStringList{QStringLiteral("Dora|DRACF|<null>|7")} +
                      (c.filledByAnotherUser ? QStringList{QStringLiteral("Riempito||<null>|0")}
                                             : QStringList()));
    }
}

TEST_P(BoundSafety, ARecordOtherRecordsReferToKeepsItsRowAndSaysWhy) {
    ASSERT_TRUE(db->exec({QStringLiteral("CREATE TABLE ordini (id INTEGER PRIMARY KEY, cliente "
                                         "INTEGER REFERENCES clienti (id))"),
                          QStringLiteral("INSERT INTO ordini (id, cliente) SELECT 1, id FROM "
                                         "clienti WHERE nome = 'Bruno'")}))
        << db->error().toStdString();
    bindAndShow();
    control().RemoveItem(2);
    settle();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(grid1()->TextMatrix(2, 0), QStringLiteral("Bruno"));
    EXPECT_EQ(rows(), kStart);
    // Rows and records are still in step.
    typeAt(2, 0, QStringLiteral("Bruna"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruna|BRNCF|<null>|20"}));
}

TEST_P(BoundSafety, AFailedDatabaseChangeIsToldOnceAndAGoodOneResumesBoundEntry) {
    bindAndShow();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_NO_THROW(control().SetDatabaseName(folder.filePath(QStringLiteral("manca/clienti.db"))));
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(lastBox().contains(QStringLiteral("non è disponibile"))) << lastBox().toStdString();
    // The grid keeps what it shows and takes edits; moving about says nothing more.
    typeAt(1, 0, QStringLiteral("Anita"));
    leaveDown();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(grid1(), Qt::Key_Right);
    }
    settle();
    EXPECT_EQ(boxes.boxes.size(), 1) << lastBox().toStdString();
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Anita"));
    EXPECT_EQ(rows(), kStart);

    control().SetDatabaseName(db->databaseName());
    EXPECT_EQ(boxes.boxes.size(), 1) << lastBox().toStdString();
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Anna"));
    typeAt(1, 0, QStringLiteral("Anita"));
    leaveDown();
    EXPECT_EQ(rows().front(), QStringLiteral("Anita|ANNCF|1980-05-17|10"));
}

TEST_P(BoundSafety, AGoodRefreshDuringBoundEntryLeavesNoBlankRecordBehind) {
    bindAndShow();
    control().AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
    settle();
    ASSERT_EQ(rows(), kStart + QStringList({"Dora|DRACF|<null>|7", "||<null>|0"}));

    // The blank record of the trailing row goes before each refresh, and the new trailing row
    // gets one only when it is written.
    for (int i = 0; i < 2; ++i) {
        control().SetRecordSource(QStringLiteral("clienti"));
        settle();
    }
    EXPECT_TRUE(boxes.boxes.isEmpty()) << lastBox().toStdString();
    EXPECT_EQ(rows(), kStart + QStringList({"Dora|DRACF|<null>|7"}));
    EXPECT_EQ(shown(grid1()).mid(1),
              QStringList({"Anna|ANNCF|17/05/1980|10", "Bruno|BRNCF||20", "Dora|DRACF||7", "|||"}));
    typeAt(4, 0, QStringLiteral("Ezio"));
    leaveDown();
    const QStringList withEzio =
        kStart + QStringList({"Dora|DRACF|<null>|7", "Ezio|<null>|<null>|<null>"});
    EXPECT_EQ(rows(), withEzio);
    close();
    EXPECT_EQ(rows(), withEzio);
}
