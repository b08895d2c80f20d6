#pragma once

#include "pickers/calculator_engine.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Vantrel3 {

// The calculator popup: a top-level form with the display Readout and a fixed keypad, driven by
// a CalculatorEngine that lives as long as the form instance, across openings.
class Calculator : public QWidget {
    Q_OBJECT

public:
    explicit Calculator(QWidget *owner = nullptr);
    ~Calculator() override;

    // Creating the window runs the engine's load steps; closing it hands the display over.
    void load();
    // Raises ClcClose with the display and hides the window; does nothing when unloaded or
    // already unloading.
    void unload();
    bool isLoaded() const { return m_state == State::Loaded; }

    QLabel *Readout() const { return m_readout; }
    const CalculatorEngine &engine() const { return m_engine; }

    // The key press of the form, by character code: Enter, Escape, digits, operators and the
    // decimal separators "." and ",".
    void handleCharacter(int characterCode);

Q_SIGNALS:
    void ClcClose(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class State { Unloaded, Loaded, Unloading };

    QPushButton *addKey(const QString &name, const QString &caption, int left, int top,
                        int width = 375);
    void press(const CalculatorEngine::Key &key);
    bool handleKeyEvent(QKeyEvent *event);

    CalculatorEngine m_engine;
    QLabel *m_readout;
    QLineEdit *m_focusHolder;
    State m_state = State::Unloaded;
};

} // namespace Vantrel3
