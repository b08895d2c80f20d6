#pragma once

#include "host/twips_geometry.h"

#include <Vantrel3/OleColor.h>

#include <QAbstractButton>

namespace Vantrel3 {

// The small button shown at the editor's right edge: a caption-less raised button with a 7x7
// pixel glyph, the downward triangle of Command1 or the three dots of Command2. Hidden and 255
// twips wide when created; geometry is in twips relative to the parent.
class CellButton : public QAbstractButton, public TwipsGeometry {
    Q_OBJECT

public:
    enum class Glyph { DownTriangle, Ellipsis };

    explicit CellButton(Glyph glyph, QWidget *parent = nullptr);
    ~CellButton() override;

    Glyph glyph() const { return m_glyph; }

    bool Visible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }

    OleColor BackColor() const { return m_backColor; }
    void SetBackColor(OleColor value);

    QSize sizeHint() const override;

    static constexpr qint32 DefaultWidthTwips = 255;
    static constexpr int GlyphSize = 7;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintGlyph(QPainter &painter, QPoint origin) const;

    Glyph m_glyph;
    OleColor m_backColor = OleColor::ButtonFace;
};

} // namespace Vantrel3
