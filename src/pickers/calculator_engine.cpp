#include "pickers/calculator_engine.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace Vantrel3 {

namespace {

const QString kZeroDisplay = QStringLiteral("0,");
const QString kEntryMark = QStringLiteral(",");
const QString kNegativeEntryMark = QStringLiteral("-,");

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Checks the shape [-]digits[,digits][E[+|-]digits] with at least one mantissa digit, and writes
// it with a point for the C locale.
bool toPlainNumber(const QString &text, QString &plain) {
    int i = 0;
    const int n = int(text.size());
    plain.clear();
    if (i < n && text[i] == QLatin1Char('-')) {
        plain += QLatin1Char('-');
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        plain += text[i++];
        ++mantissaDigits;
    }
    if (i < n && text[i] == QLatin1Char(',')) {
        plain += QLatin1Char('.');
        ++i;
        while (i < n && isDigit(text[i])) {
            plain += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        plain += QLatin1Char('e');
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            plain += text[i++];
        }
        int exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            plain += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == n;
}

} // namespace

const QString CalculatorEngine::OverflowText = QStringLiteral("Overflow");

QString CalculatorEngine::operatorCaption(int index) {
    static const char *const captions[] = {"/", "+", "X", "-", "="};
    if (index < 0 || index > 4) {
        return {};
    }
    return QString::fromLatin1(captions[index]);
}

std::optional<CalculatorEngine::KeyboardAction> CalculatorEngine::keyboardAction(int code) {
    const auto press = [](KeyKind kind, int index = 0) {
        return KeyboardAction{Command::Press, Key{kind, index}};
    };
    if (code >= '0' && code <= '9') {
        return press(KeyKind::Number, code - '0');
    }
    switch (code) {
    case 13:
        return KeyboardAction{Command::Close, {}};
    case 27:
        return KeyboardAction{Command::Cancel, {}};
    case '/':
        return press(KeyKind::Operator, 0);
    case '+':
        return press(KeyKind::Operator, 1);
    case '*':
        return press(KeyKind::Operator, 2);
    case '-':
        return press(KeyKind::Operator, 3);
    case '=':
        return press(KeyKind::Operator, 4);
    case '%':
        return press(KeyKind::Percent);
    // Both separators: the comma of the Italian display and the point of other keyboards.
    case ',':
    case '.':
        return press(KeyKind::Decimal);
    default:
        return std::nullopt;
    }
}

double CalculatorEngine::readNumber(const QString &text) {
    QString plain;
    if (!toPlainNumber(text, plain)) {
        return 0.0;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QString CalculatorEngine::numberText(double value) {
    if (!std::isfinite(value)) {
        return OverflowText;
    }
    if (value == 0.0) {
        value = 0.0; // no "-0"
    }
    // 'g' switches to E notation exactly where the classic conversion does.
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

CalculatorEngine::CalculatorEngine() {
    load();
}

void CalculatorEngine::load() {
    m_decimalTyped = false;
    m_operandCount = 0;
    m_lastEntry = Entry::None;
    m_pendingOp = QStringLiteral(" ");
    m_display = kZeroDisplay;
}

CalculatorEngine::Outcome CalculatorEngine::press(const Key &key) {
    switch (key.kind) {
    case KeyKind::Number:
        digit(key.index);
        break;
    case KeyKind::Operator:
        return operatorKey(operatorCaption(key.index));
    case KeyKind::Decimal:
        decimalPoint();
        break;
    case KeyKind::Percent:
        percent();
        break;
    case KeyKind::Cancel:
        cancel();
        break;
    case KeyKind::CancelEntry:
        cancelEntry();
        break;
    }
    return Outcome::Done;
}

void CalculatorEngine::digit(int d) {
    const QChar digitChar(QLatin1Char(char('0' + qBound(0, d, 9))));
    if (m_lastEntry != Entry::Number) {
        m_display = kEntryMark;
        m_decimalTyped = false;
    }
    if (m_decimalTyped) {
        m_display += digitChar;
    } else {
        const qsizetype comma = m_display.indexOf(QLatin1Char(','));
        m_display = (comma < 0 ? m_display : m_display.left(comma)) + digitChar + kEntryMark;
    }
    if (m_lastEntry == Entry::Negative) {
        m_display.prepend(QLatin1Char('-'));
    }
    m_lastEntry = Entry::Number;
}

void CalculatorEngine::decimalPoint() {
    if (m_lastEntry == Entry::Negative) {
        m_display = kNegativeEntryMark;
    } else if (m_lastEntry != Entry::Number) {
        m_display = kEntryMark;
    }
    m_decimalTyped = true;
    m_lastEntry = Entry::Number;
}

CalculatorEngine::Outcome CalculatorEngine::operatorKey(const QString &op) {
    Outcome outcome = Outcome::Done;
    m_readoutAtOp = m_display;
    if (m_lastEntry == Entry::Number) {
        countOperand();
    }
    const bool minus = op == QLatin1String("-");
    switch (m_operandCount) {
    case 0:
        if (minus && m_lastEntry != Entry::Negative) {
            m_display.prepend(QLatin1Char('-'));
            m_lastEntry = Entry::Negative;
        }
        break;
    case 1:
        m_firstOperand = m_display;
        // A minus right after an operator starts a negative second operand.
        if (minus && m_lastEntry != Entry::Number && m_pendingOp != QLatin1String("=")) {
            m_display = QStringLiteral("-");
            m_lastEntry = Entry::Negative;
        }
        break;
    case 2: {
        m_secondOperand = m_readoutAtOp;
        const double first = operandValue(m_firstOperand);
        const double second = operandValue(m_secondOperand);
        std::optional<double> result;
        if (m_pendingOp == QLatin1String("+")) {
            result = first + second;
        } else if (m_pendingOp == QLatin1String("-")) {
            result = first - second;
        } else if (m_pendingOp == QLatin1String("X") || m_pendingOp == QLatin1String("%")) {
            result = first * second;
        } else if (m_pendingOp == QLatin1String("=")) {
            m_firstOperand = m_secondOperand;
        } else if (m_pendingOp == QLatin1String("/")) {
            if (second == 0.0) {
                outcome = Outcome::DivisionByZero;
            } else {
                result = first / second;
            }
        }
        if (result) {
            // Past the range of a double the result becomes the overflow text, which reads
            // back as 0, instead of an infinity that no later step could use.
            m_firstOperand = std::isfinite(*result) ? Operand(*result) : Operand(OverflowText);
        }
        m_display = operandText(m_firstOperand);
        m_operandCount = 1;
        break;
    }
    default:
        break;
    }
    if (m_lastEntry != Entry::Negative) {
        m_lastEntry = Entry::Operator;
        m_pendingOp = op;
    }
    return outcome;
}

void CalculatorEngine::percent() {
    m_display = numberText(readNumber(m_display) / 100.0);
    m_lastEntry = Entry::Operator;
    m_pendingOp = QStringLiteral("%");
    m_decimalTyped = true;
    countOperand();
}

void CalculatorEngine::cancelEntry() {
    m_display = kZeroDisplay;
    m_decimalTyped = false;
    m_lastEntry = Entry::Cleared;
}

void CalculatorEngine::cancel() {
    m_display = kZeroDisplay;
    m_firstOperand = 0.0;
    m_secondOperand = 0.0;
    load();
}

QString CalculatorEngine::lastEntry() const {
    switch (m_lastEntry) {
    case Entry::None:
        return QStringLiteral("NESSUNO");
    case Entry::Number:
        return QStringLiteral("NUM");
    case Entry::Operator:
        return QStringLiteral("OP");
    case Entry::Negative:
        return QStringLiteral("NEG");
    case Entry::Cleared:
        return QStringLiteral("CE");
    }
    return {};
}

double CalculatorEngine::operandValue(const Operand &operand) {
    if (const double *number = std::get_if<double>(&operand)) {
        return *number;
    }
    if (const QString *text = std::get_if<QString>(&operand)) {
        return readNumber(*text);
    }
    return 0.0;
}

QString CalculatorEngine::operandText(const Operand &operand) {
    if (const double *number = std::get_if<double>(&operand)) {
        return numberText(*number);
    }
    if (const QString *text = std::get_if<QString>(&operand)) {
        return *text;
    }
    return {};
}

void CalculatorEngine::countOperand() {
    // The percent key can push the count up without end; it stops at the 16-bit maximum.
    if (m_operandCount < std::numeric_limits<qint16>::max()) {
        ++m_operandCount;
    }
}

} // namespace Vantrel3
