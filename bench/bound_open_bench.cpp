// Opening a bound SQLite table of N rows x 5 fields up to the first paint, against its peer:
// a QSqlQueryModel that fetches every row (fetchMore until done) shown in a QTableView.
// Usage: bound_open_bench [rows...] [--repeats N] [--only vantrel|peer]
// (default 10,000, 100,000 and 1,000,000 rows, 5 repeats). Each measurement runs in a fresh
// process of its own (this program, started with --child), so that neither side inherits the
// other's heap or caches; the figures are the medians of the repeats, and the two sides take
// turns. Heap per cell is what the process holds once the first paint is done, less what it held
// just before the open, over rows x 5.

#include <Vantrel3/Vantrel.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace {

constexpr int kFields = 5;

qint64 heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks) + qint64(info.hblkhd); // small blocks and mmapped ones
}

bool createTable(const QString &file, int rows) {
    bool ok = true;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(file);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, name "
                                         "VARCHAR(40), amount REAL, born DATE, note TEXT)"));
        // One statement in one transaction: one disk sync.
        ok = ok && q.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 "
                                         "FROM n WHERE i < %1) INSERT INTO items (name, amount, "
                                         "born, note) SELECT 'Item ' || i, i * 0.25, "
                                         "printf('2024-%02d-%02d', i % 12 + 1, i % 28 + 1), "
                                         "CASE WHEN i % 3 THEN 'note' END FROM n")
                              .arg(rows - 1));
        if (!ok) {
            std::fprintf(stderr, "setup failed: %s\n", qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    return ok;
}

// Sees the first paint event of a viewport go through.
class PaintWatch final : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

void waitForPaint(const PaintWatch &watch) {
    while (!watch.painted) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents(); // the paint that set the flag has been handled
}

// One measurement: prints "ms bytes rows".
int child(const QString &side, const QString &file, int rows) {
    PaintWatch watch;
    QElapsedTimer timer;
    qint64 ms = 0;
    qint64 bytes = 0;
    int shownRows = 0;
    if (side == u"vantrel") {
        Vantrel3::Vantrel control;
        control.resize(1000, 700);
        auto *grid = control.findChild<QAbstractScrollArea *>(QStringLiteral("MSFlexGrid1"));
        grid->viewport()->installEventFilter(&watch);
        const qint64 before = heapBytes();
        timer.start();
        control.SetDatabaseName(file);
        control.SetRecordSource(QStringLiteral("items"));
        control.show();
        waitForPaint(watch);
        ms = timer.elapsed();
        bytes = heapBytes() - before;
        shownRows = control.Rows();
    } else {
        QTableView view;
        view.resize(1000, 700);
        view.viewport()->installEventFilter(&watch);
        const qint64 before = heapBytes();
        timer.start();
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peer"));
            db.setDatabaseName(file);
            db.open();
        }
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("SELECT * FROM items ORDER BY id"),
                       QSqlDatabase::database(QStringLiteral("peer")));
        while (model.canFetchMore()) {
            model.fetchMore();
        }
        view.setModel(&model);
        view.show();
        waitForPaint(watch);
        ms = timer.elapsed();
        bytes = heapBytes() - before;
        shownRows = model.rowCount();
    }
    std::printf("%lld %lld %d\n", ms, bytes, shownRows);
    (void)rows;
    return 0;
}

struct Run {
    double ms = 0;
    double bytesPerCell = 0;
    bool ok = false;
};

Run measure(const QString &program, const QString &side, const QString &file, int rows) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, {QStringLiteral("--child"), side, file, QString::number(rows)});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        return {};
    }
    const QStringList parts =
        QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 3) {
        return {};
    }
    return {parts[0].toDouble(), parts[1].toDouble() / (double(rows) * kFields), true};
}

double median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
        return child(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                     std::atoi(argv[4]));
    }
    std::vector<int> sizes;
    int repeats = 5;
    QString only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeats") == 0 && i + 1 < argc) {
            repeats = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = QString::fromLocal8Bit(argv[++i]);
        } else {
            sizes.push_back(std::atoi(argv[i]));
        }
    }
    if (sizes.empty()) {
        sizes = {10'000, 100'000, 1'000'000};
    }
    QTemporaryDir dir;
    const QString program = QCoreApplication::applicationFilePath();
    std::printf("bound SQLite table, %d fields, %s platform, Qt %s, median of %d\n", kFields,
                qPrintable(QGuiApplication::platformName()), qVersion(), repeats);
    std::printf("%10s %12s %12s %8s %14s %14s %8s\n", "rows", "peer ms", "Vantrel ms", "ratio",
                "peer B/cell", "Vantrel B/cell", "ratio");
    for (const int rows : sizes) {
        const QString file = dir.filePath(QStringLiteral("items%1.db").arg(rows));
        if (!createTable(file, rows)) {
            return 1;
        }
        std::vector<double> peerMs, peerBytes, ourMs, ourBytes;
        for (int i = 0; i < repeats; ++i) {
            // Turns: neither side always runs right after the file was written.
            for (const bool ours : {i % 2 == 0, i % 2 != 0}) {
                if (!only.isEmpty() && (only == u"vantrel") != ours) {
                    continue;
                }
                const Run run = measure(
                    program, ours ? QStringLiteral("vantrel") : QStringLiteral("peer"), file, rows);
                if (!run.ok) {
                    std::fprintf(stderr, "a measurement failed\n");
                    return 1;
                }
                (ours ? ourMs : peerMs).push_back(run.ms);
                (ours ? ourBytes : peerBytes).push_back(run.bytesPerCell);
            }
        }
        const double pm = median(peerMs), om = median(ourMs);
        const double pb = median(peerBytes), ob = median(ourBytes);
        std::printf("%10d %12.0f %12.0f %7.2fx %14.1f %14.1f %7.2fx\n", rows, pm, om,
                    om > 0 ? pm / om : 0.0, pb, ob, ob > 0 ? pb / ob : 0.0);
        std::fflush(stdout);
    }
    std::printf("ratio = peer / Vantrel (above 1: Vantrel is faster or smaller)\n");
    return 0;
}
