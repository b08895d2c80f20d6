#include "demo_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vantrel3 demo: a data-entry grid"));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Render the window to a PNG file and exit."),
                                  QStringLiteral("FILE"));
    parser.addOption(screenshot);
    parser.process(app);

    DemoWindow window;
    if (parser.isSet(screenshot)) {
        window.resize(760, 420);
        window.show();
        const QString file = parser.value(screenshot);
        // Let the first layout and the queued editor placement run before grabbing.
        QTimer::singleShot(200, &window, [&window, file] {
            const bool ok = window.grab().save(file, "PNG");
            QApplication::exit(ok ? 0 : 1);
        });
        return QApplication::exec();
    }
    window.resize(760, 420);
    window.show();
    return QApplication::exec();
}
