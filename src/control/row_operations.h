#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace Vantrel3 {

class VantrelPrivate;

// The host's row operations. Every step runs with its errors ignored: a step that fails is
// skipped and the next one runs.
class RowOperations {
public:
    explicit RowOperations(VantrelPrivate &d) : d(d) {}

    void AddItem(const QString &Item, std::optional<qint32> Index);
    void RemoveItem(qint32 Index);
    void Clear();
    // Writes of the current cell's text and of a cell by index, styled like TextMatrix.
    void SetText(const QString &text);
    void SetTextArray(qint32 index, const QString &text);

    // The fields of an item: tab-separated texts from column 0; a trailing empty field is
    // dropped, so "a\tb\t" has two fields and "" has none.
    static QStringList itemFields(const QString &item);

private:
    void storeFields(qint32 row, const QString &item);
    void addBoundItem(const QString &Item);

    VantrelPrivate &d;
};

} // namespace Vantrel3
