#include "host/vb_string_format.h"
#include "host/vb_format_literal.h"

namespace Vantrel3::vb::detail {

StringSection compileStringSection(QStringView s) {
    StringSection sec;
    sec.empty = s.isEmpty();
    auto literal = [&sec](QStringView text) {
        if (sec.tokens.empty() || sec.tokens.back().part != StringPart::Literal) {
            sec.tokens.push_back({StringPart::Literal, {}});
        }
        sec.tokens.back().text += text;
    };
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        qsizetype used = 1;
        if (const FormatLiteral lit = formatLiteralAt(s, i); lit.used > 0) {
            if (lit.text) {
                literal(*lit.text);
            }
            i += lit.used;
            continue;
        }
        switch (c.unicode()) {
        case '@':
            sec.tokens.push_back({StringPart::Char, {}});
            ++sec.placeholders;
            break;
        case '&':
            sec.tokens.push_back({StringPart::CharOrNothing, {}});
            ++sec.placeholders;
            break;
        case '<':
            sec.caseMode = 1;
            break;
        case '>':
            sec.caseMode = 2;
            break;
        case '!':
            sec.leftToRight = true;
            break;
        default:
            literal(s.mid(i, 1));
            break;
        }
        i += used;
    }
    return sec;
}

QString renderString(const StringSection &sec, const QString &input) {
    QString text = input;
    if (sec.caseMode != 0) {
        for (QChar &c : text) {
            c = sec.caseMode == 1 ? c.toLower() : c.toUpper();
        }
    }
    const qsizetype length = text.size();
    // Placeholders fill from the right by default, so a short text is padded on the left;
    // characters beyond the placeholders go at the end.
    const qsizetype missing =
        sec.leftToRight ? 0 : std::max<qsizetype>(0, sec.placeholders - length);
    QString out;
    out.reserve(length + sec.placeholders);
    qsizetype slot = 0;
    qsizetype next = 0;
    for (const StringToken &t : sec.tokens) {
        if (t.part == StringPart::Literal) {
            out += t.text;
            continue;
        }
        const bool filled = slot >= missing && next < length;
        if (filled) {
            out += text.at(next++);
        } else if (t.part == StringPart::Char) {
            out += u' ';
        }
        ++slot;
    }
    if (next < length) {
        out += QStringView(text).mid(next);
    }
    return out;
}

} // namespace Vantrel3::vb::detail
