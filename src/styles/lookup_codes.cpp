#include "styles/lookup_codes.h"

#include "styles/cell_key.h"

namespace Vantrel3 {

void LookupCodes::add(qint32 row, qint32 col, const QString &code, const QString &label) {
    CellCodes &codes = m_cells[cellKey(row, col)];
    if (!code.isEmpty() && !codes.labelByCode.contains(code)) {
        codes.labelByCode.insert(code, label);
    }
    const QString folded = label.toCaseFolded();
    if (!folded.isEmpty() && !codes.codeByFoldedLabel.contains(folded)) {
        codes.codeByFoldedLabel.insert(folded, code);
    }
}

const LookupCodes::CellCodes *LookupCodes::cell(qint32 row, qint32 col) const {
    // Most grids have no coded items at all; their cells cost no hashing.
    if (m_cells.empty()) {
        return nullptr;
    }
    const auto it = m_cells.find(cellKey(row, col));
    return it == m_cells.end() ? nullptr : &it->second;
}

std::optional<QString> LookupCodes::labelFor(qint32 row, qint32 col, const QString &code) const {
    const CellCodes *codes = cell(row, col);
    if (!codes || code.isEmpty()) {
        return std::nullopt;
    }
    const auto it = codes->labelByCode.constFind(code);
    if (it == codes->labelByCode.cend()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<QString> LookupCodes::codeFor(qint32 row, qint32 col, const QString &label) const {
    const CellCodes *codes = cell(row, col);
    if (!codes || label.isEmpty()) {
        return std::nullopt;
    }
    const auto it = codes->codeByFoldedLabel.constFind(label.toCaseFolded());
    if (it == codes->codeByFoldedLabel.cend()) {
        return std::nullopt;
    }
    return *it;
}

QString LookupCodes::shownText(qint32 row, qint32 col, const QString &raw) const {
    return labelFor(row, col, raw).value_or(raw);
}

QString LookupCodes::storedText(qint32 row, qint32 col, const QString &text) const {
    return codeFor(row, col, text).value_or(text);
}

QString LookupCodes::storedOnLeave(qint32 row, qint32 col, const QString &raw,
                                   const QString &text) const {
    return text == shownText(row, col, raw) ? raw : storedText(row, col, text);
}

} // namespace Vantrel3
