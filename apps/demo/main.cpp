#include "demo_database.h"
#include "demo_screenshot.h"
#include "demo_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

namespace {

// A screenshot needs no display: unless the caller chose a platform, the offscreen one renders
// the same widgets. It must be chosen before the application object exists.
void preferOffscreenForScreenshots(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--screenshot" || arg.startsWith("--screenshot=")) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            return;
        }
    }
}

} // namespace

int main(int argc, char **argv) {
    preferOffscreenForScreenshots(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel-demo"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Dimostrazione di Vantrel3: una griglia per l'inserimento dei dati"));
    parser.addHelpOption();
    QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Disegna la finestra in un file PNG ed esce, senza bisogno di schermo."),
        QStringLiteral("FILE"));
    parser.addOption(screenshot);
    QCommandLineOption show(QStringLiteral("show"),
                            QStringLiteral("Con --screenshot, che cosa aprire sulla griglia: ") +
                                DemoScreenshot::sceneNames().join(QStringLiteral(", ")) +
                                QStringLiteral("."),
                            QStringLiteral("SCENA"), QStringLiteral("grid"));
    parser.addOption(show);
    QCommandLineOption database(QStringLiteral("database"),
                                QStringLiteral("Il file SQLite da usare (creato se manca)."),
                                QStringLiteral("FILE"));
    parser.addOption(database);
    parser.process(app);

    const auto scene = DemoScreenshot::sceneNamed(parser.value(show));
    if (!scene) {
        parser.showHelp(2);
    }
    DemoWindow window(parser.isSet(database) ? parser.value(database)
                                             : DemoDatabase::defaultPath());
    window.resize(1000, 420);
    window.show();
    if (parser.isSet(screenshot)) {
        DemoScreenshot::take(window, *scene, parser.value(screenshot));
    }
    return QApplication::exec();
}
