#include "pickers/popup_placement.h"

#include <algorithm>

namespace Vantrel3 {

QPoint PopupPlacement::topLeft() const {
    // Plain int arithmetic: screen coordinates have far more room than 16 bits.
    int x = cell.left();
    int y = cell.top() + cell.height();
    if (x + popup.width() > hostRight) {
        x = cell.left() + editorWidth + buttonWidth - popup.width();
    }
    if (screen.isEmpty()) {
        return {x, y};
    }
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    if (y + popup.height() > screenBottom) {
        y = cell.top() - popup.height();
    }
    // Right and bottom first, so that a popup larger than the screen keeps its top-left on it.
    x = std::max(std::min(x, screenRight - popup.width()), screen.left());
    y = std::max(std::min(y, screenBottom - popup.height()), screen.top());
    return {x, y};
}

} // namespace Vantrel3
