#include "demo_screenshot.h"

#include "demo_window.h"

#include <Vantrel3/PropertyPages.h>
#include <Vantrel3/Vantrel.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <array>

namespace {

// Time for layout, queued editor placement and popups to settle between steps.
constexpr int kSettleMs = 300;

// The demo's columns: a date and an amount, whose cell buttons open the calendar and the
// calculator.
constexpr qint32 kNascita = 3;
constexpr qint32 kImporto = 4;
constexpr qint32 kPickerRow = 2;

struct Named {
    const char *name;
    DemoScreenshot::Scene scene;
};
constexpr std::array kScenes{
    Named{"grid", DemoScreenshot::Scene::Grid},
    Named{"calendar", DemoScreenshot::Scene::Calendar},
    Named{"calculator", DemoScreenshot::Scene::Calculator},
    Named{"pages", DemoScreenshot::Scene::Pages},
};

void saveAndExit(DemoWindow &window, const QString &file) {
    const bool ok = DemoScreenshot::composite(window).save(file, "PNG");
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->close();
    }
    QApplication::exit(ok ? 0 : 1);
}

void openPicker(DemoWindow &window, qint32 col, const QString &file) {
    Vantrel3::Vantrel *grid = window.grid();
    grid->SetRow(kPickerRow);
    grid->SetCol(col);
    QTimer::singleShot(kSettleMs, &window, [&window, file] {
        auto *button = window.grid()->findChild<QAbstractButton *>(QStringLiteral("Command1"));
        if (button && button->isVisible()) {
            button->click();
        }
        QTimer::singleShot(kSettleMs, &window, [&window, file] { saveAndExit(window, file); });
    });
}

} // namespace

QStringList DemoScreenshot::sceneNames() {
    QStringList names;
    for (const Named &n : kScenes) {
        names << QLatin1String(n.name);
    }
    return names;
}

std::optional<DemoScreenshot::Scene> DemoScreenshot::sceneNamed(const QString &name) {
    for (const Named &n : kScenes) {
        if (name == QLatin1String(n.name)) {
            return n.scene;
        }
    }
    return std::nullopt;
}

void DemoScreenshot::take(DemoWindow &window, Scene scene, const QString &file) {
    QTimer::singleShot(kSettleMs, &window, [&window, scene, file] {
        switch (scene) {
        case Scene::Grid:
            saveAndExit(window, file);
            break;
        case Scene::Calendar:
            openPicker(window, kNascita, file);
            break;
        case Scene::Calculator:
            openPicker(window, kImporto, file);
            break;
        case Scene::Pages:
            // The pages are modal: the picture is taken from inside their event loop.
            QTimer::singleShot(kSettleMs, &window, [&window, file] { saveAndExit(window, file); });
            Vantrel3::ShowPropertyPages({window.grid()}, &window);
            break;
        }
    });
}

QImage DemoScreenshot::composite(QWidget &window) {
    QList<QWidget *> shown{&window};
    QRect area = window.geometry();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != &window && w->isVisible()) {
            shown << w;
            area |= w->geometry();
        }
    }
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    // The window first, then what lies over it.
    for (QWidget *w : shown) {
        painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
    }
    return image;
}
