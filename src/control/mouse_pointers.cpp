#include "control/mouse_pointers.h"

#include <Vantrel3/Enums.h>

namespace Vantrel3 {

std::optional<Qt::CursorShape> cursorShapeFor(qint16 pointer) {
    switch (pointer) {
    case eArrow:
    case eIcon: // no counterpart: the arrow
        return Qt::ArrowCursor;
    case eCross:
        return Qt::CrossCursor;
    case eIBeam:
        return Qt::IBeamCursor;
    case eSize:
    case eSizeAll:
        return Qt::SizeAllCursor;
    case eSizeNESW:
        return Qt::SizeBDiagCursor;
    case eSizeNS:
        return Qt::SizeVerCursor;
    case eSizeNWSE:
        return Qt::SizeFDiagCursor;
    case eSizeEW:
        return Qt::SizeHorCursor;
    case eUpArrow:
        return Qt::UpArrowCursor;
    case eHourglass:
        return Qt::WaitCursor;
    case eNoDrop:
        return Qt::ForbiddenCursor;
    case eArrowHourGlass:
        return Qt::BusyCursor;
    case eArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return std::nullopt;
    }
}

bool isMousePointer(qint16 pointer) {
    return pointer == eDefault || pointer == eCustom || cursorShapeFor(pointer).has_value();
}

} // namespace Vantrel3
