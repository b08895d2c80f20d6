#pragma once

#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <functional>

namespace pagetest {

inline QStringList changedNames(const QSignalSpy &spy) {
    QStringList names;
    for (const QList<QVariant> &call : spy) {
        names.append(call.at(0).toString());
    }
    return names;
}

// The error number a call raises; 0 when it raises none.
inline qint32 errorOf(const std::function<void()> &call) {
    try {
        call();
    } catch (const Vantrel3::VbError &error) {
        return error.Number();
    }
    return 0;
}

template <typename T>
T *field(const QWidget *page, const char *name) {
    return page->findChild<T *>(QLatin1String(name));
}

inline QLineEdit *textBox(const QWidget *page, const char *name) {
    return field<QLineEdit>(page, name);
}
inline QCheckBox *checkBox(const QWidget *page, const char *name) {
    return field<QCheckBox>(page, name);
}
inline QComboBox *list(const QWidget *page, const char *name) {
    return field<QComboBox>(page, name);
}

// Records, in order, the names of the fields whose value changes.
class FieldChangeLog {
public:
    explicit FieldChangeLog(const QWidget *page) {
        for (QLineEdit *box : page->findChildren<QLineEdit *>()) {
            QObject::connect(box, &QLineEdit::textChanged,
                             [this, box] { names.append(box->objectName()); });
        }
        for (QCheckBox *box : page->findChildren<QCheckBox *>()) {
            QObject::connect(box, &QCheckBox::toggled,
                             [this, box] { names.append(box->objectName()); });
        }
        for (QComboBox *list : page->findChildren<QComboBox *>()) {
            QObject::connect(list, &QComboBox::currentIndexChanged,
                             [this, list] { names.append(list->objectName()); });
        }
    }
    QStringList names;
};

inline int distinctColours(const QImage &image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

inline bool containsColour(const QImage &image, const QColor &colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace pagetest
