#pragma once

#include <QtGlobal>

class QWidget;

namespace Vantrel3 {

// Left, Top, Width and Height in twips for a child control, converted at the widget's own dpi.
// Negative sizes clamp to 0.
class TwipsGeometry {
public:
    qint32 Left() const;
    void SetLeft(qint32 twips);
    qint32 Top() const;
    void SetTop(qint32 twips);
    qint32 Width() const;
    void SetWidth(qint32 twips);
    qint32 Height() const;
    void SetHeight(qint32 twips);

protected:
    explicit TwipsGeometry(QWidget *self) : m_self(self) {}
    ~TwipsGeometry() = default;

private:
    QWidget *m_self;
};

} // namespace Vantrel3
