#include "host/vb_number_reader.h"

#include "host/vb_value.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace Vantrel3::vb::detail {

namespace {

constexpr int kExponentCap = 100000;

int radixDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if (u >= 'A' && u <= 'F') {
        return u - 'A' + 10;
    }
    if (u >= 'a' && u <= 'f') {
        return u - 'a' + 10;
    }
    return -1;
}

bool readRadix(QStringView s, qsizetype &i, ReadNumber &out) {
    const int base = s[i + 1].toUpper() == u'H' ? 16 : 8;
    const int shift = base == 16 ? 4 : 3;
    i += 2;
    int count = 0;
    quint64 bits = 0;
    for (; i < s.size(); ++i) {
        const int digit = radixDigit(s[i]);
        if (digit < 0 || digit >= base) {
            break;
        }
        if (bits > (std::numeric_limits<quint64>::max() >> shift)) {
            return false;
        }
        bits = (bits << shift) | quint64(digit);
        ++count;
    }
    out.radix = true;
    out.bits = bits;
    return count > 0;
}

} // namespace

bool readNumber(QStringView s, const LocaleInfo &info, ReadNumber &out) {
    out = ReadNumber{};
    const qsizetype n = s.size();
    qsizetype i = 0;
    bool plus = false;
    bool minus = false;
    bool currency = false;
    bool open = false;
    bool decimal = false;
    auto currencyAt = [&](qsizetype at) -> qsizetype {
        const QString &symbol = info.currencySymbol;
        if (symbol.isEmpty() || currency || !s.mid(at).startsWith(symbol)) {
            return 0;
        }
        return symbol.size();
    };
    auto isMinus = [&](QChar c) { return c == u'-' || c == info.negative; };

    while (i < n) {
        const QChar c = s[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == u'+' && !plus) {
            plus = true;
            ++i;
        } else if (isMinus(c) && !minus) {
            minus = true;
            ++i;
        } else if (c == u'(' && !open) {
            open = true;
            ++i;
        } else if (const qsizetype len = currencyAt(i)) {
            currency = true;
            i += len;
        } else if (c == info.decimal) {
            decimal = true;
            ++i;
            break;
        } else {
            break;
        }
    }

    if (!currency && !decimal && i + 1 < n && s[i] == u'&' &&
        (s[i + 1].toUpper() == u'H' || s[i + 1].toUpper() == u'O')) {
        if (!readRadix(s, i, out)) {
            return false;
        }
        bool closed = false;
        for (; i < n; ++i) {
            if (s[i] == u')' && open && !closed) {
                closed = true;
            } else if (!isBlank(s[i])) {
                return false;
            }
        }
        return open == closed;
    }

    int digitCount = 0;
    int exponent = 0;
    auto takeDigit = [&](QChar c, bool fraction) {
        ++digitCount;
        if (fraction) {
            --exponent;
        }
        if (c != u'0' || !out.digits.empty()) {
            out.digits.push_back(char(c.unicode()));
        }
    };
    if (!decimal) {
        while (i < n) {
            if (isAsciiDigit(s[i])) {
                takeDigit(s[i], false);
            } else if (!(s[i] == info.group && digitCount > 0)) {
                break;
            }
            ++i;
        }
        if (i < n && s[i] == info.decimal) {
            decimal = true;
            ++i;
        }
    }
    if (decimal) {
        while (i < n && isAsciiDigit(s[i])) {
            takeDigit(s[i++], true);
        }
    }
    if (digitCount == 0) {
        return false;
    }

    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) {
            negativeExponent = s[i] == u'-';
            ++i;
        }
        int value = 0;
        int count = 0;
        while (i < n && isAsciiDigit(s[i])) {
            value = std::min(kExponentCap, value * 10 + (s[i].unicode() - '0'));
            ++count;
            ++i;
        }
        if (count == 0) {
            return false;
        }
        exponent += negativeExponent ? -value : value;
    }

    bool trailingSign = false;
    bool closed = false;
    while (i < n) {
        const QChar c = s[i];
        if (isBlank(c) || c == info.group) {
            ++i;
        } else if ((c == u'+' || isMinus(c)) && !plus && !minus && !trailingSign) {
            trailingSign = true;
            minus = isMinus(c);
            ++i;
        } else if (c == u')' && open && !closed) {
            closed = true;
            ++i;
        } else if (const qsizetype len = currencyAt(i)) {
            currency = true;
            i += len;
        } else {
            return false;
        }
    }
    if (open != closed) {
        return false;
    }
    out.negative = minus || open;
    out.exponent = exponent;
    return true;
}

double toDouble(const ReadNumber &number) {
    if (number.radix) {
        if (number.bits <= 0x7FFFFFFFu) {
            return double(number.bits);
        }
        if (number.bits <= 0xFFFFFFFFu) {
            return double(qint32(quint32(number.bits)));
        }
        return double(number.bits);
    }
    if (number.digits.empty()) {
        return number.negative ? -0.0 : 0.0;
    }
    std::string text = number.digits;
    text += 'e';
    text += std::to_string(number.exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = number.exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return number.negative ? -value : value;
}

bool textToDouble(QStringView text, const LocaleInfo &info, double &value) {
    ReadNumber number;
    if (!readNumber(text, info, number)) {
        return false;
    }
    value = toDouble(number);
    return std::isfinite(value);
}

} // namespace Vantrel3::vb::detail

namespace Vantrel3::vb {

using namespace detail;

bool IsNumeric(const QVariant &expression, const QLocale &locale) {
    const Value value = classify(expression);
    switch (value.kind) {
    case ValueKind::Empty:
    case ValueKind::Boolean:
    case ValueKind::Integer:
    case ValueKind::Number:
        return true;
    case ValueKind::Null:
    case ValueKind::Date:
        return false;
    case ValueKind::String:
        break;
    }
    double number = 0.0;
    return textToDouble(value.text, localeInfo(locale), number);
}

double CDbl(const QVariant &expression, const QLocale &locale) {
    const Value value = classify(expression);
    switch (value.kind) {
    case ValueKind::Null:
        throw VbError(94, QStringLiteral("CDbl"), QStringLiteral("Invalid use of Null"));
    case ValueKind::String: {
        ReadNumber number;
        if (!readNumber(value.text, localeInfo(locale), number)) {
            throw VbError(VbError::TypeMismatch, QStringLiteral("CDbl"));
        }
        const double result = toDouble(number);
        if (!std::isfinite(result)) {
            throw VbError(VbError::Overflow, QStringLiteral("CDbl"));
        }
        return result;
    }
    default:
        return value.number;
    }
}

qint16 CInt(const QVariant &expression, const QLocale &locale) {
    const Value value = classify(expression);
    double number = value.number;
    if (value.kind == ValueKind::Null) {
        throw VbError(94, QStringLiteral("CInt"), QStringLiteral("Invalid use of Null"));
    }
    if (value.kind == ValueKind::String) {
        ReadNumber read;
        if (!readNumber(value.text, localeInfo(locale), read)) {
            throw VbError(VbError::TypeMismatch, QStringLiteral("CInt"));
        }
        if (read.radix) {
            // An Integer reads 16-bit patterns as signed, wider ones as a signed Long.
            if (read.bits <= 0xFFFFu) {
                return qint16(quint16(read.bits));
            }
            number =
                read.bits <= 0xFFFFFFFFu ? double(qint32(quint32(read.bits))) : double(read.bits);
        } else {
            number = toDouble(read);
        }
    }
    // FE_TONEAREST: exact halves go to the even neighbour.
    const double rounded = std::nearbyint(number);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        throw VbError(VbError::Overflow, QStringLiteral("CInt"));
    }
    return qint16(rounded);
}

} // namespace Vantrel3::vb
