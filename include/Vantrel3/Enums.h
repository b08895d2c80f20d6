#pragma once

#include <Vantrel3/Export.h>

#include <QObject>
#include <QString>

namespace Vantrel3 {
Q_NAMESPACE_EXPORT(VANTREL3_EXPORT)

// The fourteen enumerations of the control. Unscoped, so that members convert to the Long and
// Integer parameters of the methods. Members whose documented name is a display text get an
// identifier; displayName() gives the text back for property browsers.

enum eKeyFunction : qint32 {
    eKeyF1 = 112,
    eKeyF2 = 113,
    eKeyF3 = 114,
    eKeyF4 = 115,
    eKeyF5 = 116,
    eKeyF6 = 117,
    eKeyF7 = 118,
    eKeyF8 = 119,
    eKeyF9 = 120,
    eKeyF10 = 121,
    eKeyF11 = 122,
    eKeyF12 = 123,
};
Q_ENUM_NS(eKeyFunction)

enum AlignmentSettings : qint32 {
    eAlignLeftTop = 0,
    eAlignLeftCenter = 1,
    eAlignLeftBottom = 2,
    eAlignCenterTop = 3,
    eAlignCenterCenter = 4,
    eAlignCenterBottom = 5,
    eAlignRightTop = 6,
    eAlignRightCenter = 7,
    eAlignRightBottom = 8,
    eAlignGeneral = 9,
};
Q_ENUM_NS(AlignmentSettings)

enum AllowUserResizeSettings : qint32 {
    eResizeNone = 0,
    eResizeColumns = 1,
    eResizeRows = 2,
    eResizeBoth = 3,
};
Q_ENUM_NS(AllowUserResizeSettings)

enum GridLineSettings : qint32 {
    eGridNone = 0,
    eGridFlat = 1,
    eGridInset = 2,
    eGridRaised = 3,
};
Q_ENUM_NS(GridLineSettings)

enum HighLightSettings : qint32 {
    eHighlightNever = 0,
    eHighlightAlways = 1,
    eHighlightWithFocus = 2,
};
Q_ENUM_NS(HighLightSettings)

enum MergeCellsSettings : qint32 {
    eMergeNever = 0,
    eMergeFree = 1,
    eMergeRestrictRows = 2,
    eMergeRestrictColumns = 3,
    eMergeRestrictAll = 4,
};
Q_ENUM_NS(MergeCellsSettings)

enum MousePointerSettings : qint32 {
    eDefault = 0,
    eArrow = 1,
    eCross = 2,
    eIBeam = 3,
    eIcon = 4,
    eSize = 5,
    eSizeNESW = 6,
    eSizeNS = 7,
    eSizeNWSE = 8,
    eSizeEW = 9,
    eUpArrow = 10,
    eHourglass = 11,
    eNoDrop = 12,
    eArrowHourGlass = 13,
    eArrowQuestion = 14,
    eSizeAll = 15,
    eCustom = 99,
};
Q_ENUM_NS(MousePointerSettings)

enum ScrollBarsSettings : qint32 {
    eScrollBarNone = 0,
    eScrollBarHorizontal = 1,
    eScrollBarVertical = 2,
    eScrollBarBoth = 3,
};
Q_ENUM_NS(ScrollBarsSettings)

enum SelectionModeSettings : qint32 {
    eSelectionFree = 0,
    eSelectionByRow = 1,
    eSelectionByColumn = 2,
};
Q_ENUM_NS(SelectionModeSettings)

enum TextStyleSettings : qint32 {
    eTextFlat = 0,
    eTextRaised = 1,
    eTextInset = 2,
    eTextRaisedLight = 3,
    eTextInsetLight = 4,
};
Q_ENUM_NS(TextStyleSettings)

// "0 - Table", "1 - Dynaset", "2 - Snapshot"
enum RsType : qint32 {
    Table = 0,
    Dynaset = 1,
    Snapshot = 2,
};
Q_ENUM_NS(RsType)

// "No Button", "ButtonStyleDrop", "ButtonStyleBrowse"
enum eButtonStyle : qint32 {
    NoButton = 0,
    ButtonStyleDrop = 1,
    ButtonStyleBrowse = 2,
};
Q_ENUM_NS(eButtonStyle)

// "No Type", "AlphaNumeric", "Numeric", "Date", "Time", "Partita Iva", "Codice Fiscale",
// "Decimal". Decimal is for amounts: digits, one decimal separator of the runtime locale and a
// leading minus; Numeric keeps its digits-only typing for the callers that rely on it.
enum eTextDataType : qint32 {
    NoType = 0,
    AlphaNumeric = 1,
    Numeric = 2,
    Date = 3,
    Time = 4,
    PartitaIva = 5,
    CodiceFiscale = 6,
    Decimal = 7,
};
Q_ENUM_NS(eTextDataType)

// "No Case", "UpperCase", "LowerCase", "ProperCase"
enum eTextCaseType : qint32 {
    NoCase = 0,
    UpperCase = 1,
    LowerCase = 2,
    ProperCase = 3,
};
Q_ENUM_NS(eTextCaseType)

// The documented display texts of the members whose names are texts.
VANTREL3_EXPORT QString displayName(RsType value);
VANTREL3_EXPORT QString displayName(eButtonStyle value);
VANTREL3_EXPORT QString displayName(eTextDataType value);
VANTREL3_EXPORT QString displayName(eTextCaseType value);

} // namespace Vantrel3
