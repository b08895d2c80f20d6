#include "pickers/calculator.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Twips.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Vantrel3 {

namespace {

// The keypad's extent plus its 120-twip margin.
constexpr int kClientWidth = 2355;
constexpr int kClientHeight = 2355;
constexpr int kKeySize = 375;

// The character code a key event stands for: Enter, Escape and the keypad's decimal key by key
// (that key types "." or "," by keyboard layout, or no text at all), the rest by text.
int characterCode(const QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        if (event->modifiers().testFlag(Qt::KeypadModifier)) {
            return '.';
        }
        break;
    default:
        break;
    }
    const QString text = event->text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

} // namespace

Calculator::Calculator(QWidget *owner)
    : QWidget(owner, Qt::Tool), m_readout(new QLabel(this)), m_focusHolder(new QLineEdit(this)) {
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Calcolatrice"));
    const auto px = [this](int twips) { return Twips::toPixelsX(this, twips); };
    const auto py = [this](int twips) { return Twips::toPixelsY(this, twips); };

    m_readout->setObjectName(QStringLiteral("Readout"));
    m_readout->setGeometry(px(120), py(105), px(2100), py(375));
    m_readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_readout->setAutoFillBackground(true);
    QPalette readoutColors = m_readout->palette();
    readoutColors.setColor(QPalette::Window, Qt::yellow);
    readoutColors.setColor(QPalette::WindowText, Qt::black);
    m_readout->setPalette(readoutColors);
    m_readout->setAccessibleName(QStringLiteral("Display"));

    // Only here to hold the keyboard focus, inside the area of the "0" key. Read-only, so the
    // characters the form does not act on are not collected in it either.
    m_focusHolder->setObjectName(QStringLiteral("Text1"));
    m_focusHolder->setGeometry(px(600), py(1920), px(255), py(285));
    m_focusHolder->setReadOnly(true);
    m_focusHolder->setAccessibleName(QStringLiteral("Tastiera della calcolatrice"));
    m_focusHolder->installEventFilter(this);

    const int columns[] = {120, 540, 960};
    const int rows[] = {1440, 1020, 600}; // digits 1-3, 4-6, 7-9
    for (int d = 1; d <= 9; ++d) {
        QPushButton *key =
            addKey(QStringLiteral("Number%1").arg(d), QString::number(d),
                   QStringLiteral("Cifra %1").arg(d), columns[(d - 1) % 3], rows[(d - 1) / 3]);
        connect(key, &QPushButton::clicked, this, [this, d] {
            press({CalculatorEngine::KeyKind::Number, d});
        });
    }
    QPushButton *zero = addKey(QStringLiteral("Number0"), QStringLiteral("0"),
                               QStringLiteral("Cifra 0"), 120, 1860, 795);
    connect(zero, &QPushButton::clicked, this, [this] {
        press({CalculatorEngine::KeyKind::Number, 0});
    });

    const struct {
        const char *spoken;
        int left, top;
    } operators[] = {{"Diviso", 1860, 1440},
                     {"Più", 1440, 1020},
                     {"Per", 1440, 1440},
                     {"Meno", 1860, 1020},
                     {"Uguale", 1440, 1860}};
    for (int i = 0; i < 5; ++i) {
        QPushButton *key =
            addKey(QStringLiteral("Operator%1").arg(i), CalculatorEngine::operatorCaption(i),
                   QString::fromUtf8(operators[i].spoken), operators[i].left, operators[i].top);
        connect(key, &QPushButton::clicked, this, [this, i] {
            press({CalculatorEngine::KeyKind::Operator, i});
        });
    }
    const struct {
        const char *name;
        const char *caption;
        const char *spoken;
        int left, top;
        CalculatorEngine::KeyKind kind;
    } others[] = {
        {"Cancel", "C", "Azzera", 1440, 600, CalculatorEngine::KeyKind::Cancel},
        {"CancelEntry", "Ce", "Azzera voce", 1860, 600, CalculatorEngine::KeyKind::CancelEntry},
        {"Decimal", ".", "Virgola", 960, 1860, CalculatorEngine::KeyKind::Decimal},
        {"Percent", "%", "Percento", 1860, 1860, CalculatorEngine::KeyKind::Percent},
    };
    for (const auto &other : others) {
        QPushButton *key =
            addKey(QString::fromLatin1(other.name), QString::fromLatin1(other.caption),
                   QString::fromUtf8(other.spoken), other.left, other.top);
        const CalculatorEngine::KeyKind kind = other.kind;
        connect(key, &QPushButton::clicked, this, [this, kind] { press({kind, 0}); });
    }
    // Beneath the keys: a click anywhere on the "0" key reaches the key, and the holder, whose
    // text stays empty, is never seen.
    m_focusHolder->lower();
    showDisplay();
    setFixedSize(px(kClientWidth), py(kClientHeight));
}

Calculator::~Calculator() = default;

QPushButton *Calculator::addKey(const QString &name, const QString &caption,
                                const QString &spokenName, int left, int top, int width) {
    auto *key = new QPushButton(caption, this);
    key->setObjectName(name);
    // The captions "X", "Ce" or "." read badly aloud: a screen reader says the key's name.
    key->setAccessibleName(spokenName);
    key->setGeometry(Twips::toPixelsX(this, left), Twips::toPixelsY(this, top),
                     Twips::toPixelsX(this, width), Twips::toPixelsY(this, kKeySize));
    // No key keeps the focus: every character reaches the form's key handling.
    key->setFocusPolicy(Qt::NoFocus);
    key->setAutoDefault(false);
    return key;
}

void Calculator::load() {
    m_engine.load();
    showDisplay();
    m_focusHolder->setFocus();
    m_keyUsed = false;
    m_state = State::Loaded;
}

void Calculator::unload() {
    // Only a calculator that was used hands its display over: one opened and dismissed leaves
    // the editor's text alone.
    finishUnload(m_keyUsed);
}

void Calculator::finishUnload(bool handOver) {
    if (m_state != State::Loaded) {
        return;
    }
    // Unloading from here on: the control's handler unloads again while the event runs.
    m_state = State::Unloading;
    if (handOver) {
        Q_EMIT ClcClose(m_engine.display());
    }
    hide();
    m_state = State::Unloaded;
}

void Calculator::showDisplay() {
    const QString text = m_engine.display();
    m_readout->setText(text);
    // The accessible name says what the label is; the number itself is read from here.
    m_readout->setAccessibleDescription(text);
}

void Calculator::press(const CalculatorEngine::Key &key) {
    guarded("Calculator", [&] {
        m_keyUsed = true;
        const CalculatorEngine::Outcome outcome = m_engine.press(key);
        showDisplay();
        if (outcome == CalculatorEngine::Outcome::DivisionByZero) {
            MsgBox(QStringLiteral("Impossibile dividere per zero"), vbExclamation,
                   QStringLiteral("Calcolatrice"), this);
        }
    });
}

void Calculator::handleCharacter(int characterCode) {
    const auto action = CalculatorEngine::keyboardAction(characterCode);
    if (!action) {
        return;
    }
    switch (action->command) {
    case CalculatorEngine::Command::Press:
        press(action->key);
        break;
    case CalculatorEngine::Command::Close:
        // Enter confirms: the display goes over, used or not, once.
        guarded("Calculator", [this] { finishUnload(true); });
        break;
    case CalculatorEngine::Command::Cancel:
        guarded("Calculator", [this] { unload(); });
        break;
    }
}

bool Calculator::handleKeyEvent(QKeyEvent *event) {
    const int code = characterCode(event);
    if (!CalculatorEngine::keyboardAction(code)) {
        return false;
    }
    handleCharacter(code);
    return true;
}

bool Calculator::eventFilter(QObject *watched, QEvent *event) {
    // The form sees the focus holder's keys first, as a form that previews keys does.
    if (watched == m_focusHolder && event->type() == QEvent::KeyPress) {
        return handleKeyEvent(static_cast<QKeyEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void Calculator::keyPressEvent(QKeyEvent *event) {
    if (!handleKeyEvent(event)) {
        QWidget::keyPressEvent(event);
    }
}

void Calculator::closeEvent(QCloseEvent *event) {
    guarded("Calculator", [this] { unload(); });
    event->accept();
}

} // namespace Vantrel3
