#pragma once

#include <Vantrel3/Enums.h>
#include <Vantrel3/Export.h>
#include <Vantrel3/OleColor.h>

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QString>
#include <memory>
#include <optional>

namespace Vantrel3 {

class FlexGridPrivate;

/// The grid component: rows and columns of text cells with fixed header rows and columns.
/// Geometry of the public surface is in twips; indexes count fixed rows and columns too.
/// Errors are raised as VbError (381 for an index outside the grid, 30009/30010 for Row/Col,
/// 380 for a setting outside its range, 30000 when the grid cannot hold that many cells).
///
/// Vantrel holds two of them, found by objectName: `MSFlexGrid1`, the one shown, and
/// `MSFlexGrid2`, never shown, which keeps the raw texts. Every property without an index is
/// also a Q_PROPERTY of the same name. A new grid has 2 rows and 2 columns, one of each fixed.
class VANTREL3_EXPORT FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(qint32 Rows READ Rows WRITE SetRows)
    Q_PROPERTY(qint32 Cols READ Cols WRITE SetCols)
    Q_PROPERTY(qint32 FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(qint32 FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(qint32 Row READ Row WRITE SetRow)
    Q_PROPERTY(qint32 Col READ Col WRITE SetCol)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(qint32 RowSel READ RowSel WRITE SetRowSel)
    Q_PROPERTY(qint32 ColSel READ ColSel WRITE SetColSel)
    Q_PROPERTY(qint32 TopRow READ TopRow WRITE SetTopRow)
    Q_PROPERTY(qint32 LeftCol READ LeftCol WRITE SetLeftCol)
    Q_PROPERTY(qint32 MouseRow READ MouseRow)
    Q_PROPERTY(qint32 MouseCol READ MouseCol)
    Q_PROPERTY(qint32 CellLeft READ CellLeft)
    Q_PROPERTY(qint32 CellTop READ CellTop)
    Q_PROPERTY(qint32 CellWidth READ CellWidth)
    Q_PROPERTY(qint32 CellHeight READ CellHeight)
    Q_PROPERTY(qint32 Width READ Width WRITE SetWidth)
    Q_PROPERTY(qint32 Height READ Height WRITE SetHeight)
    Q_PROPERTY(qint32 RowHeightMin READ RowHeightMin WRITE SetRowHeightMin)
    Q_PROPERTY(QString FormatString READ FormatString WRITE SetFormatString)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(qint32 MergeCells READ MergeCells WRITE SetMergeCells)
    Q_PROPERTY(bool Redraw READ Redraw WRITE SetRedraw)
    Q_PROPERTY(QPixmap CellPicture READ CellPicture WRITE SetCellPicture)
    Q_PROPERTY(Vantrel3::OleColor BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(Vantrel3::OleColor ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(Vantrel3::OleColor BackColorFixed READ BackColorFixed WRITE SetBackColorFixed)
    Q_PROPERTY(Vantrel3::OleColor ForeColorFixed READ ForeColorFixed WRITE SetForeColorFixed)
    Q_PROPERTY(Vantrel3::OleColor BackColorSel READ BackColorSel WRITE SetBackColorSel)
    Q_PROPERTY(Vantrel3::OleColor ForeColorSel READ ForeColorSel WRITE SetForeColorSel)
    Q_PROPERTY(Vantrel3::OleColor BackColorBkg READ BackColorBkg WRITE SetBackColorBkg)
    Q_PROPERTY(Vantrel3::OleColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(Vantrel3::OleColor GridColorFixed READ GridColorFixed WRITE SetGridColorFixed)
    Q_PROPERTY(qint32 GridLines READ GridLines WRITE SetGridLines)
    Q_PROPERTY(qint32 GridLinesFixed READ GridLinesFixed WRITE SetGridLinesFixed)
    Q_PROPERTY(qint16 GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(qint32 FocusRect READ FocusRect WRITE SetFocusRect)
    Q_PROPERTY(qint32 HighLight READ HighLight WRITE SetHighLight)
    Q_PROPERTY(qint32 SelectionMode READ SelectionMode WRITE SetSelectionMode)
    Q_PROPERTY(qint32 TextStyle READ TextStyle WRITE SetTextStyle)
    Q_PROPERTY(qint32 TextStyleFixed READ TextStyleFixed WRITE SetTextStyleFixed)
    Q_PROPERTY(qint32 ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(qint32 AllowUserResizing READ AllowUserResizing WRITE SetAllowUserResizing)
    Q_PROPERTY(qint32 BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE SetToolTipText)

public:
    /// A grid of 2 rows and 2 columns, one of each fixed, with the current cell at (1, 1).
    explicit FlexGrid(QWidget *parent = nullptr);
    /// Destroys the grid and its cells.
    ~FlexGrid() override;

    /// @name Shape
    /// @{

    /// The number of rows, fixed rows included.
    qint32 Rows() const;
    /// Sets the number of rows; new rows are empty. Raises 380 when negative, 30000 when the grid
    /// cannot hold that many cells.
    void SetRows(qint32 rows);
    /// The number of columns, fixed columns included.
    qint32 Cols() const;
    /// Sets the number of columns; new columns are empty. Raises 380 when negative, 30000 when
    /// the grid cannot hold that many cells.
    void SetCols(qint32 cols);
    /// The number of header rows at the top, which do not scroll.
    qint32 FixedRows() const;
    /// Sets the number of header rows (0..Rows, else 380); the current cell moves below them.
    void SetFixedRows(qint32 rows);
    /// The number of header columns at the left, which do not scroll.
    qint32 FixedCols() const;
    /// Sets the number of header columns (0..Cols, else 380); the current cell moves right of
    /// them.
    void SetFixedCols(qint32 cols);
    /// @}

    /// @name Texts
    /// @{

    /// The current cell's text.
    QString Text() const;
    /// Writes the current cell's text.
    void SetText(const QString &text);
    /// The text of cell (@p row, @p col); 381 outside the grid.
    QString TextMatrix(qint32 row, qint32 col) const;
    /// Writes the text of cell (@p row, @p col); 381 outside the grid.
    void SetTextMatrix(qint32 row, qint32 col, const QString &text);
    /// The text of the cell at @p index = row * Cols + col; 381 outside the grid.
    QString TextArray(qint32 index) const;
    /// Writes the text of the cell at @p index = row * Cols + col; 381 outside the grid.
    void SetTextArray(qint32 index, const QString &text);
    /// @}

    /// @name Rows
    /// @{

    /// Inserts a row at @p index, or appends one without it, holding the @p item's tab-separated
    /// texts from column 0. Raises 381 for an index among the fixed rows or past the end.
    void AddItem(const QString &item, std::optional<qint32> index = std::nullopt);
    /// Removes row @p index. Raises 381 for a fixed row or one outside the grid, 30015 for the
    /// last non-fixed row.
    void RemoveItem(qint32 index);
    /// Empties every cell, texts and pictures; the shape and the settings stay.
    void Clear();
    /// Repaints the whole grid at once (nothing while Redraw is False).
    void Refresh();
    /// @}

    /// @name Current cell, selection and scrolling
    /// @{

    /// The current cell's row.
    qint32 Row() const;
    /// Makes @p row current and the selection just that cell; a move raises LeaveCell,
    /// EnterCell, RowColChange and SelChange. Raises 30009 outside the grid.
    void SetRow(qint32 row);
    /// The current cell's column.
    qint32 Col() const;
    /// Makes @p col current and the selection just that cell; a move raises LeaveCell,
    /// EnterCell, RowColChange and SelChange. Raises 30010 outside the grid.
    void SetCol(qint32 col);
    /// The row at the other corner of the selection from the current cell.
    qint32 RowSel() const;
    /// Extends the selection to @p row; raises 30009 outside the grid.
    void SetRowSel(qint32 row);
    /// The column at the other corner of the selection from the current cell.
    qint32 ColSel() const;
    /// Extends the selection to @p col; raises 30010 outside the grid.
    void SetColSel(qint32 col);
    /// The first scrolling row in view.
    qint32 TopRow() const;
    /// Scrolls @p row to the top, as far as the rows allow; raises 30009 outside the grid.
    void SetTopRow(qint32 row);
    /// The first scrolling column in view.
    qint32 LeftCol() const;
    /// Scrolls @p col to the left edge, as far as the columns allow; raises 30010 outside the
    /// grid.
    void SetLeftCol(qint32 col);
    /// The row under the mouse pointer, -1 when none.
    qint32 MouseRow() const;
    /// The column under the mouse pointer, -1 when none.
    qint32 MouseCol() const;
    /// Scrolls as little as needed to bring the current cell into view.
    void scrollToCurrentCell();
    /// @}

    /// @name The current cell's rectangle
    /// In twips from the grid's top-left corner; 0 when the grid has no current cell.
    /// @{

    /// The left edge of the current cell.
    qint32 CellLeft() const;
    /// The top edge of the current cell.
    qint32 CellTop() const;
    /// The width of the current cell, without its grid line.
    qint32 CellWidth() const;
    /// The height of the current cell, without its grid line.
    qint32 CellHeight() const;
    /// @}

    /// @name Outer size
    /// The grid's own outer size, in twips; a negative size raises 380.
    /// @{

    /// The grid's width.
    qint32 Width() const;
    /// Resizes the grid to @p twips across.
    void SetWidth(qint32 twips);
    /// The grid's height.
    qint32 Height() const;
    /// Resizes the grid to @p twips down.
    void SetHeight(qint32 twips);
    /// @}

    /// @name Sizes
    /// In twips. -1 restores the default; 0 hides. Below -1 raises 380.
    /// @{

    /// The width of column @p col (960 twips by default); 381 outside the grid.
    qint32 ColWidth(qint32 col) const;
    /// Sets the width of column @p col.
    void SetColWidth(qint32 col, qint32 twips);
    /// The height of row @p row, at least RowHeightMin unless hidden; 381 outside the grid.
    qint32 RowHeight(qint32 row) const;
    /// Sets the height of row @p row.
    void SetRowHeight(qint32 row, qint32 twips);
    /// The least height of every row that is not hidden; 0 by default.
    qint32 RowHeightMin() const;
    /// Sets the least row height; negative raises 380.
    void SetRowHeightMin(qint32 twips);
    /// @}

    /// @name Per-column and per-row settings
    /// A row or column outside the grid raises 381.
    /// @{

    /// The alignment of column @p col's texts, an AlignmentSettings value.
    qint32 ColAlignment(qint32 col) const;
    /// Sets the alignment of column @p col's texts (0..9, else 380).
    void SetColAlignment(qint32 col, qint32 alignment);
    /// The alignment of column @p col's texts in the fixed rows; ColAlignment until it is set.
    qint16 FixedAlignment(qint32 col) const;
    /// Sets the alignment of column @p col's texts in the fixed rows (0..9, else 380).
    void SetFixedAlignment(qint32 col, qint16 alignment);
    /// A number the host keeps with column @p col; the grid does not use it.
    qint32 ColData(qint32 col) const;
    /// Keeps @p value with column @p col.
    void SetColData(qint32 col, qint32 value);
    /// A number the host keeps with row @p row; the grid does not use it.
    qint32 RowData(qint32 row) const;
    /// Keeps @p value with row @p row.
    void SetRowData(qint32 row, qint32 value);
    /// Where column @p col starts, in twips from the grid's left edge as it is scrolled now.
    qint32 ColPos(qint32 col) const;
    /// Where row @p row starts, in twips from the grid's top edge as it is scrolled now.
    qint32 RowPos(qint32 row) const;
    /// True when column @p col is in view.
    bool ColIsVisible(qint32 col) const;
    /// True when row @p row is in view.
    bool RowIsVisible(qint32 row) const;
    /// Moves column @p col, with its texts and settings, to position @p position; 381 for either
    /// outside the grid.
    void SetColPosition(qint32 col, qint32 position);
    /// Moves row @p row, with its texts, to position @p position; 381 for either outside the
    /// grid.
    void SetRowPosition(qint32 row, qint32 position);
    /// @}

    /// @name Format string, wrapping, merging, drawing
    /// @{

    /// The headings last set by SetFormatString.
    QString FormatString() const;
    /// Sets the headings at once, adding rows and columns as needed:
    /// `<Name|^Code|>Amount;|North|South` puts three column headings in row 0, aligned by their
    /// marker (`<` left, `^` centre, `>` right) and sized to their text, and the row headings
    /// North and South in column 0 of rows 1 and 2.
    void SetFormatString(const QString &format);
    /// True wraps texts too long for their cell onto more lines.
    bool WordWrap() const;
    /// Sets whether long texts wrap.
    void SetWordWrap(bool wrap);
    /// Whether equal neighbouring cells are drawn as one, a MergeCellsSettings value.
    qint32 MergeCells() const;
    /// Sets how cells merge (0..4, else 380).
    void SetMergeCells(qint32 mode);
    /// True when the cells of row @p row may merge with their neighbours across.
    bool MergeRow(qint32 row) const;
    /// Lets the cells of row @p row merge across, or not.
    void SetMergeRow(qint32 row, bool merge);
    /// True when the cells of column @p col may merge with their neighbours down.
    bool MergeCol(qint32 col) const;
    /// Lets the cells of column @p col merge down, or not.
    void SetMergeCol(qint32 col, bool merge);
    /// False while painting is suspended; True by default.
    bool Redraw() const;
    /// Suspends painting during many changes (False) and repaints once at the end (True).
    void SetRedraw(bool redraw);
    /// The current cell's picture, drawn in the cell with its text.
    QPixmap CellPicture() const;
    /// Sets the current cell's picture; a null pixmap removes it.
    void SetCellPicture(const QPixmap &picture);
    /// @}

    /// @name Colours
    /// OLE colours; system colours follow the palette.
    /// @{

    /// Background of the scrolling cells.
    OleColor BackColor() const;
    /// Sets the background of the scrolling cells.
    void SetBackColor(OleColor color);
    /// Text colour of the scrolling cells.
    OleColor ForeColor() const;
    /// Sets the text colour of the scrolling cells.
    void SetForeColor(OleColor color);
    /// Background of the fixed cells.
    OleColor BackColorFixed() const;
    /// Sets the background of the fixed cells.
    void SetBackColorFixed(OleColor color);
    /// Text colour of the fixed cells.
    OleColor ForeColorFixed() const;
    /// Sets the text colour of the fixed cells.
    void SetForeColorFixed(OleColor color);
    /// Background of the selected cells.
    OleColor BackColorSel() const;
    /// Sets the background of the selected cells.
    void SetBackColorSel(OleColor color);
    /// Text colour of the selected cells.
    OleColor ForeColorSel() const;
    /// Sets the text colour of the selected cells.
    void SetForeColorSel(OleColor color);
    /// Colour of the area past the last row and column.
    OleColor BackColorBkg() const;
    /// Sets the colour of the area past the last row and column.
    void SetBackColorBkg(OleColor color);
    /// Colour of the lines between scrolling cells.
    OleColor GridColor() const;
    /// Sets the colour of the lines between scrolling cells.
    void SetGridColor(OleColor color);
    /// Colour of the lines between fixed cells.
    OleColor GridColorFixed() const;
    /// Sets the colour of the lines between fixed cells.
    void SetGridColorFixed(OleColor color);
    /// @}

    /// @name Look and behaviour
    /// A value outside a setting's range raises 380.
    /// @{

    /// The lines between scrolling cells, a GridLineSettings value.
    qint32 GridLines() const;
    /// Sets the lines between scrolling cells (0..3).
    void SetGridLines(qint32 style);
    /// The lines between fixed cells, a GridLineSettings value.
    qint32 GridLinesFixed() const;
    /// Sets the lines between fixed cells (0..3).
    void SetGridLinesFixed(qint32 style);
    /// The width of the grid lines, in pixels.
    qint16 GridLineWidth() const;
    /// Sets the width of the grid lines (1..10 pixels).
    void SetGridLineWidth(qint16 width);
    /// The current cell's focus rectangle: 0 none, 1 light, 2 heavy.
    qint32 FocusRect() const;
    /// Sets the focus rectangle (0..2).
    void SetFocusRect(qint32 style);
    /// When the selection is shown, a HighLightSettings value.
    qint32 HighLight() const;
    /// Sets when the selection is shown (0..2).
    void SetHighLight(qint32 mode);
    /// What a mouse selection takes, a SelectionModeSettings value.
    qint32 SelectionMode() const;
    /// Sets what a mouse selection takes (0..2).
    void SetSelectionMode(qint32 mode);
    /// How the scrolling cells' texts are drawn, a TextStyleSettings value.
    qint32 TextStyle() const;
    /// Sets how the scrolling cells' texts are drawn (0..4).
    void SetTextStyle(qint32 style);
    /// How the fixed cells' texts are drawn, a TextStyleSettings value.
    qint32 TextStyleFixed() const;
    /// Sets how the fixed cells' texts are drawn (0..4).
    void SetTextStyleFixed(qint32 style);
    /// The scroll bars shown when needed, a ScrollBarsSettings value.
    qint32 ScrollBars() const;
    /// Sets the scroll bars (0..3).
    void SetScrollBars(qint32 bars);
    /// What the user may resize with the mouse, an AllowUserResizeSettings value.
    qint32 AllowUserResizing() const;
    /// Sets what the user may resize (0..3).
    void SetAllowUserResizing(qint32 mode);
    /// The grid's frame: 0 none, 1 single.
    qint32 BorderStyle() const;
    /// Sets the grid's frame (0..1).
    void SetBorderStyle(qint32 style);
    /// The tooltip shown over the grid.
    QString ToolTipText() const;
    /// Sets the tooltip shown over the grid.
    void SetToolTipText(const QString &text);
    /// @}

Q_SIGNALS:
    /// @name Events
    /// Parameters are by reference: a handler connected directly may change them. Shift holds
    /// 1 Shift, 2 Ctrl, 4 Alt; Button holds 1 left, 2 right, 4 middle; X and Y are in twips
    /// from the grid's top-left corner.
    /// @{

    /// A click with the left button.
    void Click();
    /// A double click with the left button.
    void DblClick();
    /// A key went down; setting @p KeyCode to 0 keeps the grid from acting on it.
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    /// A character was typed; a handler may change @p KeyAscii, or set it to 0 to drop it.
    void KeyPress(qint16 &KeyAscii);
    /// A key came up.
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    /// A mouse button went down over the grid.
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    /// The mouse moved over the grid.
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    /// A mouse button came up.
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);
    /// A new cell has become current.
    void EnterCell();
    /// The current cell is about to change; Row and Col still name the cell being left.
    void LeaveCell();
    /// The current cell moved, after EnterCell.
    void RowColChange();
    /// The grid scrolled: TopRow or LeftCol changed.
    void Scroll();
    /// The selection changed.
    void SelChange();
    /// The grid is losing the focus, other than to another window or a popup; setting
    /// @p Cancel takes it back.
    void Validate(bool &Cancel);
    /// @}

protected:
    /// @name Qt event handlers
    /// @{

    /// Paints the cells in view, unless Redraw is False.
    void paintEvent(QPaintEvent *event) override;
    /// Fits the scroll bars to the new size.
    void resizeEvent(QResizeEvent *event) override;
    /// Raises KeyDown, moves the current cell for the navigation keys, then raises KeyPress for
    /// the character.
    void keyPressEvent(QKeyEvent *event) override;
    /// Raises KeyUp, except for auto-repeated keys.
    void keyReleaseEvent(QKeyEvent *event) override;
    /// Raises MouseDown, then selects cells or starts resizing a row or column.
    void mousePressEvent(QMouseEvent *event) override;
    /// Follows the pointer (MouseRow, MouseCol), a selection or a resize; raises MouseMove.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Ends a selection or resize; raises MouseUp, then Click.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Raises DblClick.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    /// Repaints the focus rectangle and the selection.
    void focusInEvent(QFocusEvent *event) override;
    /// Repaints, then raises Validate when the focus goes to another control of the window.
    void focusOutEvent(QFocusEvent *event) override;
    /// Scrolls by whole rows and columns: the scroll bars' values are TopRow and LeftCol.
    void scrollContentsBy(int dx, int dy) override;
    /// Tab is not the grid's: it moves the focus along the form's chain.
    bool focusNextPrevChild(bool next) override;
    /// Restores the pointer when the mouse leaves the cells.
    bool viewportEvent(QEvent *event) override;
    /// Follows changes of font (row heights), palette, style, enabled state and locale.
    void changeEvent(QEvent *event) override;
    /// @}

private:
    std::unique_ptr<FlexGridPrivate> d;
};

} // namespace Vantrel3
