#include "host/twips_geometry.h"

#include <Vantrel3/Twips.h>

#include <QWidget>
#include <algorithm>

namespace Vantrel3 {

qint32 TwipsGeometry::Left() const {
    return Twips::fromPixelsX(m_self, m_self->x());
}

void TwipsGeometry::SetLeft(qint32 twips) {
    m_self->move(Twips::toPixelsX(m_self, twips), m_self->y());
}

qint32 TwipsGeometry::Top() const {
    return Twips::fromPixelsY(m_self, m_self->y());
}

void TwipsGeometry::SetTop(qint32 twips) {
    m_self->move(m_self->x(), Twips::toPixelsY(m_self, twips));
}

qint32 TwipsGeometry::Width() const {
    return Twips::fromPixelsX(m_self, m_self->width());
}

void TwipsGeometry::SetWidth(qint32 twips) {
    m_self->resize(Twips::toPixelsX(m_self, std::max(twips, 0)), m_self->height());
}

qint32 TwipsGeometry::Height() const {
    return Twips::fromPixelsY(m_self, m_self->height());
}

void TwipsGeometry::SetHeight(qint32 twips) {
    m_self->resize(m_self->width(), Twips::toPixelsY(m_self, std::max(twips, 0)));
}

} // namespace Vantrel3
