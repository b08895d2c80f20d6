#pragma once

#include "host/vb_locale_info.h"

#include <QStringView>
#include <string>

namespace Vantrel3::vb::detail {

// A number as the classic reader found it in a text.
struct ReadNumber {
    bool negative = false;
    std::string digits; // significant digits, ASCII, no leading zeros
    int exponent = 0;   // value = digits x 10^exponent
    bool radix = false; // &H / &O: the bit pattern is in `bits`, sign and digits unused
    quint64 bits = 0;
};

// The locale-aware reader behind IsNumeric, CDbl/CInt of a text and Format of a numeric text.
// The whole text must be consumed.
bool readNumber(QStringView text, const LocaleInfo &info, ReadNumber &out);

// A Double keeps 32-bit patterns up to 7FFFFFFF positive and reads larger ones as a signed Long.
double toDouble(const ReadNumber &number);

// Reads a text as a finite Double; false when it does not read or overflows.
bool textToDouble(QStringView text, const LocaleInfo &info, double &value);

} // namespace Vantrel3::vb::detail
