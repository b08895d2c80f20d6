#include "host/key_codes.h"

#include <QKeyEvent>
#include <array>

namespace Vantrel3::KeyCodes {

namespace {

// Windows-1252 codes 0x80..0x9F; 0 where the code page leaves the slot undefined.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

qint16 fromQtKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return qint16(key); // 65..90
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return qint16(key); // 48..57
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return qint16(112 + (key - Qt::Key_F1));
    }
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
        return 190;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

int toQtKey(qint16 code) {
    if ((code >= 65 && code <= 90) || (code >= 48 && code <= 57)) {
        return code;
    }
    if (code >= 112 && code <= 135) {
        return Qt::Key_F1 + (code - 112);
    }
    switch (code) {
    case 8:
        return Qt::Key_Backspace;
    case 9:
        return Qt::Key_Tab;
    case 13:
        return Qt::Key_Return;
    case 27:
        return Qt::Key_Escape;
    case 32:
        return Qt::Key_Space;
    case 33:
        return Qt::Key_PageUp;
    case 34:
        return Qt::Key_PageDown;
    case 35:
        return Qt::Key_End;
    case 36:
        return Qt::Key_Home;
    case 37:
        return Qt::Key_Left;
    case 38:
        return Qt::Key_Up;
    case 39:
        return Qt::Key_Right;
    case 40:
        return Qt::Key_Down;
    case 45:
        return Qt::Key_Insert;
    case 46:
        return Qt::Key_Delete;
    default:
        return Qt::Key_unknown;
    }
}

qint16 shiftState(Qt::KeyboardModifiers m) {
    qint16 s = 0;
    if (m & Qt::ShiftModifier) {
        s |= 1;
    }
    if (m & Qt::ControlModifier) {
        s |= 2;
    }
    if (m & Qt::AltModifier) {
        s |= 4;
    }
    return s;
}

Qt::KeyboardModifiers modifiersFromShift(qint16 shift) {
    Qt::KeyboardModifiers m;
    if (shift & 1) {
        m |= Qt::ShiftModifier;
    }
    if (shift & 2) {
        m |= Qt::ControlModifier;
    }
    if (shift & 4) {
        m |= Qt::AltModifier;
    }
    return m;
}

qint16 mouseButtons(Qt::MouseButtons b) {
    qint16 s = 0;
    if (b & Qt::LeftButton) {
        s |= 1;
    }
    if (b & Qt::RightButton) {
        s |= 2;
    }
    if (b & Qt::MiddleButton) {
        s |= 4;
    }
    return s;
}

qint16 keyAsciiFromChar(QChar ch) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return qint16(u);
    }
    for (int i = 0; i < int(kCp1252High.size()); ++i) {
        if (kCp1252High[size_t(i)] == u && u != 0) {
            return qint16(0x80 + i);
        }
    }
    return qint16(u); // above 255: outside the classic range, possibly negative
}

QChar charFromKeyAscii(qint16 code) {
    const auto u = quint16(code);
    if (u >= 0x80 && u <= 0x9F) {
        const char16_t mapped = kCp1252High[u - 0x80];
        return QChar(mapped ? mapped : u);
    }
    return QChar(u);
}

} // namespace Vantrel3::KeyCodes
