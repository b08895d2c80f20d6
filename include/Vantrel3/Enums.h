#pragma once

#include <Vantrel3/Export.h>

#include <QObject>
#include <QString>

namespace Vantrel3 {
Q_NAMESPACE_EXPORT(VANTREL3_EXPORT)

// The fourteen enumerations of the control. Unscoped, so that members convert to the Long and
// Integer parameters of the methods. Members whose documented name is a display text get an
// identifier; displayName() gives the text back for property browsers.

/// The function key that opens the current cell's picker (Vantrel::SetKeyFunction); the values
/// are the keys' KeyCode.
enum eKeyFunction : qint32 {
    eKeyF1 = 112,  ///< F1.
    eKeyF2 = 113,  ///< F2.
    eKeyF3 = 114,  ///< F3.
    eKeyF4 = 115,  ///< F4.
    eKeyF5 = 116,  ///< F5.
    eKeyF6 = 117,  ///< F6.
    eKeyF7 = 118,  ///< F7, the setting of a new control.
    eKeyF8 = 119,  ///< F8.
    eKeyF9 = 120,  ///< F9.
    eKeyF10 = 121, ///< F10.
    eKeyF11 = 122, ///< F11.
    eKeyF12 = 123, ///< F12.
};
Q_ENUM_NS(eKeyFunction)

/// Where a cell's text lies in the cell (ColAlignment, FixedAlignment).
enum AlignmentSettings : qint32 {
    eAlignLeftTop = 0,      ///< Left, at the top.
    eAlignLeftCenter = 1,   ///< Left, centred vertically.
    eAlignLeftBottom = 2,   ///< Left, at the bottom.
    eAlignCenterTop = 3,    ///< Centred, at the top.
    eAlignCenterCenter = 4, ///< Centred both ways.
    eAlignCenterBottom = 5, ///< Centred, at the bottom.
    eAlignRightTop = 6,     ///< Right, at the top.
    eAlignRightCenter = 7,  ///< Right, centred vertically.
    eAlignRightBottom = 8,  ///< Right, at the bottom.
    eAlignGeneral = 9,      ///< Numbers right, other texts left; centred vertically.
};
Q_ENUM_NS(AlignmentSettings)

/// What the user may resize by dragging the borders of the fixed cells (AllowUserResizing).
enum AllowUserResizeSettings : qint32 {
    eResizeNone = 0,    ///< The user cannot resize.
    eResizeColumns = 1, ///< The user drags column borders.
    eResizeRows = 2,    ///< The user drags row borders.
    eResizeBoth = 3,    ///< The user drags column and row borders.
};
Q_ENUM_NS(AllowUserResizeSettings)

/// How the lines between cells look (GridLines, GridLinesFixed).
enum GridLineSettings : qint32 {
    eGridNone = 0,   ///< No lines.
    eGridFlat = 1,   ///< Plain lines in the grid colour.
    eGridInset = 2,  ///< Lines that look sunken.
    eGridRaised = 3, ///< Lines that look raised.
};
Q_ENUM_NS(GridLineSettings)

/// When the selected cells are shown highlighted (HighLight).
enum HighLightSettings : qint32 {
    eHighlightNever = 0,     ///< The selection is never shown.
    eHighlightAlways = 1,    ///< The selection is always shown.
    eHighlightWithFocus = 2, ///< The selection is shown while the grid has the focus.
};
Q_ENUM_NS(HighLightSettings)

/// Whether neighbouring cells with equal texts are drawn as one (MergeCells, with MergeRow and
/// MergeCol marking the rows and columns that may merge).
enum MergeCellsSettings : qint32 {
    eMergeNever = 0,           ///< No cells merge.
    eMergeFree = 1,            ///< Equal neighbours merge in the rows and columns marked for it.
    eMergeRestrictRows = 2,    ///< As Free; a row merges only where the row above did.
    eMergeRestrictColumns = 3, ///< As Free; a column merges only where the one on its left did.
    eMergeRestrictAll = 4,     ///< Both restrictions.
};
Q_ENUM_NS(MergeCellsSettings)

/// The mouse pointer over the control (MousePointer).
enum MousePointerSettings : qint32 {
    eDefault = 0,         ///< The shape the control's parts show by themselves.
    eArrow = 1,           ///< Arrow.
    eCross = 2,           ///< Cross hair.
    eIBeam = 3,           ///< Text I-beam.
    eIcon = 4,            ///< Arrow (no shape of its own here).
    eSize = 5,            ///< Four-way size arrows.
    eSizeNESW = 6,        ///< Diagonal size arrows, north-east to south-west.
    eSizeNS = 7,          ///< Vertical size arrows.
    eSizeNWSE = 8,        ///< Diagonal size arrows, north-west to south-east.
    eSizeEW = 9,          ///< Horizontal size arrows.
    eUpArrow = 10,        ///< Up arrow.
    eHourglass = 11,      ///< Wait.
    eNoDrop = 12,         ///< Forbidden.
    eArrowHourGlass = 13, ///< Arrow with the busy sign.
    eArrowQuestion = 14,  ///< Arrow with a question mark.
    eSizeAll = 15,        ///< Four-way size arrows.
    eCustom = 99,         ///< The picture in MouseIcon.
};
Q_ENUM_NS(MousePointerSettings)

/// Which scroll bars the grid shows (ScrollBars).
enum ScrollBarsSettings : qint32 {
    eScrollBarNone = 0,       ///< No scroll bars.
    eScrollBarHorizontal = 1, ///< A horizontal scroll bar, when the columns do not fit.
    eScrollBarVertical = 2,   ///< A vertical scroll bar, when the rows do not fit.
    eScrollBarBoth = 3,       ///< Both, each when needed.
};
Q_ENUM_NS(ScrollBarsSettings)

/// What a mouse selection takes (SelectionMode).
enum SelectionModeSettings : qint32 {
    eSelectionFree = 0,     ///< Any block of cells.
    eSelectionByRow = 1,    ///< Whole rows.
    eSelectionByColumn = 2, ///< Whole columns.
};
Q_ENUM_NS(SelectionModeSettings)

/// How cell texts are drawn (TextStyle, TextStyleFixed).
enum TextStyleSettings : qint32 {
    eTextFlat = 0,        ///< Plain text.
    eTextRaised = 1,      ///< Raised text, with a light and a dark edge.
    eTextInset = 2,       ///< Sunken text, with a dark and a light edge.
    eTextRaisedLight = 3, ///< Raised text, with a dark edge only.
    eTextInsetLight = 4,  ///< Sunken text, with a light edge only.
};
Q_ENUM_NS(TextStyleSettings)

/// The kind of recordset the control opens (RecordsetType). Display texts: "0 - Table",
/// "1 - Dynaset", "2 - Snapshot".
enum RsType : qint32 {
    Table = 0,    ///< "0 - Table": a table, by name.
    Dynaset = 1,  ///< "1 - Dynaset": a table, view or query; the setting of a new control.
    Snapshot = 2, ///< "2 - Snapshot": a table, view or query, read-only.
};
Q_ENUM_NS(RsType)

/// The button of a column or cell (ColEditMode, AddButton). Display texts: "No Button",
/// "ButtonStyleDrop", "ButtonStyleBrowse".
enum eButtonStyle : qint32 {
    NoButton = 0,          ///< "No Button": none.
    ButtonStyleDrop = 1,   ///< A drop-down arrow that opens the cell's picker.
    ButtonStyleBrowse = 2, ///< A "..." button that opens the cell's picker.
};
Q_ENUM_NS(eButtonStyle)

/// What a column or cell holds (ColEditMode, AddEditStyle): typing lets in only its characters,
/// and a text that does not read as one is shown as "Err" when the cell is left. Display texts:
/// "No Type", "AlphaNumeric", "Numeric", "Date", "Time", "Partita Iva", "Codice Fiscale",
/// "Decimal".
enum eTextDataType : qint32 {
    NoType = 0,        ///< "No Type": any text, not checked.
    AlphaNumeric = 1,  ///< Any text, not checked.
    Numeric = 2,       ///< A number, typed with digits only; the cell's picker is the calculator.
    Date = 3,          ///< A date, typed with digits and "/"; the cell's picker is the calendar.
    Time = 4,          ///< A time, typed with digits and ":".
    PartitaIva = 5,    ///< "Partita Iva": an Italian VAT number, with its check digit.
    CodiceFiscale = 6, ///< "Codice Fiscale": an Italian tax code, with its check letter.
    /// An amount: digits, one decimal separator of the runtime locale and a leading minus;
    /// checked and formatted as Numeric is, and written with its decimals.
    Decimal = 7,
};
Q_ENUM_NS(eTextDataType)

/// The case a column or cell converts its text to (ColEditMode, AddEditStyle). Display texts:
/// "No Case", "UpperCase", "LowerCase", "ProperCase".
enum eTextCaseType : qint32 {
    NoCase = 0,     ///< "No Case": as typed.
    UpperCase = 1,  ///< Upper case, as it is typed.
    LowerCase = 2,  ///< Lower case, as it is typed.
    ProperCase = 3, ///< Each word with a capital, when the cell is left.
};
Q_ENUM_NS(eTextCaseType)

// The documented display texts of the members whose names are texts, for property browsers; a
// value that is no member gives its number.

/// "0 - Table", "1 - Dynaset" or "2 - Snapshot".
VANTREL3_EXPORT QString displayName(RsType value);
/// "No Button", "ButtonStyleDrop" or "ButtonStyleBrowse".
VANTREL3_EXPORT QString displayName(eButtonStyle value);
/// "No Type", "AlphaNumeric", "Numeric", "Date", "Time", "Partita Iva" or "Codice Fiscale".
VANTREL3_EXPORT QString displayName(eTextDataType value);
/// "No Case", "UpperCase", "LowerCase" or "ProperCase".
VANTREL3_EXPORT QString displayName(eTextCaseType value);

} // namespace Vantrel3
