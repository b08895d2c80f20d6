#include <Vantrel3/OleColor.h>

namespace Vantrel3 {

QPalette::ColorRole OleColor::systemRole(int index, QPalette::ColorGroup *group) {
    if (group) {
        *group = QPalette::Active;
    }
    switch (index) {
    case 0: // scroll bar
        return QPalette::Button;
    case 1:  // desktop
    case 4:  // menu
    case 10: // active border
    case 11: // inactive border
        return QPalette::Window;
    case 2:  // active caption
    case 13: // highlight
        return QPalette::Highlight;
    case 3:  // inactive caption
    case 16: // button shadow
        return QPalette::Mid;
    case 5: // window
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 7: // menu text
        return QPalette::WindowText;
    case 8: // window text
        return QPalette::Text;
    case 9:  // caption text
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 12: // application workspace
        return QPalette::Dark;
    case 15: // button face
        return QPalette::Button;
    case 17: // grey text
    case 19: // inactive caption text
        if (group) {
            *group = QPalette::Disabled;
        }
        return QPalette::WindowText;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
}

QColor OleColor::toQColor(const QPalette &palette) const {
    if (isSystemColor()) {
        QPalette::ColorGroup group = QPalette::Active;
        const QPalette::ColorRole role = systemRole(systemIndex(), &group);
        return palette.color(group, role);
    }
    return QColor(int(m_value & 0xFF), int((m_value >> 8) & 0xFF), int((m_value >> 16) & 0xFF));
}

OleColor OleColor::fromQColor(const QColor &color) {
    return fromRgb(color.red(), color.green(), color.blue());
}

} // namespace Vantrel3
