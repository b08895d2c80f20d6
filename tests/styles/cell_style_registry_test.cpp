#include "styles/cell_style_registry.h"

#include <Vantrel3/VbError.h>

#include <gtest/gtest.h>
#include <optional>

using namespace Vantrel3;

namespace {

struct AppliedStyle {
    CellStyleState state;
    std::optional<qint32> maxLength;
};

AppliedStyle apply(const CellStyleRegistry &registry, qint32 row, qint32 col,
                   const CellStyleState &before = {}) {
    AppliedStyle result{before, std::nullopt};
    registry.ApplyCellStyle(row, col, result.state, [&](qint32 v) { result.maxLength = v; });
    return result;
}

} // namespace

TEST(CellStyleRegistry, ColumnModesFirstForPlacementLastForApplyCellStyle) {
    CellStyleRegistry registry;
    registry.ColEditMode(2, 10, 1, 3, 1, QStringLiteral("dd/mm/yyyy"));
    registry.ColEditMode(5, 4, 0, 2, 0, QString());
    registry.ColEditMode(2, 20, 2, 2, 2, QStringLiteral("#,##0.00"));

    ASSERT_NE(registry.firstColumnMode(2), nullptr);
    EXPECT_EQ(registry.firstColumnMode(2)->DataType, 3);
    EXPECT_EQ(registry.firstColumnMode(2)->MaxLen, 10);
    EXPECT_EQ(registry.firstColumnMode(2)->ButtonStyle, 1);
    EXPECT_EQ(registry.lastColumnMode(2)->DataType, 2);
    EXPECT_EQ(registry.lastColumnMode(2)->ButtonStyle, 2);
    EXPECT_EQ(registry.firstColumnMode(5), registry.lastColumnMode(5));
    EXPECT_EQ(registry.firstColumnMode(3), nullptr);

    // ApplyCellStyle takes the last; the column's MaxLen is not applied.
    const AppliedStyle applied = apply(registry, 1000, 2);
    EXPECT_EQ(applied.state.CurDataType, 2);
    EXPECT_EQ(applied.state.CurCustomFormat, QStringLiteral("#,##0.00"));
    EXPECT_FALSE(applied.maxLength.has_value());
}

TEST(CellStyleRegistry, CellRecordsFirstRegisteredWins) {
    CellStyleRegistry registry;
    registry.AddEditStyle(1, 4, 8, 2, 1, QStringLiteral("0.00"));
    registry.AddEditStyle(1, 4, 30, 3, 2, QStringLiteral("dd/mm"));
    registry.AddEditStyle(4, 1, 5, 4, 0, QString()); // row and column swapped: another cell
    registry.AddButton(1, 4, 0);
    registry.AddButton(1, 4, 2);
    registry.AddButton(4, 1, 1);

    struct Case {
        qint32 row, col;
        qint16 maxLen, dataFormat;
        qint16 buttonStyle;
    } const cases[] = {{4, 1, 8, 2, 0}, {1, 4, 5, 4, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col);
        const clsEdit *edit = registry.firstEditStyle(c.row, c.col);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->MaxLen, c.maxLen);
        EXPECT_EQ(edit->DataFormat, c.dataFormat);
        const clsButtons *button = registry.firstButton(c.row, c.col);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Style, c.buttonStyle);
    }
    EXPECT_EQ(registry.firstEditStyle(4, 4), nullptr);
    EXPECT_EQ(registry.firstButton(1, 1), nullptr);
    // Duplicates stay in the lists, in call order.
    ASSERT_EQ(registry.colEdit().size(), 3u);
    EXPECT_EQ(registry.colEdit()[1].MaxLen, 30);
    ASSERT_EQ(registry.colButtons().size(), 3u);
    EXPECT_EQ(registry.colButtons()[1].Style, 2);
}

TEST(CellStyleRegistry, LookUpItemsKeepCallOrderAndDuplicates) {
    CellStyleRegistry registry;
    registry.AddLookUp(3, 2, QStringLiteral("Roma"));
    registry.AddLookUp(3, 3, QStringLiteral("Milano"));
    registry.AddLookUp(3, 2, QStringLiteral("Rovigo;Rimini"));
    registry.AddLookUp(3, 2, QStringLiteral("Roma"));

    struct Case {
        qint32 row, col;
        QStringList items;
    } const cases[] = {
        {2, 3, {"Roma", "Rovigo;Rimini", "Roma"}},
        {3, 3, {"Milano"}},
        {3, 2, {}},
        {-1, 3, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col);
        EXPECT_EQ(registry.lookUpItems(c.row, c.col), c.items);
    }
    EXPECT_EQ(registry.colLookUp().size(), 4u);
}

TEST(CellStyleRegistry, ApplyCellStyleCombinesColumnAndCell) {
    CellStyleRegistry registry;
    registry.ColEditMode(1, 12, 1, 3, 1, QStringLiteral("dd/mm/yyyy"));
    registry.ColEditMode(1, 12, 1, 4, 2, QStringLiteral("hh:mm"));
    registry.AddEditStyle(1, 2, 6, 2, 0, QStringLiteral("0.0"));
    registry.AddEditStyle(1, 3, 0, 0, 0, QString()); // DataType omitted
    registry.AddEditStyle(7, 7, 9, 1, 3, QStringLiteral("@"));
    registry.AddEditStyle(1, 2, 99, 5, 1, QStringLiteral("ignored"));

    CellStyleState previous;
    previous.CurDataType = 6;
    previous.CurCaseType = 3;
    previous.CurCustomFormat = QStringLiteral("before");
    previous.CellHasList = true;
    previous.CellHasCalculator = true;

    struct Case {
        qint32 row, col;
        qint32 dataType, caseType;
        QString format;
        std::optional<qint32> maxLength;
    } const cases[] = {
        {2, 1, 2, 0, QStringLiteral("0.0"), 6},     // the cell's first style over the column
        {3, 1, 0, 0, QString(), 0},                 // an omitted data type is 0, not the column's
        {4, 1, 4, 2, QStringLiteral("hh:mm"), {}},  // the last column mode only
        {7, 7, 1, 3, QStringLiteral("@"), 9},       // a cell style with no column mode
        {2, 2, 6, 3, QStringLiteral("before"), {}}, // no record: nothing changes
        {-5, 100000, 6, 3, QStringLiteral("before"), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col);
        const AppliedStyle applied = apply(registry, c.row, c.col, previous);
        EXPECT_EQ(applied.state.CurDataType, c.dataType);
        EXPECT_EQ(applied.state.CurCaseType, c.caseType);
        EXPECT_EQ(applied.state.CurCustomFormat, c.format);
        EXPECT_EQ(applied.maxLength, c.maxLength);
        // The popup flags are never touched.
        EXPECT_TRUE(applied.state.CellHasList);
        EXPECT_FALSE(applied.state.CellHasCalendar);
        EXPECT_TRUE(applied.state.CellHasCalculator);
    }

    CellStyleState state;
    registry.ApplyCellStyle(2, 1, state, nullptr); // no length setter: the style still loads
    EXPECT_EQ(state.CurDataType, 2);
    state.reset();
    EXPECT_EQ(state.CurDataType, 0);
    EXPECT_TRUE(state.CurCustomFormat.isEmpty());
}

TEST(CellStyleRegistry, NarrowedArgumentsOutsideIntegerRangeOverflowAndAddNothing) {
    using Call = std::function<void(CellStyleRegistry &, qint32)>;
    struct Case {
        const char *argument;
        Call call;
    } const cases[] = {
        {"ColEditMode MaxLen", [](auto &r, qint32 v) { r.ColEditMode(1, v, 0, 0, 0, {}); }},
        {"ColEditMode ButtonStyle", [](auto &r, qint32 v) { r.ColEditMode(1, 0, v, 0, 0, {}); }},
        {"ColEditMode CaseType", [](auto &r, qint32 v) { r.ColEditMode(1, 0, 0, 0, v, {}); }},
        {"AddEditStyle MaxLen", [](auto &r, qint32 v) { r.AddEditStyle(1, 1, v, 0, 0, {}); }},
        {"AddEditStyle DataType", [](auto &r, qint32 v) { r.AddEditStyle(1, 1, 0, v, 0, {}); }},
        {"AddEditStyle CaseType", [](auto &r, qint32 v) { r.AddEditStyle(1, 1, 0, 0, v, {}); }},
        {"AddButton iStyle", [](auto &r, qint32 v) { r.AddButton(1, 1, v); }},
    };
    const auto recordCount = [](const CellStyleRegistry &r) {
        return r.colGrid().size() + r.colEdit().size() + r.colButtons().size();
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.argument);
        CellStyleRegistry registry;
        for (const qint32 bad : {32768, -32769, 100000}) {
            try {
                c.call(registry, bad);
                ADD_FAILURE() << "no error for " << bad;
            } catch (const VbError &e) {
                EXPECT_EQ(e.Number(), 6);
            }
        }
        EXPECT_EQ(recordCount(registry), 0u);
        for (const qint32 edge : {-32768, 32767}) {
            EXPECT_NO_THROW(c.call(registry, edge));
        }
        EXPECT_EQ(recordCount(registry), 2u);
    }

    CellStyleRegistry registry;
    registry.ColEditMode(4, 0, 0, 100000, 0, {}); // the column's data type stays 32-bit
    ASSERT_NE(registry.firstColumnMode(4), nullptr);
    EXPECT_EQ(registry.firstColumnMode(4)->DataType, 100000);
    registry.AddEditStyle(4, 1, -1, -32768, 32767, {});
    EXPECT_EQ(registry.firstEditStyle(1, 4)->MaxLen, -1);
    EXPECT_EQ(registry.firstEditStyle(1, 4)->DataFormat, -32768);
    EXPECT_EQ(registry.firstEditStyle(1, 4)->CaseFormat, 32767);
}

TEST(CellStyleRegistry, LargeRegistryAnswersLookUpsByIndex) {
    constexpr qint32 kCells = 50000;
    CellStyleRegistry registry;
    // 200,000 records, far past any 16-bit counter: cell (r, r % 7) gets one edit style, one
    // button and two lookup items; every column gets two column modes.
    for (qint32 r = 0; r < kCells; ++r) {
        registry.AddEditStyle(r % 7, r, r % 100, 1, 0, {});
        registry.AddLookUp(r % 7, r, QString::number(r));
    }
    for (qint32 r = 0; r < kCells; ++r) {
        registry.AddButton(r % 7, r, 1);
        registry.AddLookUp(r % 7, r, QStringLiteral("again"));
    }
    for (qint32 c = 0; c < 7; ++c) {
        registry.ColEditMode(c, 0, 0, c, 0, {});
        registry.ColEditMode(c, 0, 0, c + 10, 0, {});
    }

    for (const qint32 r : {0, 1, 32767, 32768, 40001, kCells - 1}) {
        SCOPED_TRACE(r);
        const qint32 c = r % 7;
        ASSERT_NE(registry.firstEditStyle(r, c), nullptr);
        EXPECT_EQ(registry.firstEditStyle(r, c)->MaxLen, r % 100);
        EXPECT_EQ(registry.firstButton(r, c)->Style, 1);
        EXPECT_EQ(registry.lookUpItems(r, c), QStringList({QString::number(r), "again"}));
        EXPECT_EQ(registry.firstEditStyle(r, (c + 1) % 7), nullptr);
        const AppliedStyle applied = apply(registry, r, c);
        EXPECT_EQ(applied.state.CurDataType, 1);
        EXPECT_EQ(applied.maxLength, r % 100);
    }
    EXPECT_EQ(registry.lastColumnMode(6)->DataType, 16);
    EXPECT_EQ(registry.firstColumnMode(6)->DataType, 6);
}
