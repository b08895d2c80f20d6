// Moving the current cell with the editor following it: the Vantrel control, driven through its
// public API (SetRow/SetCol), against a QTableView over a QStandardItemModel whose current index
// carries a persistent editor (closed on the old index, opened on the new one). Every move runs
// the event loop once, so the deferred editor placement and the repaint are inside the timing.
//
//   in view: moves among the rows and columns on screen, no scrolling
//   scroll:  each move goes one row down from the bottom row, so the view scrolls by one row
//
// Usage: editor_follow_bench [rows...] [--repeats N] [--moves N] [--only vantrel|peer]
//                            [--case inview|scroll] [--uneven]
// --uneven gives every seventh row of the control a height of its own (1.5 times the standard),
// so that row geometry cannot be worked out by multiplying; the peer keeps even rows.
// Rows default to 10,000, 100,000 and 1,000,000 (10 columns). Runs offscreen by default.
// Figures are per move, the median of the repeats. For callgrind, --only and --case run one
// side and one case, and the timed loop is the function timedMoves.

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPaintEvent>
#include <QStandardItemModel>
#include <QTableView>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kCols = 10;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;

struct Options {
    std::vector<int> sizes;
    int repeats = 5;
    int moves = 400;
    QString only;     // "vantrel", "peer" or empty for both
    QString onlyCase; // "inview", "scroll" or empty for both
    bool uneven = false;
};

// Counts the paint events a viewport gets and the pixels they cover.
class PaintMeter : public QObject {
public:
    qint64 paints = 0;
    qint64 pixels = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region()) {
                pixels += qint64(r.width()) * r.height();
            }
        }
        return false;
    }
    void reset() { paints = pixels = 0; }
};

struct Result {
    double usPerMove = 0;
    double paintsPerMove = 0;
    double pixelsPerMove = 0;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Shows a window and runs the event loop until the platform has exposed it.
bool showExposed(QWidget &w) {
    w.show();
    w.activateWindow();
    QElapsedTimer timer;
    timer.start();
    while (!(w.windowHandle() && w.windowHandle()->isExposed()) && timer.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QApplication::processEvents();
    return w.windowHandle() && w.windowHandle()->isExposed();
}

// Texts of one length at every table size (the row number's last four digits), so that sizes
// differ in row count only and not in how much text each cell draws.
QString cellText(int r, int c) {
    return u'r' + QString::number(r % 10000).rightJustified(4, u'0') + u'c' + QString::number(c);
}

// The timed loop: one move, then one pass of the event loop. Kept out of line so that
// callgrind can collect this function alone (--toggle-collect=*timedMoves*).
[[gnu::noinline]] double timedMoves(const std::function<void(int)> &move, int moves) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < moves; ++i) {
        move(i);
        QApplication::processEvents();
    }
    return double(timer.nsecsElapsed()) / 1e3 / moves;
}

Result measure(const std::function<void()> &setUp, const std::function<void(int)> &move,
               PaintMeter &meter, const Options &o) {
    // One round first, untimed: the first paints of a window fill Qt's glyph and style caches.
    setUp();
    QApplication::processEvents();
    timedMoves(move, o.moves);
    std::vector<double> times;
    for (int k = 0; k < o.repeats; ++k) {
        setUp();
        QApplication::processEvents();
        meter.reset();
        times.push_back(timedMoves(move, o.moves));
    }
    return {median(times), double(meter.paints) / o.moves, double(meter.pixels) / o.moves};
}

// In view: down 20 rows, one column right, up 20 rows, one column right, ...
struct Walk {
    int row;
    int col;
    bool colStep;
};
Walk inViewStep(int i, int baseRow) {
    const int leg = i / 21;
    const int inLeg = i % 21;
    if (inLeg == 20) {
        return {0, 1 + (leg + 1) % 8, true};
    }
    const int offset = leg % 2 == 0 ? inLeg + 1 : 19 - inLeg;
    return {baseRow + std::clamp(offset, 0, 20), 0, false};
}

struct Pair {
    Result inView;
    Result scroll;
};

Pair benchVantrel(int rows, const Options &o) {
    QWidget window;
    window.resize(kWidth + 20, kHeight + 20);
    auto *control = new Vantrel3::Vantrel(&window);
    control->setGeometry(10, 10, kWidth, kHeight);
    control->SetCols(kCols);
    control->SetRows(rows);
    auto *shown = control->findChild<Vantrel3::FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    auto *raw = control->findChild<Vantrel3::FlexGrid *>(QStringLiteral("MSFlexGrid2"));
    for (int r = 1; r < rows; ++r) {
        for (int c = 1; c < kCols; ++c) {
            const QString t = cellText(r, c);
            shown->SetTextMatrix(r, c, t);
            raw->SetTextMatrix(r, c, t);
        }
    }
    if (o.uneven) {
        for (int r = 1; r < rows; r += 7) {
            shown->SetRowHeight(r, shown->RowHeight(r) * 3 / 2);
        }
    }
    if (!showExposed(window)) {
        std::fprintf(stderr, "window not exposed\n");
    }
    PaintMeter meter;
    shown->viewport()->installEventFilter(&meter);
    auto *editor = control->findChild<QLineEdit *>(QStringLiteral("Text1"));
    const int base = rows / 2;
    Pair p;

    if (o.onlyCase.isEmpty() || o.onlyCase == u"inview") {
        auto setUp = [&] {
            control->SetRow(base);
            control->SetCol(1);
            shown->SetTopRow(base - 2);
        };
        auto move = [&](int i) {
            const Walk w = inViewStep(i, base);
            if (w.colStep) {
                control->SetCol(w.col);
            } else {
                control->SetRow(w.row);
            }
        };
        const qint32 top = (setUp(), shown->TopRow());
        p.inView = measure(setUp, move, meter, o);
        if (shown->TopRow() != top) {
            std::fprintf(stderr, "in-view moves scrolled the grid\n");
        }
    }
    if (o.onlyCase.isEmpty() || o.onlyCase == u"scroll") {
        qint32 start = 0;
        auto setUp = [&] {
            control->SetRow(base);
            control->SetCol(2);
            shown->SetTopRow(base);
            // Down until the grid scrolls: the current row is then the bottom one on screen,
            // and every further row down scrolls by one row.
            start = base;
            while (shown->TopRow() == base) {
                control->SetRow(++start);
            }
        };
        auto move = [&](int i) { control->SetRow(start + 1 + i); };
        setUp();
        const qint32 top = shown->TopRow();
        p.scroll = measure(setUp, move, meter, o);
        if (shown->TopRow() != top + o.moves) {
            std::fprintf(stderr, "scroll moves did not scroll one row each (%d rows for %d)\n",
                         shown->TopRow() - top, o.moves);
        }
    }
    // The editor must have followed the cell.
    const QPoint cell(shown->CellLeft() / 15, shown->CellTop() / 15);
    if (!editor->isVisible() || editor->pos() != cell) {
        std::fprintf(stderr, "editor not on the current cell: (%d,%d) vs (%d,%d)\n",
                     editor->pos().x(), editor->pos().y(), cell.x(), cell.y());
    }
    return p;
}

Pair benchPeer(int rows, int rowPx, const Options &o) {
    QStandardItemModel model(rows, kCols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            model.setItem(r, c, new QStandardItem(cellText(r, c)));
        }
    }
    QTableView view;
    view.horizontalHeader()->setDefaultSectionSize(64);
    view.verticalHeader()->setDefaultSectionSize(rowPx);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.setModel(&model);
    view.resize(kWidth, kHeight);
    if (!showExposed(view)) {
        std::fprintf(stderr, "window not exposed\n");
    }
    PaintMeter meter;
    view.viewport()->installEventFilter(&meter);
    auto moveTo = [&](int r, int c) {
        view.closePersistentEditor(view.currentIndex());
        const QModelIndex next = model.index(r, c);
        view.setCurrentIndex(next);
        view.openPersistentEditor(next);
    };
    const int base = rows / 2;
    Pair p;
    if (o.onlyCase.isEmpty() || o.onlyCase == u"inview") {
        auto setUp = [&] {
            moveTo(base, 1);
            view.scrollTo(model.index(base - 2, 1), QAbstractItemView::PositionAtTop);
        };
        auto move = [&](int i) {
            const Walk w = inViewStep(i, base);
            moveTo(w.colStep ? view.currentIndex().row() : w.row,
                   w.colStep ? w.col : view.currentIndex().column());
        };
        p.inView = measure(setUp, move, meter, o);
    }
    if (o.onlyCase.isEmpty() || o.onlyCase == u"scroll") {
        int start = 0;
        auto setUp = [&] {
            moveTo(base, 2);
            view.scrollTo(model.index(base, 2), QAbstractItemView::PositionAtTop);
            QApplication::processEvents();
            const int top = view.rowAt(0);
            start = base;
            while (view.rowAt(0) == top) {
                moveTo(++start, 2);
            }
        };
        auto move = [&](int i) { moveTo(start + 1 + i, 2); };
        p.scroll = measure(setUp, move, meter, o);
    }
    return p;
}

void printRow(const char *what, int rows, const Result &vantrel, const Result &peer) {
    const double ratio = vantrel.usPerMove > 0 ? peer.usPerMove / vantrel.usPerMove : 0;
    std::printf("%-8s %9d %12.1f %12.1f %8.1fx %7.2f %9.0f %7.2f %9.0f\n", what, rows,
                peer.usPerMove, vantrel.usPerMove, ratio, peer.paintsPerMove, peer.pixelsPerMove,
                vantrel.paintsPerMove, vantrel.pixelsPerMove);
}

Options parse(int argc, char **argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        auto next = [&] { return i + 1 < argc ? argv[++i] : ""; };
        if (std::strcmp(argv[i], "--repeats") == 0) {
            o.repeats = std::max(1, std::atoi(next()));
        } else if (std::strcmp(argv[i], "--moves") == 0) {
            o.moves = std::max(1, std::atoi(next()));
        } else if (std::strcmp(argv[i], "--only") == 0) {
            o.only = QString::fromLatin1(next());
        } else if (std::strcmp(argv[i], "--uneven") == 0) {
            o.uneven = true;
        } else if (std::strcmp(argv[i], "--case") == 0) {
            o.onlyCase = QString::fromLatin1(next());
        } else {
            o.sizes.push_back(std::atoi(argv[i]));
        }
    }
    if (o.sizes.empty()) {
        o.sizes = {10'000, 100'000, 1'000'000};
    }
    return o;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const Options o = parse(argc, argv);
    int rowPx = 16;
    {
        // Warms the platform up (fonts, styles, the first window) outside any figure, and reads
        // the grid's row height for the peer.
        Vantrel3::FlexGrid probe;
        probe.resize(200, 100);
        showExposed(probe);
        rowPx = probe.RowHeight(1) / 15;
    }
    std::printf("%d columns, viewport %d x %d px, rows %d px%s, %d moves x %d repeats (median), "
                "%s platform, Qt %s\n",
                kCols, kWidth, kHeight, rowPx, o.uneven ? " (every 7th 1.5x in Vantrel)" : "",
                o.moves, o.repeats, qPrintable(QGuiApplication::platformName()), qVersion());
    std::printf("%-8s %9s %12s %12s %9s %7s %9s %7s %9s\n", "case", "rows", "peer us", "Vantrel us",
                "ratio", "p.paint", "p.pixels", "v.paint", "v.pixels");
    for (const int rows : o.sizes) {
        Pair vantrel;
        Pair peer;
        if (o.only.isEmpty() || o.only == u"vantrel") {
            vantrel = benchVantrel(rows, o);
        }
        if (o.only.isEmpty() || o.only == u"peer") {
            peer = benchPeer(rows, rowPx, o);
        }
        if (o.onlyCase.isEmpty() || o.onlyCase == u"inview") {
            printRow("in view", rows, vantrel.inView, peer.inView);
        }
        if (o.onlyCase.isEmpty() || o.onlyCase == u"scroll") {
            printRow("scroll", rows, vantrel.scroll, peer.scroll);
        }
        std::fflush(stdout);
    }
    std::printf("per move: peer and Vantrel in microseconds; ratio = peer / Vantrel; paint and "
                "pixels: viewport paint events and painted pixels per move\n");
    return 0;
}
