#include "pickers/calculator_engine.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Vantrel3;
using Key = CalculatorEngine::Key;
using Kind = CalculatorEngine::KeyKind;

namespace {

// Keys as the user presses them: digits, "." "+" "-" "X" "/" "=" "%" "C" "Ce", and "|" for
// closing and reopening the window (the load steps).
struct KeyRun {
    QStringList displays;
    int divisionsByZero = 0;
};

KeyRun press(CalculatorEngine &engine, const QString &keys) {
    KeyRun run;
    for (const QString &token : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        CalculatorEngine::Outcome outcome = CalculatorEngine::Outcome::Done;
        if (token == QLatin1String("|")) {
            engine.load();
        } else if (token == QLatin1String("C")) {
            outcome = engine.press({Kind::Cancel});
        } else if (token == QLatin1String("Ce")) {
            outcome = engine.press({Kind::CancelEntry});
        } else if (token == QLatin1String(".")) {
            outcome = engine.press({Kind::Decimal});
        } else if (token == QLatin1String("%")) {
            outcome = engine.press({Kind::Percent});
        } else if (token.size() == 1 && token[0].isDigit()) {
            outcome = engine.press({Kind::Number, token[0].digitValue()});
        } else {
            outcome = engine.operatorKey(token);
        }
        if (outcome == CalculatorEngine::Outcome::DivisionByZero) {
            ++run.divisionsByZero;
        }
        run.displays << engine.display();
    }
    return run;
}

QString repeated(const QString &key, int times) {
    QStringList keys;
    for (int i = 0; i < times; ++i) {
        keys << key;
    }
    return keys.join(QLatin1Char(' '));
}

} // namespace

TEST(CalculatorEngine, WorkedSequencesShowEveryDisplay) {
    const struct {
        const char *keys;
        QStringList displays;
        int divisionsByZero;
    } cases[] = {
        {"3 + 4 =", {"3,", "3,", "4,", "7"}, 0},
        {"3 + - 4 =", {"3,", "3,", "-", "-4,", "-1"}, 0},
        {"1 2 . 5", {"1,", "12,", "12,", "12,5"}, 0},
        {"5 0 %", {"5,", "50,", "0,5"}, 0},
        {"1 / 0 =", {"1,", "1,", "0,", "1,"}, 1},
        {"- 5 + 2 =", {"-0,", "-5,", "-5,", "2,", "-3"}, 0},
        {"- - 5", {"-0,", "-0,", "-5,"}, 0},
        {"3 X - . 5 =", {"3,", "3,", "-", "-,", "-,5", "-1,5"}, 0},
        {"1 2 Ce 7", {"1,", "12,", "0,", "7,"}, 0},
        {". . 5", {",", ",", ",5"}, 0},
    };
    for (const auto &c : cases) {
        CalculatorEngine engine;
        const KeyRun run = press(engine, QString::fromLatin1(c.keys));
        EXPECT_EQ(run.displays, c.displays) << c.keys;
        EXPECT_EQ(run.divisionsByZero, c.divisionsByZero) << c.keys;
    }
}

TEST(CalculatorEngine, SequencesEndOnTheExpectedDisplay) {
    const struct {
        QString keys;
        const char *display;
        qint16 operandCount;
    } cases[] = {
        // The last of repeated operators is the pending one.
        {"3 + X 4 =", "12", 1},
        // After = an operator continues from the result, a number starts anew.
        {"3 + 4 = - 2 =", "5", 1},
        {"3 + 4 = 5 + 1 =", "6", 1},
        // Percent replaces the pending operator by "%", which multiplies.
        {"5 0 X 1 0 % =", "5", 1},
        // Percent right after an operator works on the first operand's display.
        {"5 0 X % =", "25", 1},
        // Three percents on a fresh calculator: nothing is computed afterwards.
        {"5 % % % + 2 =", "2,", 4},
        // Two percents right after an operator also take the count past 2.
        {"8 + % % 2 =", "2,", 4},
        // Only C resets the operands; Ce clears only the entry.
        {"3 + Ce 4 =", "7", 1},
        {"3 + C 4 =", "4,", 1},
        // A lone minus reads as 0 when it becomes an operand.
        {"3 + - = 4 =", "-4", 1},
        {"1 / 3 =", "0,333333333333333", 1},
        {"2 / 8 =", "0,25", 1},
        {"1 " + repeated(QStringLiteral("0"), 15) + " X 1 0 =", "1E+16", 1},
        {"1 . 5 X 2 =", "3", 1},
    };
    for (const auto &c : cases) {
        CalculatorEngine engine;
        const KeyRun run = press(engine, c.keys);
        EXPECT_EQ(run.displays.last(), QString::fromLatin1(c.display)) << qPrintable(c.keys);
        EXPECT_EQ(engine.operandCount(), c.operandCount) << qPrintable(c.keys);
    }
}

TEST(CalculatorEngine, OperandsSurviveReopeningUntilC) {
    const struct {
        const char *keys;
        const char *display;
    } cases[] = {
        // The percent key takes an operand without setting the first one, so the next
        // operator multiplies what the earlier opening left as the first operand.
        {"3 + 4 = | 5 % 2 +", "14"},
        {"3 + 4 = C 5 % 2 +", "0"},
        {"5 % 2 +", "0"},
        {"9 + | 1 % 3 =", "27"},
    };
    for (const auto &c : cases) {
        CalculatorEngine engine;
        const KeyRun run = press(engine, QString::fromLatin1(c.keys));
        EXPECT_EQ(run.displays.last(), QString::fromLatin1(c.display)) << c.keys;
    }
}

TEST(CalculatorEngine, LoadResetsOnlyTheEntryState) {
    CalculatorEngine engine;
    press(engine, QStringLiteral("3 + 4 . 5"));
    ASSERT_EQ(engine.operandCount(), 1);
    ASSERT_EQ(engine.pendingOp(), QStringLiteral("+"));
    engine.load();
    EXPECT_EQ(engine.display(), QStringLiteral("0,"));
    EXPECT_FALSE(engine.decimalTyped());
    EXPECT_EQ(engine.operandCount(), 0);
    EXPECT_EQ(engine.lastEntry(), QStringLiteral("NESSUNO"));
    EXPECT_EQ(engine.pendingOp(), QStringLiteral(" "));
    EXPECT_EQ(engine.firstOperandText(), QStringLiteral("3,"));
}

TEST(CalculatorEngine, EntryKindFollowsTheLastKey) {
    const struct {
        const char *keys;
        const char *lastEntry;
        const char *pendingOp;
    } cases[] = {
        {"", "NESSUNO", " "},  {"5", "NUM", " "},   {"5 +", "OP", "+"}, {"-", "NEG", " "},
        {"5 + -", "NEG", "+"}, {"5 Ce", "CE", " "}, {"5 %", "OP", "%"}, {".", "NUM", " "},
    };
    for (const auto &c : cases) {
        CalculatorEngine engine;
        press(engine, QString::fromLatin1(c.keys));
        EXPECT_EQ(engine.lastEntry(), QString::fromLatin1(c.lastEntry)) << c.keys;
        EXPECT_EQ(engine.pendingOp(), QString::fromLatin1(c.pendingOp)) << c.keys;
    }
}

TEST(CalculatorEngine, ResultsPastTheDoubleRangeShowOverflowAndReadAsZero) {
    CalculatorEngine engine;
    const QString huge = repeated(QStringLiteral("9"), 200);
    KeyRun run = press(engine, huge + QStringLiteral(" X ") + huge + QStringLiteral(" ="));
    EXPECT_EQ(run.displays.last(), CalculatorEngine::OverflowText);
    run = press(engine, QStringLiteral("+ 1 ="));
    EXPECT_EQ(run.displays.last(), QStringLiteral("1"));
}

TEST(CalculatorEngine, OperandCountStopsAtTheSixteenBitMaximum) {
    CalculatorEngine engine;
    for (int i = 0; i < 40000; ++i) {
        engine.percent();
    }
    EXPECT_EQ(engine.operandCount(), std::numeric_limits<qint16>::max());
    EXPECT_EQ(engine.operatorKey(QStringLiteral("+")), CalculatorEngine::Outcome::Done);
    EXPECT_EQ(engine.display(), QStringLiteral("0"));
}

TEST(CalculatorEngine, ReadsItalianOperandTexts) {
    const struct {
        const char *text;
        double value;
    } cases[] = {
        {"78,", 78},     {"-5,", -5},  {"12,5", 12.5}, {",5", 0.5},
        {"-,5", -0.5},   {"0,", 0},    {"7", 7},       {"1,5E+20", 1.5e20},
        {"1E-05", 1e-5}, {"-", 0},     {",", 0},       {"-,", 0},
        {"", 0},         {"abc", 0},   {"1.000", 0},   {"1E+999", 0},
        {"Overflow", 0}, {"12,5,", 0}, {"--5", 0},     {"1E", 0},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(CalculatorEngine::readNumber(QString::fromLatin1(c.text)), c.value)
            << c.text;
    }
}

TEST(CalculatorEngine, WritesResultsInTheItalianFormat) {
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {7, "7"},
        {-1, "-1"},
        {0.5, "0,5"},
        {1234.5, "1234,5"},
        {1.0 / 3, "0,333333333333333"},
        {123456789012345, "123456789012345"},
        {1e15, "1E+15"},
        {-2.5e20, "-2,5E+20"},
        {0.0001, "0,0001"},
        {0.00001, "1E-05"},
        {-0.0, "0"},
        {std::numeric_limits<double>::infinity(), "Overflow"},
        {std::nan(""), "Overflow"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CalculatorEngine::numberText(c.value), QString::fromLatin1(c.text)) << c.text;
    }
}

TEST(CalculatorEngine, KeyboardMapsCharactersToKeys) {
    using Command = CalculatorEngine::Command;
    const struct {
        int code;
        Command command;
        Key key;
    } mapped[] = {
        {'0', Command::Press, {Kind::Number, 0}},   {'7', Command::Press, {Kind::Number, 7}},
        {'/', Command::Press, {Kind::Operator, 0}}, {'+', Command::Press, {Kind::Operator, 1}},
        {'*', Command::Press, {Kind::Operator, 2}}, {'-', Command::Press, {Kind::Operator, 3}},
        {'=', Command::Press, {Kind::Operator, 4}}, {'%', Command::Press, {Kind::Percent, 0}},
        {13, Command::Close, {Kind::Number, 0}},    {27, Command::Cancel, {Kind::Number, 0}},
        {',', Command::Press, {Kind::Decimal, 0}},  {'.', Command::Press, {Kind::Decimal, 0}},
    };
    for (const auto &m : mapped) {
        const auto action = CalculatorEngine::keyboardAction(m.code);
        ASSERT_TRUE(action.has_value()) << m.code;
        EXPECT_EQ(action->command, m.command) << m.code;
        if (m.command == Command::Press) {
            EXPECT_EQ(action->key, m.key) << m.code;
        }
    }
    for (int code : {int(';'), int('c'), int('C'), int('x'), int('X'), 8, 32}) {
        EXPECT_FALSE(CalculatorEngine::keyboardAction(code).has_value()) << code;
    }
    EXPECT_EQ(CalculatorEngine::operatorCaption(2), QStringLiteral("X"));
}
