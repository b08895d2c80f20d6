#include <Vantrel3/Enums.h>

namespace Vantrel3 {

QString displayName(RsType value) {
    switch (value) {
    case Table:
        return QStringLiteral("0 - Table");
    case Dynaset:
        return QStringLiteral("1 - Dynaset");
    case Snapshot:
        return QStringLiteral("2 - Snapshot");
    }
    return QString::number(qint32(value));
}

QString displayName(eButtonStyle value) {
    switch (value) {
    case NoButton:
        return QStringLiteral("No Button");
    case ButtonStyleDrop:
        return QStringLiteral("ButtonStyleDrop");
    case ButtonStyleBrowse:
        return QStringLiteral("ButtonStyleBrowse");
    }
    return QString::number(qint32(value));
}

QString displayName(eTextDataType value) {
    switch (value) {
    case NoType:
        return QStringLiteral("No Type");
    case AlphaNumeric:
        return QStringLiteral("AlphaNumeric");
    case Numeric:
        return QStringLiteral("Numeric");
    case Date:
        return QStringLiteral("Date");
    case Time:
        return QStringLiteral("Time");
    case PartitaIva:
        return QStringLiteral("Partita Iva");
    case CodiceFiscale:
        return QStringLiteral("Codice Fiscale");
    case Decimal:
        return QStringLiteral("Decimal");
    }
    return QString::number(qint32(value));
}

QString displayName(eTextCaseType value) {
    switch (value) {
    case NoCase:
        return QStringLiteral("No Case");
    case UpperCase:
        return QStringLiteral("UpperCase");
    case LowerCase:
        return QStringLiteral("LowerCase");
    case ProperCase:
        return QStringLiteral("ProperCase");
    }
    return QString::number(qint32(value));
}

} // namespace Vantrel3
