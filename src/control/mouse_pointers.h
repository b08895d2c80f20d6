#pragma once

#include <QtGlobal>
#include <qnamespace.h>

#include <optional>

namespace Vantrel3 {

// The Qt cursor closest to a classic mouse pointer; nullopt for eDefault, eCustom (the control
// shows MouseIcon) and values that are no pointer.
std::optional<Qt::CursorShape> cursorShapeFor(qint16 pointer);
// A MousePointerSettings member.
bool isMousePointer(qint16 pointer);

} // namespace Vantrel3
