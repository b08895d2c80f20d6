#include "editing/typing_filter.h"

#include "host/key_codes.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3::TypingFilter {

bool inTypingRange(qint16 keyAscii) {
    return keyAscii >= 31 || keyAscii < 0;
}

bool accepts(qint32 dataType, qint16 keyAscii) {
    const QChar ch = KeyCodes::charFromKeyAscii(keyAscii);
    switch (dataType) {
    case Numeric:
    case PartitaIva:
        return vb::IsNumeric(QString(ch));
    case Date:
        return (ch >= u'0' && ch <= u'9') || ch == u'/';
    case Time:
        return (ch >= u'0' && ch <= u'9') || ch == u':';
    default:
        return true;
    }
}

qint16 convertCase(qint32 caseType, qint16 keyAscii) {
    if (keyAscii == 0) {
        return 0;
    }
    const QChar ch = KeyCodes::charFromKeyAscii(keyAscii);
    switch (caseType) {
    case UpperCase:
        return KeyCodes::keyAsciiFromChar(ch.toUpper());
    case LowerCase:
        return KeyCodes::keyAsciiFromChar(ch.toLower());
    default:
        return keyAscii;
    }
}

} // namespace Vantrel3::TypingFilter
