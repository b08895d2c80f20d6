#include "styles/cell_style_registry.h"
#include "styles/lookup_codes.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Vantrel3;

namespace {

std::optional<QString> text(const char *s) {
    return QString::fromUtf8(s);
}

} // namespace

TEST(LookupCodes, CodesShowTheirLabelsAndLabelsStoreTheirCodesInTheirOwnCellOnly) {
    LookupCodes codes;
    codes.add(2, 3, QStringLiteral("RM"), QStringLiteral("Roma"));
    codes.add(2, 3, QStringLiteral("RO"), QStringLiteral("Rovigo"));
    codes.add(5, 3, QStringLiteral("MI"), QStringLiteral("Milano"));

    struct Case {
        qint32 row, col;
        const char *text;
        std::optional<QString> label; // the text taken as a code
        std::optional<QString> code;  // the text taken as a label
    } const cases[] = {
        {2, 3, "RM", text("Roma"), std::nullopt},
        {2, 3, "RO", text("Rovigo"), std::nullopt},
        {2, 3, "Roma", std::nullopt, text("RM")},
        // Labels are matched whole and without regard to case; codes exactly.
        {2, 3, "rOMA", std::nullopt, text("RM")},
        {2, 3, "Rom", std::nullopt, std::nullopt},
        {2, 3, "Roma ", std::nullopt, std::nullopt},
        {2, 3, "rm", std::nullopt, std::nullopt},
        // Another cell's items, and the same cell with row and column swapped, are not known.
        {2, 3, "MI", std::nullopt, std::nullopt},
        {5, 3, "Milano", std::nullopt, text("MI")},
        {3, 2, "RM", std::nullopt, std::nullopt},
        {3, 2, "Roma", std::nullopt, std::nullopt},
        {2, 4, "RM", std::nullopt, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col << " " << c.text);
        const QString t = QString::fromUtf8(c.text);
        EXPECT_EQ(codes.labelFor(c.row, c.col, t), c.label);
        EXPECT_EQ(codes.codeFor(c.row, c.col, t), c.code);
        EXPECT_EQ(codes.shownText(c.row, c.col, t), c.label.value_or(t));
        EXPECT_EQ(codes.storedText(c.row, c.col, t), c.code.value_or(t));
    }
}

TEST(LookupCodes, FirstRegisteredWinsAndTheEmptyTextIsNeverTranslated) {
    LookupCodes codes;
    EXPECT_TRUE(codes.isEmpty());
    codes.add(1, 1, QStringLiteral("RM"), QStringLiteral("Roma"));
    codes.add(1, 1, QStringLiteral("RM"), QStringLiteral("Roma Capitale"));
    codes.add(1, 1, QStringLiteral("ROM"), QStringLiteral("ROMA"));
    codes.add(1, 1, QString(), QStringLiteral("Nessuna"));
    codes.add(1, 1, QStringLiteral("VUOTO"), QString());
    EXPECT_FALSE(codes.isEmpty());

    // A second label of the same code, and a label equal but for case, find the first item.
    EXPECT_EQ(codes.labelFor(1, 1, QStringLiteral("RM")), text("Roma"));
    EXPECT_EQ(codes.codeFor(1, 1, QStringLiteral("ROMA")), text("RM"));
    EXPECT_EQ(codes.codeFor(1, 1, QStringLiteral("roma capitale")), text("RM"));
    // The later item still shows its own label for its own code.
    EXPECT_EQ(codes.labelFor(1, 1, QStringLiteral("ROM")), text("ROMA"));
    // An item with an empty code can be picked; an empty cell shows nothing all the same, and a
    // cell left empty stores nothing, whatever item has the empty label.
    EXPECT_EQ(codes.codeFor(1, 1, QStringLiteral("nessuna")), text(""));
    EXPECT_EQ(codes.shownText(1, 1, QString()), QString());
    EXPECT_EQ(codes.storedText(1, 1, QString()), QString());
    EXPECT_EQ(codes.labelFor(1, 1, QStringLiteral("VUOTO")), text(""));
}

TEST(LookupCodes, RegistryListsLabelsInCallOrderAndLeavesPlainItemsUntranslated) {
    CellStyleRegistry registry;
    registry.AddLookUp(0, 1, QStringLiteral("Torino"));
    registry.AddLookUpItem(0, 1, QStringLiteral("RM"), QStringLiteral("Roma"));
    registry.AddLookUp(0, 1, QStringLiteral("Milano"));
    registry.AddLookUpItem(0, 2, QStringLiteral("NA"), QStringLiteral("Napoli"));
    registry.AddLookUp(0, 3, QStringLiteral("Bari"));

    EXPECT_EQ(registry.lookUpItems(1, 0), QStringList({"Torino", "Roma", "Milano"}));
    EXPECT_EQ(registry.lookUpItems(2, 0), QStringList({"Napoli"}));
    ASSERT_EQ(registry.colLookUp().size(), 5u);
    EXPECT_EQ(registry.colLookUp()[0].ItemData, QStringLiteral("Torino"));
    EXPECT_EQ(registry.colLookUp()[0].Code, QStringLiteral("Torino"));
    EXPECT_EQ(registry.colLookUp()[1].ItemData, QStringLiteral("Roma"));
    EXPECT_EQ(registry.colLookUp()[1].Code, QStringLiteral("RM"));

    const LookupCodes &codes = registry.lookUpCodes();
    EXPECT_EQ(registry.shownText(1, 0, QStringLiteral("RM")), QStringLiteral("Roma"));
    EXPECT_EQ(registry.shownText(2, 0, QStringLiteral("RM")), QStringLiteral("RM"));
    EXPECT_EQ(codes.storedText(1, 0, QStringLiteral("ROMA")), QStringLiteral("RM"));
    // AddLookUp's items keep the typed spelling, also beside coded items in the same cell.
    for (const auto &[row, typed] : {std::pair{1, "milano"}, std::pair{3, "bari"}}) {
        SCOPED_TRACE(typed);
        const QString t = QString::fromUtf8(typed);
        EXPECT_EQ(codes.storedText(row, 0, t), t);
        EXPECT_EQ(registry.shownText(row, 0, t), t);
    }
}

TEST(LookupCodes, ManyCellsAnswerFromTheirOwnItems) {
    // One coded item per cell over many rows and a few columns, as a fill would ask for them.
    constexpr qint32 kRows = 100000;
    CellStyleRegistry registry;
    for (qint32 r = 1; r <= kRows; ++r) {
        registry.AddLookUpItem(r % 5, r, QString::number(r), QStringLiteral("L%1").arg(r));
    }
    for (const qint32 r : {7, 32767, 65536, 65537, kRows}) {
        SCOPED_TRACE(r);
        const qint32 c = r % 5;
        EXPECT_EQ(registry.shownText(r, c, QString::number(r)), QStringLiteral("L%1").arg(r));
        EXPECT_EQ(registry.lookUpCodes().storedText(r, c, QStringLiteral("l%1").arg(r)),
                  QString::number(r));
        // The neighbours' codes are theirs only.
        EXPECT_EQ(registry.shownText(r, c, QString::number(r + 1)), QString::number(r + 1));
        EXPECT_EQ(registry.shownText(r, (c + 1) % 5, QString::number(r)), QString::number(r));
        EXPECT_EQ(registry.shownText(c, r, QString::number(r)), QString::number(r));
    }
}
