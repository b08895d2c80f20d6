#include "pickers/calculator.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

void openWindow(QWidget &w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
}

QPushButton *key(const Calculator &calc, const char *name) {
    return calc.findChild<QPushButton *>(QString::fromLatin1(name));
}

QLineEdit *focusHolder(const Calculator &calc) {
    return calc.findChild<QLineEdit *>(QStringLiteral("Text1"));
}

// A click through the window, so the widget on top at that point is the one that gets it.
void clickAt(Calculator &calc, QPoint inForm) {
    QTest::mouseClick(calc.windowHandle(), Qt::LeftButton, {}, inForm);
}

} // namespace

TEST(CalculatorForm, ClickAnywhereOnTheZeroKeyPressesIt) {
    Calculator calc;
    calc.load();
    openWindow(calc);
    QPushButton *zero = key(calc, "Number0");
    const QRect zeroRect = zero->geometry();
    const QRect holderRect = focusHolder(calc)->geometry();
    ASSERT_TRUE(zeroRect.contains(holderRect)) << "the focus holder lies inside the 0 key";
    const struct {
        const char *where;
        QPoint point;
    } points[] = {
        {"left edge", QPoint(zeroRect.left() + 2, zeroRect.center().y())},
        {"left half", QPoint(zeroRect.left() + zeroRect.width() / 4, zeroRect.center().y())},
        {"right half, over the focus holder", holderRect.center()},
        {"focus holder's top left", holderRect.topLeft() + QPoint(1, 1)},
        {"focus holder's bottom right", holderRect.bottomRight() - QPoint(1, 1)},
        {"right edge", QPoint(zeroRect.right() - 2, zeroRect.center().y())},
    };
    for (const auto &p : points) {
        QTest::mouseClick(key(calc, "Number1"), Qt::LeftButton);
        clickAt(calc, p.point);
        EXPECT_EQ(calc.Readout()->text(), QStringLiteral("10,")) << p.where;
        QTest::mouseClick(key(calc, "CancelEntry"), Qt::LeftButton);
    }
}

TEST(CalculatorForm, FocusHolderKeepsTheFocusAndCollectsNoCharacters) {
    Calculator calc;
    calc.load();
    openWindow(calc);
    QLineEdit *holder = focusHolder(calc);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calc));
    EXPECT_EQ(QApplication::focusWidget(), holder);
    QTest::keyClicks(holder, QStringLiteral("ab7Zq"));
    EXPECT_EQ(calc.Readout()->text(), QStringLiteral("7,"));
    EXPECT_EQ(holder->text(), QString());
    // Clicking keys leaves the focus where the typing goes.
    clickAt(calc, key(calc, "Number5")->geometry().center());
    EXPECT_EQ(calc.Readout()->text(), QStringLiteral("75,"));
    EXPECT_EQ(QApplication::focusWidget(), holder);
}

TEST(CalculatorForm, PointCommaAndKeypadDecimalTypeTheDecimalKey) {
    // How the decimal key arrives: as typed text, or as the keypad's key with the text its
    // keyboard layout gives it (none on some platforms).
    const struct {
        const char *how;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    } decimals[] = {
        {"point", Qt::Key_Period, Qt::NoModifier, QStringLiteral(".")},
        {"comma", Qt::Key_Comma, Qt::NoModifier, QStringLiteral(",")},
        {"keypad point", Qt::Key_Period, Qt::KeypadModifier, QStringLiteral(".")},
        {"keypad comma", Qt::Key_Comma, Qt::KeypadModifier, QStringLiteral(",")},
        {"keypad key without text", Qt::Key_Period, Qt::KeypadModifier, QString()},
    };
    for (const auto &d : decimals) {
        Calculator calc;
        calc.load();
        openWindow(calc);
        QLineEdit *holder = focusHolder(calc);
        const auto typeDecimal = [&] {
            QTest::sendKeyEvent(QTest::Press, holder, d.key, d.text, d.modifiers);
            QTest::sendKeyEvent(QTest::Release, holder, d.key, d.text, d.modifiers);
        };
        QTest::keyClicks(holder, QStringLiteral("12"));
        typeDecimal();
        EXPECT_EQ(calc.Readout()->text(), QStringLiteral("12,")) << d.how;
        QTest::keyClicks(holder, QStringLiteral("5"));
        EXPECT_EQ(calc.Readout()->text(), QStringLiteral("12,5")) << d.how;
        QTest::keyClicks(holder, QStringLiteral("*4="));
        EXPECT_EQ(calc.Readout()->text(), QStringLiteral("50")) << d.how;
        // A decimal key starting an entry gives a fraction below one: 50 + 0,25.
        QTest::keyClicks(holder, QStringLiteral("+"));
        typeDecimal();
        QTest::keyClicks(holder, QStringLiteral("25="));
        EXPECT_EQ(calc.Readout()->text(), QStringLiteral("50,25")) << d.how;
        EXPECT_EQ(holder->text(), QString()) << d.how;
    }
}

TEST(CalculatorForm, UnloadHandsOverOnlyAfterAKeyWasUsedAndEnterAlways) {
    enum class Close { Enter, Escape, WindowClosed, Unload };
    const struct {
        Close how;
        QStringList clicked; // keys clicked, by name
        const char *typed;
        bool keyUsed;
        QStringList sent;
    } cases[] = {
        {Close::Escape, {}, "", false, {}},
        {Close::Escape, {}, "ab ", false, {}},
        {Close::Escape, {}, "12", true, {"12,"}},
        {Close::Escape, {"Number1", "Number2"}, "", true, {"12,"}},
        {Close::Unload, {}, "", false, {}},
        {Close::Unload, {"Cancel"}, "", true, {"0,"}},
        {Close::Unload, {}, "5%", true, {"0,05"}},
        {Close::WindowClosed, {}, "", false, {}},
        {Close::WindowClosed, {"Number7", "Operator1"}, "", true, {"7,"}},
        {Close::WindowClosed, {}, ".", true, {","}},
        {Close::Enter, {}, "", false, {"0,"}},
        {Close::Enter, {}, "x", false, {"0,"}},
        {Close::Enter, {}, "12", true, {"12,"}},
        {Close::Enter, {"Decimal", "Number5"}, "", true, {",5"}},
    };
    for (const auto &c : cases) {
        const QString label = c.clicked.join(QLatin1Char(' ')) + QLatin1Char('|') +
                              QString::fromLatin1(c.typed) + QLatin1Char('|') +
                              QString::number(int(c.how));
        Calculator calc;
        // As the control does: take the text, then unload the calculator from the handler.
        QStringList sent;
        QObject::connect(&calc, &Calculator::ClcClose, &calc, [&](const QString &text) {
            sent << text;
            calc.unload();
        });
        calc.load();
        openWindow(calc);
        QLineEdit *holder = focusHolder(calc);
        for (const QString &name : c.clicked) {
            clickAt(calc, calc.findChild<QPushButton *>(name)->geometry().center());
        }
        QTest::keyClicks(holder, QString::fromLatin1(c.typed));
        EXPECT_EQ(calc.keyUsedSinceLoad(), c.keyUsed) << qPrintable(label);
        switch (c.how) {
        case Close::Enter:
            QTest::keyClick(holder, Qt::Key_Return);
            break;
        case Close::Escape:
            QTest::keyClick(holder, Qt::Key_Escape);
            break;
        case Close::WindowClosed:
            calc.close();
            break;
        case Close::Unload:
            calc.unload();
            break;
        }
        EXPECT_EQ(sent, c.sent) << qPrintable(label);
        EXPECT_FALSE(calc.isVisible()) << qPrintable(label);
        EXPECT_FALSE(calc.isLoaded()) << qPrintable(label);
    }
}

TEST(CalculatorForm, ReopeningForgetsTheKeysUsedBefore) {
    Calculator calc;
    QSignalSpy spy(&calc, &Calculator::ClcClose);
    calc.load();
    openWindow(calc);
    QTest::keyClicks(focusHolder(calc), QStringLiteral("3+4="));
    QTest::keyClick(focusHolder(calc), Qt::Key_Escape);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("7"));

    calc.load();
    openWindow(calc);
    EXPECT_FALSE(calc.keyUsedSinceLoad());
    QTest::keyClick(focusHolder(calc), Qt::Key_Escape);
    EXPECT_EQ(spy.count(), 1) << "dismissed unused, the second opening hands nothing over";
    EXPECT_FALSE(calc.isVisible());
}

TEST(CalculatorForm, KeysAndDisplayHaveSpokenItalianNames) {
    Calculator calc;
    calc.load();
    openWindow(calc);
    const struct {
        const char *objectName;
        const char *spoken;
        QAccessible::Role role;
    } names[] = {
        {"Number0", "Cifra 0", QAccessible::Button},
        {"Number7", "Cifra 7", QAccessible::Button},
        {"Operator0", "Diviso", QAccessible::Button},
        {"Operator1", "Più", QAccessible::Button},
        {"Operator2", "Per", QAccessible::Button},
        {"Operator3", "Meno", QAccessible::Button},
        {"Operator4", "Uguale", QAccessible::Button},
        {"Percent", "Percento", QAccessible::Button},
        {"Decimal", "Virgola", QAccessible::Button},
        {"Cancel", "Azzera", QAccessible::Button},
        {"CancelEntry", "Azzera voce", QAccessible::Button},
        {"Readout", "Display", QAccessible::StaticText},
        {"Text1", "Tastiera della calcolatrice", QAccessible::EditableText},
    };
    for (const auto &n : names) {
        auto *widget = calc.findChild<QWidget *>(QString::fromLatin1(n.objectName));
        ASSERT_NE(widget, nullptr) << n.objectName;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr) << n.objectName;
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(n.spoken)) << n.objectName;
        EXPECT_EQ(face->role(), n.role) << n.objectName;
    }
    // Every key of the keypad has a name of its own.
    QStringList spoken;
    for (QPushButton *button : calc.findChildren<QPushButton *>()) {
        spoken << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
    }
    EXPECT_EQ(spoken.size(), 19);
    spoken.removeDuplicates();
    EXPECT_EQ(spoken.size(), 19);
    EXPECT_FALSE(spoken.contains(QString()));
}

TEST(CalculatorForm, ScreenReaderReadsTheNumberShown) {
    Calculator calc;
    calc.load();
    openWindow(calc);
    QAccessibleInterface *display = QAccessible::queryAccessibleInterface(calc.Readout());
    ASSERT_NE(display, nullptr);
    const struct {
        const char *typed;
        const char *read;
    } steps[] = {{"", "0,"}, {"1", "1,"}, {"2.5", "12,5"}, {"*4=", "50"}};
    for (const auto &step : steps) {
        QTest::keyClicks(focusHolder(calc), QString::fromLatin1(step.typed));
        EXPECT_EQ(display->text(QAccessible::Description), QString::fromLatin1(step.read))
            << step.typed;
    }
    EXPECT_EQ(display->text(QAccessible::Name), QStringLiteral("Display"));
}
