#include <Vantrel3/mdlGrid.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3::mdlGrid {

namespace {

constexpr int kVatLength = 11;
constexpr int kTaxCodeLength = 16;

// The value of one position, as Val reads the one character there: a digit is itself,
// anything else (or a position past the end) is 0.
int digitAt(const QString &text, int position) {
    if (position > text.size()) {
        return 0;
    }
    const QChar c = text.at(position - 1);
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0'; // what Val gives, without building a string per digit
    }
    return int(vb::Val(QString(c)));
}

// 1-based position of `c` in `table`, or 0.
int positionIn(QLatin1StringView table, QChar c) {
    return int(table.indexOf(c)) + 1;
}

// Each table position is the published value plus one; the fifteen extra ones are taken off
// when the check letter is worked out.
const QLatin1StringView kEvenDigits("0123456789");
const QLatin1StringView kEvenLetters("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QLatin1StringView kOddDigits("10   2 3 4   5 6 7 8 9    ");
const QLatin1StringView kOddLetters("BAKPLCQDREVOSFTGUHMINJWZYX");

} // namespace

qint16 CheckPartitaIva(const QString &text) {
    qint16 sum = 0;
    for (int i = 1; i <= 9; i += 2) {
        sum = qint16(sum + digitAt(text, i));
        const int doubled = 2 * digitAt(text, i + 1);
        sum = qint16(sum + doubled / 10 + doubled % 10);
    }
    const int expected = (10 - sum % 10) % 10;
    return digitAt(text, kVatLength) == expected ? 0 : qint16('0' + expected);
}

qint16 CheckCodiceFiscale(const QString &text) {
    QString code = vb::StrConv(text.left(kTaxCodeLength), 1);
    code = code.leftJustified(kTaxCodeLength, u' ');
    qint16 sum = 0;
    for (int p = 1; p <= 15; ++p) {
        const QChar c = code.at(p - 1);
        const bool even = p % 2 == 0;
        if (c >= u'0' && c <= u'9') {
            sum = qint16(sum + positionIn(even ? kEvenDigits : kOddDigits, c));
        } else if (c >= u'A' && c <= u'Z') {
            sum = qint16(sum + positionIn(even ? kEvenLetters : kOddLetters, c));
        }
    }
    // Truncating remainder: a text with non-alphanumerics can land below 'A' (down to '2').
    const qint16 expected = qint16((sum - 15) % 26 + 65);
    return code.at(kTaxCodeLength - 1).unicode() == char16_t(expected) ? 0 : expected;
}

} // namespace Vantrel3::mdlGrid
