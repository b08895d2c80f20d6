#pragma once

#include <Vantrel3/Enums.h>
#include <Vantrel3/OleColor.h>

#include <QFont>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

namespace Vantrel3 {

class VantrelPrivate;

// The data-entry grid: a visible grid of formatted texts with a hidden twin holding the raw
// texts, an editor box laid over the current cell, per-column and per-cell edit styles and
// in-cell buttons. Geometry of the public surface is in twips.
class Vantrel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint32 Rows READ Rows WRITE SetRows)
    Q_PROPERTY(qint32 Cols READ Cols WRITE SetCols)
    Q_PROPERTY(qint32 FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(qint32 FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(qint32 Row READ Row WRITE SetRow)
    Q_PROPERTY(qint32 Col READ Col WRITE SetCol)
    Q_PROPERTY(qint32 BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(qint32 ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(bool AllowEdit READ AllowEdit WRITE SetAllowEdit)
    Q_PROPERTY(bool AutoInsert READ AutoInsert WRITE SetAutoInsert)
    Q_PROPERTY(bool AutoComplete READ AutoComplete WRITE SetAutoComplete)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(quint32 ForeColorEdit READ ForeColorEdit WRITE SetForeColorEdit)
    Q_PROPERTY(QFont FontEditText READ FontEditText WRITE SetFontEditText)

public:
    explicit Vantrel(QWidget *parent = nullptr);
    ~Vantrel() override;

    // Shape, on both grids
    qint32 Rows() const;
    void SetRows(qint32 rows);
    qint32 Cols() const;
    void SetCols(qint32 cols);
    qint32 FixedRows() const;
    void SetFixedRows(qint32 rows);
    qint32 FixedCols() const;
    void SetFixedCols(qint32 cols);

    // Current cell, on both grids; a write also becomes the recorded row or column
    qint32 Row() const;
    void SetRow(qint32 row);
    qint32 Col() const;
    void SetCol(qint32 col);

    qint32 BorderStyle() const;
    void SetBorderStyle(qint32 style);
    qint32 ScrollBars() const;
    void SetScrollBars(qint32 bars);
    bool AllowEdit() const;
    void SetAllowEdit(bool allow);

    // Typing on the last row appends an empty row.
    bool AutoInsert() const;
    void SetAutoInsert(bool on);
    // Completion of typed text from the cell's lookup items; stays False while AllowEdit is False.
    bool AutoComplete() const;
    void SetAutoComplete(bool on);
    // The editor's text colour; ForeColorEdit and FontEditText are its look while the user types.
    OleColor ForeColor() const;
    void SetForeColor(OleColor color);
    OleColor ForeColorEdit() const;
    void SetForeColorEdit(OleColor color);
    QFont FontEditText() const;
    void SetFontEditText(const QFont &font);

    // Column width in twips, on the visible grid
    qint32 ColWidth(qint32 col) const;
    void SetColWidth(qint32 col, qint32 twips);

    // Cell texts: the visible grid shows the formatted text, the hidden one keeps the raw text
    QString TextMatrix(qint32 row, qint32 col) const;
    void SetTextMatrix(qint32 row, qint32 col, const QString &text);

    // Edit styles, buttons and lookup items, registered at run time. They do nothing while
    // AllowEdit is False; an argument that does not fit its 16-bit field raises error 6.
    void ColEditMode(qint32 iCol, qint32 MaxLen = 0, qint32 ButtonStyle = 0, qint32 DataType = 0,
                     qint32 CaseType = 0, const QString &CustomFormat = {});
    void AddEditStyle(qint32 iCol, qint32 iRow, qint32 MaxLen = 0, qint32 DataType = 0,
                      qint32 CaseType = 0, const QString &CustomFormat = {});
    void AddButton(qint32 iCol, qint32 iRow, qint32 iStyle);
    void AddLookUp(qint32 iCol, qint32 iRow, const QString &sData);

    // Adds a row: the item's tab-separated texts go to its cells from column 0, each styled like
    // a text written by code. Without an index the row is appended.
    void AddItem(const QString &Item, std::optional<qint32> Index = std::nullopt);

Q_SIGNALS:
    // Every write of a saved property ends with this notification, carrying the name.
    void PropertyChanged(const QString &name);

    // The control's events, in their documented order. Parameters are by reference: a handler
    // connected directly may change them, and the change flows back.
    void ButtonClick(); // declared for compatibility; never raised
    void Click();
    void DblClick();
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void Change();
    void EnterCell();
    void LeaveCell();
    void RowColChange();
    void Scroll();
    void SelChange();
    void Validate(bool &Cancel);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class VantrelPrivate;
    std::unique_ptr<VantrelPrivate> d;
};

} // namespace Vantrel3
