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
    case Decimal:
        return (ch >= u'0' && ch <= u'9') || ch == u'-' ||
               ch == vb::locale().decimalPoint().front();
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

bool fitsText(qint32 dataType, qint16 keyAscii, const QString &text, qint32 selStart,
              qint32 selLength) {
    if (dataType != Decimal) {
        return true;
    }
    const QChar ch = KeyCodes::charFromKeyAscii(keyAscii);
    const QString kept = text.left(selStart) + text.mid(selStart + selLength);
    if (ch == u'-') {
        return selStart == 0 && !kept.contains(u'-');
    }
    if (ch == vb::locale().decimalPoint().front()) {
        return !kept.contains(ch) && !(selStart == 0 && kept.startsWith(u'-'));
    }
    // Nothing goes before the minus sign.
    return !(selStart == 0 && kept.startsWith(u'-'));
}

QString pasted(qint32 dataType, qint32 caseType, const QString &text) {
    if ((dataType == Numeric || dataType == Decimal) && vb::IsNumeric(text.trimmed())) {
        return text.trimmed();
    }
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const bool pair =
            ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qint16 code = KeyCodes::keyAsciiFromChar(ch);
        if (accepts(dataType, code) && !ch.isLowSurrogate() &&
            fitsText(dataType, code, out, qint32(out.size()), 0)) {
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
