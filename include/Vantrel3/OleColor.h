#pragma once

#include <Vantrel3/Export.h>

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace Vantrel3 {

// An OLE colour: 0x00BBGGRR for a plain colour, 0x800000nn for system colour nn.
class VANTREL3_EXPORT OleColor {
public:
    constexpr OleColor() = default;
    constexpr OleColor(quint32 value) : m_value(value) {} // NOLINT: implicit like the classic type

    constexpr quint32 value() const { return m_value; }
    constexpr operator quint32() const { return m_value; }

    constexpr bool isSystemColor() const { return (m_value & 0xFF000000u) == 0x80000000u; }
    constexpr int systemIndex() const { return int(m_value & 0xFFu); }

    // Resolves a system colour through the palette's matching role.
    QColor toQColor(const QPalette &palette = QPalette()) const;
    static OleColor fromQColor(const QColor &color);
    static constexpr OleColor fromRgb(int r, int g, int b) {
        return OleColor(quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16));
    }

    // The palette role a system colour index stands for.
    static QPalette::ColorRole systemRole(int index, QPalette::ColorGroup *group = nullptr);

    // Colours the control uses by name.
    static constexpr quint32 WindowBackground = 0x80000005u;
    static constexpr quint32 WindowText = 0x80000008u;
    static constexpr quint32 HighlightText = 0x8000000Eu;
    static constexpr quint32 Highlight = 0x8000000Du;
    static constexpr quint32 ButtonFace = 0x8000000Fu;
    static constexpr quint32 ButtonText = 0x80000012u;
    static constexpr quint32 AppWorkspace = 0x8000000Cu;

private:
    quint32 m_value = 0;
};

} // namespace Vantrel3
