#pragma once

#include "pickers/popup_placement.h"

#include <QString>
#include <functional>

class QWidget;

namespace Vantrel3 {

class CellButton;
class VantrelPrivate;

// The click procedure of a cell button: toggles the current cell's popup off, or opens the
// calendar, the calculator or the lookup list under the cell. Every step that fails shows a
// message box and the procedure goes on with the next step.
class PopupDispatch {
public:
    // `button` is the handler's own button: only its width enters the right-edge rule.
    PopupDispatch(VantrelPrivate &d, CellButton *button) : d(d), m_button(button) {}

    void click();

    // Where `popup` goes for the current cell, from the real window geometry.
    PopupPlacement placementFor(const QWidget *popup) const;

    // Runs before each placement; tests install one that throws to check that a failing step
    // is reported and the procedure goes on. Empty by default.
    static std::function<void()> &placementProbe();

private:
    template <typename F>
    void step(F &&f);
    void report(const QString &description, const QString &source);
    bool closeOpenPopup();
    void openBesideCell(QWidget *popup);
    // False when the list stays on screen beside the editor and the procedure stops.
    bool openList();
    void place(QWidget *popup);

    VantrelPrivate &d;
    CellButton *m_button;
};

} // namespace Vantrel3
