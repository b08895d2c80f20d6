// A bound control driven through its widgets against real SQLite files; every stage is checked
// in the file through a connection of the test's own.

#include "common/message_box_recorder.h"
#include "common/query_rows.h"
#include "editing/editor_box.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

using namespace Vantrel3;

// Readable failure output for the row and cell texts compared below.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class BoundEntry : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("clienti.db"));
        exec({QStringLiteral("CREATE TABLE clienti (nome TEXT, codice_fiscale TEXT, nascita DATE, "
                             "importo NUMERIC)"),
              QStringLiteral("INSERT INTO clienti VALUES ('Anna', 'ANNCF', '1980-05-17', 10)"),
              QStringLiteral("INSERT INTO clienti VALUES ('Bruno', 'BRNCF', NULL, 20)")});
    }
    void TearDown() override {
        control.reset();
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        vb::setLocale(QLocale::system());
    }

    // Statements through a connection of the test's own.
    void exec(const QStringList &statements) {
        const QString name = QStringLiteral("bound_entry_setup");
        {
            QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            c.setDatabaseName(file);
            ASSERT_TRUE(c.open());
            for (const QString &s : statements) {
                QSqlQuery q(c);
                ASSERT_TRUE(q.exec(s)) << s.toStdString() << q.lastError().text().toStdString();
            }
        }
        QSqlDatabase::removeDatabase(name);
    }

    // The table's records in file order, one "nome|codice_fiscale|nascita|importo" per record.
    QStringList rows() {
        return querytest::sqliteRows(
            file, QStringLiteral(
                      "SELECT nome, codice_fiscale, nascita, importo FROM clienti ORDER BY rowid"));
    }

    // Binds a new control, in either order of the two properties, and shows it.
    void bindAndShow(bool sourceFirst = false, qint32 recordsetType = 1) {
        control = std::make_unique<Vantrel>();
        control->SetRecordsetType(recordsetType);
        if (sourceFirst) {
            control->SetRecordSource(QStringLiteral("clienti"));
            control->SetDatabaseName(file);
        } else {
            control->SetDatabaseName(file);
            control->SetRecordSource(QStringLiteral("clienti"));
        }
        control->resize(700, 300);
        control->show();
        control->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(control.get()));
    }

    FlexGrid *grid1() { return control->findChild<FlexGrid *>(QStringLiteral("MSFlexGrid1")); }
    FlexGrid *grid2() { return control->findChild<FlexGrid *>(QStringLiteral("MSFlexGrid2")); }
    EditorBox *editor() { return control->findChild<EditorBox *>(QStringLiteral("Text1")); }

    // The grid's text of one row, joined like rows().
    QStringList shown(FlexGrid *grid) {
        QStringList out;
        for (qint32 r = 0; r < grid->Rows(); ++r) {
            QStringList row;
            for (qint32 c = 0; c < grid->Cols(); ++c) {
                row.append(grid->TextMatrix(r, c));
            }
            out.append(row.join(u'|'));
        }
        return out;
    }

    void goTo(qint32 row, qint32 col) {
        control->SetRow(row);
        control->SetCol(col);
        grid1()->setFocus();
    }

    // Types the way a user does: the first key on the grid opens the editor, the rest go there.
    void typeAt(qint32 row, qint32 col, const QString &text) {
        goTo(row, col);
        QTest::keyClick(grid1(), text.front().toLatin1());
        QTest::keyClicks(editor(), text.mid(1));
    }

    // Leaves the edited cell downwards, then lets queued work (reports, placement) run.
    void leaveDown() {
        QTest::keyClick(editor(), Qt::Key_Down);
        settle();
    }

    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    // A count that changes whenever another connection commits to the file.
    qint64 dataVersion(QSqlDatabase &c) {
        QSqlQuery q(c);
        EXPECT_TRUE(q.exec(QStringLiteral("PRAGMA data_version")));
        EXPECT_TRUE(q.next());
        return q.value(0).toLongLong();
    }

    QTemporaryDir dir;
    QString file;
    std::unique_ptr<Vantrel> control;
    MessageBoxRecorder boxes;
};

const QStringList kStart = {QStringLiteral("Anna|ANNCF|1980-05-17|10"),
                            QStringLiteral("Bruno|BRNCF|<null>|20")};

} // namespace

TEST_F(BoundEntry, ShowingFillsBothGridsAndAddsOnePlainRow) {
    for (const bool sourceFirst : {false, true}) {
        SCOPED_TRACE(sourceFirst ? "RecordSource first" : "DatabaseName first");
        bindAndShow(sourceFirst);
        EXPECT_TRUE(boxes.boxes.isEmpty());
        for (FlexGrid *grid : {grid1(), grid2()}) {
            ASSERT_EQ(grid->Cols(), 4);
            EXPECT_EQ(shown(grid),
                      QStringList({"nome|codice_fiscale|nascita|importo",
                                   "Anna|ANNCF|17/05/1980|10", "Bruno|BRNCF||20", "|||"}));
        }
        // In bound entry the trailing row stays whatever the host removes.
        control->RemoveItem(control->Rows() - 1);
        EXPECT_EQ(control->Rows(), 4);
        EXPECT_EQ(rows(), kStart);
        control.reset();
        EXPECT_EQ(rows(), kStart);
    }
}

TEST_F(BoundEntry, FullSessionReachesTheFileStageByStage) {
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
    settle();
    typeAt(3, 3, QStringLiteral("42"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20",
                                   "Carlo|<null>|<null>|42", "||<null>|0"}));

    // An item with tab-separated fields fills the trailing row and its record.
    control->AddItem(QStringLiteral("Dora\tDRACF\t02/03/1990\t7"));
    settle();
    EXPECT_EQ(rows(),
              QStringList({"Anita|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|20",
                           "Carlo|<null>|<null>|42", "Dora|DRACF|1990-03-02|7", "||<null>|0"}));
    EXPECT_EQ(grid1()->Rows(), 6);
    EXPECT_EQ(shown(grid1()).mid(4), QStringList({"Dora|DRACF|02/03/1990|7", "|||"}));

    // Removing a row removes its record; the trailing row stays.
    control->RemoveItem(2);
    control->RemoveItem(grid1()->Rows() - 1);
    settle();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Carlo|<null>|<null>|42",
                                   "Dora|DRACF|1990-03-02|7", "||<null>|0"}));
    EXPECT_EQ(shown(grid1()).mid(1), QStringList({"Anita|ANNCF|17/05/1980|10", "Carlo|||42",
                                                  "Dora|DRACF|02/03/1990|7", "|||"}));

    // The end removes the trailing blank record only.
    control.reset();
    EXPECT_EQ(rows(), QStringList({"Anita|ANNCF|1980-05-17|10", "Carlo|<null>|<null>|42",
                                   "Dora|DRACF|1990-03-02|7"}));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(BoundEntry, EditsThatMustNotReachTheFile) {
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
        const QString name = QStringLiteral("bound_entry_version");
        {
            QSqlDatabase watch = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            watch.setDatabaseName(file);
            ASSERT_TRUE(watch.open());
            const qint64 before = dataVersion(watch);
            if (c.typed.isEmpty()) {
                goTo(1, 0);
                QTest::keyClick(grid1(), Qt::Key_Down);
            } else {
                typeAt(1, 0, c.typed);
                leaveDown();
            }
            EXPECT_EQ(grid1()->TextMatrix(1, 0), c.typed.isEmpty() ? "Anna" : c.typed);
            EXPECT_EQ(dataVersion(watch), before);
        }
        QSqlDatabase::removeDatabase(name);
        EXPECT_EQ(rows(), kStart);
        EXPECT_TRUE(boxes.boxes.isEmpty());
        control.reset();
    }
}

TEST_F(BoundEntry, EmptyTextReachesATextFieldAsEmptyTextNotNull) {
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
        exec({QStringLiteral("DELETE FROM clienti"),
              QStringLiteral("INSERT INTO clienti VALUES ('Anna', 'ANNCF', '1980-05-17', 10)"),
              QStringLiteral("INSERT INTO clienti VALUES ('Bruno', 'BRNCF', NULL, 20)")});
        bindAndShow();
        if (c.byItem) {
            control->AddItem(QStringLiteral("Eva\t\t\t5"));
        } else {
            typeAt(1, 1, QStringLiteral("x"));
            QTest::keyClick(editor(), Qt::Key_Backspace);
            leaveDown();
            EXPECT_EQ(grid1()->TextMatrix(1, 1), QString());
        }
        settle();
        EXPECT_EQ(rows(), c.after);
        control.reset();
    }
}

TEST_F(BoundEntry, LettersOverANumericFieldStoreZeroAndShowErr) {
    bindAndShow();
    typeAt(2, 3, QStringLiteral("abc"));
    leaveDown();
    EXPECT_EQ(rows(), QStringList({"Anna|ANNCF|1980-05-17|10", "Bruno|BRNCF|<null>|0"}));
    EXPECT_EQ(grid1()->TextMatrix(2, 3), QStringLiteral("Err"));
    EXPECT_EQ(grid2()->TextMatrix(2, 3), QStringLiteral("Err"));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(BoundEntry, AFailedWriteIsReportedAndTheTypedTextKept) {
    struct Case {
        const char *name;
        bool readOnlyFile;
    };
    for (const Case c : {Case{"read-only file", true}, Case{"locked database", false}}) {
        SCOPED_TRACE(c.name);
        boxes.boxes.clear();
        if (c.readOnlyFile) {
            ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup |
                                                        QFile::ReadOther));
        }
        bindAndShow();
        const QString name = QStringLiteral("bound_entry_lock");
        {
            QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            lock.setDatabaseName(file);
            ASSERT_TRUE(lock.open());
            QSqlQuery q(lock);
            if (!c.readOnlyFile) {
                ASSERT_TRUE(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            }
            typeAt(1, 0, QStringLiteral("Nuovo"));
            leaveDown();
            QTest::qWait(50);
            ASSERT_EQ(boxes.boxes.size(), 1);
            EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
            EXPECT_EQ(boxes.boxes[0].style, vbCritical);
            EXPECT_FALSE(boxes.boxes[0].prompt.isEmpty());
            // Nothing shown as saved; the user is back on the cell with their text.
            EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("Anna"));
            EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("Anna"));
            EXPECT_EQ(control->Row(), 1);
            EXPECT_EQ(control->Col(), 0);
            EXPECT_EQ(editor()->Text(), QStringLiteral("Nuovo"));
            if (!c.readOnlyFile) {
                ASSERT_TRUE(q.exec(QStringLiteral("COMMIT")));
            }
        }
        QSqlDatabase::removeDatabase(name);
        EXPECT_EQ(rows(), kStart);
        control.reset();
        EXPECT_EQ(rows(), kStart);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }
}

TEST_F(BoundEntry, OnlyAnUntouchedTrailingBlankRecordGoesAtTheEnd) {
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
        exec({QStringLiteral("DELETE FROM clienti WHERE rowid > 2")});
        bindAndShow();
        control->SetAutoInsert(false);
        control->AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
        settle();
        EXPECT_EQ(rows(), withItem + QStringList{QStringLiteral("||<null>|0")});
        if (c.typeIntoTrailingRow) {
            typeAt(grid1()->Rows() - 1, 0, QStringLiteral("Ugo"));
            QTest::keyClick(editor(), Qt::Key_Up);
            settle();
            EXPECT_EQ(grid1()->TextMatrix(grid1()->Rows() - 1, 0), QStringLiteral("Ugo"));
        }
        control.reset();
        EXPECT_EQ(rows(), c.after);
        EXPECT_TRUE(boxes.boxes.isEmpty());
    }
}

TEST_F(BoundEntry, AMissingTableIsReportedOnceAndTheControlStaysUsable) {
    control = std::make_unique<Vantrel>();
    control->SetDatabaseName(file);
    control->SetRecordSource(QStringLiteral("mancante"));
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
    EXPECT_EQ(boxes.boxes[0].style, vbCritical);
    control->resize(500, 200);
    control->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(control.get()));
    control->AddItem(QStringLiteral("a\tb"));
    EXPECT_EQ(control->TextMatrix(control->Rows() - 1, 0), QStringLiteral("a"));
    EXPECT_EQ(boxes.boxes.size(), 1);
    control.reset();
    EXPECT_EQ(rows(), kStart);
}

TEST_F(BoundEntry, AnItemTheLockedFileRefusesIsReportedAndNotSaved) {
    bindAndShow();
    control->AddItem(QStringLiteral("Dora\tDRACF\t\t7"));
    settle();
    const QStringList before = kStart + QStringList{"Dora|DRACF|<null>|7", "||<null>|0"};
    ASSERT_EQ(rows(), before);
    const QString name = QStringLiteral("bound_entry_lock");
    {
        QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        lock.setDatabaseName(file);
        ASSERT_TRUE(lock.open());
        QSqlQuery q(lock);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        const qint32 gridRows = control->Rows();
        control->AddItem(QStringLiteral("Eva\tEVACF"));
        settle();
        // No row is appended for a record that was not saved: the trailing row keeps the
        // item's text and still stands for its (blank) record.
        EXPECT_EQ(control->Rows(), gridRows);
        EXPECT_EQ(control->TextMatrix(gridRows - 1, 0), QStringLiteral("Eva"));
        ASSERT_FALSE(boxes.boxes.isEmpty());
        EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Vantrel Message"));
        EXPECT_EQ(boxes.boxes[0].style, vbCritical);
        ASSERT_TRUE(q.exec(QStringLiteral("COMMIT")));
    }
    QSqlDatabase::removeDatabase(name);
    EXPECT_EQ(rows(), before);
    // Once the lock is gone the refused item's record (still blank) takes the next item.
    const qint32 trailing = control->Rows() - 1;
    control->AddItem(QStringLiteral("Fede\tFDCF"));
    settle();
    EXPECT_EQ(control->TextMatrix(trailing, 0), QStringLiteral("Fede"));
    EXPECT_EQ(control->Rows(), trailing + 2);
    control.reset();
    EXPECT_EQ(rows(), kStart + QStringList({"Dora|DRACF|<null>|7", "Fede|FDCF|<null>|0"}));
}
