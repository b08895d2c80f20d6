// FlexGrid against a QTableView over a QStandardItemModel holding the same texts: filling a large
// grid, memory per cell, painting one viewport, moving the current row, jumping to the end.
// Usage: flexgrid_bench [rows...] [--only flex] (default 10,000, 100,000 and 1,000,000 rows;
// 10 columns). Runs offscreen by default. "store only" times the grid's own part of the fill:
// the texts are made beforehand, a chunk of rows at a time, outside the timing.

#include <Vantrel3/FlexGrid.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

constexpr int kCols = 10;
constexpr int kPaints = 50;
constexpr int kMoves = 2000;

struct Figures {
    double fillMs = 0;
    double storeMs = 0;
    double bytesPerCell = 0;
    double showMs = 0;
    double paintMs = 0;
    double moveUs = 0;
    double jumpMs = 0;
};

qint64 heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks) + qint64(info.hblkhd); // small blocks and mmapped ones
}

QString cellText(int r, int c) {
    return u'r' + QString::number(r) + u'c' + QString::number(c);
}

// Renders the widget into an image, N times, and returns the median in milliseconds. Before each
// render, `stale` makes every cell stale, so each render draws every visible cell again.
double medianPaintMs(QWidget &w, const std::function<void()> &stale) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    for (int i = 0; i < kPaints; ++i) {
        stale();
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&image);
        w.render(&painter);
        painter.end();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double elapsedMs(const QElapsedTimer &timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// What making the texts costs by itself; both fills include it.
double textsOnlyMs(int rows) {
    QElapsedTimer timer;
    timer.start();
    qsizetype total = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            total += cellText(r, c).size();
        }
    }
    const double ms = elapsedMs(timer);
    return total > 0 ? ms : 0;
}

// A second grid filled with the same texts, made a chunk at a time outside the timing.
[[gnu::noinline]] double storeOnlyMs(int rows) {
    constexpr int kChunk = 4096;
    Vantrel3::FlexGrid grid;
    grid.SetCols(kCols);
    grid.SetRows(rows);
    std::vector<QString> texts(size_t(kChunk) * kCols);
    qint64 ns = 0;
    for (int first = 0; first < rows; first += kChunk) {
        const int last = std::min(rows, first + kChunk);
        for (int r = first; r < last; ++r) {
            for (int c = 0; c < kCols; ++c) {
                texts[size_t(r - first) * kCols + size_t(c)] = cellText(r, c);
            }
        }
        QElapsedTimer timer;
        timer.start();
        for (int r = first; r < last; ++r) {
            for (int c = 0; c < kCols; ++c) {
                grid.SetTextMatrix(r, c, texts[size_t(r - first) * kCols + size_t(c)]);
            }
        }
        ns += timer.nsecsElapsed();
    }
    return double(ns) / 1e6;
}

Figures benchFlexGrid(int rows, const QFont &font) {
    Figures f;
    const qint64 heapBefore = heapBytes();
    auto grid = std::make_unique<Vantrel3::FlexGrid>();
    grid->setFont(font);
    QElapsedTimer timer;
    timer.start();
    grid->SetCols(kCols);
    grid->SetRows(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            grid->SetTextMatrix(r, c, cellText(r, c));
        }
    }
    f.fillMs = elapsedMs(timer);
    f.bytesPerCell = double(heapBytes() - heapBefore) / (double(rows) * kCols);
    f.storeMs = storeOnlyMs(rows);

    timer.restart();
    grid->resize(1000, 700);
    grid->show();
    QApplication::processEvents();
    f.showMs = elapsedMs(timer);
    // Setting a colour to what it is marks every cell stale, as any change of look does.
    f.paintMs = medianPaintMs(*grid, [&] { grid->SetBackColor(grid->BackColor()); });

    timer.restart();
    for (int i = 0; i < kMoves; ++i) {
        grid->SetRow(grid->Row() + 1);
        QApplication::processEvents(); // includes the repaint of what moved
    }
    f.moveUs = double(timer.nsecsElapsed()) / 1e3 / kMoves;

    timer.restart();
    grid->SetRow(rows - 1);
    QApplication::processEvents();
    f.jumpMs = elapsedMs(timer);
    return f;
}

Figures benchTableView(int rows, const QFont &font) {
    Figures f;
    const qint64 heapBefore = heapBytes();
    auto model = std::make_unique<QStandardItemModel>(rows, kCols);
    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            model->setItem(r, c, new QStandardItem(cellText(r, c)));
        }
    }
    f.fillMs = elapsedMs(timer);
    f.bytesPerCell = double(heapBytes() - heapBefore) / (double(rows) * kCols);

    timer.restart();
    QTableView view;
    view.setFont(font);
    // The same cell size as the grid's defaults: 64 x 16 pixels.
    view.horizontalHeader()->setDefaultSectionSize(64);
    view.verticalHeader()->setDefaultSectionSize(16);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.setModel(model.get());
    view.resize(1000, 700);
    view.show();
    QApplication::processEvents();
    f.showMs = elapsedMs(timer);
    f.paintMs = medianPaintMs(view, [] {});

    view.setCurrentIndex(model->index(1, 1));
    timer.restart();
    for (int i = 0; i < kMoves; ++i) {
        view.setCurrentIndex(model->index(view.currentIndex().row() + 1, 1));
        QApplication::processEvents();
    }
    f.moveUs = double(timer.nsecsElapsed()) / 1e3 / kMoves;

    timer.restart();
    view.setCurrentIndex(model->index(rows - 1, 1));
    QApplication::processEvents();
    f.jumpMs = elapsedMs(timer);
    return f;
}

void printRow(const char *what, const char *unit, double flex, double table) {
    std::printf("%-34s %12.3f %12.3f %-6s %8.2fx\n", what, flex, table, unit,
                flex > 0 ? table / flex : 0.0);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::vector<int> sizes;
    bool flexOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            flexOnly = std::strcmp(argv[++i], "flex") == 0;
        } else {
            sizes.push_back(std::atoi(argv[i]));
        }
    }
    if (sizes.empty()) {
        sizes = {10'000, 100'000, 1'000'000};
    }
    QFont font;
    font.setPixelSize(11);
    {
        // The first window of a process pays for fonts and the platform; no figure should.
        Vantrel3::FlexGrid warmUp;
        warmUp.setFont(font);
        warmUp.resize(200, 100);
        warmUp.show();
        QApplication::processEvents();
    }
    std::printf("viewport 1000 x 700 px, %d columns, %s platform, Qt %s\n", kCols,
                qPrintable(QGuiApplication::platformName()), qVersion());
    for (const int rows : sizes) {
        std::printf("\ngrid of %d rows x %d columns\n", rows, kCols);
        const double textsMs = textsOnlyMs(rows);
        const Figures flex = benchFlexGrid(rows, font);
        malloc_trim(0);
        const Figures table = flexOnly ? Figures{} : benchTableView(rows, font);
        malloc_trim(0);

        std::printf("%-34s %12s %12s %-6s %9s\n", "", "FlexGrid", "QTableView", "", "ratio");
        printRow("fill every cell", "ms", flex.fillMs, table.fillMs);
        printRow("fill, less making the texts", "ms", flex.fillMs - textsMs,
                 table.fillMs - textsMs);
        printRow("fill, store only", "ms", flex.storeMs, 0);
        printRow("heap per cell", "bytes", flex.bytesPerCell, table.bytesPerCell);
        printRow("resize, show, first paint", "ms", flex.showMs, table.showMs);
        printRow("paint one viewport (median of 50)", "ms", flex.paintMs, table.paintMs);
        printRow("move down one row + repaint (2000)", "us", flex.moveUs, table.moveUs);
        printRow("jump to the last row + repaint", "ms", flex.jumpMs, table.jumpMs);
        std::printf("making the texts alone: %.3f ms\n", textsMs);
        std::fflush(stdout);
    }
    std::printf("ratio = QTableView / FlexGrid (above 1: FlexGrid is faster or smaller)\n");
    return 0;
}
