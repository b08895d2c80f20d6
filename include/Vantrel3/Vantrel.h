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

class QUndoStack;

/// Vantrel3: the data-entry grid control Vantrel, its parts (FlexGrid, DataControl, Recordset),
/// and the classic host runtime they share (VbError, OleColor, twips, message boxes, the
/// string, number and date functions in Vantrel3::vb).
namespace Vantrel3 {

class PropertyBag;
class VantrelPrivate;

/// The data-entry grid: a visible grid of formatted texts with a hidden twin holding the raw
/// texts, an editor box laid over the current cell, per-column and per-cell edit styles and
/// in-cell buttons. Geometry of the public surface is in twips.
///
/// Every property without an index is also a Q_PROPERTY of the same name; those that can be
/// written notify with NameChanged and PropertyChanged(name). Errors are raised as VbError.
/// The parts carry their classic objectName (`MSFlexGrid1`, `MSFlexGrid2`, `Text1`, `Command1`,
/// `Command2`, `Data1`), so that hosts and tests can find them with findChild.
class VANTREL3_EXPORT Vantrel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint32 Rows READ Rows WRITE writeRows NOTIFY RowsChanged)
    Q_PROPERTY(qint32 Cols READ Cols WRITE writeCols NOTIFY ColsChanged)
    Q_PROPERTY(qint32 FixedRows READ FixedRows WRITE writeFixedRows NOTIFY FixedRowsChanged)
    Q_PROPERTY(qint32 FixedCols READ FixedCols WRITE writeFixedCols NOTIFY FixedColsChanged)
    Q_PROPERTY(qint32 Row READ Row WRITE writeRow NOTIFY RowChanged DESIGNABLE false)
    Q_PROPERTY(qint32 Col READ Col WRITE writeCol NOTIFY ColChanged DESIGNABLE false)
    Q_PROPERTY(qint32 BorderStyle READ BorderStyle WRITE writeBorderStyle NOTIFY BorderStyleChanged)
    Q_PROPERTY(Vantrel3::ScrollBarsSettings ScrollBars READ ScrollBars WRITE writeScrollBars NOTIFY
                   ScrollBarsChanged)
    Q_PROPERTY(bool AllowEdit READ AllowEdit WRITE writeAllowEdit NOTIFY AllowEditChanged)
    Q_PROPERTY(QString Text READ Text WRITE writeText NOTIFY TextChanged DESIGNABLE false)
    Q_PROPERTY(bool AutoInsert READ AutoInsert WRITE writeAutoInsert NOTIFY AutoInsertChanged)
    Q_PROPERTY(
        bool AutoComplete READ AutoComplete WRITE writeAutoComplete NOTIFY AutoCompleteChanged)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE writeForeColor NOTIFY ForeColorChanged)
    Q_PROPERTY(quint32 ForeColorEdit READ ForeColorEdit WRITE writeForeColorEdit NOTIFY
                   ForeColorEditChanged)
    Q_PROPERTY(
        QFont FontEditText READ FontEditText WRITE writeFontEditText NOTIFY FontEditTextChanged)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE writeBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE writeEnabled NOTIFY EnabledChanged)
    Q_PROPERTY(Vantrel3::eKeyFunction SetKeyFunction READ SetKeyFunction WRITE writeSetKeyFunction
                   NOTIFY SetKeyFunctionChanged)
    Q_PROPERTY(QFont Font READ Font WRITE writeFont NOTIFY FontChanged)
    Q_PROPERTY(Vantrel3::AllowUserResizeSettings AllowUserResizing READ AllowUserResizing WRITE
                   writeAllowUserResizing NOTIFY AllowUserResizingChanged)
    Q_PROPERTY(
        quint32 BackColorBkg READ BackColorBkg WRITE writeBackColorBkg NOTIFY BackColorBkgChanged)
    Q_PROPERTY(quint32 BackColorFixed READ BackColorFixed WRITE writeBackColorFixed NOTIFY
                   BackColorFixedChanged)
    Q_PROPERTY(
        quint32 BackColorSel READ BackColorSel WRITE writeBackColorSel NOTIFY BackColorSelChanged)
    Q_PROPERTY(qint32 CellHeight READ CellHeight DESIGNABLE false)
    Q_PROPERTY(qint32 CellLeft READ CellLeft DESIGNABLE false)
    Q_PROPERTY(qint32 CellTop READ CellTop DESIGNABLE false)
    Q_PROPERTY(qint32 CellWidth READ CellWidth DESIGNABLE false)
    Q_PROPERTY(QPixmap CellPicture READ CellPicture WRITE writeCellPicture NOTIFY CellPictureChanged
                   DESIGNABLE false)
    Q_PROPERTY(qint32 FocusRect READ FocusRect WRITE writeFocusRect NOTIFY FocusRectChanged)
    Q_PROPERTY(quint32 ForeColorFixed READ ForeColorFixed WRITE writeForeColorFixed NOTIFY
                   ForeColorFixedChanged)
    Q_PROPERTY(
        quint32 ForeColorSel READ ForeColorSel WRITE writeForeColorSel NOTIFY ForeColorSelChanged)
    Q_PROPERTY(
        QString FormatString READ FormatString WRITE writeFormatString NOTIFY FormatStringChanged)
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE writeGridColor NOTIFY GridColorChanged)
    Q_PROPERTY(quint32 GridColorFixed READ GridColorFixed WRITE writeGridColorFixed NOTIFY
                   GridColorFixedChanged)
    Q_PROPERTY(Vantrel3::GridLineSettings GridLines READ GridLines WRITE writeGridLines NOTIFY
                   GridLinesChanged)
    Q_PROPERTY(Vantrel3::GridLineSettings GridLinesFixed READ GridLinesFixed WRITE
                   writeGridLinesFixed NOTIFY GridLinesFixedChanged)
    Q_PROPERTY(qint16 GridLineWidth READ GridLineWidth WRITE writeGridLineWidth NOTIFY
                   GridLineWidthChanged)
    Q_PROPERTY(bool HasDC READ HasDC DESIGNABLE false)
    Q_PROPERTY(qint32 hDC READ hDC DESIGNABLE false)
    Q_PROPERTY(Vantrel3::HighLightSettings HighLight READ HighLight WRITE writeHighLight NOTIFY
                   HighLightChanged)
    Q_PROPERTY(qint32 MouseCol READ MouseCol DESIGNABLE false)
    Q_PROPERTY(qint32 MouseRow READ MouseRow DESIGNABLE false)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE writeMouseIcon NOTIFY MouseIconChanged)
    Q_PROPERTY(Vantrel3::MousePointerSettings MousePointer READ MousePointer WRITE writeMousePointer
                   NOTIFY MousePointerChanged)
    Q_PROPERTY(bool MultiLine READ MultiLine)
    Q_PROPERTY(
        qint32 RowHeightMin READ RowHeightMin WRITE writeRowHeightMin NOTIFY RowHeightMinChanged)
    Q_PROPERTY(Vantrel3::SelectionModeSettings SelectionMode READ SelectionMode WRITE
                   writeSelectionMode NOTIFY SelectionModeChanged)
    Q_PROPERTY(Vantrel3::TextStyleSettings TextStyle READ TextStyle WRITE writeTextStyle NOTIFY
                   TextStyleChanged)
    Q_PROPERTY(Vantrel3::TextStyleSettings TextStyleFixed READ TextStyleFixed WRITE
                   writeTextStyleFixed NOTIFY TextStyleFixedChanged)
    Q_PROPERTY(
        QString ToolTipText READ ToolTipText WRITE writeToolTipText NOTIFY ToolTipTextChanged)
    Q_PROPERTY(quint32 BackColorEdit READ BackColorEdit WRITE writeBackColorEdit NOTIFY
                   BackColorEditChanged)
    Q_PROPERTY(
        bool ArrowAsKeyTab READ ArrowAsKeyTab WRITE writeArrowAsKeyTab NOTIFY ArrowAsKeyTabChanged)
    Q_PROPERTY(
        bool EnterAsKeyTab READ EnterAsKeyTab WRITE writeEnterAsKeyTab NOTIFY EnterAsKeyTabChanged)
    Q_PROPERTY(qint32 Appearance READ Appearance WRITE writeAppearance NOTIFY AppearanceChanged)
    Q_PROPERTY(
        QString DatabaseName READ DatabaseName WRITE writeDatabaseName NOTIFY DatabaseNameChanged)
    Q_PROPERTY(QString RecordSource READ RecordSource WRITE writeRecordSource NOTIFY
                   RecordSourceChanged DESIGNABLE false)
    Q_PROPERTY(Vantrel3::RsType RecordsetType READ RecordsetType WRITE writeRecordsetType NOTIFY
                   RecordsetTypeChanged)
    Q_PROPERTY(quint32 ButtonBackColor READ ButtonBackColor WRITE writeButtonBackColor NOTIFY
                   ButtonBackColorChanged)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE writeWordWrap NOTIFY WordWrapChanged)
    Q_PROPERTY(Vantrel3::MergeCellsSettings MergeCells READ MergeCells WRITE writeMergeCells NOTIFY
                   MergeCellsChanged)
    Q_PROPERTY(bool Redraw READ Redraw WRITE writeRedraw NOTIFY RedrawChanged)

public:
    /// A control made without saved settings takes the values of a new control.
    explicit Vantrel(QWidget *parent = nullptr);
    /// A control loaded from the settings a host saved with WriteProperties.
    explicit Vantrel(const PropertyBag &settings, QWidget *parent = nullptr);
    /// Commits what the user typed, as leaving the cell would, and removes the blank record the
    /// control saved for the trailing row, if it is still blank.
    ~Vantrel() override;

    /// @name Saved settings
    /// The values of a new control, and loading and saving them in a bag.
    /// @{

    /// Gives the control the settings of a new control.
    void InitProperties();
    /// Loads the settings from @p bag, from its first values on; the data source opens once its
    /// settings are loaded. A damaged value raises 13 when it is no number, 6 when it overflows
    /// its setting, 380 when it is out of range.
    void ReadProperties(const PropertyBag &bag);
    /// Saves the settings into @p bag; a value equal to a new control's is not stored.
    void WriteProperties(PropertyBag &bag) const;
    /// @}

    /// @name Shape, on both grids
    /// Written to both grids, with the grid's errors (380, 30000).
    /// @{

    /// The number of rows, fixed rows included.
    qint32 Rows() const;
    /// Sets the number of rows.
    void SetRows(qint32 rows);
    /// The number of columns, fixed columns included.
    qint32 Cols() const;
    /// Sets the number of columns.
    void SetCols(qint32 cols);
    /// The number of header rows at the top (1 for a new control).
    qint32 FixedRows() const;
    /// Sets the number of header rows (0..Rows).
    void SetFixedRows(qint32 rows);
    /// The number of header columns at the left (0 for a new control).
    qint32 FixedCols() const;
    /// Sets the number of header columns (0..Cols).
    void SetFixedCols(qint32 cols);
    /// @}

    /// @name Current cell, on both grids
    /// A write also becomes the recorded row or column, which WriteProperties saves.
    /// @{

    /// The current cell's row.
    qint32 Row() const;
    /// Moves the current cell to @p row; raises 30009 outside the grid.
    void SetRow(qint32 row);
    /// The current cell's column.
    qint32 Col() const;
    /// Moves the current cell to @p col; raises 30010 outside the grid.
    void SetCol(qint32 col);
    /// @}

    /// The grid's frame: 0 none, 1 single (the default).
    qint32 BorderStyle() const;
    /// Sets the grid's frame (0..1, else 380) and places the editor again.
    void SetBorderStyle(qint32 style);
    /// The grid's scroll bars, shown when needed (both for a new control).
    ScrollBarsSettings ScrollBars() const;
    /// Sets the scroll bars, a ScrollBarsSettings value (0..3, else 380).
    void SetScrollBars(qint32 bars);
    /// True (the default) lets the user edit cells in the editor laid over the current cell.
    bool AllowEdit() const;
    /// False hides the editor, and the style registrations (ColEditMode, AddEditStyle,
    /// AddButton, AddLookUp) do nothing while it stays False; True places the editor again.
    void SetAllowEdit(bool allow);

    /// Typing on the last row appends an empty row (True by default).
    bool AutoInsert() const;
    /// Sets whether typing on the last row appends an empty row.
    void SetAutoInsert(bool on);
    /// Completion of typed text from the cell's lookup items; stays False while AllowEdit is False.
    bool AutoComplete() const;
    /// Sets the completion of typed text; ignored (False) while AllowEdit is False.
    void SetAutoComplete(bool on);
    /// The editor's text colour; ForeColorEdit and FontEditText are its look while the user types.
    OleColor ForeColor() const;
    /// Sets the editor's text colour.
    void SetForeColor(OleColor color);
    /// The editor's text colour while the user types (0x80, dark red, for a new control).
    OleColor ForeColorEdit() const;
    /// Sets the editor's text colour while the user types.
    void SetForeColorEdit(OleColor color);
    /// The editor's font while the user types (the form's font for a new control).
    QFont FontEditText() const;
    /// Sets the editor's font while the user types.
    void SetFontEditText(const QFont &font);

    /// Column width in twips, on the visible grid; 381 outside the grid.
    qint32 ColWidth(qint32 col) const;
    /// Sets a column's width in twips: -1 restores the default, 0 hides, below -1 raises 380.
    void SetColWidth(qint32 col, qint32 twips);

    /// @name Cell texts
    /// The visible grid shows the formatted text, the hidden one keeps the raw text. A write
    /// re-places the editor; a cell outside the grid raises 381.
    /// @{

    /// The current cell's raw text.
    QString Text() const;
    /// Writes the current cell: the raw text, and the text formatted with the cell's style.
    void SetText(const QString &text);
    /// The formatted text of the cell at @p index = row * Cols + col.
    QString TextArray(qint32 index) const;
    /// Writes the cell at @p index = row * Cols + col, formatted with the current cell's style
    /// whichever cell the index names.
    void SetTextArray(qint32 index, const QString &text);
    /// The formatted text of cell (@p row, @p col).
    QString TextMatrix(qint32 row, qint32 col) const;
    /// Writes cell (@p row, @p col): the raw text, and the text formatted with that cell's style.
    void SetTextMatrix(qint32 row, qint32 col, const QString &text);
    /// @}

    /// @name Edit styles, buttons and lookup items
    /// Registered at run time. They do nothing while AllowEdit is False; an argument that does
    /// not fit its 16-bit field raises error 6.
    /// @{

    /// Gives column @p iCol a length limit (@p MaxLen, 0 for none), a button (eButtonStyle), a
    /// data type (eTextDataType), a case (eTextCaseType) and a display format (a Format text).
    /// A column registered again: the first registration rules typing and the button, the last
    /// one the texts written by code.
    void ColEditMode(qint32 iCol, qint32 MaxLen = 0, qint32 ButtonStyle = 0, qint32 DataType = 0,
                     qint32 CaseType = 0, const QString &CustomFormat = {});
    /// Gives cell (@p iRow, @p iCol) its own length limit, data type, case and display format,
    /// over its column's; the first registration for a cell counts.
    void AddEditStyle(qint32 iCol, qint32 iRow, qint32 MaxLen = 0, qint32 DataType = 0,
                      qint32 CaseType = 0, const QString &CustomFormat = {});
    /// Gives cell (@p iRow, @p iCol) a button of style @p iStyle (eButtonStyle), over its
    /// column's; the first registration for a cell counts.
    void AddButton(qint32 iCol, qint32 iRow, qint32 iStyle);
    /// Adds @p sData to the lookup list of cell (@p iRow, @p iCol), which the cell's button opens
    /// and AutoComplete completes from.
    void AddLookUp(qint32 iCol, qint32 iRow, const QString &sData);
    /// Adds an item with a code and a label to the lookup list of cell (@p iRow, @p iCol): the
    /// list, the editor and the cell show @p Label, while the cell's raw text, Text and the bound
    /// record hold @p Code. A label left in the cell whole, in any case (typed, picked, pasted or
    /// restored by Undo), is stored as its code; any other text stays as it is. A cell that holds
    /// the code shows the label at once, and so do the cells a table fills later.
    void AddLookUpItem(qint32 iCol, qint32 iRow, const QString &Code, const QString &Label);
    /// @}

    /// Adds a row: the item's tab-separated texts go to its cells from column 0, each styled like
    /// a text written by code. Without an index the row is appended; an index among the fixed
    /// rows adds nothing. While bound, the item fills the trailing row and becomes a new record,
    /// whatever the index. Pending events run before it returns (DoEvents).
    void AddItem(const QString &Item, std::optional<qint32> Index = std::nullopt);
    /// Removes a row from both grids. Errors are ignored step by step. While bound, the row's
    /// record is deleted first: a row whose record stays stays too, and so does the trailing row.
    void RemoveItem(qint32 Index);
    /// Empties every cell of both grids; the shape stays.
    void Clear();

    /// Why the text the user left in a cell is not valid for its data type, in Italian (e.g.
    /// "Data non valida"): the cell holds "Err". "" for any other cell. The grid shows it as the
    /// cell's tooltip too.
    QString ValidationMessage(qint32 Row, qint32 Col) const;

    /// The user's edits that can be undone. One step is one committed cell, one pasted block,
    /// one row added or removed by the user, or the record a new row became; writes by code are
    /// not steps, and Clear or a refresh empties the stack. It is here for undo and redo actions
    /// and menus (QUndoStack::createUndoAction); push nothing onto it.
    QUndoStack *UndoStack() const;

    /// @name Grid pass-through
    /// The visible grid's settings, with its errors unchanged: 381 for a row or column outside
    /// the grid, 380 for a value outside its range.
    /// @{

    /// Background of the scrolling cells.
    OleColor BackColor() const;
    /// Sets the background of the scrolling cells.
    void SetBackColor(OleColor color);
    /// The grid's font.
    QFont Font() const;
    /// Sets the grid's font; the default row height follows it.
    void SetFont(const QFont &font);
    /// What the user may resize by dragging borders in the fixed cells.
    AllowUserResizeSettings AllowUserResizing() const;
    /// Sets what the user may resize, an AllowUserResizeSettings value (0..3).
    void SetAllowUserResizing(qint32 mode);
    /// Colour of the area past the last row and column.
    OleColor BackColorBkg() const;
    /// Sets the colour of the area past the last row and column.
    void SetBackColorBkg(OleColor color);
    /// Background of the fixed cells.
    OleColor BackColorFixed() const;
    /// Sets the background of the fixed cells.
    void SetBackColorFixed(OleColor color);
    /// Background of the selected cells.
    OleColor BackColorSel() const;
    /// Sets the background of the selected cells.
    void SetBackColorSel(OleColor color);
    /// Text colour of the fixed cells.
    OleColor ForeColorFixed() const;
    /// Sets the text colour of the fixed cells.
    void SetForeColorFixed(OleColor color);
    /// Text colour of the selected cells.
    OleColor ForeColorSel() const;
    /// Sets the text colour of the selected cells.
    void SetForeColorSel(OleColor color);
    /// Colour of the lines between scrolling cells.
    OleColor GridColor() const;
    /// Sets the colour of the lines between scrolling cells.
    void SetGridColor(OleColor color);
    /// Colour of the lines between fixed cells.
    OleColor GridColorFixed() const;
    /// Sets the colour of the lines between fixed cells.
    void SetGridColorFixed(OleColor color);
    /// The current cell's height in twips, without its grid line.
    qint32 CellHeight() const;
    /// The current cell's left edge, in twips from the grid's left edge.
    qint32 CellLeft() const;
    /// The current cell's top edge, in twips from the grid's top edge.
    qint32 CellTop() const;
    /// The current cell's width in twips, without its grid line.
    qint32 CellWidth() const;
    /// The current cell's picture, drawn in the cell with its text.
    QPixmap CellPicture() const;
    /// Sets the current cell's picture; a null pixmap removes it.
    void SetCellPicture(const QPixmap &picture);
    /// The alignment of column @p col's texts, an AlignmentSettings value.
    qint32 ColAlignment(qint32 col) const;
    /// Sets the alignment of column @p col's texts (0..9).
    void SetColAlignment(qint32 col, qint32 alignment);
    /// A number the host keeps with column @p col; the control does not use it.
    qint32 ColData(qint32 col) const;
    /// Keeps @p value with column @p col.
    void SetColData(qint32 col, qint32 value);
    /// True when column @p col is in view.
    bool ColIsVisible(qint32 col) const;
    /// Where column @p col starts, in twips from the grid's left edge as it is scrolled now.
    qint32 ColPos(qint32 col) const;
    /// The alignment of column @p col's texts in the fixed rows; ColAlignment until it is set.
    qint16 FixedAlignment(qint32 col) const;
    /// Sets the alignment of column @p col's texts in the fixed rows (0..9).
    void SetFixedAlignment(qint32 col, qint16 alignment);
    /// The current cell's focus rectangle: 0 none, 1 light, 2 heavy.
    qint32 FocusRect() const;
    /// Sets the focus rectangle (0..2).
    void SetFocusRect(qint32 style);
    /// The lines between scrolling cells.
    GridLineSettings GridLines() const;
    /// Sets the lines between scrolling cells, a GridLineSettings value (0..3).
    void SetGridLines(qint32 style);
    /// The lines between fixed cells.
    GridLineSettings GridLinesFixed() const;
    /// Sets the lines between fixed cells, a GridLineSettings value (0..3).
    void SetGridLinesFixed(qint32 style);
    /// The width of the grid lines, in pixels.
    qint16 GridLineWidth() const;
    /// Sets the width of the grid lines (1..10 pixels).
    void SetGridLineWidth(qint16 width);
    /// When the selection is shown.
    HighLightSettings HighLight() const;
    /// Sets when the selection is shown, a HighLightSettings value (0..2).
    void SetHighLight(qint32 mode);
    /// The column under the mouse pointer, -1 when none.
    qint32 MouseCol() const;
    /// The row under the mouse pointer, -1 when none.
    qint32 MouseRow() const;
    /// A number the host keeps with row @p row; the control does not use it.
    qint32 RowData(qint32 row) const;
    /// Keeps @p value with row @p row.
    void SetRowData(qint32 row, qint32 value);
    /// The height of row @p row in twips, at least RowHeightMin unless hidden.
    qint32 RowHeight(qint32 row) const;
    /// Sets the height of row @p row in twips: -1 restores the default, 0 hides.
    void SetRowHeight(qint32 row, qint32 twips);
    /// The least height of every row that is not hidden, in twips; 0 by default.
    qint32 RowHeightMin() const;
    /// Sets the least row height in twips.
    void SetRowHeightMin(qint32 twips);
    /// True when row @p row is in view.
    bool RowIsVisible(qint32 row) const;
    /// Where row @p row starts, in twips from the grid's top edge as it is scrolled now.
    qint32 RowPos(qint32 row) const;
    /// What a mouse selection takes.
    SelectionModeSettings SelectionMode() const;
    /// Sets what a mouse selection takes, a SelectionModeSettings value (0..2).
    void SetSelectionMode(qint32 mode);
    /// How the scrolling cells' texts are drawn.
    TextStyleSettings TextStyle() const;
    /// Sets how the scrolling cells' texts are drawn, a TextStyleSettings value (0..4).
    void SetTextStyle(qint32 style);
    /// How the fixed cells' texts are drawn.
    TextStyleSettings TextStyleFixed() const;
    /// Sets how the fixed cells' texts are drawn, a TextStyleSettings value (0..4).
    void SetTextStyleFixed(qint32 style);
    /// The tooltip shown over the grid.
    QString ToolTipText() const;
    /// Sets the tooltip shown over the grid.
    void SetToolTipText(const QString &text);
    /// @}

    /// @name On both grids
    /// Written to the visible grid, then to the hidden one; read from the visible.
    /// @{

    /// The headings last set by SetFormatString.
    QString FormatString() const;
    /// Sets the headings at once, as FlexGrid::SetFormatString describes.
    void SetFormatString(const QString &format);
    /// True wraps texts too long for their cell onto more lines.
    bool WordWrap() const;
    /// Sets whether long texts wrap.
    void SetWordWrap(bool wrap);
    /// Whether equal neighbouring cells are drawn as one.
    MergeCellsSettings MergeCells() const;
    /// Sets how cells merge, a MergeCellsSettings value (0..4).
    void SetMergeCells(qint32 mode);
    /// True when the cells of row @p row may merge across.
    bool MergeRow(qint32 row) const;
    /// Lets the cells of row @p row merge across, or not.
    void SetMergeRow(qint32 row, bool merge);
    /// True when the cells of column @p col may merge down.
    bool MergeCol(qint32 col) const;
    /// Lets the cells of column @p col merge down, or not.
    void SetMergeCol(qint32 col, bool merge);
    /// False while painting is suspended; True by default.
    bool Redraw() const;
    /// Suspends painting during many changes (False) and repaints once at the end (True).
    void SetRedraw(bool redraw);
    /// @}

    /// @name The editor box
    /// @{

    /// Always False: the editor holds one line.
    bool MultiLine() const;
    /// The editor's background.
    OleColor BackColorEdit() const;
    /// Sets the editor's background.
    void SetBackColorEdit(OleColor color);
    /// @}

    /// @name The control's own surface
    /// @{

    /// The control's own setting: a control on a disabled form is still enabled itself.
    bool Enabled() const;
    /// Enables or disables the control, with its grid, editor and buttons.
    void SetEnabled(bool enabled);
    /// The mouse pointer over the control; eCustom shows MouseIcon.
    MousePointerSettings MousePointer() const;
    /// Sets the pointer, a MousePointerSettings value; one outside the 16-bit range raises
    /// error 6, one that is not a member raises error 380.
    void SetMousePointer(qint32 pointer);
    /// The picture MousePointer eCustom shows.
    QPixmap MouseIcon() const;
    /// Sets the picture MousePointer eCustom shows.
    void SetMouseIcon(const QPixmap &icon);
    /// 0 flat (no frame of its own), 1 three-dimensional (a sunken frame); 0 for a new control.
    qint32 Appearance() const;
    /// Sets the appearance; other values than 0 and 1 raise 380.
    void SetAppearance(qint32 appearance);
    /// Always True: Qt paints through its own backing store, so there is always a drawing
    /// surface.
    bool HasDC() const;
    /// Always 0: there is no device context handle to give out.
    qint32 hDC() const;
    /// @}

    /// @name Keyboard options (own settings)
    /// @{

    /// The function key that opens the current cell's picker (F7 for a new control).
    eKeyFunction SetKeyFunction() const;
    /// Sets the picker's function key by its KeyCode (an eKeyFunction value).
    void SetSetKeyFunction(qint32 keyCode);
    /// True makes Left and Right in the editor move to the neighbouring cell; False (the
    /// default) leaves them to move the caret.
    bool ArrowAsKeyTab() const;
    /// Sets whether Left and Right in the editor move to the neighbouring cell.
    void SetArrowAsKeyTab(bool on);
    /// True makes Enter move to the next column; False (the default) makes it go between the
    /// editor and the grid.
    bool EnterAsKeyTab() const;
    /// Sets whether Enter moves to the next column.
    void SetEnterAsKeyTab(bool on);
    /// @}

    /// The cell buttons' face colour, as Command1 has it.
    OleColor ButtonBackColor() const;
    /// Sets the face colour of both cell buttons, Command1 and Command2.
    void SetButtonBackColor(OleColor color);

    /// Repaints the visible grid.
    void Refresh();
    /// Shows the About box modally.
    void InfoBox();

    /// @name Data binding
    /// The database (an SQLite file, or a postgresql:// URI), the kind of recordset (RsType),
    /// and the table or SELECT the grid shows. Bound, each grid row stands for one record.
    /// @{

    /// The database: an SQLite file path or a PostgreSQL URI, as DataControl describes.
    QString DatabaseName() const;
    /// Commits what the user typed, then opens the data source on the new database and fills
    /// the grids; DataControl::Refresh's errors reach the caller.
    void SetDatabaseName(const QString &name);
    /// The kind of recordset the data source opens (Dynaset for a new control).
    RsType RecordsetType() const;
    /// Sets the kind of recordset for the next opening: 380 outside 0..2, 6 outside the 16-bit
    /// range.
    void SetRecordsetType(qint32 type);
    /// The table, view or query the grid shows.
    QString RecordSource() const;
    /// Commits what the user typed, then opens the data source on the new source and fills the
    /// grids. A failure is told in a message box, and the grids keep what they show.
    void SetRecordSource(const QString &source);
    /// @}

public Q_SLOTS:
    /// Ctrl+Z: takes back the typing not yet committed in the current cell, or else the last
    /// step. Undoing on a bound grid writes the earlier values back to their records, with the
    /// checks of any write, and deletes the records the step added.
    void Undo();
    /// Ctrl+Y or Ctrl+Shift+Z: does again the last step undone.
    void Redo();

Q_SIGNALS:
    /// Every write of a saved property ends with this notification, carrying the name.
    void PropertyChanged(const QString &name);

    /// @name Events
    /// The control's events, in their documented order. Parameters are by reference: a handler
    /// connected directly may change them, and the change flows back. Shift holds 1 Shift,
    /// 2 Ctrl, 4 Alt; Button holds 1 left, 2 right, 4 middle.
    /// @{

    /// Declared for compatibility; never raised.
    void ButtonClick();
    /// A click on the grid; a click that only closes an open picker raises none.
    void Click();
    /// A double click on the grid.
    void DblClick();
    /// A key went down in the grid, the editor or the control; the handler sees it first, and
    /// setting @p KeyCode to 0 keeps the control from acting on it.
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    /// A character was typed; the handler may change @p KeyAscii, or set it to 0 to drop it.
    void KeyPress(qint16 &KeyAscii);
    /// A key came up in the grid, the editor or the control.
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    /// A mouse button went down on the control's own surface, beside the grid and the editor;
    /// X and Y are in twips from the control's top-left corner.
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    /// The mouse moved over the control's own surface.
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    /// A mouse button came up on the control's own surface.
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);
    /// The editor's text changed, by typing or by a picker.
    void Change();
    /// A new cell has become current; the editor holds its text.
    void EnterCell();
    /// The current cell is being left, after what was typed in it was committed.
    void LeaveCell();
    /// The current cell moved, after EnterCell.
    void RowColChange();
    /// The grid scrolled.
    void Scroll();
    /// The grid's selection changed.
    void SelChange();
    /// The grid is losing the focus, other than to another window or a popup; setting
    /// @p Cancel takes it back.
    void Validate(bool &Cancel);
    /// A cell the user left holds text its data type refuses: it shows "Err", and @p Message
    /// says why, as ValidationMessage does.
    void ValidationFailed(qint32 Row, qint32 Col, const QString &Message);
    /// @}

    /// @name Change notifications
    /// The properties' NOTIFY signals, for bindings and property editors. Each follows a
    /// write of its property; Row, Col, Rows and Text also follow the user's moves and edits.
    /// @{
    void RowsChanged();        ///< Rows changed: a write, AddItem, RemoveItem, a new row, a refill.
    void ColsChanged();        ///< Cols was written, or the data source refilled the grids.
    void FixedRowsChanged();   ///< FixedRows was written.
    void FixedColsChanged();   ///< FixedCols was written.
    void RowChanged();         ///< The current cell moved, whoever moved it.
    void ColChanged();         ///< The current cell moved, whoever moved it.
    void BorderStyleChanged(); ///< BorderStyle was written.
    void ScrollBarsChanged();  ///< ScrollBars was written.
    void AllowEditChanged();   ///< AllowEdit was written.
    void TextChanged();        ///< Text was written, or a cell was left with AllowEdit on.
    void AutoInsertChanged();  ///< AutoInsert was written.
    void AutoCompleteChanged();      ///< AutoComplete was written.
    void ForeColorChanged();         ///< ForeColor was written.
    void ForeColorEditChanged();     ///< ForeColorEdit was written.
    void FontEditTextChanged();      ///< FontEditText was written.
    void BackColorChanged();         ///< BackColor was written.
    void EnabledChanged();           ///< Enabled was written.
    void SetKeyFunctionChanged();    ///< SetKeyFunction was written.
    void FontChanged();              ///< Font was written.
    void AllowUserResizingChanged(); ///< AllowUserResizing was written.
    void BackColorBkgChanged();      ///< BackColorBkg was written.
    void BackColorFixedChanged();    ///< BackColorFixed was written.
    void BackColorSelChanged();      ///< BackColorSel was written.
    void CellPictureChanged();       ///< CellPicture was written.
    void FocusRectChanged();         ///< FocusRect was written.
    void ForeColorFixedChanged();    ///< ForeColorFixed was written.
    void ForeColorSelChanged();      ///< ForeColorSel was written.
    void FormatStringChanged();      ///< FormatString was written.
    void GridColorChanged();         ///< GridColor was written.
    void GridColorFixedChanged();    ///< GridColorFixed was written.
    void GridLinesChanged();         ///< GridLines was written.
    void GridLinesFixedChanged();    ///< GridLinesFixed was written.
    void GridLineWidthChanged();     ///< GridLineWidth was written.
    void HighLightChanged();         ///< HighLight was written.
    void MouseIconChanged();         ///< MouseIcon was written.
    void MousePointerChanged();      ///< MousePointer was written.
    void RowHeightMinChanged();      ///< RowHeightMin was written.
    void SelectionModeChanged();     ///< SelectionMode was written.
    void TextStyleChanged();         ///< TextStyle was written.
    void TextStyleFixedChanged();    ///< TextStyleFixed was written.
    void ToolTipTextChanged();       ///< ToolTipText was written.
    void BackColorEditChanged();     ///< BackColorEdit was written.
    void ArrowAsKeyTabChanged();     ///< ArrowAsKeyTab was written.
    void EnterAsKeyTabChanged();     ///< EnterAsKeyTab was written.
    void AppearanceChanged();        ///< Appearance was written.
    void DatabaseNameChanged();      ///< DatabaseName was written.
    void RecordSourceChanged();      ///< RecordSource was written and its data source opened.
    void RecordsetTypeChanged();     ///< RecordsetType was written.
    void ButtonBackColorChanged();   ///< ButtonBackColor was written.
    void WordWrapChanged();          ///< WordWrap was written.
    void MergeCellsChanged();        ///< MergeCells was written.
    void RedrawChanged();            ///< Redraw was written.
    /// @}

protected:
    /// @name Qt event handlers
    /// @{

    /// Lays the grid over the whole control; the editor follows its cell.
    void resizeEvent(QResizeEvent *event) override;
    /// Places the editor again once painting is over.
    void paintEvent(QPaintEvent *event) override;
    /// When the host shows the control, bound entry starts: the trailing row for a new record.
    void showEvent(QShowEvent *event) override;
    /// When the host hides the control, what the user typed is committed while they can still
    /// be told about a failure.
    void hideEvent(QHideEvent *event) override;
    /// Raises KeyDown and KeyPress for keys the control itself receives.
    void keyPressEvent(QKeyEvent *event) override;
    /// Raises KeyUp for keys the control itself receives.
    void keyReleaseEvent(QKeyEvent *event) override;
    /// Raises MouseDown for a press on the control's own surface.
    void mousePressEvent(QMouseEvent *event) override;
    /// Raises MouseMove over the control's own surface.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Raises MouseUp on the control's own surface.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// @}

private:
    // The property system's writers (Designer, QML, uic, setProperty) cannot carry an exception:
    // each calls its classic setter and hands what it raises to the error sink, so a refused
    // value leaves the property as it was instead of ending the program.
    void writeRows(qint32 value);
    void writeCols(qint32 value);
    void writeFixedRows(qint32 value);
    void writeFixedCols(qint32 value);
    void writeRow(qint32 value);
    void writeCol(qint32 value);
    void writeBorderStyle(qint32 value);
    void writeScrollBars(Vantrel3::ScrollBarsSettings value);
    void writeAllowEdit(bool value);
    void writeText(const QString &value);
    void writeAutoInsert(bool value);
    void writeAutoComplete(bool value);
    void writeForeColor(quint32 value);
    void writeForeColorEdit(quint32 value);
    void writeFontEditText(const QFont &value);
    void writeBackColor(quint32 value);
    void writeEnabled(bool value);
    void writeSetKeyFunction(Vantrel3::eKeyFunction value);
    void writeFont(const QFont &value);
    void writeAllowUserResizing(Vantrel3::AllowUserResizeSettings value);
    void writeBackColorBkg(quint32 value);
    void writeBackColorFixed(quint32 value);
    void writeBackColorSel(quint32 value);
    void writeCellPicture(const QPixmap &value);
    void writeFocusRect(qint32 value);
    void writeForeColorFixed(quint32 value);
    void writeForeColorSel(quint32 value);
    void writeFormatString(const QString &value);
    void writeGridColor(quint32 value);
    void writeGridColorFixed(quint32 value);
    void writeGridLines(Vantrel3::GridLineSettings value);
    void writeGridLinesFixed(Vantrel3::GridLineSettings value);
    void writeGridLineWidth(qint16 value);
    void writeHighLight(Vantrel3::HighLightSettings value);
    void writeMouseIcon(const QPixmap &value);
    void writeMousePointer(Vantrel3::MousePointerSettings value);
    void writeRowHeightMin(qint32 value);
    void writeSelectionMode(Vantrel3::SelectionModeSettings value);
    void writeTextStyle(Vantrel3::TextStyleSettings value);
    void writeTextStyleFixed(Vantrel3::TextStyleSettings value);
    void writeToolTipText(const QString &value);
    void writeBackColorEdit(quint32 value);
    void writeArrowAsKeyTab(bool value);
    void writeEnterAsKeyTab(bool value);
    void writeAppearance(qint32 value);
    void writeDatabaseName(const QString &value);
    void writeRecordSource(const QString &value);
    void writeRecordsetType(Vantrel3::RsType value);
    void writeButtonBackColor(quint32 value);
    void writeWordWrap(bool value);
    void writeMergeCells(Vantrel3::MergeCellsSettings value);
    void writeRedraw(bool value);

    friend class VantrelPrivate;
    std::unique_ptr<VantrelPrivate> d;
};

} // namespace Vantrel3
