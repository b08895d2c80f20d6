#pragma once

#include <QString>
#include <QtGlobal>

#include <map>
#include <utility>

namespace Vantrel3 {

// Why each cell showing "Err" is invalid, kept by cell while the cell keeps that text. The notes
// follow their rows when rows are inserted or removed above them.
class ValidationNotes {
public:
    void set(qint32 row, qint32 col, const QString &message);
    void remove(qint32 row, qint32 col);
    QString at(qint32 row, qint32 col) const;
    void rowsInserted(qint32 first, qint32 count);
    void rowsRemoved(qint32 first, qint32 count);
    void clear() { m_notes.clear(); }
    bool isEmpty() const { return m_notes.empty(); }

private:
    std::map<std::pair<qint32, qint32>, QString> m_notes;
};

} // namespace Vantrel3
