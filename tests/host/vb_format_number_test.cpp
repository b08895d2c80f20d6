#include "host/vb_test_locale.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <gtest/gtest.h>

#include <limits>

using namespace Vantrel3;
using vbtest::FormatRow;
using vbtest::text;

TEST(VbFormatNumber, UserDefinedPatternsUseTheLocaleSeparators) {
    vbtest::expectFormatInBothLocales({
        {5459.4, "##,##0.00", "5.459,40", "5,459.40"},
        {334.9, "###0.00", "334,90", "334.90"},
        {5, "0.00%", "500,00%", "500.00%"},
        {23.675, "00.00", "23,68", "23.68"},
        {2658, "00.00", "2658,00", "2658.00"},
        {12345.25, "#,###.##", "12.345,25", "12,345.25"},
        {2345.25, "$#,###.##", "$2.345,25", "$2,345.25"},
        {0.25, "##.###\\%", ",25%", ".25%"},
        {17, "#000", "017"},
        {1, "0,000,000,000", "0.000.000.001", "0,000,000,001"},
        {123456789, "#,#.#", "123.456.789,", "123,456,789."},
        {1234567.891, "#,##0.00", "1.234.567,89", "1,234,567.89"},
        {-1234.5, "#,##0.00", "-1.234,50", "-1,234.50"},
        {1234.5, "0.0 \"kg\"", "1234,5 kg", "1234.5 kg"},
        {0.075, "0.0%", "7,5%", "7.5%"},
        {42, "000", "042"},
        {1e20, "0", "100000000000000000000"},
        {1234, "##-##", "12-34"},
        {12345, "#-##", "123-45"},
    });
}

TEST(VbFormatNumber, RoundsHalfAwayFromZeroOnFifteenDigits) {
    vbtest::expectFormatInBothLocales({
        {2.5, "0", "3"},
        {3.5, "0", "4"},
        {-2.5, "0", "-3"},
        {0.5, "0", "1"},
        {0.125, "0.00", "0,13", "0.13"},
        {1.005, "0.00", "1,01", "1.01"},
        {2.675, "0.00", "2,68", "2.68"},
        {9.9999999, "#0.000000", "10,000000", "10.000000"},
        {0.1 + 0.2, "0.0000000000000000", "0,3000000000000000", "0.3000000000000000"},
        // A value that rounds to zero keeps its sign.
        {-0.4, "0", "-0"},
    });
}

TEST(VbFormatNumber, HashPlaceholdersDropInsignificantDigits) {
    vbtest::expectFormatInBothLocales({
        {0, "#", ""},
        {0, "#.#", ",", "."},
        {1, "#.#", "1,", "1."},
        {0.0049, "#.##", ",", "."},
        {0.17, "#.00", ",17", ".17"},
        {-0.1, ".#", "-,1", "-.1"},
        {1.5, "#.0#", "1,5", "1.5"},
        {1.25, "#.0#", "1,25", "1.25"},
    });
}

TEST(VbFormatNumber, OtherCharactersAreLiterals) {
    vbtest::expectFormatInBothLocales({
        {1, "00\\c\\o\\p\\y", "01copy"},
        {17, "#3", "173"},
        {1, "##abcdefghijklmnopqrstuvwxyz", "1abcdefghijklmnopqrstuvwxyz"},
        {5, "(0)", "(5)"},
    });
}

TEST(VbFormatNumber, SectionsChoosePositiveNegativeZeroAndNull) {
    vbtest::expectFormatInBothLocales({
        {5, "$#,##0;($#,##0)", "$5"},
        {-5, "$#,##0;($#,##0)", "($5)"},
        {0, "$#,##0;;\\Z\\e\\r\\o", "Zero"},
        {-5, "$#,##0;;\\Z\\e\\r\\o", "$-5"},
        {-5, "0;0", "5"},
        {0, "\"pos\";\"neg\"", "pos"},
        {-1, "\"pos\";\"neg\"", "neg"},
        // Zero is judged before rounding.
        {0.001, "0;-0;\"zero\"", "0"},
        {0, "0.00;-0.00;\"zero\"", "zero"},
        {-1234.5, "#,##0.00;(#,##0.00)", "(1.234,50)", "(1,234.50)"},
        {QVariant::fromValue(nullptr), "0;0;0;\"null\"", "null"},
        {QVariant::fromValue(nullptr), "0.00", ""},
    });
}

TEST(VbFormatNumber, ScientificAndScaling) {
    vbtest::expectFormatInBothLocales({
        {1.73245, "0.0000E+000", "1,7325E+000", "1.7325E+000"},
        {1.7, "0.0000E-000", "1,7000E000", "1.7000E000"},
        {47.11, ".0000E+0", ",4711E+2", ".4711E+2"},
        {0.000123, "0.00E+00", "1,23E-04", "1.23E-04"},
        {0.000123, "0.00E-00", "1,23E-04", "1.23E-04"},
        {9.999, "0.00E+00", "1,00E+01", "1.00E+01"},
        {0, "0.00E+00", "0,00E+00", "0.00E+00"},
        {100000000, "##0,,", "100"},
        {1234567, "#,##0,", "1.235", "1,235"},
    });
}

TEST(VbFormatNumber, ExponentPatterns) {
    vbtest::expectFormatInBothLocales({
        // One integer place: one digit before the point, any exponent.
        {12345, "0.00E+00", "1,23E+04", "1.23E+04"},
        {1234, "0.00E-00", "1,23E03", "1.23E03"},
        {0.5, "0.0E+0", "5,0E-1", "5.0E-1"},
        {0.5, "0.0E-0", "5,0E-1", "5.0E-1"},
        {-0.000456, "0.00e+00", "-4,56e-04", "-4.56e-04"},
        {1e300, "0.0E+0", "1,0E+300", "1.0E+300"},
        {100.0001, "0.0000E+0", "1,0000E+2", "1.0000E+2"},
        // Digits other than 0 and # after E+ or E- are literals; the exponent keeps one digit.
        {1.7, "0.0000e-1", "1,7000e01", "1.7000e01"},
        {1000001, "0.0000e+1", "1,0000e+61", "1.0000e+61"},
        // '0' after the E sets the least number of exponent digits, '#' adds none.
        {1.7, "0.0000e+0#", "1,7000e+0", "1.7000e+0"},
        {1.5, "0.0E#", "1,5E0", "1.5E0"},
        {1234, "0.00 E-##", "1,23 E3", "1.23 E3"},
        // A bare E followed by a placeholder signs only a negative exponent.
        {0.00015, "0.0E0", "1,5E-4", "1.5E-4"},
        {15000, "0.0e#", "1,5e4", "1.5e4"},
        // Several integer places holding a '0': the digits fill every place.
        {86.936849, "#0.000000000000e-000", "86,936849000000e000", "86.936849000000e000"},
        {450.0001e+43, "#000.0000e+0", "4500,0010e+42", "4500.0010e+42"},
        {0.0001e-11, "##00.0000e-0", "1000,0000e-18", "1000.0000e-18"},
        {0.0317e-11, "0000.0000e-0", "3170,0000e-16", "3170.0000e-16"},
        {0.0021e-11, "00##.0000e-0", "2100,0000e-17", "2100.0000e-17"},
        {0.00123, "##0.0E+0", "123,0E-5", "123.0E-5"},
        // Several integer places, all '#': engineering form, the exponent a multiple of their
        // count and one to that many integer digits.
        {1098.37555, "###.####E#", "1,0984E3", "1.0984E3"},
        {123456.789, "###E0", "123E3", "123E3"},
        {-123456.789, "###.###E+0", "-123,457E+3", "-123.457E+3"},
        {12.5, "###.0E+0", "12,5E+0", "12.5E+0"},
        {0.00123, "###.##E-0", "1,23E-3", "1.23E-3"},
        {0.000123, "###.##E+00", "123,E-06", "123.E-06"},
        {3.0401e-13, "#####.####e-0%", "30401,e-15%", "30401.e-15%"},
        {1234567.89, "##.##E+0", "1,23E+6", "1.23E+6"},
        {12345678.9, "##.##E+0", "12,35E+6", "12.35E+6"},
        // Rounding that carries into the next power moves the exponent on.
        {9.999, "0.00E+00", "1,00E+01", "1.00E+01"},
        {999.96, "###.0E0", "1,0E3", "1.0E3"},
        {999999, "###E+0", "1E+6", "1E+6"},
        {-99.96, "#0.0E+0", "-10,0E+1", "-10.0E+1"},
        // Zero keeps exponent 0 and the placeholders' usual zero rules.
        {0, "0.00E+00", "0,00E+00", "0.00E+00"},
        {0, "0.0E-0", "0,0E0", "0.0E0"},
        {0, "#.##E+00", ",E+00", ".E+00"},
        // A section of its own for negatives writes no automatic sign.
        {-1234, "0.0E+0;(0.0E+0)", "(1,2E+3)", "(1.2E+3)"},
        // E not followed by a sign or a placeholder is a literal.
        {5, "0E", "5E"},
        {5, "0 Ex", "5 Ex"},
    });
}

TEST(VbFormatNumber, NamedFormats) {
    vbtest::expectFormatInBothLocales({
        {1234.5, "General Number", "1234,5", "1234.5"},
        {562486.2356, "General Number", "562486,2356", "562486.2356"},
        {1234.5, "Currency", "\u20ac 1.234,50", "$1,234.50"},
        {-1234.5, "Currency", "-\u20ac 1.234,50", "($1,234.50)"},
        {1234.5, "Fixed", "1234,50", "1234.50"},
        {0.2, "Fixed", "0,20", "0.20"},
        {1234.5, "Standard", "1.234,50", "1,234.50"},
        {562486.2356, "Standard", "562.486,24", "562,486.24"},
        {1234.5, "Percent", "123450,00%", "123450.00%"},
        {0.7521, "Percent", "75,21%", "75.21%"},
        {1, "Percent", "100,00%", "100.00%"},
        {1234.5, "Scientific", "1,23E+03", "1.23E+03"},
        {-3456.789, "Scientific", "-3,46E+03", "-3.46E+03"},
        {1, "Scientific", "1,00E+00", "1.00E+00"},
        {23, "Yes/No", "Yes"},
        {0, "Yes/No", "No"},
        {-1, "True/False", "True"},
        {0, "True/False", "False"},
        {0.5, "On/Off", "On"},
        {0, "On/Off", "Off"},
        {1234.5, "standard", "1.234,50", "1,234.50"},
        {1234.5, "GENERAL NUMBER", "1234,5", "1234.5"},
    });
}

TEST(VbFormatNumber, WithoutFormatNumbersReadLikeStrWithTheLocaleDecimal) {
    vbtest::expectFormatInBothLocales({
        {23, "", "23"},
        {1234.5, "", "1234,5", "1234.5"},
        {-0.5, "", "-0,5", "-0.5"},
        {0.1 + 0.2, "", "0,3", "0.3"},
        {1e15, "", "1E+15"},
        {123456789012345.0, "", "123456789012345"},
        {5.6789e-11, "", "0,000000000056789", "0.000000000056789"},
        {5.6789e-12, "", "5,6789E-12", "5.6789E-12"},
        {-2.5e20, "", "-2,5E+20", "-2.5E+20"},
        {true, "", "True"},
        {false, "", "False"},
        {QVariant(), "", ""},
        {text("abc"), "", "abc"},
        {text("1234,5"), "", "1234,5"},
    });
}

TEST(VbFormatNumber, NumericTextIsReadInTheLocale) {
    vbtest::expectFormatInBothLocales({
        {text("1234,5"), "#,##0.00", "1.234,50", "12,345.00"},
        {text("1234.5"), "#,##0.00", "12.345,00", "1,234.50"},
        {text("6,90"), "###,##0.00", "6,90", "690.00"},
        {text("1.234,56 \u20ac"), "0.00", "1234,56", "1.234,56 \u20ac"},
        {text(" 42 "), "000", "042"},
        {text("(5)"), "000", "-005"},
        {text("1e3"), "000", "1000"},
        {text("&H1F"), "0", "31"},
        {text("1234,5"), "General Number", "1234,5", "12345"},
        {text("0"), "Yes/No", "No"},
    });
}

TEST(VbFormatNumber, TextThatIsNotANumberComesBackUnchanged) {
    vbtest::expectFormatInBothLocales({
        {text("abc"), "#,##0.00", "abc"},
        {text("12/05/1999"), "#,##0.00", "12/05/1999"},
        {text(""), "0.00", ""},
        {text("abc"), "Currency", "abc"},
        {text("abc"), "Yes/No", "abc"},
        {text("1e400"), "0", "1e400"},
    });
}

TEST(VbFormatNumber, DatesAndBooleansFormatAsTheirNumbers) {
    const vbtest::RuntimeLocale pinned(vbtest::american());
    EXPECT_EQ(vb::Format(QDateTime(QDate(1999, 5, 12), QTime(12, 0)), "0.00"), "36292.50");
    EXPECT_EQ(vb::Format(QDate(1899, 12, 29), "0"), "-1");
    EXPECT_EQ(vb::Format(true, "0"), "-1");
    EXPECT_EQ(vb::Format(qint64(-9007199254740993), ""), "-9007199254740993");
}

TEST(VbFormatNumber, LongFormatsAreCutAt257Characters) {
    const vbtest::RuntimeLocale pinned(vbtest::american());
    const QString format = QString(256, u'0') + QStringLiteral("\"tail\"");
    EXPECT_EQ(vb::Format(1, format), QString(255, u'0') + QStringLiteral("1"));
}

TEST(VbFormatNumber, OutOfRangeWeekArgumentsRaiseError5) {
    for (const auto &[day, week] : {std::pair{-1, 1}, {8, 1}, {1, -1}, {1, 4}}) {
        try {
            vb::Format(1, "0", day, week);
            ADD_FAILURE() << "no error for " << day << ", " << week;
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), 5);
        }
    }
}

TEST(VbFormatNumber, FollowsTheLocaleGivenExplicitly) {
    const vbtest::RuntimeLocale pinned(vbtest::american());
    EXPECT_EQ(vb::Format(1234.5, "#,##0.00", 1, 1, vbtest::italian()), "1.234,50");
    EXPECT_EQ(vb::Format(1234.5, "#,##0.00"), "1,234.50");
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(vb::Format(1234.5, "#,##0.00", 1, 1, german), "1.234,50");
    EXPECT_EQ(vb::Format(text("1.234,5"), "0.00", 1, 1, german), "1234,50");
}

TEST(VbFormatNumber, RuntimeLocaleStartsOnTheSystemLocale) {
    // Every test that pins the runtime locale restores it, so the start value is still there.
    EXPECT_EQ(vb::locale(), QLocale::system());
    {
        const vbtest::RuntimeLocale pinned(vbtest::italian());
        EXPECT_EQ(vb::locale(), vbtest::italian());
    }
    EXPECT_EQ(vb::locale(), QLocale::system());
}
