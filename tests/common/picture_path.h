#pragma once

#include <QCoreApplication>
#include <QDir>

// Where a test keeps a picture for people to look at: beside the test program, never a fixed
// path shared with other runs.
inline QString picturePath(const QString &name) {
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("pictures"));
    return dir.filePath(QStringLiteral("pictures/") + name);
}
