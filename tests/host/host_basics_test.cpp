#include "common/error_recorder.h"
#include "common/message_box_recorder.h"
#include "host/key_codes.h"

#include <Vantrel3/DoEvents.h>
#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/OleColor.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Vantrel3;

TEST(OleColor, PlainColoursAreBlueGreenRed) {
    struct Case {
        quint32 value;
        QColor expected;
    };
    const Case cases[] = {
        {0x000000FF, QColor(255, 0, 0)},   {0x0000FF00, QColor(0, 255, 0)},
        {0x00FF0000, QColor(0, 0, 255)},   {0x00C0E0FF, QColor(255, 224, 192)},
        {0x00808000, QColor(0, 128, 128)}, {0x00000080, QColor(128, 0, 0)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(OleColor(c.value).toQColor(), c.expected) << std::hex << c.value;
        EXPECT_EQ(OleColor::fromQColor(c.expected).value(), c.value) << std::hex << c.value;
    }
}

TEST(OleColor, SystemColoursFollowThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Button, QColor(7, 8, 9));
    palette.setColor(QPalette::ButtonText, QColor(10, 11, 12));
    palette.setColor(QPalette::Highlight, QColor(13, 14, 15));
    palette.setColor(QPalette::HighlightedText, QColor(16, 17, 18));
    struct Case {
        quint32 value;
        QColor expected;
    };
    const Case cases[] = {
        {OleColor::WindowBackground, QColor(1, 2, 3)},
        {OleColor::WindowText, QColor(4, 5, 6)},
        {OleColor::ButtonFace, QColor(7, 8, 9)},
        {OleColor::ButtonText, QColor(10, 11, 12)},
        {OleColor::Highlight, QColor(13, 14, 15)},
        {OleColor::HighlightText, QColor(16, 17, 18)},
    };
    for (const Case &c : cases) {
        EXPECT_TRUE(OleColor(c.value).isSystemColor());
        EXPECT_EQ(OleColor(c.value).toQColor(palette), c.expected) << std::hex << c.value;
    }
    EXPECT_FALSE(OleColor(0x00FFFFFF).isSystemColor());
}

TEST(Twips, FifteenTwipsPerPixelAtNinetySixDpi) {
    QWidget w;
    ASSERT_EQ(w.logicalDpiX(), 96);
    EXPECT_EQ(Twips::fromPixelsX(&w, 17), 255);
    EXPECT_EQ(Twips::toPixelsX(&w, 255), 17);
    EXPECT_EQ(Twips::toPixelsY(&w, 240), 16);
    EXPECT_EQ(Twips::toPixelsX(&w, 7), 0); // under half a pixel
    EXPECT_EQ(Twips::toPixelsX(&w, 8), 1); // over half a pixel
    EXPECT_EQ(Twips::toPixelsX(&w, -30), -2);
    EXPECT_DOUBLE_EQ(Twips::perPixelX(nullptr), 15.0);
}

TEST(VbError, CarriesNumberSourceAndStandardText) {
    struct Case {
        qint32 number;
        const char *text;
    };
    const Case cases[] = {
        {6, "Overflow"},
        {13, "Type mismatch"},
        {381, "Subscript out of range"},
        {30009, "Invalid Row value"},
        {30010, "Invalid Col value"},
    };
    for (const Case &c : cases) {
        const VbError e(c.number, QStringLiteral("Vantrel"));
        EXPECT_EQ(e.Number(), c.number);
        EXPECT_EQ(e.Source(), QStringLiteral("Vantrel"));
        EXPECT_EQ(e.Description(), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(VbError(5, {}, QStringLiteral("mine")).Description(), QStringLiteral("mine"));
}

TEST(ErrorSink, GuardedReportsInsteadOfThrowing) {
    ErrorRecorder errors;
    guarded("test", [] { throw VbError(381); });
    guarded("test", [] { throw std::runtime_error("boom"); });
    guarded("test", [] {});
    EXPECT_EQ(errors.numbers, (QList<qint32>{381, VbError::InvalidProcedureCall}));
}

TEST(MessageBoxService, ReplacedServiceCapturesBoxesWithDefaultTitle) {
    MessageBoxRecorder recorder;
    recorder.answer = vbCancel;
    EXPECT_EQ(MsgBox(QStringLiteral("Attenzione"), vbInformation, QStringLiteral("Avviso Utente")),
              vbCancel);
    MsgBox(QStringLiteral("Senza titolo"));
    ASSERT_EQ(recorder.boxes.size(), 2);
    EXPECT_EQ(recorder.boxes[0].prompt, QStringLiteral("Attenzione"));
    EXPECT_EQ(recorder.boxes[0].style, vbInformation);
    EXPECT_EQ(recorder.boxes[0].title, QStringLiteral("Avviso Utente"));
    EXPECT_EQ(recorder.boxes[1].title, defaultMessageBoxTitle());
}

TEST(DoEvents, ProcessesPendingEvents) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    DoEvents();
    EXPECT_TRUE(ran);
}

TEST(KeyCodes, VirtualKeysAndShiftBits) {
    struct Case {
        int qtKey;
        qint16 code;
    };
    const Case cases[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Tab, 9},   {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},     {Qt::Key_Right, 39}, {Qt::Key_Down, 40}, {Qt::Key_F1, 112},
        {Qt::Key_F7, 118},    {Qt::Key_F12, 123},  {Qt::Key_A, 65},    {Qt::Key_5, 53},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(KeyCodes::fromQtKey(c.qtKey), c.code) << c.qtKey;
    }
    EXPECT_EQ(KeyCodes::toQtKey(118), int(Qt::Key_F7));
    EXPECT_EQ(KeyCodes::shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(KeyCodes::modifiersFromShift(2), Qt::KeyboardModifiers(Qt::ControlModifier));
}

TEST(KeyCodes, CharactersMapToClassicCodesAndBack) {
    struct Case {
        char16_t ch;
        qint16 code;
    };
    const Case cases[] = {
        {u'a', 97},         {u'0', 48},          {u'\u00E0', 224}, // à
        {u'\u00E8', 232},   {u'\u20AC', 128},    {u'\u0153', 156}, // è € œ
        {u'\u0100', 0x100}, {u'\u4E2D', 0x4E2D},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(KeyCodes::keyAsciiFromChar(QChar(c.ch)), c.code) << int(c.ch);
        EXPECT_EQ(KeyCodes::charFromKeyAscii(c.code), QChar(c.ch)) << int(c.ch);
    }
    // Characters past 0x7FFF wrap to negative codes yet still map back exactly.
    const QChar high(char16_t(0xFF21));
    EXPECT_LT(KeyCodes::keyAsciiFromChar(high), 0);
    EXPECT_EQ(KeyCodes::charFromKeyAscii(KeyCodes::keyAsciiFromChar(high)), high);
}
