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

QString pasted(qint32 dataType, qint32 caseType, const QString &text) {
    if (dataType == Numeric && vb::IsNumeric(text.trimmed())) {
        return text.trimmed();
    }
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const bool pair =
            ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qint16 code = KeyCodes::keyAsciiFromChar(ch);
        if (accepts(dataType, code) && !ch.isLowSurrogate()) {
            out += pair ? text.mid(i, 2)
                        : QString(KeyCodes::charFromKeyAscii(convertCase(caseType, code)));
        }
        if (pair) {
            ++i;
        }
    }
    return out;
}

} // namespace Vantrel3::TypingFilter
