#include <Vantrel3/mdlGrid.h>

#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

struct CheckRow {
    const char *text;
    int expected; // 0, or the code of the expected check character
};

} // namespace

TEST(MdlGridPartitaIva, ReturnsZeroOrTheExpectedCheckDigit) {
    const CheckRow rows[] = {
        // odd 1+3+5+7+9 = 25; even 2,4,6,8,0 doubled 4+8+(1+2)+(1+6)+0 = 22; s = 47 -> 3.
        {"12345678903", 0},
        {"12345678901", '3'},
        // 10th digit 6: even 4+8+3+7+(1+2) = 25; s = 50 -> T = 0, check digit 0.
        {"12345678960", 0},
        {"12345678961", '0'},
        // odd 0+6+3+2+5 = 16; even (1+4)+8+(1+0)+0+(1+2) = 17; s = 33 -> 7.
        {"07643520567", 0},
        {"07643520560", '7'},
        // Missing positions count as 0.
        {"0", 0},
        {"", 0},
        {"1234567890", '3'},
        // Characters after the 11th are ignored.
        {"12345678903XYZ", 0},
        // Non-digits count as 0 wherever they are: a blank at 3 drops the 3 from the odd sum
        // (22), so s = 44 -> 6.
        {"12 45678903", '6'},
        {"1234567890X", '3'},
        {"ABCDEFGHIJK", 0},
        // Only the digits at 2 (1), 4 (5) and 6 (3) count, all even: 2 + (1+0) + 6 = 9 -> 1.
        {"-1.5e3&H%$\u20ac!", '1'},
    };
    for (const CheckRow &row : rows) {
        EXPECT_EQ(mdlGrid::CheckPartitaIva(QString::fromUtf8(row.text)), row.expected)
            << "\"" << row.text << "\"";
    }
}

TEST(MdlGridCodiceFiscale, ReturnsZeroOrTheExpectedCheckCharacter) {
    const CheckRow rows[] = {
        // Published values. odd R8 S12 R8 8:19 A1 1:0 5:13 1:0 = 61; even S18 M12 A0 0 0 H7 0
        // = 37; 98 mod 26 = 20 -> U.
        {"RSSMRA80A01H501U", 0},
        {"RSSMRA80A01H501X", 'U'},
        // odd B0 C5 R8 8:19 M18 1:0 2:5 5:13 = 68; even N13 L11 A0 5:5 4:4 F5 0:0 = 38;
        // 106 mod 26 = 2 -> C.
        {"BNCLRA85M41F205C", 0},
        {"BNCLRA85M41F205A", 'C'},
        // odd V10 D7 P3 8:19 R8 0:1 2:5 3:7 = 60; even R17 G6 P15 0:0 1:1 B1 9:9 = 49;
        // 109 mod 26 = 5 -> F.
        {"VRDGPP80R10B293F", 0},
        {"VRDGPP80R10B293Z", 'F'},
        // Lower case passes when its upper-case form does.
        {"rssmra80a01h501u", 0},
        {"Bnclra85m41f205c", 0},
        // Characters after the 16th are ignored.
        {"RSSMRA80A01H501UXYZ", 0},
        {"RSSMRA80A01H501U  ", 0},
        // A 15-character code has a blank where the check letter belongs.
        {"RSSMRA80A01H501", 'U'},
        // Fifteen blanks: s = 0, x = (0 - 15) rem 26 + 65 = 50, the digit 2.
        {"               2", 0},
        {"               3", '2'},
        {"", '2'},
        // A non-alphanumeric adds nothing, not its table's one: the R (table 9) goes, so
        // s = 113 - 9 = 104 and x = (104 - 15) rem 26 + 65 = 76, L.
        {"-SSMRA80A01H501U", 'L'},
        {"-SSMRA80A01H501L", 0},
        // Accented letters are outside A-Z and add nothing, like blanks.
        {"\u00c0\u00c8\u00cc\u00d2\u00d9          2", 0},
        {"@#$%^&*()_+{}|:?", '2'},
    };
    for (const CheckRow &row : rows) {
        EXPECT_EQ(mdlGrid::CheckCodiceFiscale(QString::fromUtf8(row.text)), row.expected)
            << "\"" << row.text << "\"";
    }
}

TEST(MdlGridCodiceFiscale, NeverReturnsZeroForAWrongCode) {
    // Every wrong last character is answered with the right one, itself never 0; the text is
    // compared in upper case, so "u" is right too.
    for (char16_t last = 32; last < 127; ++last) {
        const QString code = QStringLiteral("RSSMRA80A01H501") + QChar(last);
        const qint16 result = mdlGrid::CheckCodiceFiscale(code);
        EXPECT_EQ(result, last == u'U' || last == u'u' ? 0 : 'U') << "last character " << int(last);
    }
}
