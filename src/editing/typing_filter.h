#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3::TypingFilter {

// Character codes reach the key handlers as the classic host passed them (Windows-1252 where the
// character has a code, otherwise its UTF-16 unit, above 255 or negative). The classic range that
// is filtered and case-converted is 31 to 256; every character outside the code page counts as
// typed text too, so no character can slip past the data-type filter.
bool inTypingRange(qint16 keyAscii);

// Whether a character may be typed into a cell of the data type. Only Numeric, Date, Time and
// Partita Iva refuse characters.
bool accepts(qint32 dataType, qint16 keyAscii);

// Whether the character may go where the typing puts it: a Decimal cell takes one decimal
// separator and a minus sign in first place only. `text` is the editor's, with the selection
// the character replaces. Every other type places no condition.
bool fitsText(qint32 dataType, qint16 keyAscii, const QString &text, qint32 selStart,
              qint32 selLength);

// The code of the character after the case type: 1 upper case, 2 lower case; others unchanged.
qint16 convertCase(qint32 caseType, qint16 keyAscii);

// What a paste brings into a cell: the characters typing would let in, case-converted as typing
// converts them. A Numeric or Decimal cell takes a pasted number whole, separators and sign
// included.
QString pasted(qint32 dataType, qint32 caseType, const QString &text);

} // namespace Vantrel3::TypingFilter
