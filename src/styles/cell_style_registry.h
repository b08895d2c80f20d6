#pragma once

#include "styles/cell_style_state.h"
#include "styles/cls_buttons.h"
#include "styles/cls_edit.h"
#include "styles/cls_grid.h"
#include "styles/cls_lookup.h"
#include "styles/lookup_codes.h"

#include <QStringList>
#include <functional>
#include <unordered_map>
#include <vector>

namespace Vantrel3 {

// The four record lists the host fills at run time, with the look-ups placement and formatting
// make on every cell entry. Records are only ever appended; the lists keep registration order and
// duplicates, and hash indexes answer look-ups without a scan while keeping the first-match and
// last-match rules. Pointers returned by the look-ups stay valid until the next registration.
class CellStyleRegistry {
public:
    // Each throws VbError(VbError::Overflow) and appends nothing when a narrowed argument does not
    // fit in 16 bits: MaxLen, ButtonStyle, CaseType of ColEditMode (its DataType stays 32-bit);
    // MaxLen, DataType, CaseType of AddEditStyle; iStyle of AddButton.
    void ColEditMode(qint32 iCol, qint32 MaxLen, qint32 ButtonStyle, qint32 DataType,
                     qint32 CaseType, const QString &CustomFormat);
    void AddEditStyle(qint32 iCol, qint32 iRow, qint32 MaxLen, qint32 DataType, qint32 CaseType,
                      const QString &CustomFormat);
    void AddButton(qint32 iCol, qint32 iRow, qint32 iStyle);
    void AddLookUp(qint32 iCol, qint32 iRow, const QString &sData);
    // An item whose list text is its label, while the cell stores its code.
    void AddLookUpItem(qint32 iCol, qint32 iRow, const QString &Code, const QString &Label);

    const std::vector<clsGrid> &colGrid() const { return m_grid; }
    const std::vector<clsEdit> &colEdit() const { return m_edit; }
    const std::vector<clsButtons> &colButtons() const { return m_buttons; }
    const std::vector<clsLookUp> &colLookUp() const { return m_lookUp; }

    // nullptr when no record matches.
    const clsGrid *firstColumnMode(qint32 col) const;
    const clsGrid *lastColumnMode(qint32 col) const;
    const clsEdit *firstEditStyle(qint32 row, qint32 col) const;
    const clsButtons *firstButton(qint32 row, qint32 col) const;
    // Every matching item in registration order, duplicates kept.
    QStringList lookUpItems(qint32 row, qint32 col) const;
    // The codes and labels of the items AddLookUpItem registered.
    const LookupCodes &lookUpCodes() const { return m_codes; }
    // What a cell shows for a raw text: the label of one of its codes, or the text itself. A
    // hash look-up, for a fill to call once per cell.
    QString shownText(qint32 row, qint32 col, const QString &raw) const {
        return m_codes.shownText(row, col, raw);
    }

    // The data type the editor takes on a cell: the first matching column mode's, then the first
    // matching cell style's; 0 when no record gives one.
    qint32 placedDataType(qint32 row, qint32 col) const;

    // The last matching column mode sets data type, case and format; then the first matching
    // cell style sets the length limit (through setMaxLength, when given) and the same three.
    // Members no record writes keep their values; the popup flags are never touched.
    void ApplyCellStyle(qint32 Row, qint32 Col, CellStyleState &state,
                        const std::function<void(qint32)> &setMaxLength) const;

private:
    struct ColumnSpan {
        size_t first;
        size_t last;
    };

    std::vector<clsGrid> m_grid;
    std::vector<clsEdit> m_edit;
    std::vector<clsButtons> m_buttons;
    std::vector<clsLookUp> m_lookUp;

    std::unordered_map<qint32, ColumnSpan> m_gridByCol;
    std::unordered_map<quint64, size_t> m_firstEditByCell;
    std::unordered_map<quint64, size_t> m_firstButtonByCell;
    std::unordered_map<quint64, std::vector<size_t>> m_lookUpByCell;
    LookupCodes m_codes;
};

} // namespace Vantrel3
