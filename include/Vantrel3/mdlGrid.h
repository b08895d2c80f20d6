#pragma once

#include <Vantrel3/Export.h>

#include <QString>
#include <QtGlobal>

/// The check-character rules for the Italian fiscal identifiers, as the grid's validation uses
/// them. Both accept any text and never throw.
namespace Vantrel3::mdlGrid {

/// Partita IVA: 0 when the 11th digit is the check digit of the first ten, otherwise the
/// character code of the expected digit ('0'-'9'). Missing positions and non-digits count as 0.
VANTREL3_EXPORT qint16 CheckPartitaIva(const QString &text);

/// Codice fiscale: 0 when the 16th character is the check letter of the first fifteen (upper
/// case, padded with blanks to 16), otherwise the code of the expected character (never 0).
VANTREL3_EXPORT qint16 CheckCodiceFiscale(const QString &text);

} // namespace Vantrel3::mdlGrid
