#include "editing/cell_button.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>

#include <QApplication>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

namespace Vantrel3 {

CellButton::CellButton(Glyph glyph, QWidget *parent)
    : QAbstractButton(parent), TwipsGeometry(this), m_glyph(glyph) {
    // A click takes the focus, as a command button does; Tab never lands on it.
    setFocusPolicy(Qt::ClickFocus);
    // Without a caption, only these tell a screen reader what the button is for.
    setAccessibleName(glyph == Glyph::DownTriangle ? QStringLiteral("Apri il selettore")
                                                   : QStringLiteral("Sfoglia"));
    setAccessibleDescription(
        QStringLiteral("Apre il calendario, la calcolatrice o l'elenco della cella"));
    resize(Twips::toPixelsX(this, DefaultWidthTwips), Twips::toPixelsY(this, DefaultWidthTwips));
    hide();
}

CellButton::~CellButton() = default;

void CellButton::SetBackColor(OleColor value) {
    m_backColor = value;
    update();
}

QSize CellButton::sizeHint() const {
    return {Twips::toPixelsX(this, DefaultWidthTwips), Twips::toPixelsY(this, DefaultWidthTwips)};
}

void CellButton::paintEvent(QPaintEvent *) {
    guarded("CellButton::paintEvent", [this] {
        QPainter painter(this);
        const QBrush face(m_backColor.toQColor(QApplication::palette(this)));
        const bool sunken = isDown() || isChecked();
        qDrawWinButton(&painter, rect(), palette(), sunken, &face);
        // A pressed button's glyph moves down and right by one pixel with the face.
        const int shift = sunken ? 1 : 0;
        const QPoint origin((width() - GlyphSize) / 2 + shift, (height() - GlyphSize) / 2 + shift);
        paintGlyph(painter, origin);
    });
}

void CellButton::paintGlyph(QPainter &painter, QPoint origin) const {
    const QColor ink =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    if (m_glyph == Glyph::DownTriangle) {
        // Rows 7, 5, 3 and 1 pixels wide, centred in the 7x7 cell.
        for (int row = 0; row < 4; ++row) {
            painter.fillRect(origin.x() + row, origin.y() + 2 + row, GlyphSize - 2 * row, 1, ink);
        }
    } else {
        // Three one-pixel dots on the bottom row, at both ends and in the middle.
        for (int dot = 0; dot < 3; ++dot) {
            painter.fillRect(origin.x() + 3 * dot, origin.y() + GlyphSize - 1, 1, 1, ink);
        }
    }
}

} // namespace Vantrel3
