#pragma once

#include <Vantrel3/Export.h>

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace Vantrel3 {

/// An OLE colour: 0x00BBGGRR for a plain colour, 0x800000nn for system colour nn, which follows
/// the widget's palette. Converts to and from quint32 implicitly, like the classic type.
class VANTREL3_EXPORT OleColor {
public:
    /// Black (0).
    constexpr OleColor() = default;
    /// The colour with the raw value @p value.
    constexpr OleColor(quint32 value) : m_value(value) {} // NOLINT: implicit like the classic type

    /// The raw value.
    constexpr quint32 value() const { return m_value; }
    /// The raw value, so that a colour reads as the classic Long.
    constexpr operator quint32() const { return m_value; }

    /// True for a system colour (0x800000nn).
    constexpr bool isSystemColor() const { return (m_value & 0xFF000000u) == 0x80000000u; }
    /// The system colour index nn (the low byte).
    constexpr int systemIndex() const { return int(m_value & 0xFFu); }

    /// The colour to paint with; a system colour is resolved through the palette's matching role.
    QColor toQColor(const QPalette &palette = QPalette()) const;
    /// The plain colour of @p color's red, green and blue (alpha is dropped).
    static OleColor fromQColor(const QColor &color);
    /// The plain colour of the three components, each 0-255.
    static constexpr OleColor fromRgb(int r, int g, int b) {
        return OleColor(quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16));
    }

    /// The palette role a system colour index stands for; @p group, when given, receives the
    /// palette group to read it from.
    static QPalette::ColorRole systemRole(int index, QPalette::ColorGroup *group = nullptr);

    /// @name Colours the control uses by name
    /// @{
    static constexpr quint32 WindowBackground = 0x80000005u; ///< Window background (Base).
    static constexpr quint32 WindowText = 0x80000008u;       ///< Window text (Text).
    static constexpr quint32 HighlightText = 0x8000000Eu;    ///< Selected text (HighlightedText).
    static constexpr quint32 Highlight = 0x8000000Du;        ///< Selection background (Highlight).
    static constexpr quint32 ButtonFace = 0x8000000Fu;       ///< Button face (Button).
    static constexpr quint32 ButtonText = 0x80000012u;       ///< Button text (ButtonText).
    static constexpr quint32 AppWorkspace = 0x8000000Cu;     ///< Application workspace (Dark).
    /// @}

private:
    quint32 m_value = 0;
};

} // namespace Vantrel3
