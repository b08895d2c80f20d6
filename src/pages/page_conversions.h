#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3::pages {

// The classic coercion of a text box's text to a Long or an Integer: surrounding blanks are
// ignored, a fraction rounds half to even. Raises VbError 13 for an empty or non-numeric text
// and 6 when the number does not fit the type.
qint32 LongFromText(const QString &text);
qint16 IntegerFromText(const QString &text);

} // namespace Vantrel3::pages
