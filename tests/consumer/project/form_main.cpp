#include "ui_form.h"

#include <Vantrel3/Vantrel.h>

#include <QApplication>
#include <cstdio>

// Builds the form as uic wrote it and checks that the grid holds what the form says; exits 1
// when a setting did not arrive.
int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QWidget form;
    Ui::ClientiForm ui;
    ui.setupUi(&form);
    const Vantrel3::Vantrel &grid = *ui.grigliaClienti;

    const struct {
        const char *name;
        long long actual;
        long long expected;
    } settings[] = {
        {"Cols", grid.Cols(), 5},
        {"Rows", grid.Rows(), 4},
        {"ScrollBars", grid.ScrollBars(), Vantrel3::eScrollBarVertical},
        {"ForeColorEdit", grid.ForeColorEdit(), 255},
        {"EnterAsKeyTab", grid.EnterAsKeyTab(), 1},
        {"ToolTipText", grid.ToolTipText() == QStringLiteral("Anagrafica dei clienti"), 1},
    };
    int failures = 0;
    for (const auto &s : settings) {
        if (s.actual != s.expected) {
            std::fprintf(stderr, "%s: %lld, expected %lld\n", s.name, s.actual, s.expected);
            ++failures;
        }
    }
    std::printf("cols=%d\n", grid.Cols());
    return failures == 0 ? 0 : 1;
}
