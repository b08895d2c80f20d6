#pragma once

#include <Vantrel3/Enums.h>
#include <Vantrel3/Export.h>
#include <Vantrel3/OleColor.h>

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

namespace Vantrel3 {

class PropertyBag;
class VantrelPrivate;

// The data-entry grid: a visible grid of formatted texts with a hidden twin holding the raw
// texts, an editor box laid over the current cell, per-column and per-cell edit styles and
// in-cell buttons. Geometry of the public surface is in twips.
class VANTREL3_EXPORT Vantrel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint32 Rows READ Rows WRITE SetRows NOTIFY RowsChanged)
    Q_PROPERTY(qint32 Cols READ Cols WRITE SetCols NOTIFY ColsChanged)
    Q_PROPERTY(qint32 FixedRows READ FixedRows WRITE SetFixedRows NOTIFY FixedRowsChanged)
    Q_PROPERTY(qint32 FixedCols READ FixedCols WRITE SetFixedCols NOTIFY FixedColsChanged)
    Q_PROPERTY(qint32 Row READ Row WRITE SetRow NOTIFY RowChanged DESIGNABLE false)
    Q_PROPERTY(qint32 Col READ Col WRITE SetCol NOTIFY ColChanged DESIGNABLE false)
    Q_PROPERTY(qint32 BorderStyle READ BorderStyle WRITE SetBorderStyle NOTIFY BorderStyleChanged)
    Q_PROPERTY(Vantrel3::ScrollBarsSettings ScrollBars READ ScrollBars WRITE SetScrollBars NOTIFY
                   ScrollBarsChanged)
    Q_PROPERTY(bool AllowEdit READ AllowEdit WRITE SetAllowEdit NOTIFY AllowEditChanged)
    Q_PROPERTY(QString Text READ Text WRITE SetText NOTIFY TextChanged DESIGNABLE false)
    Q_PROPERTY(bool AutoInsert READ AutoInsert WRITE SetAutoInsert NOTIFY AutoInsertChanged)
    Q_PROPERTY(bool AutoComplete READ AutoComplete WRITE SetAutoComplete NOTIFY AutoCompleteChanged)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE SetForeColor NOTIFY ForeColorChanged)
    Q_PROPERTY(
        quint32 ForeColorEdit READ ForeColorEdit WRITE SetForeColorEdit NOTIFY ForeColorEditChanged)
    Q_PROPERTY(
        QFont FontEditText READ FontEditText WRITE SetFontEditText NOTIFY FontEditTextChanged)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE SetBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled NOTIFY EnabledChanged)
    Q_PROPERTY(Vantrel3::eKeyFunction SetKeyFunction READ SetKeyFunction WRITE SetSetKeyFunction
                   NOTIFY SetKeyFunctionChanged)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont NOTIFY FontChanged)
    Q_PROPERTY(Vantrel3::AllowUserResizeSettings AllowUserResizing READ AllowUserResizing WRITE
                   SetAllowUserResizing NOTIFY AllowUserResizingChanged)
    Q_PROPERTY(
        quint32 BackColorBkg READ BackColorBkg WRITE SetBackColorBkg NOTIFY BackColorBkgChanged)
    Q_PROPERTY(quint32 BackColorFixed READ BackColorFixed WRITE SetBackColorFixed NOTIFY
                   BackColorFixedChanged)
    Q_PROPERTY(
        quint32 BackColorSel READ BackColorSel WRITE SetBackColorSel NOTIFY BackColorSelChanged)
    Q_PROPERTY(qint32 CellHeight READ CellHeight DESIGNABLE false)
    Q_PROPERTY(qint32 CellLeft READ CellLeft DESIGNABLE false)
    Q_PROPERTY(qint32 CellTop READ CellTop DESIGNABLE false)
    Q_PROPERTY(qint32 CellWidth READ CellWidth DESIGNABLE false)
    Q_PROPERTY(QPixmap CellPicture READ CellPicture WRITE SetCellPicture NOTIFY CellPictureChanged
                   DESIGNABLE false)
    Q_PROPERTY(qint32 FocusRect READ FocusRect WRITE SetFocusRect NOTIFY FocusRectChanged)
    Q_PROPERTY(quint32 ForeColorFixed READ ForeColorFixed WRITE SetForeColorFixed NOTIFY
                   ForeColorFixedChanged)
    Q_PROPERTY(
        quint32 ForeColorSel READ ForeColorSel WRITE SetForeColorSel NOTIFY ForeColorSelChanged)
    Q_PROPERTY(
        QString FormatString READ FormatString WRITE SetFormatString NOTIFY FormatStringChanged)
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE SetGridColor NOTIFY GridColorChanged)
    Q_PROPERTY(quint32 GridColorFixed READ GridColorFixed WRITE SetGridColorFixed NOTIFY
                   GridColorFixedChanged)
    Q_PROPERTY(Vantrel3::GridLineSettings GridLines READ GridLines WRITE SetGridLines NOTIFY
                   GridLinesChanged)
    Q_PROPERTY(Vantrel3::GridLineSettings GridLinesFixed READ GridLinesFixed WRITE SetGridLinesFixed
                   NOTIFY GridLinesFixedChanged)
    Q_PROPERTY(
        qint16 GridLineWidth READ GridLineWidth WRITE SetGridLineWidth NOTIFY GridLineWidthChanged)
    Q_PROPERTY(bool HasDC READ HasDC DESIGNABLE false)
    Q_PROPERTY(qint32 hDC READ hDC DESIGNABLE false)
    Q_PROPERTY(Vantrel3::HighLightSettings HighLight READ HighLight WRITE SetHighLight NOTIFY
                   HighLightChanged)
    Q_PROPERTY(qint32 MouseCol READ MouseCol DESIGNABLE false)
    Q_PROPERTY(qint32 MouseRow READ MouseRow DESIGNABLE false)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE SetMouseIcon NOTIFY MouseIconChanged)
    Q_PROPERTY(Vantrel3::MousePointerSettings MousePointer READ MousePointer WRITE SetMousePointer
                   NOTIFY MousePointerChanged)
    Q_PROPERTY(bool MultiLine READ MultiLine)
    Q_PROPERTY(
        qint32 RowHeightMin READ RowHeightMin WRITE SetRowHeightMin NOTIFY RowHeightMinChanged)
    Q_PROPERTY(Vantrel3::SelectionModeSettings SelectionMode READ SelectionMode WRITE
                   SetSelectionMode NOTIFY SelectionModeChanged)
    Q_PROPERTY(Vantrel3::TextStyleSettings TextStyle READ TextStyle WRITE SetTextStyle NOTIFY
                   TextStyleChanged)
    Q_PROPERTY(Vantrel3::TextStyleSettings TextStyleFixed READ TextStyleFixed WRITE
                   SetTextStyleFixed NOTIFY TextStyleFixedChanged)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE SetToolTipText NOTIFY ToolTipTextChanged)
    Q_PROPERTY(
        quint32 BackColorEdit READ BackColorEdit WRITE SetBackColorEdit NOTIFY BackColorEditChanged)
    Q_PROPERTY(
        bool ArrowAsKeyTab READ ArrowAsKeyTab WRITE SetArrowAsKeyTab NOTIFY ArrowAsKeyTabChanged)
    Q_PROPERTY(
        bool EnterAsKeyTab READ EnterAsKeyTab WRITE SetEnterAsKeyTab NOTIFY EnterAsKeyTabChanged)
    Q_PROPERTY(qint32 Appearance READ Appearance WRITE SetAppearance NOTIFY AppearanceChanged)
    Q_PROPERTY(
        QString DatabaseName READ DatabaseName WRITE SetDatabaseName NOTIFY DatabaseNameChanged)
    Q_PROPERTY(QString RecordSource READ RecordSource WRITE SetRecordSource NOTIFY
                   RecordSourceChanged DESIGNABLE false)
    Q_PROPERTY(Vantrel3::RsType RecordsetType READ RecordsetType WRITE SetRecordsetType NOTIFY
                   RecordsetTypeChanged)
    Q_PROPERTY(quint32 ButtonBackColor READ ButtonBackColor WRITE SetButtonBackColor NOTIFY
                   ButtonBackColorChanged)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap NOTIFY WordWrapChanged)
    Q_PROPERTY(Vantrel3::MergeCellsSettings MergeCells READ MergeCells WRITE SetMergeCells NOTIFY
                   MergeCellsChanged)
    Q_PROPERTY(bool Redraw READ Redraw WRITE SetRedraw NOTIFY RedrawChanged)

public:
    // A control made without saved settings takes the values of a new control.
    explicit Vantrel(QWidget *parent = nullptr);
    // A control loaded from the settings a host saved with WriteProperties.
    explicit Vantrel(const PropertyBag &settings, QWidget *parent = nullptr);
    // Removes the blank record the control saved for the trailing row, if it is still blank.
    ~Vantrel() override;

    // Saved settings: the values of a new control, and loading and saving them in a bag.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

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
    ScrollBarsSettings ScrollBars() const;
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
    // Text is the current cell's raw text; TextArray(index) addresses row * Cols + col and is
    // formatted with the current cell's style. A write re-places the editor.
    QString Text() const;
    void SetText(const QString &text);
    QString TextArray(qint32 index) const;
    void SetTextArray(qint32 index, const QString &text);
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
    /// A lookup item with a code and a label: the list and the cell show the label, the cell's
    /// raw text, Text and the bound record hold the code. Leaving a cell turns a label typed
    /// whole, in any case, into its code; any other text stays as typed. A cell that already
    /// holds the code, the current one included, shows the label at once.
    void AddLookUpItem(qint32 iCol, qint32 iRow, const QString &Code, const QString &Label);

    // Adds a row: the item's tab-separated texts go to its cells from column 0, each styled like
    // a text written by code. Without an index the row is appended.
    void AddItem(const QString &Item, std::optional<qint32> Index = std::nullopt);
    // Removes a row from both grids. Errors are ignored step by step.
    void RemoveItem(qint32 Index);
    // Empties every cell of both grids; the shape stays.
    void Clear();

    // Why the text the user left in a cell is not valid for its data type, in Italian (e.g.
    // "Data non valida"): the cell holds "Err". "" for any other cell. The grid shows it as the
    // cell's tooltip too.
    QString ValidationMessage(qint32 Row, qint32 Col) const;

    // Grid pass-through: the visible grid's settings, with its errors unchanged.
    OleColor BackColor() const;
    void SetBackColor(OleColor color);
    QFont Font() const;
    void SetFont(const QFont &font);
    AllowUserResizeSettings AllowUserResizing() const;
    void SetAllowUserResizing(qint32 mode);
    OleColor BackColorBkg() const;
    void SetBackColorBkg(OleColor color);
    OleColor BackColorFixed() const;
    void SetBackColorFixed(OleColor color);
    OleColor BackColorSel() const;
    void SetBackColorSel(OleColor color);
    OleColor ForeColorFixed() const;
    void SetForeColorFixed(OleColor color);
    OleColor ForeColorSel() const;
    void SetForeColorSel(OleColor color);
    OleColor GridColor() const;
    void SetGridColor(OleColor color);
    OleColor GridColorFixed() const;
    void SetGridColorFixed(OleColor color);
    qint32 CellHeight() const;
    qint32 CellLeft() const;
    qint32 CellTop() const;
    qint32 CellWidth() const;
    QPixmap CellPicture() const;
    void SetCellPicture(const QPixmap &picture);
    qint32 ColAlignment(qint32 col) const;
    void SetColAlignment(qint32 col, qint32 alignment);
    qint32 ColData(qint32 col) const;
    void SetColData(qint32 col, qint32 value);
    bool ColIsVisible(qint32 col) const;
    qint32 ColPos(qint32 col) const;
    qint16 FixedAlignment(qint32 col) const;
    void SetFixedAlignment(qint32 col, qint16 alignment);
    qint32 FocusRect() const;
    void SetFocusRect(qint32 style);
    GridLineSettings GridLines() const;
    void SetGridLines(qint32 style);
    GridLineSettings GridLinesFixed() const;
    void SetGridLinesFixed(qint32 style);
    qint16 GridLineWidth() const;
    void SetGridLineWidth(qint16 width);
    HighLightSettings HighLight() const;
    void SetHighLight(qint32 mode);
    qint32 MouseCol() const;
    qint32 MouseRow() const;
    qint32 RowData(qint32 row) const;
    void SetRowData(qint32 row, qint32 value);
    qint32 RowHeight(qint32 row) const;
    void SetRowHeight(qint32 row, qint32 twips);
    qint32 RowHeightMin() const;
    void SetRowHeightMin(qint32 twips);
    bool RowIsVisible(qint32 row) const;
    qint32 RowPos(qint32 row) const;
    SelectionModeSettings SelectionMode() const;
    void SetSelectionMode(qint32 mode);
    TextStyleSettings TextStyle() const;
    void SetTextStyle(qint32 style);
    TextStyleSettings TextStyleFixed() const;
    void SetTextStyleFixed(qint32 style);
    QString ToolTipText() const;
    void SetToolTipText(const QString &text);

    // On both grids: written to the visible grid, then to the hidden one; read from the visible.
    QString FormatString() const;
    void SetFormatString(const QString &format);
    bool WordWrap() const;
    void SetWordWrap(bool wrap);
    MergeCellsSettings MergeCells() const;
    void SetMergeCells(qint32 mode);
    bool MergeRow(qint32 row) const;
    void SetMergeRow(qint32 row, bool merge);
    bool MergeCol(qint32 col) const;
    void SetMergeCol(qint32 col, bool merge);
    bool Redraw() const;
    void SetRedraw(bool redraw);

    // The editor box
    bool MultiLine() const;
    OleColor BackColorEdit() const;
    void SetBackColorEdit(OleColor color);

    // The control's own surface
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // A MousePointerSettings value; one outside the 16-bit range raises error 6, one that is not
    // a member raises error 380. eCustom shows MouseIcon.
    MousePointerSettings MousePointer() const;
    void SetMousePointer(qint32 pointer);
    QPixmap MouseIcon() const;
    void SetMouseIcon(const QPixmap &icon);
    // 0 flat (no frame of its own), 1 three-dimensional (a sunken frame); 0 for a new control.
    qint32 Appearance() const;
    void SetAppearance(qint32 appearance);
    // Qt paints through its own backing store: there is always a drawing surface, and no
    // device context handle to give out, so hDC is 0.
    bool HasDC() const;
    qint32 hDC() const;

    // Keyboard options (own settings)
    eKeyFunction SetKeyFunction() const;
    void SetSetKeyFunction(qint32 keyCode);
    bool ArrowAsKeyTab() const;
    void SetArrowAsKeyTab(bool on);
    bool EnterAsKeyTab() const;
    void SetEnterAsKeyTab(bool on);

    // The cell buttons' face colour: read from Command1, written to both.
    OleColor ButtonBackColor() const;
    void SetButtonBackColor(OleColor color);

    // Repaints the visible grid.
    void Refresh();
    // Shows the About box modally.
    void InfoBox();

    // Data binding: the database (an SQLite file, or a postgresql:// URI), the kind of
    // recordset (RsType), and the table or SELECT the grid shows.
    QString DatabaseName() const;
    void SetDatabaseName(const QString &name);
    RsType RecordsetType() const;
    void SetRecordsetType(qint32 type);
    QString RecordSource() const;
    void SetRecordSource(const QString &source);

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
    // A cell the user left holds text its data type refuses: it shows "Err", and Message says
    // why, as ValidationMessage does.
    void ValidationFailed(qint32 Row, qint32 Col, const QString &Message);

    // Change notifications of the properties, for bindings and property editors. Each follows a
    // write of its property; Row, Col, Rows and Text also follow the user's moves and edits.
    void RowsChanged();
    void ColsChanged();
    void FixedRowsChanged();
    void FixedColsChanged();
    void RowChanged();
    void ColChanged();
    void BorderStyleChanged();
    void ScrollBarsChanged();
    void AllowEditChanged();
    void TextChanged();
    void AutoInsertChanged();
    void AutoCompleteChanged();
    void ForeColorChanged();
    void ForeColorEditChanged();
    void FontEditTextChanged();
    void BackColorChanged();
    void EnabledChanged();
    void SetKeyFunctionChanged();
    void FontChanged();
    void AllowUserResizingChanged();
    void BackColorBkgChanged();
    void BackColorFixedChanged();
    void BackColorSelChanged();
    void CellPictureChanged();
    void FocusRectChanged();
    void ForeColorFixedChanged();
    void ForeColorSelChanged();
    void FormatStringChanged();
    void GridColorChanged();
    void GridColorFixedChanged();
    void GridLinesChanged();
    void GridLinesFixedChanged();
    void GridLineWidthChanged();
    void HighLightChanged();
    void MouseIconChanged();
    void MousePointerChanged();
    void RowHeightMinChanged();
    void SelectionModeChanged();
    void TextStyleChanged();
    void TextStyleFixedChanged();
    void ToolTipTextChanged();
    void BackColorEditChanged();
    void ArrowAsKeyTabChanged();
    void EnterAsKeyTabChanged();
    void AppearanceChanged();
    void DatabaseNameChanged();
    void RecordSourceChanged();
    void RecordsetTypeChanged();
    void ButtonBackColorChanged();
    void WordWrapChanged();
    void MergeCellsChanged();
    void RedrawChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    friend class VantrelPrivate;
    std::unique_ptr<VantrelPrivate> d;
};

} // namespace Vantrel3
