#pragma once

// A bound control in a host form, against each database engine: the fixture of the bound-entry
// scenarios. Every stage is checked in the database through a connection of the test's own.

#include "common/control_parts.h"
#include "common/message_box_recorder.h"
#include "common/test_database.h"
#include "common/test_form.h"
#include "common/wait.h"
#include "host/vb_test_locale.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

using namespace Vantrel3;
using dbtest::Engine;

// Readable failure output for the row and cell texts compared below.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

class BoundControlTest : public ::testing::TestWithParam<Engine> {
protected:
    static void TearDownTestSuite() { dbtest::PostgresDatabase::shutdown(); }

    void SetUp() override {
        QString why;
        db = dbtest::open(GetParam(), &why);
        ASSERT_TRUE(db) << why.toStdString();
        // The key is last, so grid columns 0-3 are the data fields. Every write to the table
        // counts in `writes`, so a test can tell that nothing was written.
        ASSERT_TRUE(
            db->exec({QStringLiteral("CREATE TABLE clienti (nome TEXT, codice_fiscale "
                                     "VARCHAR(16), nascita DATE, importo NUMERIC(10,2) CHECK "
                                     "(importo >= 0), id %1)")
                          .arg(db->serialKey()),
                      QStringLiteral("CREATE TABLE writes (n INTEGER)"),
                      QStringLiteral("INSERT INTO writes VALUES (0)")}))
            << db->error().toStdString();
        ASSERT_TRUE(db->exec(writeCounter())) << db->error().toStdString();
        insertStart();
    }
    void TearDown() override {
        form.reset();
        db.reset();
    }

    QStringList writeCounter() const {
        if (db->engine() == Engine::Sqlite) {
            QStringList out;
            for (const char *event : {"INSERT", "UPDATE", "DELETE"}) {
                out << QStringLiteral("CREATE TRIGGER count_%1 AFTER %1 ON clienti BEGIN UPDATE "
                                      "writes SET n = n + 1; END")
                           .arg(QLatin1String(event));
            }
            return out;
        }
        return {QStringLiteral("CREATE FUNCTION count_write() RETURNS trigger AS $$ BEGIN UPDATE "
                               "writes SET n = n + 1; RETURN NULL; END $$ LANGUAGE plpgsql"),
                QStringLiteral("CREATE TRIGGER count_write AFTER INSERT OR UPDATE OR DELETE ON "
                               "clienti FOR EACH ROW EXECUTE FUNCTION count_write()")};
    }

    void insertStart() {
        ASSERT_TRUE(db->exec({QStringLiteral("DELETE FROM clienti"),
                              QStringLiteral("INSERT INTO clienti (nome, codice_fiscale, nascita, "
                                             "importo) VALUES ('Anna', 'ANNCF', '1980-05-17', 10)"),
                              QStringLiteral("INSERT INTO clienti (nome, codice_fiscale, nascita, "
                                             "importo) VALUES ('Bruno', 'BRNCF', NULL, 20)"),
                              QStringLiteral("UPDATE writes SET n = 0")}))
            << db->error().toStdString();
    }

    // The table's records in key order, one "nome|codice_fiscale|nascita|importo" per record.
    QStringList rows() const {
        return db->rows(QStringLiteral("SELECT nome, codice_fiscale, %1, CAST(importo AS REAL) "
                                       "FROM clienti ORDER BY id")
                            .arg(db->dateText(QStringLiteral("nascita"))));
    }
    qint64 writes() const {
        const QStringList n = db->rows(QStringLiteral("SELECT n FROM writes"));
        return n.isEmpty() ? -1 : n.front().toLongLong();
    }

    // Binds a new control in a new form, in either order of the two properties, and shows it.
    void bindAndShow(bool sourceFirst = false, qint32 recordsetType = 1) {
        form = std::make_unique<TestForm>();
        Vantrel &c = form->control();
        c.SetRecordsetType(recordsetType);
        if (sourceFirst) {
            c.SetRecordSource(QStringLiteral("clienti"));
            c.SetDatabaseName(db->databaseName());
        } else {
            c.SetDatabaseName(db->databaseName());
            c.SetRecordSource(QStringLiteral("clienti"));
        }
        ASSERT_TRUE(form->showActive());
    }

    Vantrel &control() { return form->control(); }
    FlexGrid *grid1() { return parts::grid1(control()); }
    FlexGrid *grid2() { return parts::grid2(control()); }
    EditorBox *editor() { return parts::editor(control()); }

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

    void goTo(qint32 row, qint32 col) {
        control().SetRow(row);
        control().SetCol(col);
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

    // Closes the form, as the user ends the program.
    void close() { form.reset(); }

    vbtest::RuntimeLocale locale{vbtest::italian()};
    std::unique_ptr<dbtest::TestDatabase> db;
    std::unique_ptr<TestForm> form;
    MessageBoxRecorder boxes;
};

inline const QStringList kStart = {QStringLiteral("Anna|ANNCF|1980-05-17|10"),
                                   QStringLiteral("Bruno|BRNCF|<null>|20")};
