#include "common/wait.h"
#include "demo_window.h"
#include "editing/editor_box.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs statements on an SQLite file through a connection of the test's own; returns each
// result row's values joined with '|', or the error.
QStringList sql(const QString &path, const QStringList &statements) {
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("t"));
        db.setDatabaseName(path);
        if (!db.open()) {
            return {db.lastError().text()};
        }
        QSqlQuery q(db);
        for (const QString &statement : statements) {
            if (!q.exec(statement)) {
                return {q.lastError().text()};
            }
            while (q.next()) {
                QStringList row;
                for (int i = 0; i < q.record().count(); ++i) {
                    row.append(q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
                }
                out.append(row.join(u'|'));
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("t"));
    return out;
}

} // namespace

TEST(DemoWindow, TheStatusHintComesBackAfterAMenusStatusTips) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DemoWindow window(dir.filePath(QStringLiteral("clienti.db")));
    window.resize(800, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto *hint = window.findChild<QLabel *>(QStringLiteral("hint"));
    ASSERT_NE(hint, nullptr);
    const QString text = window.hint();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Database: "))) << text.toStdString();
    EXPECT_TRUE(hint->isVisible());

    // Hovering the menu's items sends their status tips, empty ones included, through the menu
    // bar that opened the menu.
    QMenu *tools = window.menuBar()->actions().first()->menu();
    ASSERT_NE(tools, nullptr);
    QAction *item = tools->actions().first();
    const struct {
        QString tip;
        bool hintShown;
    } steps[] = {{QString(), true}, {QStringLiteral("Apre le pagine"), false}, {QString(), true}};
    for (const auto &step : steps) {
        item->setStatusTip(step.tip);
        item->showStatusText(window.menuBar());
        EXPECT_EQ(window.statusBar()->currentMessage(), step.tip);
        EXPECT_EQ(hint->isVisible(), step.hintShown) << step.tip.toStdString();
        EXPECT_EQ(window.hint(), text);
    }
}

TEST(DemoWindow, ProvincesArePickedAndTypedByNameAndStoredByCodeInAnEarlierDemosFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A file as an earlier demo made it, with no province column.
    const QString path = dir.filePath(QStringLiteral("clienti.db"));
    ASSERT_EQ(sql(path, {QStringLiteral("CREATE TABLE clienti (nome TEXT, codice_fiscale TEXT, "
                                        "partita_iva TEXT, nascita DATE, importo NUMERIC, "
                                        "citta TEXT)"),
                         QStringLiteral("INSERT INTO clienti VALUES ('Mario Rossi', "
                                        "'RSSMRA69E12H501N', '01234567897', '1969-05-12', "
                                        "1250.5, 'Roma')"),
                         QStringLiteral("INSERT INTO clienti (nome, citta) VALUES ('Ada Neri', "
                                        "'Napoli')")}),
              QStringList());
    const QString query = QStringLiteral("SELECT nome, codice_fiscale, citta, provincia FROM "
                                         "clienti ORDER BY rowid");
    QStringList listed;
    {
        DemoWindow window(path);
        window.resize(1000, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        Vantrel3::Vantrel *grid = window.grid();
        auto *shown = grid->findChild<Vantrel3::FlexGrid *>(QStringLiteral("MSFlexGrid1"));
        auto *editor = grid->findChild<Vantrel3::EditorBox *>(QStringLiteral("Text1"));
        auto *list = grid->findChild<QListWidget *>(QStringLiteral("List1"));
        ASSERT_TRUE(shown && editor && list);
        ASSERT_EQ(grid->Cols(), 7);
        EXPECT_EQ(grid->TextMatrix(0, 6), QStringLiteral("provincia"));
        EXPECT_EQ(grid->TextMatrix(1, 6), QString());

        // Row 1: F7 opens the list, which shows names; Enter picks Roma.
        grid->SetRow(1);
        grid->SetCol(6);
        shown->setFocus();
        // The list runs its own loop: the pick is queued before the key opens it.
        QTimer::singleShot(0, list, [list, &listed] {
            for (int i = 0; i < list->count(); ++i) {
                listed.append(list->item(i)->text());
            }
            const auto roma = list->findItems(QStringLiteral("Roma"), Qt::MatchExactly);
            if (!roma.isEmpty()) {
                list->setCurrentItem(roma.front());
            }
            QTest::keyClick(list, Qt::Key_Return);
        });
        // Keeps a failing pick from hanging the test.
        auto *form = grid->findChild<Vantrel3::frmList *>(QStringLiteral("frmList"));
        ASSERT_NE(form, nullptr);
        QTimer::singleShot(5000, form, [form] { form->unload(); });
        QTest::keyClick(shown, Qt::Key_F7);
        QTRY_EXPECT_EQ(editor->Text(), QStringLiteral("Roma"));
        QTest::keyClick(editor, Qt::Key_Down);
        // Row 2: the name typed in any case.
        QTest::keyClick(shown, Qt::Key_N);
        QTest::keyClicks(editor, QStringLiteral("APOLI"));
        QTest::keyClick(editor, Qt::Key_Up);
        QTest::qWait(50);
        EXPECT_EQ(grid->TextMatrix(1, 6), QStringLiteral("Roma"));
        EXPECT_EQ(grid->TextMatrix(2, 6), QStringLiteral("Napoli"));
    }
    EXPECT_EQ(listed.mid(0, 6),
              QStringList({"Bologna", "Firenze", "Milano", "Napoli", "Palermo", "Roma"}));
    EXPECT_EQ(sql(path, {query}),
              QStringList({"Mario Rossi|RSSMRA69E12H501N|Roma|RM", "Ada Neri|<null>|Napoli|NA"}));

    // Opened again, the codes show their names.
    DemoWindow window(path);
    window.resize(1000, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.grid()->TextMatrix(1, 6), QStringLiteral("Roma"));
    EXPECT_EQ(window.grid()->TextMatrix(2, 6), QStringLiteral("Napoli"));

    // A new file's sample customers have their provinces, by code.
    const QString fresh = dir.filePath(QStringLiteral("nuovo.db"));
    DemoWindow another(fresh);
    EXPECT_EQ(another.grid()->TextMatrix(1, 6), QStringLiteral("Roma"));
    EXPECT_EQ(sql(fresh, {QStringLiteral("SELECT provincia FROM clienti WHERE rowid = 1")}),
              QStringList({"RM"}));
}

TEST(DemoWindow, AmountsTakeDecimalsErrCellsSayWhyOnTheStatusBarAndEditsCanBeUndone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DemoWindow window(dir.filePath(QStringLiteral("clienti.db")));
    window.resize(900, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Vantrel3::Vantrel *grid = window.grid();
    auto *shown = grid->findChild<Vantrel3::FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    auto *editor = grid->findChild<QWidget *>(QStringLiteral("Text1"));
    ASSERT_TRUE(shown && editor);
    QAction *undo = window.menuBar()->actions().first()->menu()->actions().first();
    EXPECT_FALSE(undo->isEnabled());

    // The amount column (4): decimals typed, Enter moves on to the next column.
    grid->SetRow(1);
    grid->SetCol(4);
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_1);
    QTest::keyClicks(editor, QStringLiteral("234,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(grid->Col(), 5);
    EXPECT_EQ(grid->TextMatrix(1, 4), QStringLiteral("1.234,50"));
    EXPECT_TRUE(undo->isEnabled());

    // The date column (3): an impossible date is told on the status bar.
    grid->SetCol(3);
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_3);
    QTest::keyClicks(editor, QStringLiteral("1/02/1990"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("Err"));
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Data non valida"));

    undo->trigger();
    undo->trigger();
    QTest::qWait(50);
    grid->SetCol(0);
    EXPECT_EQ(grid->TextMatrix(1, 4), QStringLiteral("1.250,50"));
    EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("12/05/1969"));
}
