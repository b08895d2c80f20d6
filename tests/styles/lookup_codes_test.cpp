#include "styles/cell_style_registry.h"
#include "styles/lookup_codes.h"

#include <gtest/gtest.h>

using namespace Vantrel3;

TEST(LookupCodes, CodesShowLabelsAndLabelsStoreCodesInTheirOwnCellOnly) {
    LookupCodes codes;
    codes.add(2, 3, QStringLiteral("RM"), QStringLiteral("Roma"));
    codes.add(5, 3, QStringLiteral("MI"), QStringLiteral("Milano"));
    struct Case {
        qint32 row, col;
        const char *text, *shown, *stored;
    } const cases[] = {
        {2, 3, "RM", "Roma", "RM"},
        // Labels match whole and without regard to case; codes exactly.
        {2, 3, "rOMA", "rOMA", "RM"},
        {2, 3, "Rom", "Rom", "Rom"},
        {2, 3, "rm", "rm", "rm"},
        // Another cell's items, and the cell with row and column swapped, are not known.
        {2, 3, "Milano", "Milano", "Milano"},
        {3, 2, "RM", "RM", "RM"},
        {3, 2, "Roma", "Roma", "Roma"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const QString t = QString::fromUtf8(c.text);
        EXPECT_EQ(codes.shownText(c.row, c.col, t), QString::fromUtf8(c.shown));
        EXPECT_EQ(codes.storedText(c.row, c.col, t), QString::fromUtf8(c.stored));
    }
}

TEST(LookupCodes, FirstRegisteredWinsAndTheEmptyTextIsNeverTranslated) {
    LookupCodes codes;
    codes.add(1, 1, QStringLiteral("RM"), QStringLiteral("Roma"));
    codes.add(1, 1, QStringLiteral("RM"), QStringLiteral("Roma Capitale"));
    codes.add(1, 1, QStringLiteral("ROM"), QStringLiteral("ROMA"));
    codes.add(1, 1, QString(), QStringLiteral("Nessuna"));
    codes.add(1, 1, QStringLiteral("VUOTO"), QString());
    EXPECT_EQ(codes.labelFor(1, 1, QStringLiteral("RM")), QStringLiteral("Roma"));
    EXPECT_EQ(codes.codeFor(1, 1, QStringLiteral("roma")), QStringLiteral("RM"));
    EXPECT_EQ(codes.labelFor(1, 1, QStringLiteral("ROM")), QStringLiteral("ROMA"));
    // The empty code can be picked by its label, yet an empty cell shows nothing and a cell
    // left empty stores nothing.
    EXPECT_EQ(codes.codeFor(1, 1, QStringLiteral("NESSUNA")), QString());
    EXPECT_EQ(codes.labelFor(1, 1, QString()), std::nullopt);
    EXPECT_EQ(codes.codeFor(1, 1, QString()), std::nullopt);
}

TEST(LookupCodes, ACellLeftAsItShowedKeepsItsRawTextAndAChangedOneStoresTheCode) {
    LookupCodes codes;
    codes.add(1, 1, QStringLiteral("RM"), QStringLiteral("Roma"));
    codes.add(1, 1, QStringLiteral("RO"), QStringLiteral("Rovigo"));
    struct Case {
        const char *raw, *left, *stored;
    } const cases[] = {
        {"RM", "Roma", "RM"},
        {"RO", "roma", "RM"},
        {"RO", "Roma", "RM"},
        // A label held as plain text, left as it showed, is no change to a code.
        {"Rovigo", "Rovigo", "Rovigo"},
        {"Rovigo", "rovigo", "RO"},
        {"", "", ""},
        {"RM", "Rom", "Rom"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.raw << " -> " << c.left);
        EXPECT_EQ(codes.storedOnLeave(1, 1, QString::fromUtf8(c.raw), QString::fromUtf8(c.left)),
                  QString::fromUtf8(c.stored));
    }
}

TEST(LookupCodes, RegistryListsLabelsInCallOrderAndTranslatesNoPlainItem) {
    CellStyleRegistry registry;
    registry.AddLookUp(0, 1, QStringLiteral("Torino"));
    registry.AddLookUpItem(0, 1, QStringLiteral("RM"), QStringLiteral("Roma"));
    registry.AddLookUp(0, 1, QStringLiteral("Milano"));
    EXPECT_EQ(registry.lookUpItems(1, 0), QStringList({"Torino", "Roma", "Milano"}));
    ASSERT_EQ(registry.colLookUp().size(), 3u);
    EXPECT_EQ(registry.colLookUp()[0].Code, QStringLiteral("Torino"));
    EXPECT_EQ(registry.colLookUp()[1].Code, QStringLiteral("RM"));
    EXPECT_EQ(registry.shownText(1, 0, QStringLiteral("RM")), QStringLiteral("Roma"));
    EXPECT_EQ(registry.shownText(2, 0, QStringLiteral("RM")), QStringLiteral("RM"));
    // AddLookUp's items keep the typed spelling, also beside coded items.
    EXPECT_EQ(registry.lookUpCodes().storedText(1, 0, QStringLiteral("milano")),
              QStringLiteral("milano"));
}
