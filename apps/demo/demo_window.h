#pragma once

#include <QMainWindow>

namespace Vantrel3 {
class Vantrel;
}

// A host form with one grid: a few styled columns and some sample rows.
class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit DemoWindow(const QString &databasePath, QWidget *parent = nullptr);

    Vantrel3::Vantrel *grid() const { return m_grid; }

private:
    Vantrel3::Vantrel *m_grid;
};
