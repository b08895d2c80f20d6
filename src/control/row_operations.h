#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace Vantrel3 {

class CellEditor;
class EditSession;
class EditorBox;
class FlexGrid;
class RecordBinding;

// The host's row and text operations on both grids. AddItem and RemoveItem run every step with
// its errors ignored: a step that fails is skipped and the next one runs. In bound entry they
// add and delete records too.
class RowOperations {
public:
    // `setCol` moves the current column through the control, as the host's Col does.
    RowOperations(FlexGrid &shown, FlexGrid &raw, EditorBox &editor, CellEditor &cells,
                  EditSession &session, RecordBinding &binding, std::function<void(qint32)> setCol);

    void AddItem(const QString &Item, std::optional<qint32> Index);
    void RemoveItem(qint32 Index);
    void Clear();
    // An empty row at the end of both grids, standing for no record: what AutoInsert appends.
    void appendEmptyRow();
    // An empty row inserted at `Index`, standing for no record; false when the grid refused.
    bool insertEmptyRow(qint32 Index);
    // Removes a row, the trailing row of bound entry too, its record first; false when the
    // record stays (the user was told why) and so does the row.
    bool removeRow(qint32 Index);
    // Writes of the current cell's text and of a cell by index, styled like TextMatrix.
    void SetText(const QString &text);
    void SetTextArray(qint32 index, const QString &text);
    void SetTextMatrix(qint32 row, qint32 col, const QString &text);

    // The fields of an item: tab-separated texts from column 0; a trailing empty field is
    // dropped, so "a\tb\t" has two fields and "" has none.
    static QStringList itemFields(const QString &item);

private:
    void storeFields(qint32 row, const QString &item);
    void addBoundItem(const QString &Item);

    FlexGrid &m_shown;
    FlexGrid &m_raw;
    EditorBox &m_editor;
    CellEditor &m_cells;
    EditSession &m_session;
    RecordBinding &m_binding;
    std::function<void(qint32)> m_setCol;
};

} // namespace Vantrel3
