#include "control/row_operations.h"

#include "control/vantrel_p.h"
#include "editing/cell_text.h"
#include "editing/editor_box.h"
#include "host/ignoring_errors.h"

#include <Vantrel3/DataControl.h>
#include <Vantrel3/DoEvents.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Recordset.h>

namespace Vantrel3 {

namespace {} // namespace

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
    bool recordStarted = false;
    if (d.boundEntry) {
        recordStarted = attempt([&] { d.startRecordForItem(); });
    }
    if (Index && !recordStarted) {
        ignoringErrors([&] { d.MSFlexGrid1->AddItem(QString(), *Index); });
        ignoringErrors([&] { d.MSFlexGrid2->AddItem(QString(), *Index); });
        storeFields(*Index, Item);
    } else if (d.boundEntry) {
        addBoundItem(Item);
    } else {
        ignoringErrors([&] { d.MSFlexGrid1->AddItem(QString()); });
        ignoringErrors([&] { d.MSFlexGrid2->AddItem(QString()); });
        storeFields(d.MSFlexGrid1->Rows() - 1, Item);
    }
    DoEvents();
}

void RowOperations::addBoundItem(const QString &Item) {
    // The fields go into the trailing row and into the started record; an index is ignored.
    const QStringList fields = itemFields(Item);
    const qint32 row = d.MSFlexGrid1->Rows() - 1;
    // The current cell follows the fields only along the trailing row: moving it on another
    // row would commit that row's pending typing into the record being added.
    const bool onTrailingRow = d.MSFlexGrid1->Row() == row;
    for (qint32 col = 0; col < fields.size(); ++col) {
        ignoringErrors([&] {
            if (onTrailingRow) {
                d.q->SetCol(col);
            }
            const QString shown = d.writeItemField(col, fields[col]);
            CellText(d).FormatCellText(row, col, shown);
            // The editor on this cell must hold the new text, or the next Col move leaves the
            // cell with the old text and writes that back over the field and the grid.
            if (row == d.MSFlexGrid1->Row() && col == d.MSFlexGrid1->Col()) {
                d.forgetTyping();
                d.PlaceEditor();
            }
        });
    }
    bool saved = false;
    ignoringErrors([&] { saved = d.saveRecord(); });
    if (!saved) {
        // Reported to the user; the row stays the trailing row, still standing for its record,
        // so grid rows and records stay in step.
        return;
    }
    if (row - 1 == d.blankRecordPosition) {
        d.blankRecordSaved = false; // the trailing record took the item
    }
    ignoringErrors([&] { d.MSFlexGrid1->AddItem(QString()); });
    ignoringErrors([&] { d.MSFlexGrid2->AddItem(QString()); });
    ignoringErrors([&] {
        try {
            d.Data1->Recordset().AddNew();
            d.CompleteNewRecord();
        } catch (...) {
            // No blank record for the new row: nothing the user entered is at stake, but no
            // half-made record may stay pending.
            ignoringErrors([&] { d.Data1->Recordset().CancelUpdate(); });
            throw;
        }
    });
}

void RowOperations::RemoveItem(qint32 Index) {
    // In bound entry the trailing empty row stays.
    if (d.boundEntry && d.MSFlexGrid1->Rows() == Index + 1) {
        return;
    }
    ignoringErrors([&] { d.MSFlexGrid1->RemoveItem(Index); });
    ignoringErrors([&] { d.MSFlexGrid2->RemoveItem(Index); });
    ignoringErrors([&] {
        Recordset &rs = d.Data1->Recordset();
        rs.SetAbsolutePosition(Index - 1);
        rs.Delete();
        if (d.blankRecordSaved && Index - 1 < d.blankRecordPosition) {
            --d.blankRecordPosition;
        }
    });
    ignoringErrors([&] {
        d.Text1->SetText(QString());
        d.forgetTyping();
        d.PlaceEditor();
    });
}

void RowOperations::Clear() {
    d.MSFlexGrid1->Clear();
    d.MSFlexGrid2->Clear();
    // The editor still held the current cell's old text, which leaving the cell would write
    // back into the cleared grid. Reload it, unless the user has typed there.
    ignoringErrors([&] { d.PlaceEditor(); });
}

void RowOperations::SetText(const QString &text) {
    CellText cells(d);
    d.ApplyCellStyle(d.MSFlexGrid1->Row(), d.MSFlexGrid1->Col());
    const CellText::Styled texts = cells.styled(text);
    d.MSFlexGrid1->SetText(texts.shown);
    d.MSFlexGrid2->SetText(texts.raw);
    d.forgetTyping();
}

void RowOperations::SetTextArray(qint32 index, const QString &text) {
    CellText cells(d);
    // The style is the current cell's, whichever cell the index names.
    d.ApplyCellStyle(d.MSFlexGrid1->Row(), d.MSFlexGrid1->Col());
    const CellText::Styled texts = cells.styled(text);
    d.MSFlexGrid1->SetTextArray(index, texts.shown);
    d.MSFlexGrid2->SetTextArray(index, texts.raw);
    const qint32 cols = d.MSFlexGrid1->Cols();
    if (cols > 0 && index / cols == d.MSFlexGrid1->Row() && index % cols == d.MSFlexGrid1->Col()) {
        d.forgetTyping();
    }
}

} // namespace Vantrel3
