#include "pages/page_conversions.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <cmath>

namespace Vantrel3::pages {

qint32 LongFromText(const QString &text) {
    const double number = vb::CDbl(QVariant(text));
    // FE_TONEAREST: exact halves go to the even neighbour, as the classic conversion does.
    const double rounded = std::nearbyint(number);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw VbError(VbError::Overflow, QStringLiteral("CLng"));
    }
    return qint32(rounded);
}

qint16 IntegerFromText(const QString &text) {
    return vb::CInt(QVariant(text));
}

} // namespace Vantrel3::pages
