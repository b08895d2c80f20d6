#pragma once

#include "host/vb_locale_info.h"

#include <QStringView>
#include <vector>

namespace Vantrel3::vb::detail {

enum class NumberPart : quint8 { Literal, IntZero, IntHash, Point, FracZero, FracHash, Exponent };

struct NumberToken {
    NumberPart part = NumberPart::Literal;
    QString text; // literal text, or the exponent letter as written
};

// One section of a user-defined number format ("#,##0.00", "0.00E+00", "$#,##0").
struct NumberSection {
    std::vector<NumberToken> tokens;
    int intPlaces = 0;
    int firstIntZero = -1; // index of the first integer '0' placeholder
    int fracPlaces = 0;
    bool grouping = false;
    int scale = 0; // power of ten applied before rounding: +2 per '%', -3 per scaling comma
    bool scientific = false;
    bool exponentAlwaysSigned = false; // E+ rather than E- or a bare E
    int exponentZeros = 0;             // '0's after the E: the exponent's least digit count
    bool empty = true;
};

NumberSection compileNumberSection(QStringView section);

// Writes |value| through the section; the minus sign only when `autoSign` and value < 0.
void renderNumber(const NumberSection &section, double value, bool autoSign, const LocaleInfo &info,
                  QString &out);

// 15 significant digits, locale decimal, E notation from 1E+15 and below 1E-11.
QString generalNumberText(double value, const LocaleInfo &info);

QString currencyText(double value, const LocaleInfo &info);

} // namespace Vantrel3::vb::detail
