#include <QApplication>
#include <Vantrel3/Vantrel.h>
#include <cstdio>

int main(int argc, char **argv) {
    // Unused on purpose: the host's -Wall warns about it, and the build must go on, because the
    // library's -Werror stays on the library's own targets.
    int unusedOnPurpose = 0;

    QApplication app(argc, argv);
    Vantrel3::Vantrel grid;
    grid.SetCols(4);
    grid.SetRows(6);
    std::printf("rows=%d cols=%d\n", grid.Rows(), grid.Cols());
    return 0;
}
