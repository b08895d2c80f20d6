#include "host/vb_test_locale.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace Vantrel3;
using vbtest::text;

TEST(VbIsNumeric, TextReadsWithTheLocaleSeparators) {
    struct Row {
        const char *input;
        bool italian;
        bool american;
    };
    const Row rows[] = {
        {"53", true, true},
        {"459.95", true, true},
        {"45 Help", false, false},
        {"", false, false},
        {" ", false, false},
        {"-", false, false},
        {"+", false, false},
        {".", false, false},
        {",", false, false},
        {"()", false, false},
        {"+123", true, true},
        {"-123", true, true},
        {" 12 ", true, true},
        {"\t12", true, true},
        {"1.234,56", true, false},
        {"1,234.56", false, true},
        {"1.234.567", true, false},
        {"1,2,3", false, true},
        {"1,", true, true},
        {"1.", true, true},
        {"1,,000", false, true},
        {",1,000", false, false},
        {",5", true, false},
        {".5", false, true},
        {"\u20ac 1.234,56", true, false},
        {"1.234,56 \u20ac", true, false},
        {"$1,000", false, true},
        {"$11", false, true},
        {"(5)", true, true},
        {"(5", false, false},
        {"5)", false, false},
        {"5-", true, true},
        {"5+", true, true},
        {"-5-", false, false},
        {"--5", false, false},
        {"+5+", false, false},
        {"- 5", true, true},
        {" + 5", true, true},
        {"1e5", true, true},
        {"1E-5", true, true},
        {"1e+05", true, true},
        {"1e", false, false},
        {"e5", false, false},
        {"1e5.5", false, false},
        {"1d5", false, false},
        {"1e400", false, false},
        {"&H1F", true, true},
        {"&hff", true, true},
        {"&O17", true, true},
        {"&H", false, false},
        {"&HZZ", false, false},
        {"&O9", false, false},
        {"0x1F", false, false},
        {"5%", false, false},
        {"12/05/1999", false, false},
        {"\u0661\u0662", false, false},
        {"\uff11\uff12", false, false},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(vb::IsNumeric(text(row.input), vbtest::italian()), row.italian)
            << "it_IT: \"" << row.input << "\"";
        EXPECT_EQ(vb::IsNumeric(text(row.input), vbtest::american()), row.american)
            << "en_US: \"" << row.input << "\"";
    }
}

TEST(VbIsNumeric, OneCharacterPassesOnlyForDigits) {
    const vbtest::RuntimeLocale pinned(vbtest::italian());
    for (char16_t c = 32; c < 256; ++c) {
        const bool digit = c >= '0' && c <= '9';
        EXPECT_EQ(vb::IsNumeric(QString(QChar(c))), digit) << "character " << int(c);
    }
}

TEST(VbIsNumeric, NonTextValues) {
    const vbtest::RuntimeLocale pinned(vbtest::american());
    EXPECT_TRUE(vb::IsNumeric(42));
    EXPECT_TRUE(vb::IsNumeric(1.5));
    EXPECT_TRUE(vb::IsNumeric(true));
    EXPECT_TRUE(vb::IsNumeric(QVariant()));
    EXPECT_FALSE(vb::IsNumeric(QVariant::fromValue(nullptr)));
    EXPECT_FALSE(vb::IsNumeric(QDate(1999, 5, 12)));
}

TEST(VbVal, ReadsTheLongestNumericPrefixWithADot) {
    struct Row {
        const char *input;
        double expected;
    };
    const Row rows[] = {
        {"2457", 2457},     {" 2 45 7", 2457},
        {"24 and 57", 24},  {"    1615 198th Street N.E.", 1615198},
        {"&HFFFF", -1},     {"1 2 3", 123},
        {"1,5", 1},         {"1.234,56", 1.234},
        {"12/05/1999", 12}, {"3a strada", 3},
        {"a3", 0},          {"", 0},
        {" ", 0},           {"-", 0},
        {".", 0},           {"$5", 0},
        {".5", 0.5},        {"-.5", -0.5},
        {"1.2.3", 1.2},     {"- 5", -5},
        {"+7", 7},          {"1e3", 1000},
        {"1D2", 100},       {"1e", 1},
        {"2.5E-1x", 0.25},  {"&H1F", 31},
        {"&O17", 15},       {"&H8000", -32768},
        {"&H10000", 65536}, {"&HFFFFFFFF", -1},
        {"&", 0},           {"50%", 50},
        {"7", 7},           {"X", 0},
        {"\t1\n2", 12},
    };
    for (const Row &row : rows) {
        EXPECT_DOUBLE_EQ(vb::Val(QString::fromUtf8(row.input)), row.expected) << row.input;
    }
}

TEST(VbVal, FractionWithAnIntegerTypeSuffixIsATypeMismatch) {
    for (const char *input : {"50.5%", "1.5&", "1e2%"}) {
        try {
            vb::Val(QString::fromUtf8(input));
            ADD_FAILURE() << "no error for " << input;
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), VbError::TypeMismatch) << input;
        }
    }
}

TEST(VbCInt, RoundsHalfToEvenAndChecksTheRange) {
    struct Row {
        QVariant value;
        int italian;
        int american;
    };
    const Row rows[] = {
        {0.5, 0, 0},
        {-0.5, 0, 0},
        {1.5, 2, 2},
        {-1.5, -2, -2},
        {2.5, 2, 2},
        {3.5, 4, 4},
        {0.6, 1, 1},
        {-0.6, -1, -1},
        {36.5, 36, 36},
        {-36.5, -36, -36},
        {-36.75, -37, -37},
        {2345.5678, 2346, 2346},
        {10.51, 11, 11},
        {-1.9, -2, -2},
        {32767.49, 32767, 32767},
        {-32768.5, -32768, -32768},
        {text("&H75FF"), 30207, 30207},
        {text("&H754"), 1876, 1876},
        {text("&HFFFF"), -1, -1},
        {text("&H8000"), -32768, -32768},
        {text("1,5"), 2, 15},
        {text("2,5"), 2, 25},
        {text("1.5"), 15, 2},
        {text(" 12 "), 12, 12},
        {text("(3)"), -3, -3},
        {text("1e3"), 1000, 1000},
        {true, -1, -1},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(vb::CInt(row.value, vbtest::italian()), row.italian)
            << row.value.toString().toStdString();
        EXPECT_EQ(vb::CInt(row.value, vbtest::american()), row.american)
            << row.value.toString().toStdString();
    }
}

TEST(VbCInt, ErrorsForOverflowAndText) {
    struct Row {
        QVariant value;
        int error;
    };
    const Row rows[] = {
        {32767.5, VbError::Overflow},         {-32768.51, VbError::Overflow},
        {32768, VbError::Overflow},           {text("&H10000"), VbError::Overflow},
        {text("abc"), VbError::TypeMismatch}, {text(""), VbError::TypeMismatch},
    };
    for (const Row &row : rows) {
        try {
            vb::CInt(row.value, vbtest::american());
            ADD_FAILURE() << "no error for " << row.value.toString().toStdString();
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), row.error) << row.value.toString().toStdString();
        }
    }
}

TEST(VbCDbl, ReadsTextInTheLocale) {
    EXPECT_DOUBLE_EQ(vb::CDbl(text("1.234,5"), vbtest::italian()), 1234.5);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("1,234.5"), vbtest::american()), 1234.5);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("&HFFFF"), vbtest::american()), 65535);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("&HFFFFFFFF"), vbtest::american()), -1);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("5-"), vbtest::american()), -5);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("\u20ac 3"), vbtest::italian()), 3);
    EXPECT_THROW(vb::CDbl(text("$3"), vbtest::italian()), VbError);
    EXPECT_THROW(vb::CDbl(text("1e400"), vbtest::american()), VbError);
}
