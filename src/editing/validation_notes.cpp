#include "editing/validation_notes.h"

namespace Vantrel3 {

void ValidationNotes::set(qint32 row, qint32 col, const QString &message) {
    m_notes[{row, col}] = message;
}

void ValidationNotes::remove(qint32 row, qint32 col) {
    m_notes.erase({row, col});
}

QString ValidationNotes::at(qint32 row, qint32 col) const {
    const auto it = m_notes.find({row, col});
    return it == m_notes.end() ? QString() : it->second;
}

void ValidationNotes::rowsInserted(qint32 first, qint32 count) {
    std::map<std::pair<qint32, qint32>, QString> moved;
    for (auto &[cell, message] : m_notes) {
        const qint32 row = cell.first >= first ? cell.first + count : cell.first;
        moved.emplace(std::pair{row, cell.second}, std::move(message));
    }
    m_notes = std::move(moved);
}

void ValidationNotes::rowsRemoved(qint32 first, qint32 count) {
    std::map<std::pair<qint32, qint32>, QString> kept;
    for (auto &[cell, message] : m_notes) {
        if (cell.first >= first && cell.first < first + count) {
            continue;
        }
        const qint32 row = cell.first >= first + count ? cell.first - count : cell.first;
        kept.emplace(std::pair{row, cell.second}, std::move(message));
    }
    m_notes = std::move(kept);
}

} // namespace Vantrel3
