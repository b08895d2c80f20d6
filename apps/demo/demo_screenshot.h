#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

class DemoWindow;
class QWidget;

// The pictures of the README: the demo window, with a picker opened over a cell or the
// property pages over it, rendered into a PNG file.
class DemoScreenshot {
public:
    enum class Scene { Grid, Calendar, Calculator, Pages };

    static QStringList sceneNames();
    static std::optional<Scene> sceneNamed(const QString &name);

    // Sets the scene up once the event loop runs, writes the file and ends the application,
    // with exit code 0 when the file was written.
    static void take(DemoWindow &window, Scene scene, const QString &file);

    // The window and every other visible top-level window (popups, dialogs) in their places.
    static QImage composite(QWidget &window);
};
