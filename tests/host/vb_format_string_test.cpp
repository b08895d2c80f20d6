#include "host/vb_test_locale.h"

#include <Vantrel3/vbruntime.h>

#include <gtest/gtest.h>

using namespace Vantrel3;
using vbtest::FormatRow;
using vbtest::text;

TEST(VbFormatString, PlaceholdersFillFromTheRightUnlessForcedLeft) {
    vbtest::expectFormatInBothLocales({
        {text("testing"), "@@@@@@@@", " testing"},
        {text("testing"), "&&&&&&&&", "testing"},
        {text("123"), "!@@@@@", "123  "},
        {text("123"), "!&&&&&", "123"},
        {text("5551234567"), "(@@@) @@@-@@@@", "(555) 123-4567"},
        {text("12"), "(@@@)", "( 12)"},
        {text("12"), "!(@@@)", "(12 )"},
        // Characters beyond the placeholders go at the end.
        {text("testing"), "\\x@\\x@", "xtxesting"},
        {text("testing"), "@x", "txesting"},
    });
}

TEST(VbFormatString, CaseMarkers) {
    vbtest::expectFormatInBothLocales({
        {text("HELLO"), "<", "hello"},
        {text("This is it"), ">", "THIS IS IT"},
        {text("VBA"), "<", "vba"},
        {text("vba"), ">", "VBA"},
        {text("Mario"), ">@@@@@@@", "  MARIO"},
        {text("perch\u00e9 cos\u00ec"), ">", "PERCH\u00c9 COS\u00cc"},
        {text("stra\u00dfe"), ">", "STRA\u00dfE"},
        {text("Mario"), "\"x\"<", "xmario"},
    });
}

TEST(VbFormatString, SecondSectionIsForEmptyTextAndNull) {
    vbtest::expectFormatInBothLocales({
        {text(""), "@;\"(vuoto)\"", "(vuoto)"},
        {QVariant::fromValue(nullptr), "@;\"(vuoto)\"", "(vuoto)"},
        {text("x"), "@;\"(vuoto)\"", "x"},
        {QVariant::fromValue(nullptr), "@", ""},
    });
}

TEST(VbFormatString, NumbersAndDatesBecomeTextFirst) {
    vbtest::expectFormatInBothLocales({
        {1.5, "@", "1,5", "1.5"},
        {1, "<&>&", "1"},
        {-2.25, "@@@@@@", " -2,25", " -2.25"},
        {QDate(1999, 5, 12), "@", "12/05/1999", "5/12/1999"},
    });
}
