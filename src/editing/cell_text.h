#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

// The texts a cell gets: the editor's text validated when the cell is left, and the shown and
// raw texts of a text that code writes. Pure functions of the text and the style in force.
class CellText {
public:
    static inline const QString kErr = QStringLiteral("Err");

    // The text checked against the data type and formatted with the custom format, or "Err".
    // Empty, untyped and alphanumeric texts come back unchanged.
    static QString validate(const QString &text, qint32 dataType, const QString &customFormat);

    // Why a text is not valid for the data type, in Italian (e.g. "Data non valida",
    // "Partita IVA non valida: la cifra di controllo dovrebbe essere 7"); empty when it is.
    static QString reason(const QString &text, qint32 dataType);

    // The visible grid's text after leaving a cell: the case-converted editor text for upper and
    // lower case, the validated text otherwise (proper-cased for proper case).
    static QString shownOnLeave(const QString &editorText, const QString &validated,
                                qint32 caseType);

    // The shown and raw texts of a text that code writes into a cell. No data-type check.
    struct Styled {
        QString shown;
        QString raw;
    };
    static Styled styled(const QString &text, qint32 caseType, const QString &customFormat);
};

} // namespace Vantrel3
