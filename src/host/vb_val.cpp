#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <charconv>
#include <cmath>
#include <string>

namespace Vantrel3::vb {

namespace {

bool isDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// &H / &O: 16-bit patterns are signed Integers, 32-bit ones signed Longs.
double radixValue(const QString &s) {
    const int base = s.at(1).toUpper() == u'H' ? 16 : 8;
    quint64 bits = 0;
    for (qsizetype i = 2; i < s.size(); ++i) {
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(s.at(i).toUpper());
        if (digit < 0 || digit >= base || bits >> 60) {
            break;
        }
        bits = bits * quint64(base) + quint64(digit);
    }
    if (bits <= 0xFFFFu) {
        return qint16(quint16(bits));
    }
    if (bits <= 0xFFFFFFFFu) {
        return qint32(quint32(bits));
    }
    return double(bits);
}

} // namespace

double Val(const QString &text) {
    // Blanks, tabs and line feeds do not count anywhere in the text.
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n') {
            s += c;
        }
    }
    if (s.size() >= 2 && s.at(0) == u'&' &&
        (s.at(1).toUpper() == u'H' || s.at(1).toUpper() == u'O')) {
        return radixValue(s);
    }

    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s.at(i) == u'-' || s.at(i) == u'+')) {
        negative = s.at(i) == u'-';
        ++i;
    }
    std::string number;
    int digits = 0;
    bool point = false;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (isDigit(c)) {
            number += char(c.unicode());
            ++digits;
        } else if (c == u'.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (digits == 0) {
        return 0.0;
    }
    bool exponent = false;
    if (i < s.size() && QStringLiteral("eEdD").contains(s.at(i))) {
        qsizetype j = i + 1;
        std::string part = "e";
        if (j < s.size() && (s.at(j) == u'-' || s.at(j) == u'+')) {
            part += char(s.at(j).unicode());
            ++j;
        }
        const qsizetype firstDigit = j;
        while (j < s.size() && isDigit(s.at(j))) {
            part += char(s.at(j++).unicode());
        }
        if (j > firstDigit) {
            number += part;
            exponent = true;
            i = j;
        }
    }
    // A type suffix: % (Integer) and & (Long) cannot follow a number with a fraction.
    if (i < s.size() && (s.at(i) == u'%' || s.at(i) == u'&') && (point || exponent)) {
        throw VbError(VbError::TypeMismatch, QStringLiteral("Val"));
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range && value == 0.0 && exponent &&
        number.find("e-") == std::string::npos) {
        throw VbError(VbError::Overflow, QStringLiteral("Val"));
    }
    return negative ? -value : value;
}

} // namespace Vantrel3::vb
