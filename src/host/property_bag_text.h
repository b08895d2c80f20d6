#pragma once

#include <QString>
#include <QVariant>

#include <functional>

// The text form of a property bag, one "Key = value" line per stored value in write order:
//   Cols = 2              a Long (qint32)          SetKeyFunction = 118%   an Integer (qint16)
//   Big = 5^              a qint64                 Ratio = 1.5#            a Double
//   Scale = 0.5!          a Single (float)         Enabled = True          a Boolean
//   BackColor = &H80000005&                        an OLE colour (quint32)
//   ToolTipText = "Say ""hi""" & vbTab & "ok"      a string; quotes doubled, control characters
//                                                  as vbTab, vbCr, vbLf, vbCrLf or ChrW(n)
//   CellPicture = LoadPicture("iVBORw0K...")       a picture as base64 PNG ("" for none)
//   Tag = Empty                                    an invalid QVariant
// and a font as a block:
//   BeginProperty Font
//      Name = "Arial"
//      Size = 9.75
//      Weight = 400
//      Underline = False
//      Italic = False
//      Strikethrough = False
//   EndProperty
namespace Vantrel3::bagtext {

bool isStorable(const QVariant &value);
QString formatEntry(const QString &key, const QVariant &value);
// Calls sink for each entry in order; raises VbError 380 naming the first damaged line.
void parse(const QString &text, const std::function<void(const QString &, const QVariant &)> &sink);

} // namespace Vantrel3::bagtext
