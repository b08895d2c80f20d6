#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

namespace Vantrel3 {

// The calculator's arithmetic, without widgets: it works on display texts in the Italian number
// format (decimal comma) and keeps its operands across openings of the window.
class CalculatorEngine {
public:
    enum class KeyKind { Number, Operator, Decimal, Percent, Cancel, CancelEntry };
    struct Key {
        KeyKind kind;
        int index = 0; // the digit of a Number key, the index of an Operator key
        friend bool operator==(const Key &, const Key &) = default;
    };
    enum class Outcome { Done, DivisionByZero };

    // What a key press of the keyboard does besides the keypad.
    enum class Command { Press, Close, Cancel };
    struct KeyboardAction {
        Command command;
        Key key{KeyKind::Number, 0};
    };

    // Operator(0..4): "/", "+", "X", "-", "=".
    static QString operatorCaption(int index);
    // The form-level keyboard map, by character code; nothing for unmapped characters.
    static std::optional<KeyboardAction> keyboardAction(int characterCode);

    // Shown when a result falls outside the range of a double; it reads back as 0.
    static const QString OverflowText;

    // Reads an operand text; a text that does not read as a finite number counts as 0.
    static double readNumber(const QString &text);
    // Up to 15 significant digits, decimal comma, no grouping, E notation from 1E+15 and below
    // 1E-4.
    static QString numberText(double value);

    CalculatorEngine();

    // The steps run each time the window is created; the operands are kept.
    void load();
    Outcome press(const Key &key);

    void digit(int d);
    void decimalPoint();
    Outcome operatorKey(const QString &op);
    void percent();
    void cancelEntry();
    void cancel();

    QString display() const { return m_display; }
    bool decimalTyped() const { return m_decimalTyped; }
    qint16 operandCount() const { return m_operandCount; }
    // "NESSUNO", "NUM", "OP", "NEG" or "CE".
    QString lastEntry() const;
    QString pendingOp() const { return m_pendingOp; }
    QString readoutAtOp() const { return m_readoutAtOp; }
    QString firstOperandText() const { return operandText(m_firstOperand); }

private:
    enum class Entry { None, Number, Operator, Negative, Cleared };
    // A classic variant: empty until first set, then a text or a number.
    using Operand = std::variant<std::monostate, QString, double>;

    static double operandValue(const Operand &operand);
    static QString operandText(const Operand &operand);
    void countOperand();

    Operand m_firstOperand;
    Operand m_secondOperand;
    bool m_decimalTyped = false;
    qint16 m_operandCount = 0;
    Entry m_lastEntry = Entry::None;
    QString m_pendingOp = QStringLiteral(" ");
    QString m_readoutAtOp;
    QString m_display;
};

} // namespace Vantrel3
