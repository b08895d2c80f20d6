// Times how fast a bound grid can fill: Refresh of a 100,000-row SQLite table plus reading every
// cell's text, beside a plain QSqlQueryModel doing the same read.
#include <Vantrel3/DataControl.h>
#include <Vantrel3/Vantrel.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRows = 100000;

bool createTable(const QString &file) {
    bool ok = true;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(file);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, name "
                                         "VARCHAR(40), amount REAL, born DATE, note TEXT)"));
        // One transaction: one disk sync instead of one per row.
        ok = ok && db.transaction();
        ok = ok && q.prepare(QStringLiteral("INSERT INTO items (name, amount, born, note) VALUES "
                                            "(?, ?, ?, ?)"));
        for (int i = 0; ok && i < kRows; ++i) {
            q.addBindValue(QStringLiteral("Item %1").arg(i));
            q.addBindValue(i * 0.25);
            q.addBindValue(QStringLiteral("2024-%1-%2")
                               .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                               .arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
            q.addBindValue(i % 3 ? QVariant(QStringLiteral("note")) : QVariant());
            ok = q.exec();
        }
        ok = ok && db.commit();
        if (!ok) {
            std::fprintf(stderr, "setup failed: %s\n", qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.db"));
    QElapsedTimer timer;
    timer.start();
    if (!createTable(file)) {
        return 1;
    }
    std::printf("create %d rows in one transaction: %lld ms\n", kRows, timer.elapsed());

    Vantrel3::DataControl data;
    data.SetDatabaseName(file);
    data.SetRecordSource(QStringLiteral("items"));
    timer.restart();
    data.Refresh();
    const qint64 refreshMs = timer.elapsed();
    const Vantrel3::Recordset &rs = data.Recordset();
    qint64 chars = 0;
    for (int r = 0; r < rs.RecordCount(); ++r) {
        for (int f = 0; f < rs.fieldCount(); ++f) {
            chars += rs.text(r, f).size();
        }
    }
    const qint64 ourMs = timer.elapsed();
    std::printf("DataControl: Refresh %lld ms, Refresh + all %d x %d texts %lld ms (%lld chars)\n",
                refreshMs, rs.RecordCount(), rs.fieldCount(), ourMs, chars);
    for (int f = 0; f < rs.fieldCount(); ++f) {
        timer.restart();
        for (int r = 0; r < rs.RecordCount(); ++r) {
            chars += rs.text(r, f).size();
        }
        std::printf("  texts of field %s (type %d): %lld ms\n",
                    qPrintable(rs.Fields().Item(f).Name()), rs.Fields().Item(f).Type(),
                    timer.elapsed());
    }

    qint64 baseMs = 0;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("base"));
        db.setDatabaseName(file);
        db.open();
        timer.restart();
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("SELECT * FROM items ORDER BY id"), db);
        while (model.canFetchMore()) {
            model.fetchMore();
        }
        qint64 baseChars = 0;
        for (int r = 0; r < model.rowCount(); ++r) {
            for (int c = 0; c < model.columnCount(); ++c) {
                baseChars += model.data(model.index(r, c)).toString().size();
            }
        }
        baseMs = timer.elapsed();
        std::printf("QSqlQueryModel: setQuery + fetch all + all texts %lld ms (%lld chars)\n",
                    baseMs, baseChars);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("base"));
    std::printf("ratio DataControl / QSqlQueryModel: %.2f\n",
                baseMs > 0 ? double(ourMs) / double(baseMs) : 0.0);

    // The whole way to the screen: the control opens the table, both grids fill themselves,
    // then the control is shown and painted once.
    {
        Vantrel3::Vantrel grid;
        grid.resize(1000, 700);
        timer.restart();
        grid.SetDatabaseName(file);
        grid.SetRecordSource(QStringLiteral("items"));
        const qint64 filled = timer.elapsed();
        grid.show();
        grid.grab();
        std::printf("Vantrel: open + fill both grids %lld ms, + show and first paint %lld ms "
                    "(%d rows)\n",
                    filled, timer.elapsed(), grid.Rows());
    }
    return 0;
}
