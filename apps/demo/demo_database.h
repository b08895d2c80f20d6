#pragma once

#include <QString>

// The demo's SQLite database: beside the user's data, created with sample customers the first
// time. Returns the file path; raises no exception (a failure leaves an error text instead).
struct DemoDatabase {
    static QString defaultPath();
    // Creates the file and its table with sample rows when the file does not exist yet; a
    // table from an earlier demo gains the province column it lacks.
    static bool ensure(const QString &path, QString *error);
};
