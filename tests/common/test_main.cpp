#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Widget tests need no display: default to the offscreen platform unless the caller chose one.
int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    return RUN_ALL_TESTS();
}
