#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <gtest/gtest.h>

using namespace Vantrel3;

TEST(VbStrConv, UpperLowerAndProperCase) {
    struct Row {
        const char *input;
        int conversion;
        const char *expected;
    };
    const Row rows[] = {
        {"abc EFG hij", 1, "ABC EFG HIJ"},
        {"abc EFG hij", 2, "abc efg hij"},
        {"abc EFG hij", 3, "Abc Efg Hij"},
        {"abc EFG hij", 0, "abc EFG hij"},
        {"MARIO ROSSI", 3, "Mario Rossi"},
        // Only blanks and control characters separate words.
        {"o'neill", 3, "O'neill"},
        {"dell'acqua", 3, "Dell'acqua"},
        {"l'aquila", 3, "L'aquila"},
        {"jean-luc", 3, "Jean-luc"},
        {"via g.verdi", 3, "Via G.verdi"},
        {"3a strada", 3, "3a Strada"},
        {"1abc", 3, "1abc"},
        {"mcDONALD", 3, "Mcdonald"},
        {"(nota) bene", 3, "(nota) Bene"},
        {"a\tb", 3, "A\tB"},
        {"a\r\nb", 3, "A\r\nB"},
        {"a\vb\fc", 3, "A\vB\fC"},
        {"a\u00a0b", 3, "A\u00a0b"},
        {"  doppio  spazio ", 3, "  Doppio  Spazio "},
        // Italian accented letters convert one for one.
        {"perch\u00e9 per\u00f2", 1, "PERCH\u00c9 PER\u00d2"},
        {"perch\u00e9 per\u00f2", 3, "Perch\u00e9 Per\u00f2"},
        {"\u00e0 \u00e8 \u00e9 \u00ec \u00f2 \u00f9", 1,
         "\u00c0 \u00c8 \u00c9 \u00cc \u00d2 \u00d9"},
        {"\u00c0NCORA", 2, "\u00e0ncora"},
        {"\u00c8 VERO", 3, "\u00c8 Vero"},
        {"stra\u00dfe", 1, "STRA\u00dfE"},
        {"mercoled\u00ec 12 maggio 1999", 3, "Mercoled\u00ec 12 Maggio 1999"},
        {"", 1, ""},
        {"", 3, ""},
    };
    for (const Row &row : rows) {
        const QString input = QString::fromUtf8(row.input);
        const QString result = vb::StrConv(input, row.conversion);
        EXPECT_EQ(result, QString::fromUtf8(row.expected))
            << row.input << " with " << row.conversion;
        EXPECT_EQ(result.size(), input.size()) << row.input;
    }
}

TEST(VbStrConv, NulSeparatesWords) {
    const QString input = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    EXPECT_EQ(vb::StrConv(input, 3), QStringLiteral("A") + QChar(0) + QStringLiteral("B"));
}

TEST(VbStrConv, UnknownConversionRaisesError5) {
    for (const int code : {-1, 4, 8, 64}) {
        try {
            vb::StrConv(QStringLiteral("abc"), code);
            ADD_FAILURE() << "no error for " << code;
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), 5);
        }
    }
}
