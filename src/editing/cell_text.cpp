#include "editing/cell_text.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/mdlGrid.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3 {

namespace {

// Sunday first, and the week of 1 January first, as the classic control passed them.
constexpr int kFirstDayOfWeek = 1;
constexpr int kFirstWeekOfYear = 1;

QString formatted(const QString &text, const QString &customFormat) {
    if (customFormat.isEmpty()) {
        return text;
    }
    return vb::Format(text, customFormat, kFirstDayOfWeek, kFirstWeekOfYear);
}

} // namespace

QString CellText::validate(const QString &t, qint32 dataType, const QString &customFormat) {
    if (t.isEmpty() || dataType < Numeric || dataType > Decimal) {
        return t;
    }
    switch (dataType) {
    case Numeric:
    case Decimal:
        return vb::IsNumeric(t) ? formatted(t, customFormat) : kErr;
    case Date:
    case Time:
        return vb::IsDate(t) ? formatted(t, customFormat) : kErr;
    case PartitaIva:
        return mdlGrid::CheckPartitaIva(t) != 0 ? kErr : formatted(t, customFormat);
    case CodiceFiscale:
        return mdlGrid::CheckCodiceFiscale(t) != 0 ? kErr : formatted(t, customFormat);
    default:
        return t;
    }
}

QString CellText::reason(const QString &t, qint32 dataType) {
    if (validate(t, dataType, QString()) != kErr) {
        return QString();
    }
    switch (dataType) {
    case Numeric:
    case Decimal:
        return QStringLiteral("Numero non valido");
    case Date:
        return QStringLiteral("Data non valida");
    case Time:
        return QStringLiteral("Ora non valida");
    case PartitaIva:
        return QStringLiteral("Partita IVA non valida: la cifra di controllo dovrebbe essere %1")
            .arg(QChar(mdlGrid::CheckPartitaIva(t)));
    case CodiceFiscale:
        if (t.size() < 16) {
            return QStringLiteral("Codice fiscale non valido: deve avere 16 caratteri");
        }
        return QStringLiteral("Codice fiscale non valido: il carattere di controllo dovrebbe "
                              "essere %1")
            .arg(QChar(mdlGrid::CheckCodiceFiscale(t)));
    default:
        return QString();
    }
}

QString CellText::shownOnLeave(const QString &editorText, const QString &validated,
                               qint32 caseType) {
    switch (caseType) {
    case UpperCase:
    case LowerCase:
        return vb::StrConv(editorText, caseType);
    case ProperCase:
        return vb::StrConv(validated, ProperCase);
    default:
        return validated;
    }
}

CellText::Styled CellText::styled(const QString &text, qint32 caseType,
                                  const QString &customFormat) {
    const QString raw = vb::StrConv(text, caseType);
    const QString shown =
        vb::StrConv(vb::Format(raw, customFormat, kFirstDayOfWeek, kFirstWeekOfYear), caseType);
    return {shown, raw};
}

} // namespace Vantrel3
