#pragma once

#include <QChar>
#include <QtGlobal>

class QKeyEvent;

namespace Vantrel3::KeyCodes {

// The host's virtual key code of a Qt key (Enter 13, Left 37, F1 112 ...); 0 when it has none.
qint16 fromQtKey(int qtKey);
// The Qt key for a virtual key code; Qt::Key_unknown when none.
int toQtKey(qint16 keyCode);
// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
qint16 shiftState(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers modifiersFromShift(qint16 shift);
// Mouse button bits: 1 left, 2 right, 4 middle.
qint16 mouseButtons(Qt::MouseButtons buttons);

// Character codes as the classic host passed them: the Windows-1252 code where the character has
// one (so à is 224 and € is 128), otherwise the UTF-16 code unit, which is then above 255 (or
// negative, above 0x7FFF). Every character keeps a distinct code, and code → character is exact.
qint16 keyAsciiFromChar(QChar ch);
QChar charFromKeyAscii(qint16 keyAscii);

} // namespace Vantrel3::KeyCodes
