#include "styles/cell_style_registry.h"

#include "styles/cell_key.h"

#include <Vantrel3/VbError.h>

#include <limits>

namespace Vantrel3 {

namespace {

// Integer parameters are narrowed on the way in; a value that does not fit is an overflow.
qint16 toInteger(qint32 value) {
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) {
        throw VbError(VbError::Overflow);
    }
    return qint16(value);
}

} // namespace

void CellStyleRegistry::ColEditMode(qint32 iCol, qint32 MaxLen, qint32 ButtonStyle, qint32 DataType,
                                    qint32 CaseType, const QString &CustomFormat) {
    clsGrid record{iCol,         toInteger(MaxLen),  DataType, toInteger(ButtonStyle),
                   CustomFormat, toInteger(CaseType)};
    const size_t index = m_grid.size();
    m_grid.push_back(std::move(record));
    auto [it, inserted] = m_gridByCol.try_emplace(iCol, ColumnSpan{index, index});
    if (!inserted) {
        it->second.last = index;
    }
}

void CellStyleRegistry::AddEditStyle(qint32 iCol, qint32 iRow, qint32 MaxLen, qint32 DataType,
                                     qint32 CaseType, const QString &CustomFormat) {
    clsEdit record{iCol,        iRow, toInteger(DataType), toInteger(MaxLen), toInteger(CaseType),
                   CustomFormat};
    m_edit.push_back(std::move(record));
    m_firstEditByCell.try_emplace(cellKey(iRow, iCol), m_edit.size() - 1);
}

void CellStyleRegistry::AddButton(qint32 iCol, qint32 iRow, qint32 iStyle) {
    const clsButtons record{iCol, iRow, toInteger(iStyle)};
    m_buttons.push_back(record);
    m_firstButtonByCell.try_emplace(cellKey(iRow, iCol), m_buttons.size() - 1);
}

void CellStyleRegistry::AddLookUp(qint32 iCol, qint32 iRow, const QString &sData) {
    // The text is its own code, and no translation: what the user types stays as typed.
    m_lookUp.push_back(clsLookUp{iCol, iRow, sData, sData});
    m_lookUpByCell[cellKey(iRow, iCol)].push_back(m_lookUp.size() - 1);
}

void CellStyleRegistry::AddLookUpItem(qint32 iCol, qint32 iRow, const QString &Code,
                                      const QString &Label) {
    m_lookUp.push_back(clsLookUp{iCol, iRow, Label, Code});
    m_lookUpByCell[cellKey(iRow, iCol)].push_back(m_lookUp.size() - 1);
    m_codes.add(iRow, iCol, Code, Label);
}

const clsGrid *CellStyleRegistry::firstColumnMode(qint32 col) const {
    const auto it = m_gridByCol.find(col);
    return it == m_gridByCol.end() ? nullptr : &m_grid[it->second.first];
}

const clsGrid *CellStyleRegistry::lastColumnMode(qint32 col) const {
    const auto it = m_gridByCol.find(col);
    return it == m_gridByCol.end() ? nullptr : &m_grid[it->second.last];
}

qint32 CellStyleRegistry::placedDataType(qint32 row, qint32 col) const {
    if (const clsEdit *edit = firstEditStyle(row, col)) {
        return edit->DataFormat;
    }
    const clsGrid *mode = firstColumnMode(col);
    return mode ? mode->DataType : 0;
}

const clsEdit *CellStyleRegistry::firstEditStyle(qint32 row, qint32 col) const {
    const auto it = m_firstEditByCell.find(cellKey(row, col));
    return it == m_firstEditByCell.end() ? nullptr : &m_edit[it->second];
}

const clsButtons *CellStyleRegistry::firstButton(qint32 row, qint32 col) const {
    const auto it = m_firstButtonByCell.find(cellKey(row, col));
    return it == m_firstButtonByCell.end() ? nullptr : &m_buttons[it->second];
}

QStringList CellStyleRegistry::lookUpItems(qint32 row, qint32 col) const {
    QStringList items;
    const auto it = m_lookUpByCell.find(cellKey(row, col));
    if (it != m_lookUpByCell.end()) {
        items.reserve(qsizetype(it->second.size()));
        for (const size_t index : it->second) {
            items.append(m_lookUp[index].ItemData);
        }
    }
    return items;
}

void CellStyleRegistry::ApplyCellStyle(qint32 Row, qint32 Col, CellStyleState &state,
                                       const std::function<void(qint32)> &setMaxLength) const {
    if (const clsGrid *column = lastColumnMode(Col)) {
        state.CurDataType = column->DataType;
        state.CurCaseType = column->CaseFormat;
        state.CurCustomFormat = column->CustomFormat;
    }
    if (const clsEdit *cell = firstEditStyle(Row, Col)) {
        if (setMaxLength) {
            setMaxLength(cell->MaxLen);
        }
        state.CurDataType = cell->DataFormat;
        state.CurCaseType = cell->CaseFormat;
        state.CurCustomFormat = cell->CustomFormat;
    }
}

} // namespace Vantrel3
