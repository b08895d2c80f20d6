#include "common/error_recorder.h"
#include "editing/editor_box.h"
#include "host/key_codes.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/VbError.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

class EditorBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(300, 120);
        box = new EditorBox(&host);
        box->setGeometry(0, 0, 200, 24);
        other = new QLineEdit(&host);
        other->setGeometry(0, 40, 200, 24);
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        box->setFocus();
    }

    void type(const QString &keys) { QTest::keyClicks(box, keys); }

    QWidget host;
    EditorBox *box = nullptr;
    QLineEdit *other = nullptr;
};

} // namespace

TEST_F(EditorBoxTest, MaxLengthLimitsWhatTheUserEntersButNotCode) {
    using Input = std::function<void(EditorBox *)>;
    const auto typing = [](const char *keys) {
        return Input([keys](EditorBox *b) { QTest::keyClicks(b, QString::fromUtf8(keys)); });
    };
    const auto pasting = [](const char *clip, QKeySequence::StandardKey how) {
        return Input([clip, how](EditorBox *b) {
            QGuiApplication::clipboard()->setText(QString::fromUtf8(clip));
            const QKeySequence seq(how);
            QTest::keyClick(b, Qt::Key(seq[0].key()), seq[0].keyboardModifiers());
        });
    };
    const Input shiftInsert = [](EditorBox *b) {
        QGuiApplication::clipboard()->setText(QStringLiteral("12345"));
        QTest::keyClick(b, Qt::Key_Insert, Qt::ShiftModifier);
    };
    const Input inputMethod = [](EditorBox *b) {
        QInputMethodEvent event;
        event.setCommitString(QStringLiteral("xyz1"));
        QApplication::sendEvent(b, &event);
    };
    struct Case {
        const char *name;
        qint32 maxLength;
        QString start;
        qint32 selStart, selLength;
        Input input;
        QString expected;
    } const cases[] = {
        {"typing stops at the limit", 3, "", 0, 0, typing("abcdef"), "abc"},
        {"0 is no limit", 0, "", 0, 0, typing("abcdef"), "abcdef"},
        {"negative is no limit", -5, "", 0, 0, typing("abcdef"), "abcdef"},
        {"a selection makes room", 5, "abcd", 1, 2, typing("xyz"), "axyzd"},
        {"code-set text over the limit", 4, "abcdefgh", 8, 0, typing("x"), "abcdefgh"},
        {"paste is cut to fit", 5, "ab", 2, 0, pasting("12345", QKeySequence::Paste), "ab123"},
        {"Shift+Insert pastes too", 5, "ab", 2, 0, shiftInsert, "ab123"},
        {"paste replaces the selection", 4, "abcd", 0, 4, pasting("123456", QKeySequence::Paste),
         "1234"},
        {"paste takes the first line", 0, "ab", 2, 0, pasting("line1\nline2", QKeySequence::Paste),
         "abline1"},
        {"input method commit", 5, "ab", 2, 0, inputMethod, "abxyz"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        box->SetMaxLength(c.maxLength);
        box->SetText(c.start);
        box->SetSelStart(c.selStart);
        box->SetSelLength(c.selLength);
        c.input(box);
        EXPECT_EQ(box->Text(), c.expected);
        EXPECT_EQ(box->MaxLength(), c.maxLength);
        box->SetText(QString());
    }

    const QString longText(100000, QLatin1Char('x'));
    box->SetMaxLength(3);
    box->SetText(longText);
    EXPECT_EQ(box->Text().size(), 100000);
}

TEST_F(EditorBoxTest, ContextMenuPasteIsCutToMaxLength) {
    QGuiApplication::clipboard()->setText(QStringLiteral("123456"));
    box->SetMaxLength(4);
    box->SetText(QStringLiteral("ab"));
    box->SetSelStart(2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction *paste = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text().startsWith(QStringLiteral("&Paste"))) {
            paste = action;
        }
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(box->Text(), QStringLiteral("ab12"));
}

TEST_F(EditorBoxTest, ChangeFiresOnlyWhenTheTextChanges) {
    QSignalSpy changes(box, &EditorBox::Change);
    struct Step {
        const char *name;
        std::function<void()> act;
        QString text;
        int changes;
    } const steps[] = {
        {"typing two characters", [&] { type(QStringLiteral("ab")); }, "ab", 2},
        {"SetText with the same text", [&] { box->SetText(QStringLiteral("ab")); }, "ab", 0},
        {"SetText with another text", [&] { box->SetText(QStringLiteral("xyz")); }, "xyz", 1},
        {"Backspace at the start", [&] { QTest::keyClick(box, Qt::Key_Backspace); }, "xyz", 0},
        {"Delete at the start", [&] { QTest::keyClick(box, Qt::Key_Delete); }, "yz", 1},
        {"copy",
         [&] {
             box->selectAll();
             QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
         },
         "yz", 0},
        {"cut", [&] { QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier); }, "", 1},
        {"paste", [&] { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); }, "yz", 1},
        {"typing refused by MaxLength",
         [&] {
             box->SetMaxLength(2);
             type(QStringLiteral("q"));
         },
         "yz", 0},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.name);
        changes.clear();
        s.act();
        EXPECT_EQ(box->Text(), s.text);
        EXPECT_EQ(changes.count(), s.changes);
    }
}

TEST_F(EditorBoxTest, ChangeHandlerMaySetTextAndSelectionReentrantly) {
    QStringList seen;
    QObject::connect(box, &EditorBox::Change, box, [&] {
        seen << box->Text();
        if (box->Text() == QStringLiteral("ro")) {
            const qint32 p = box->SelStart();
            box->SetText(QStringLiteral("Roma"));
            box->SetSelStart(p);
            box->SetSelLength(qint32(box->Text().size()) - p);
        }
    });
    type(QStringLiteral("ro"));
    EXPECT_EQ(box->Text(), QStringLiteral("Roma"));
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelLength(), 2);
    EXPECT_EQ(seen, QStringList({"r", "ro", "Roma"}));

    type(QStringLiteral("v")); // replaces the completed part
    EXPECT_EQ(box->Text(), QStringLiteral("Rov"));
}

TEST_F(EditorBoxTest, KeyPressMayReplaceOrDiscardTheCharacter) {
    QList<qint16> codes;
    QObject::connect(box, &EditorBox::KeyPress, box, [&](qint16 &keyAscii) {
        codes << keyAscii;
        const QChar ch = KeyCodes::charFromKeyAscii(keyAscii);
        if (ch.isDigit()) {
            keyAscii = 0;
        } else if (ch == QLatin1Char('#')) {
            keyAscii = 8; // a changed code of Backspace still deletes
        } else if (ch.isLetter()) {
            keyAscii = KeyCodes::keyAsciiFromChar(ch.toUpper());
        }
    });
    struct Case {
        QString typed;
        QString expected;
        QList<qint16> codes;
    } const cases[] = {
        {QStringLiteral("a"), QStringLiteral("A"), {97}},
        {QStringLiteral("à"), QStringLiteral("À"), {224}},
        {QStringLiteral("x1y"), QStringLiteral("XY"), {120, 49, 121}},
        {QStringLiteral("ab#c"), QStringLiteral("AC"), {97, 98, 35, 99}},
        {QStringLiteral("€ "), QStringLiteral("€ "), {128, 32}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        box->SetText(QString());
        codes.clear();
        for (const QChar ch : c.typed) { // keyClicks knows Latin-1 only
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
        EXPECT_EQ(box->Text(), c.expected);
        EXPECT_EQ(codes, c.codes);
    }

    // Enter and Backspace reach KeyPress too, and an unchanged Backspace deletes.
    box->SetText(QStringLiteral("AB"));
    box->SetSelStart(2);
    codes.clear();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(codes, QList<qint16>({13, 8}));
    EXPECT_EQ(box->Text(), QStringLiteral("A"));
}

// A zeroed KeyCode cancels what the key does (Delete deletes nothing), yet its character still
// reaches KeyPress and is typed, as on the classic platform.
TEST_F(EditorBoxTest, KeyEventsComeInOrderAndKeyDownCancelsOnlyTheKeysOwnAction) {
    QStringList log;
    QObject::connect(box, &EditorBox::KeyDown, box, [&](qint16 &keyCode, qint16 &shift) {
        log << QStringLiteral("down %1/%2").arg(keyCode).arg(shift);
        if (keyCode == 66 || keyCode == 46) { // B, Delete
            keyCode = 0;
        }
    });
    QObject::connect(box, &EditorBox::KeyPress, box,
                     [&](qint16 &keyAscii) { log << QStringLiteral("press %1").arg(keyAscii); });
    QObject::connect(box, &EditorBox::Change, box, [&] { log << QStringLiteral("change"); });
    QObject::connect(box, &EditorBox::KeyUp, box, [&](qint16 &keyCode, qint16 &shift) {
        log << QStringLiteral("up %1/%2").arg(keyCode).arg(shift);
    });

    QTest::keyClick(box, Qt::Key_A);
    EXPECT_EQ(log, QStringList({"down 65/0", "press 97", "change", "up 65/0"}));
    log.clear();
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(
        log, QStringList({"down 16/1", "down 17/3", "down 36/3", "up 36/3", "up 17/1", "up 16/0"}));

    struct Case {
        std::function<void()> keys;
        QString expected;
    } const cases[] = {
        {[&] { type(QStringLiteral("abc")); }, QStringLiteral("aabc")},
        {[&] {
             box->SetSelStart(0);
             QTest::keyClick(box, Qt::Key_Delete);
         },
         QStringLiteral("aabc")},
        {[&] {
             box->SetSelStart(1);
             QTest::keyClick(box, Qt::Key_Right);
         },
         QStringLiteral("aabc")},
    };
    for (const Case &c : cases) {
        c.keys();
        EXPECT_EQ(box->Text(), c.expected);
    }
    EXPECT_EQ(box->SelStart(), 2); // Right was not discarded
}

TEST_F(EditorBoxTest, TabMovesFocusAndTypesNothing) {
    box->SetText(QStringLiteral("ab"));
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(box->Text(), QStringLiteral("ab"));
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(EditorBoxTest, SelStartAndSelLengthWorkLikeTheClassicBox) {
    box->SetText(QStringLiteral("abcdef"));
    EXPECT_EQ(box->SelStart(), 0); // new text shows from its start
    struct Step {
        std::function<void()> act;
        qint32 selStart, selLength;
        QString selected;
    } const steps[] = {
        {[&] { box->SetSelStart(2); }, 2, 0, ""},
        {[&] { box->SetSelLength(3); }, 2, 3, "cde"},
        {[&] { box->SetSelStart(1); }, 1, 0, ""}, // collapses the selection
        {[&] { box->SetSelLength(99); }, 1, 5, "bcdef"},
        {[&] { box->SetSelLength(0); }, 1, 0, ""},
        {[&] { box->SetSelStart(99); }, 6, 0, ""},
    };
    for (const Step &s : steps) {
        s.act();
        EXPECT_EQ(box->SelStart(), s.selStart);
        EXPECT_EQ(box->SelLength(), s.selLength);
        EXPECT_EQ(box->selectedText(), s.selected);
    }
    for (const auto &set : {std::function<void()>([&] { box->SetSelStart(-1); }),
                            std::function<void()>([&] { box->SetSelLength(-1); })}) {
        try {
            set();
            ADD_FAILURE() << "negative value accepted";
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), 380);
        }
    }
}

TEST(EditorBox, GeometryIsInTwipsAndVisibleIsTheOwnFlag) {
    QWidget parent; // never shown
    EditorBox box(&parent);
    ASSERT_EQ(box.logicalDpiX(), 96);
    enum Side { Left, Top, Width, Height };
    auto set = [&](Side side, qint32 twips) {
        switch (side) {
        case Left:
            return box.SetLeft(twips);
        case Top:
            return box.SetTop(twips);
        case Width:
            return box.SetWidth(twips);
        case Height:
            return box.SetHeight(twips);
        }
    };
    auto get = [&](Side side) {
        switch (side) {
        case Left:
            return box.Left();
        case Top:
            return box.Top();
        case Width:
            return box.Width();
        case Height:
            return box.Height();
        }
        return -1;
    };
    struct Case {
        Side side;
        qint32 twips, readBack;
        std::function<int()> pixels;
        int expectedPixels;
    } const cases[] = {
        {Left, 150, 150, [&] { return box.x(); }, 10},
        {Top, 300, 300, [&] { return box.y(); }, 20},
        {Width, 1200, 1200, [&] { return box.width(); }, 80},
        {Width, 100, 105, [&] { return box.width(); }, 7},
        {Width, -30, 0, [&] { return box.width(); }, 0},
        {Height, 255, 255, [&] { return box.height(); }, 17},
        {Height, -1, 0, [&] { return box.height(); }, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.twips);
        set(c.side, c.twips);
        EXPECT_EQ(get(c.side), c.readBack);
        EXPECT_EQ(c.pixels(), c.expectedPixels);
    }
    box.SetVisible(false);
    EXPECT_FALSE(box.Visible());
    box.SetVisible(true);
    EXPECT_TRUE(box.Visible());
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.MultiLine());
}

TEST(EditorBox, ColorsReachThePaletteAndThePaintedBox) {
    QWidget parent;
    EditorBox box(&parent);
    box.setGeometry(0, 0, 100, 24);
    box.setFrame(false);
    EXPECT_EQ(box.BackColor().value(), 0x80000005u);
    EXPECT_EQ(box.ForeColor().value(), 0x80000008u);

    box.SetBackColor(OleColor::fromRgb(10, 20, 200));
    box.SetForeColor(OleColor::ButtonText); // a system colour resolves through the palette
    EXPECT_EQ(box.BackColor().value(), 0x00C8140Au);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(10, 20, 200));
    EXPECT_EQ(box.palette().color(QPalette::Text),
              QApplication::palette(&box).color(QPalette::ButtonText));
    parent.show();
    const QImage image = box.grab().toImage();
    EXPECT_EQ(image.pixelColor(90, 12), QColor(10, 20, 200));

    QFont font(QStringLiteral("Sans"), 14);
    font.setBold(true);
    box.SetFont(font);
    EXPECT_TRUE(box.Font().bold());
    EXPECT_EQ(box.Font().pointSize(), 14);
}

TEST_F(EditorBoxTest, ClickAndFocusEvents) {
    QSignalSpy clicks(box, &EditorBox::Click);
    QSignalSpy got(box, &EditorBox::GotFocus);
    QSignalSpy lost(box, &EditorBox::LostFocus);
    other->setFocus();
    EXPECT_EQ(lost.count(), 1);

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(10, 500)); // released outside
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(got.count(), 1);
}

TEST_F(EditorBoxTest, HandlerErrorsStopAtTheEventButReachCodeThatSetsText) {
    ErrorRecorder errors;
    const QList<qint32> &reported = errors.numbers;
    QObject::connect(box, &EditorBox::Change, box, [&] {
        if (box->Text().endsWith(QLatin1Char('!'))) {
            throw VbError(VbError::TypeMismatch);
        }
    });

    type(QStringLiteral("a!b"));
    EXPECT_EQ(reported, QList<qint32>({13}));
    EXPECT_EQ(box->Text(), QStringLiteral("a!b")); // the box goes on working

    EXPECT_THROW(box->SetText(QStringLiteral("code!")), VbError);
    EXPECT_EQ(reported.size(), 1);
}
