// Bound entry through the host's AddItem: how many items a second reach an SQLite file, each
// saved as its own record, as a host that imports rows one by one would add them.

#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Vantrel.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Boxes would stop the run; a refused item is counted instead.
class CountingBoxes final : public Vantrel3::MessageBoxService {
public:
    int show(QWidget *, const QString &, int, const QString &) override {
        ++count;
        return Vantrel3::vbOK;
    }
    int count = 0;
};

qint64 recordsIn(const QString &file) {
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("c"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*) FROM clienti")) && q.next()) {
                n = q.value(0).toLongLong();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("c"));
    return n;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int items = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("clienti.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("s"));
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TABLE clienti (nome TEXT, codice TEXT, nascita DATE, "
                              "importo NUMERIC, id INTEGER PRIMARY KEY)"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("s"));

    CountingBoxes boxes;
    Vantrel3::setMessageBoxService(&boxes);
    {
        Vantrel3::Vantrel grid;
        grid.SetDatabaseName(file);
        grid.SetRecordSource(QStringLiteral("clienti"));
        grid.resize(700, 400);
        grid.show();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < items; ++i) {
            grid.AddItem(QStringLiteral("Cliente %1\tCF%1\t12/05/1999\t%2").arg(i).arg(i % 1000));
        }
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        std::printf("%d AddItem calls in %.2f s: %.0f items/s, %d message boxes\n", items, seconds,
                    items / seconds, boxes.count);
    }
    Vantrel3::setMessageBoxService(nullptr);
    std::printf("records in the file after the control ended: %lld\n", recordsIn(file));
    return 0;
}
