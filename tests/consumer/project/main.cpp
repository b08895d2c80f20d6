#include <QApplication>
#include <Vantrel3/Vantrel.h>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Vantrel3::Vantrel grid;
    grid.SetCols(3);
    grid.SetRows(5);
    std::printf("rows=%d cols=%d\n", grid.Rows(), grid.Cols());
    return 0;
}
