#include "control/row_operations.h"

#include "control/vantrel_p.h"
#include "editing/cell_text.h"

#include <Vantrel3/DoEvents.h>
#include <Vantrel3/FlexGrid.h>

namespace Vantrel3 {

namespace {

template <typename F>
void ignoringErrors(F &&f) {
    try {
        f();
    } catch (...) {
    }
}

} // namespace

QStringList RowOperations::itemFields(const QString &item) {
    QStringList fields;
    QString buffer;
    for (const QChar ch : item) {
        if (ch == u'\t') {
            fields.append(buffer);
            buffer.clear();
        } else {
            buffer.append(ch);
        }
    }
    if (!buffer.isEmpty()) {
        fields.append(buffer);
    }
    return fields;
}

void RowOperations::storeFields(qint32 row, const QString &item) {
    const QStringList fields = itemFields(item);
    for (qint32 col = 0; col < fields.size(); ++col) {
        ignoringErrors([&] { CellText(d).FormatCellText(row, col, fields[col]); });
    }
}

void RowOperations::AddItem(const QString &Item, std::optional<qint32> Index) {
    // In bound entry a record is started first, and an index is then ignored.
    const bool recordStarted = false;
    if (Index && !recordStarted) {
        ignoringErrors([&] { d.MSFlexGrid1->AddItem(QString(), *Index); });
        ignoringErrors([&] { d.MSFlexGrid2->AddItem(QString(), *Index); });
        storeFields(*Index, Item);
    } else {
        ignoringErrors([&] { d.MSFlexGrid1->AddItem(QString()); });
        ignoringErrors([&] { d.MSFlexGrid2->AddItem(QString()); });
        storeFields(d.MSFlexGrid1->Rows() - 1, Item);
    }
    DoEvents();
}

} // namespace Vantrel3
