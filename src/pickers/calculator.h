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

    // Creating the window runs the engine's load steps and forgets the keys used before.
    void load();
    // Hides the window, raising ClcClose with the display first if a key was used since the
    // load; does nothing when unloaded or already unloading.
    void unload();
    bool isLoaded() const { return m_state == State::Loaded; }
    // A keypad key was clicked, or a character the keyboard maps to one typed, since the load.
    // Enter and Escape are not keys of the keypad.
    bool keyUsedSinceLoad() const { return m_keyUsed; }

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

    QPushButton *addKey(const QString &name, const QString &caption, const QString &spokenName,
                        int left, int top, int width = 375);
    void showDisplay();
    void press(const CalculatorEngine::Key &key);
    bool handleKeyEvent(QKeyEvent *event);
    void finishUnload(bool handOver);

    CalculatorEngine m_engine;
    QLabel *m_readout;
    QLineEdit *m_focusHolder;
    State m_state = State::Unloaded;
    bool m_keyUsed = false;
};

} // namespace Vantrel3
