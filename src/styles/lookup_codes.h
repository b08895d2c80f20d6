#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <unordered_map>

namespace Vantrel3 {

// The coded lookup items of each cell: the cell stores an item's code and shows its label.
// Both directions are hash look-ups, so a fill can ask for every cell of a large table. Between
// items of one cell with the same code, or with labels equal but for case, the first registered
// wins, as for the registry's other cell records. The empty text is never translated: an empty
// cell shows nothing, and a cell left empty stores nothing.
class LookupCodes {
public:
    void add(qint32 row, qint32 col, const QString &code, const QString &label);
    bool isEmpty() const { return m_cells.empty(); }

    // The label of one of the cell's codes, compared exactly; nullopt for any other text.
    std::optional<QString> labelFor(qint32 row, qint32 col, const QString &code) const;
    // The code of one of the cell's labels, compared whole and without regard to case;
    // nullopt for any other text.
    std::optional<QString> codeFor(qint32 row, qint32 col, const QString &label) const;

    // What the cell shows for a raw text: a known code's label, or the text itself.
    QString shownText(qint32 row, qint32 col, const QString &raw) const;
    // What the cell stores for a text the user leaves in it: a known label's code, or the text
    // as typed (a known code among them).
    QString storedText(qint32 row, qint32 col, const QString &text) const;
    // What a cell holding `raw` stores when the user leaves `text` in it: `raw` when the text is
    // what the cell shows for it (only the user's change may change what the record holds, also
    // where `raw` is another item's label), else storedText.
    QString storedOnLeave(qint32 row, qint32 col, const QString &raw, const QString &text) const;

private:
    struct CellCodes {
        QHash<QString, QString> labelByCode;
        QHash<QString, QString> codeByFoldedLabel;
    };
    const CellCodes *cell(qint32 row, qint32 col) const;

    std::unordered_map<quint64, CellCodes> m_cells;
};

} // namespace Vantrel3
