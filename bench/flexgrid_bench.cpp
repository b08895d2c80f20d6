// FlexGrid against a QTableView over a QStandardItemModel holding the same texts: filling a large
// grid, memory per cell, painting one viewport, moving the current row, jumping to the end.
// Usage: flexgrid_bench [rows] (default 1,000,000; 10 columns). Runs offscreen by default.

#include <Vantrel3/FlexGrid.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <memory>

namespace {

constexpr int kCols = 10;
constexpr int kPaints = 50;
constexpr int kMoves = 2000;

struct Figures {
    double fillMs = 0;
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

// Renders the widget as it is into an image, N times, and returns the mean in milliseconds.
double meanPaintMs(QWidget &w) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kPaints; ++i) {
        QPainter painter(&image);
        w.render(&painter);
    }
    return double(timer.nsecsElapsed()) / 1e6 / kPaints;
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

    timer.restart();
    grid->resize(1000, 700);
    grid->show();
    QApplication::processEvents();
    f.showMs = elapsedMs(timer);
    f.paintMs = meanPaintMs(*grid);

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
    f.paintMs = meanPaintMs(view);

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
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    QFont font;
    font.setPixelSize(11);

    std::printf("grid of %d rows x %d columns, viewport 1000 x 700 px, %s platform\n", rows, kCols,
                qPrintable(QGuiApplication::platformName()));
    const double textsMs = textsOnlyMs(rows);
    const Figures flex = benchFlexGrid(rows, font);
    malloc_trim(0);
    const Figures table = benchTableView(rows, font);

    std::printf("%-34s %12s %12s %-6s %9s\n", "", "FlexGrid", "QTableView", "", "ratio");
    printRow("fill every cell", "ms", flex.fillMs, table.fillMs);
    printRow("fill, less making the texts", "ms", flex.fillMs - textsMs, table.fillMs - textsMs);
    printRow("heap per cell", "bytes", flex.bytesPerCell, table.bytesPerCell);
    printRow("resize, show, first paint", "ms", flex.showMs, table.showMs);
    printRow("paint one viewport (mean of 50)", "ms", flex.paintMs, table.paintMs);
    printRow("move down one row + repaint (2000)", "us", flex.moveUs, table.moveUs);
    printRow("jump to the last row + repaint", "ms", flex.jumpMs, table.jumpMs);
    std::printf("making the texts alone: %.3f ms\n", textsMs);
    std::printf("ratio = QTableView / FlexGrid (above 1: FlexGrid is faster or smaller)\n");
    return 0;
}
