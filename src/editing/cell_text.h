#pragma once

#include <QString>
#include <QtGlobal>

namespace Vantrel3 {

class VantrelPrivate;

// Validation of the editor's text when a cell is left, and the styled write of a cell's text
// that code sets: the visible grid gets the formatted text, the hidden grid the raw text.
class CellText {
public:
    static inline const QString kErr = QStringLiteral("Err");

    explicit CellText(VantrelPrivate &d) : d(d) {}

    // The editor's text checked against the data type and formatted with the current custom
    // format, or "Err". Untyped and alphanumeric texts come back unchanged.
    QString ValidateEditText(qint32 DataType) const;

    // Loads the cell's style, then writes both grids. No data-type check runs here.
    void FormatCellText(qint32 Row, qint32 Col, const QString &Text);

    // The shown and raw texts of a text under the style now in force.
    struct Styled {
        QString shown;
        QString raw;
    };
    Styled styled(const QString &text) const;

private:
    QString formatted(const QString &text) const;

    VantrelPrivate &d;
};

} // namespace Vantrel3
