#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3::vb {

namespace {

// Only these start a new word for proper case: not apostrophes, hyphens, dots or NBSP.
bool separatesWords(QChar c) {
    const char16_t u = c.unicode();
    return u == 0 || u == ' ' || (u >= 9 && u <= 13);
}

} // namespace

QString StrConv(const QString &text, int conversion) {
    if (conversion < 0 || conversion > 3) {
        throw VbError(VbError::InvalidProcedureCall, QStringLiteral("StrConv"));
    }
    if (conversion == 0) {
        return text;
    }
    // Per-character simple mapping, so the length never changes (ß stays ß).
    QString out = text;
    bool wordStart = true;
    for (QChar &c : out) {
        if (conversion == 1 || (conversion == 3 && wordStart)) {
            c = c.toUpper();
        } else {
            c = c.toLower();
        }
        wordStart = separatesWords(c);
    }
    return out;
}

} // namespace Vantrel3::vb
