#pragma once

#include <Vantrel3/Enums.h>
#include <Vantrel3/Export.h>
#include <Vantrel3/OleColor.h>

#include <QAbstractScrollArea>
#include <QLatin1StringView>
#include <QPixmap>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

namespace Vantrel3 {

class FlexGridPrivate;

// The grid component: rows and columns of text cells with fixed header rows and columns.
// Geometry of the public surface is in twips; indexes count fixed rows and columns too.
// Errors are raised as VbError (381 for an index outside the grid, 30009/30010 for Row/Col).
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
    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    // Shape
    qint32 Rows() const;
    void SetRows(qint32 rows);
    qint32 Cols() const;
    void SetCols(qint32 cols);
    qint32 FixedRows() const;
    void SetFixedRows(qint32 rows);
    qint32 FixedCols() const;
    void SetFixedCols(qint32 cols);

    // Texts
    QString Text() const;
    void SetText(const QString &text);
    QString TextMatrix(qint32 row, qint32 col) const;
    void SetTextMatrix(qint32 row, qint32 col, const QString &text);
    QString TextArray(qint32 index) const; // index = row * Cols + col
    void SetTextArray(qint32 index, const QString &text);

    // Rows
    void AddItem(const QString &item, std::optional<qint32> index = std::nullopt);
    void RemoveItem(qint32 index);
    void Clear();
    void Refresh();

    // Filling from a data source that streams its records, row by row. Row `row` takes `count`
    // texts at once (texts beyond Cols are ignored), packed with the other rows filled this way
    // rather than in an allocation of its own.
    void setRowTexts(qint32 row, const QStringView *texts, qint32 count);
    // The same for texts in Latin-1, one byte a character, kept as they are.
    void setRowTexts(qint32 row, const QLatin1StringView *texts, qint32 count);
    // Row `row` shows the texts of row `fromRow` of `from`, shared rather than copied while they
    // are packed, until either grid changes its row; and so on for `count` rows in a row.
    void shareRowTexts(qint32 row, const FlexGrid &from, qint32 fromRow, qint32 count = 1);
    // Gives back the spare room that growing the rows step by step left.
    void squeeze();
    // Room for `rows` rows, so that a fill that grows the grid row by row up to that many never
    // moves the rows it already has. Rows stays as it is.
    void reserveRows(qint32 rows);

    // Current cell, selection and scrolling
    qint32 Row() const;
    void SetRow(qint32 row);
    qint32 Col() const;
    void SetCol(qint32 col);
    qint32 RowSel() const;
    void SetRowSel(qint32 row);
    qint32 ColSel() const;
    void SetColSel(qint32 col);
    qint32 TopRow() const;
    void SetTopRow(qint32 row);
    qint32 LeftCol() const;
    void SetLeftCol(qint32 col);
    qint32 MouseRow() const;
    qint32 MouseCol() const;
    // Scrolls as little as needed to bring the current cell into view.
    void scrollToCurrentCell();

    // The current cell's rectangle, in twips from the grid's top-left corner.
    qint32 CellLeft() const;
    qint32 CellTop() const;
    qint32 CellWidth() const;
    qint32 CellHeight() const;

    // The grid's own outer size, in twips.
    qint32 Width() const;
    void SetWidth(qint32 twips);
    qint32 Height() const;
    void SetHeight(qint32 twips);

    // Sizes, in twips. -1 restores the default; 0 hides.
    qint32 ColWidth(qint32 col) const;
    void SetColWidth(qint32 col, qint32 twips);
    qint32 RowHeight(qint32 row) const;
    void SetRowHeight(qint32 row, qint32 twips);
    qint32 RowHeightMin() const;
    void SetRowHeightMin(qint32 twips);

    // Per-column and per-row settings
    qint32 ColAlignment(qint32 col) const;
    void SetColAlignment(qint32 col, qint32 alignment);
    qint16 FixedAlignment(qint32 col) const;
    void SetFixedAlignment(qint32 col, qint16 alignment);
    qint32 ColData(qint32 col) const;
    void SetColData(qint32 col, qint32 value);
    qint32 RowData(qint32 row) const;
    void SetRowData(qint32 row, qint32 value);
    qint32 ColPos(qint32 col) const; // twips from the grid's left edge, scroll-relative
    qint32 RowPos(qint32 row) const;
    bool ColIsVisible(qint32 col) const;
    bool RowIsVisible(qint32 row) const;
    void SetColPosition(qint32 col, qint32 position); // moves a column
    void SetRowPosition(qint32 row, qint32 position); // moves a row

    // Format string, wrapping, merging, drawing
    QString FormatString() const;
    void SetFormatString(const QString &format);
    bool WordWrap() const;
    void SetWordWrap(bool wrap);
    qint32 MergeCells() const;
    void SetMergeCells(qint32 mode);
    bool MergeRow(qint32 row) const;
    void SetMergeRow(qint32 row, bool merge);
    bool MergeCol(qint32 col) const;
    void SetMergeCol(qint32 col, bool merge);
    bool Redraw() const;
    void SetRedraw(bool redraw);
    QPixmap CellPicture() const; // of the current cell
    void SetCellPicture(const QPixmap &picture);

    // Colours
    OleColor BackColor() const;
    void SetBackColor(OleColor color);
    OleColor ForeColor() const;
    void SetForeColor(OleColor color);
    OleColor BackColorFixed() const;
    void SetBackColorFixed(OleColor color);
    OleColor ForeColorFixed() const;
    void SetForeColorFixed(OleColor color);
    OleColor BackColorSel() const;
    void SetBackColorSel(OleColor color);
    OleColor ForeColorSel() const;
    void SetForeColorSel(OleColor color);
    OleColor BackColorBkg() const;
    void SetBackColorBkg(OleColor color);
    OleColor GridColor() const;
    void SetGridColor(OleColor color);
    OleColor GridColorFixed() const;
    void SetGridColorFixed(OleColor color);

    // Look and behaviour
    qint32 GridLines() const;
    void SetGridLines(qint32 style);
    qint32 GridLinesFixed() const;
    void SetGridLinesFixed(qint32 style);
    qint16 GridLineWidth() const; // pixels
    void SetGridLineWidth(qint16 width);
    qint32 FocusRect() const; // 0 none, 1 light, 2 heavy
    void SetFocusRect(qint32 style);
    qint32 HighLight() const;
    void SetHighLight(qint32 mode);
    qint32 SelectionMode() const;
    void SetSelectionMode(qint32 mode);
    qint32 TextStyle() const;
    void SetTextStyle(qint32 style);
    qint32 TextStyleFixed() const;
    void SetTextStyleFixed(qint32 style);
    qint32 ScrollBars() const;
    void SetScrollBars(qint32 bars);
    qint32 AllowUserResizing() const;
    void SetAllowUserResizing(qint32 mode);
    qint32 BorderStyle() const; // 0 none, 1 single
    void SetBorderStyle(qint32 style);
    QString ToolTipText() const;
    void SetToolTipText(const QString &text);

Q_SIGNALS:
    void Click();
    void DblClick();
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void EnterCell();
    void LeaveCell();
    void RowColChange();
    void Scroll();
    void SelChange();
    void Validate(bool &Cancel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<FlexGridPrivate> d;
};

} // namespace Vantrel3
