#include "host/vb_number_format.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>

namespace Vantrel3::vb::detail {

namespace {

// A non-negative decimal: value = 0.d1 d2 ... dn x 10^point; no digits means zero.
struct Decimal {
    char digits[24] = {};
    int length = 0;
    int point = 0;

    bool isZero() const { return length == 0; }
    char at(int index) const { return index >= 0 && index < length ? digits[index] : '0'; }

    void trim() {
        while (length > 0 && digits[length - 1] == '0') {
            --length;
        }
        if (length == 0) {
            point = 0;
        }
    }

    // Keeps `keep` leading digits, rounding half away from zero on the decimal digits.
    void roundTo(int keep) {
        if (keep >= length) {
            return;
        }
        if (keep < 0) {
            length = 0;
            point = 0;
            return;
        }
        const bool up = digits[keep] >= '5';
        length = keep;
        if (up) {
            int k = keep - 1;
            while (k >= 0 && digits[k] == '9') {
                digits[k--] = '0';
            }
            if (k < 0) {
                digits[0] = '1';
                length = 1;
                ++point;
            } else {
                ++digits[k];
            }
        }
        trim();
    }
};

// The classic formatter first reduces a Double to 15 significant digits, so binary noise never
// decides a rounding (2.675 is 2.68, not 2.67).
Decimal decimalOf(double absValue) {
    Decimal d;
    if (absValue == 0.0 || !std::isfinite(absValue)) {
        return d;
    }
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, absValue, std::chars_format::scientific, 14);
    const char *p = buffer;
    d.digits[d.length++] = *p++;
    if (*p == '.') {
        ++p;
    }
    while (p < result.ptr && *p != 'e') {
        d.digits[d.length++] = *p++;
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, exponent);
    d.point = exponent + 1;
    d.trim();
    return d;
}

// E+ and E- start an exponent whatever follows them (digits 1-9 after them stay literals); a bare
// E or e does only when a digit placeholder follows it, and then signs negative exponents only.
bool startsExponent(QStringView s, qsizetype i) {
    if (i + 1 >= s.size()) {
        return false;
    }
    const QChar next = s[i + 1];
    return next == u'+' || next == u'-' || next == u'0' || next == u'#';
}

// With two or more integer places, all of them '#', the exponent is a multiple of their count
// (engineering form, 1 to that many integer digits); otherwise the integer digits fill every
// place. `point` is the Decimal's: the value is 0.d1 d2 ... x 10^point.
int exponentFor(const NumberSection &sec, int point) {
    if (sec.intPlaces >= 2 && sec.firstIntZero < 0) {
        const int scientific = point - 1;
        const int n = sec.intPlaces;
        return scientific >= 0 ? scientific / n * n : -((n - 1 - scientific) / n) * n;
    }
    return point - sec.intPlaces;
}

void appendGrouped(QString &out, char digit, int fromRight, bool grouping, const LocaleInfo &info) {
    out += QChar(char16_t(digit));
    if (grouping && fromRight > 0 && fromRight % 3 == 0) {
        out += info.group;
    }
}

} // namespace

NumberSection compileNumberSection(QStringView s) {
    NumberSection sec;
    sec.empty = s.isEmpty();
    auto literal = [&sec](QStringView text) {
        if (sec.tokens.empty() || sec.tokens.back().part != NumberPart::Literal) {
            sec.tokens.push_back({NumberPart::Literal, {}});
        }
        sec.tokens.back().text += text;
    };
    bool afterPoint = false;
    bool inExponent = false;
    int pendingCommas = 0;
    auto scaleByCommas = [&] {
        sec.scale -= 3 * pendingCommas;
        pendingCommas = 0;
    };
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        qsizetype used = 1;
        if (c == u'"') {
            const qsizetype end = s.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? s.size() : end;
            literal(s.mid(i + 1, stop - i - 1));
            used = stop - i + 1;
        } else if (c == u'\\') {
            if (i + 1 < s.size()) {
                literal(s.mid(i + 1, 1));
            }
            used = 2;
        } else if (c == u'0' || c == u'#') {
            const bool zero = c == u'0';
            if (inExponent) {
                sec.exponentZeros += zero ? 1 : 0;
            } else if (afterPoint) {
                sec.tokens.push_back({zero ? NumberPart::FracZero : NumberPart::FracHash, {}});
                ++sec.fracPlaces;
            } else {
                // A comma between integer placeholders asks for grouping.
                if (pendingCommas > 0) {
                    sec.grouping = true;
                    pendingCommas = 0;
                }
                if (zero && sec.firstIntZero < 0) {
                    sec.firstIntZero = sec.intPlaces;
                }
                sec.tokens.push_back({zero ? NumberPart::IntZero : NumberPart::IntHash, {}});
                ++sec.intPlaces;
            }
        } else if (c == u'.' && !afterPoint && !inExponent) {
            scaleByCommas();
            afterPoint = true;
            sec.tokens.push_back({NumberPart::Point, {}});
        } else if (c == u',' && !afterPoint && !inExponent) {
            // Commas after the last integer placeholder divide by 1000 each.
            if (sec.intPlaces > 0) {
                ++pendingCommas;
            } else {
                sec.grouping = true;
            }
        } else if (c == u'%') {
            sec.scale += 2;
            literal(u"%");
        } else if ((c == u'E' || c == u'e') && !inExponent && startsExponent(s, i)) {
            scaleByCommas();
            inExponent = true;
            sec.scientific = true;
            const bool signWritten = s[i + 1] == u'+' || s[i + 1] == u'-';
            sec.exponentAlwaysSigned = s[i + 1] == u'+';
            sec.tokens.push_back({NumberPart::Exponent, QString(c)});
            used = signWritten ? 2 : 1;
        } else {
            literal(s.mid(i, 1));
        }
        i += used;
    }
    scaleByCommas();
    return sec;
}

void renderNumber(const NumberSection &sec, double value, bool autoSign, const LocaleInfo &info,
                  QString &out) {
    const bool negative = value < 0;
    Decimal d = decimalOf(std::fabs(value));
    if (!d.isZero()) {
        d.point += sec.scale;
    }
    int exponent = 0;
    if (sec.scientific) {
        if (!d.isZero()) {
            exponent = exponentFor(sec, d.point);
            d.roundTo(std::max(1, d.point - exponent + sec.fracPlaces));
            // Rounding that carries into the next power (9.996 -> 10.00) may move the exponent.
            exponent = exponentFor(sec, d.point);
            d.point -= exponent;
        }
    } else {
        d.roundTo(d.point + sec.fracPlaces);
    }

    // Integer digits, padded with zeros as far as the leftmost '0' placeholder asks.
    QVarLengthArray<char, 64> intDigits;
    const int minWidth = sec.firstIntZero < 0 ? 0 : sec.intPlaces - sec.firstIntZero;
    const int significant = std::max(0, d.point);
    for (int k = significant; k < minWidth; ++k) {
        intDigits.append('0');
    }
    for (int k = 0; k < significant; ++k) {
        intDigits.append(d.at(k));
    }
    const int intLength = int(intDigits.size());
    int lastFrac = -1; // last non-zero fraction digit
    for (int k = 0; k < sec.fracPlaces; ++k) {
        if (d.at(d.point + k) != '0') {
            lastFrac = k;
        }
    }

    bool signPending = autoSign && negative;
    int intIndex = 0;
    int fracIndex = 0;
    for (const NumberToken &t : sec.tokens) {
        if (signPending && t.part != NumberPart::Literal) {
            out += info.negative;
            signPending = false;
        }
        switch (t.part) {
        case NumberPart::Literal:
            out += t.text;
            break;
        case NumberPart::IntZero:
        case NumberPart::IntHash: {
            const int fromRight = sec.intPlaces - 1 - intIndex;
            // The leftmost placeholder also takes every digit the format has no room for.
            const int highest = intIndex == 0 ? intLength - 1 : fromRight;
            for (int r = highest; r >= fromRight; --r) {
                if (r < intLength) {
                    appendGrouped(out, intDigits[intLength - 1 - r], r, sec.grouping, info);
                }
            }
            ++intIndex;
            break;
        }
        case NumberPart::Point:
            out += info.decimal;
            break;
        case NumberPart::FracZero:
        case NumberPart::FracHash:
            if (t.part == NumberPart::FracZero || fracIndex <= lastFrac) {
                out += QChar(char16_t(d.at(d.point + fracIndex)));
            }
            ++fracIndex;
            break;
        case NumberPart::Exponent: {
            out += t.text;
            if (exponent < 0) {
                out += u'-';
            } else if (sec.exponentAlwaysSigned) {
                out += u'+';
            }
            const QString digits = QString::number(std::abs(exponent));
            for (qsizetype k = digits.size(); k < sec.exponentZeros; ++k) {
                out += u'0';
            }
            out += digits;
            break;
        }
        }
    }
}

QString generalNumberText(double value, const LocaleInfo &info) {
    const Decimal d = decimalOf(std::fabs(value));
    if (d.isZero()) {
        return QStringLiteral("0");
    }
    QString out;
    if (value < 0) {
        out += info.negative;
    }
    if (d.point >= 16 || d.point <= -11) {
        out += QChar(char16_t(d.digits[0]));
        if (d.length > 1) {
            out += info.decimal;
            for (int k = 1; k < d.length; ++k) {
                out += QChar(char16_t(d.digits[k]));
            }
        }
        const int exponent = d.point - 1;
        out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        if (std::abs(exponent) < 10) {
            out += u'0';
        }
        out += QString::number(std::abs(exponent));
        return out;
    }
    if (d.point <= 0) {
        out += u'0';
        out += info.decimal;
        for (int k = d.point; k < 0; ++k) {
            out += u'0';
        }
    }
    for (int k = 0; k < std::max(d.length, d.point); ++k) {
        if (k == d.point && k > 0) {
            out += info.decimal;
        }
        out += QChar(char16_t(d.at(k)));
    }
    return out;
}

QString currencyText(double value, const LocaleInfo &info) {
    static const NumberSection amount = compileNumberSection(u"#,##0.00");
    QString number;
    renderNumber(amount, value, false, info, number);
    const QString &pattern = value < 0 ? info.currencyNegative : info.currencyPositive;
    QString out;
    for (QChar c : pattern) {
        if (c == QChar(0x00A4)) {
            out += info.currencySymbol;
        } else if (c == u'n') {
            out += number;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace Vantrel3::vb::detail
