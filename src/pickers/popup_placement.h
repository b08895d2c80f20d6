#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace Vantrel3 {

// Where a popup goes, in global pixels: its top-left under the cell's bottom-left; when it
// would stick out past the host window's right edge, its right edge on the right edge of the
// editor plus the clicking handler's button; and in every case inside the screen's available
// area (above the cell when there is no room below).
struct PopupPlacement {
    QRect cell;          // the current cell
    QSize popup;         // the popup's outer size
    int hostRight = 0;   // the x just past the host window's outer right edge
    int editorWidth = 0; // the editor's width
    int buttonWidth = 0; // the handler's button width when it is visible, else 0
    QRect screen;        // the available area of the screen under the cell; empty: no clamp

    QPoint topLeft() const;
};

} // namespace Vantrel3
