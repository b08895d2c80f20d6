#include "editing/cell_text.h"

#include "control/vantrel_p.h"
#include "editing/editor_box.h"

#include <Vantrel3/Enums.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/mdlGrid.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3 {

namespace {

// Sunday first, and the week of 1 January first, as the classic control passed them.
constexpr int kFirstDayOfWeek = 1;
constexpr int kFirstWeekOfYear = 1;

} // namespace

QString CellText::formatted(const QString &text) const {
    if (d.style.CurCustomFormat.isEmpty()) {
        return text;
    }
    return vb::Format(text, d.style.CurCustomFormat, kFirstDayOfWeek, kFirstWeekOfYear);
}

QString CellText::ValidateEditText(qint32 DataType) const {
    const QString t = d.Text1->Text();
    if (t.isEmpty() || DataType < Numeric || DataType > CodiceFiscale) {
        return t;
    }
    switch (DataType) {
    case Numeric:
        return vb::IsNumeric(t) ? formatted(t) : kErr;
    case Date:
    case Time:
        return vb::IsDate(t) ? formatted(t) : kErr;
    case PartitaIva:
        return mdlGrid::CheckPartitaIva(t) != 0 ? kErr : formatted(t);
    case CodiceFiscale:
        return mdlGrid::CheckCodiceFiscale(t) != 0 ? kErr : formatted(t);
    default:
        return t;
    }
}

CellText::Styled CellText::styled(const QString &text) const {
    const qint32 caseType = d.style.CurCaseType;
    const QString raw = vb::StrConv(text, caseType);
    const QString shown = vb::StrConv(
        vb::Format(raw, d.style.CurCustomFormat, kFirstDayOfWeek, kFirstWeekOfYear), caseType);
    return {shown, raw};
}

void CellText::FormatCellText(qint32 Row, qint32 Col, const QString &Text) {
    d.ApplyCellStyle(Row, Col);
    const Styled texts = styled(Text);
    d.MSFlexGrid1->SetTextMatrix(Row, Col, texts.shown);
    d.MSFlexGrid2->SetTextMatrix(Row, Col, texts.raw);
}

} // namespace Vantrel3
