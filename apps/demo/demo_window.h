#pragma once

#include <QMainWindow>

namespace Vantrel3 {
class Vantrel;
}

// A host form with one grid: a few styled columns and some sample rows.
class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit DemoWindow(QWidget *parent = nullptr);

    Vantrel3::Vantrel *grid() const { return m_grid; }

private:
    void fillSampleRows();

    Vantrel3::Vantrel *m_grid;
};
