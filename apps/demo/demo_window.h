#pragma once

#include <QMainWindow>

class QLabel;

namespace Vantrel3 {
class Vantrel;
}

// A host form with one grid: a few styled columns and some sample rows.
class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit DemoWindow(const QString &databasePath, QWidget *parent = nullptr);

    Vantrel3::Vantrel *grid() const { return m_grid; }
    // The hint on the status bar: where the data lives and which key opens the pickers.
    QString hint() const;

private:
    void setHint(const QString &text);

    Vantrel3::Vantrel *m_grid;
    // A widget on the status bar, not a message: a menu's status tips cover it only while
    // the menu is open.
    QLabel *m_hint;
};
