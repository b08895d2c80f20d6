#include "demo_database.h"
#include "demo_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel-demo"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vantrel3 demo: a data-entry grid"));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Render the window to a PNG file and exit."),
                                  QStringLiteral("FILE"));
    parser.addOption(screenshot);
    QCommandLineOption database(QStringLiteral("database"),
                                QStringLiteral("The SQLite file to use (created when missing)."),
                                QStringLiteral("FILE"));
    parser.addOption(database);
    parser.process(app);

    DemoWindow window(parser.isSet(database) ? parser.value(database)
                                             : DemoDatabase::defaultPath());
    if (parser.isSet(screenshot)) {
        window.resize(1000, 420);
        window.show();
        const QString file = parser.value(screenshot);
        // Let the first layout and the queued editor placement run before grabbing.
        QTimer::singleShot(200, &window, [&window, file] {
            const bool ok = window.grab().save(file, "PNG");
            QApplication::exit(ok ? 0 : 1);
        });
        return QApplication::exec();
    }
    window.resize(1000, 420);
    window.show();
    return QApplication::exec();
}
