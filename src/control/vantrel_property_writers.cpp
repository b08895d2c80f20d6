#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Vantrel.h>

namespace Vantrel3 {

// Each writer runs its classic setter and hands what that raises to the error sink.
#define VANTREL3_PROPERTY_WRITER(Name, Setter, Param)                                              \
    void Vantrel::write##Name(Param value) {                                                       \
        guarded(#Name, [&] { Setter(value); });                                                    \
    }

VANTREL3_PROPERTY_WRITER(Rows, SetRows, qint32)
VANTREL3_PROPERTY_WRITER(Cols, SetCols, qint32)
VANTREL3_PROPERTY_WRITER(FixedRows, SetFixedRows, qint32)
VANTREL3_PROPERTY_WRITER(FixedCols, SetFixedCols, qint32)
VANTREL3_PROPERTY_WRITER(Row, SetRow, qint32)
VANTREL3_PROPERTY_WRITER(Col, SetCol, qint32)
VANTREL3_PROPERTY_WRITER(BorderStyle, SetBorderStyle, qint32)
VANTREL3_PROPERTY_WRITER(ScrollBars, SetScrollBars, Vantrel3::ScrollBarsSettings)
VANTREL3_PROPERTY_WRITER(AllowEdit, SetAllowEdit, bool)
VANTREL3_PROPERTY_WRITER(Text, SetText, const QString &)
VANTREL3_PROPERTY_WRITER(AutoInsert, SetAutoInsert, bool)
VANTREL3_PROPERTY_WRITER(AutoComplete, SetAutoComplete, bool)
VANTREL3_PROPERTY_WRITER(ForeColor, SetForeColor, quint32)
VANTREL3_PROPERTY_WRITER(ForeColorEdit, SetForeColorEdit, quint32)
VANTREL3_PROPERTY_WRITER(FontEditText, SetFontEditText, const QFont &)
VANTREL3_PROPERTY_WRITER(BackColor, SetBackColor, quint32)
VANTREL3_PROPERTY_WRITER(Enabled, SetEnabled, bool)
VANTREL3_PROPERTY_WRITER(SetKeyFunction, SetSetKeyFunction, Vantrel3::eKeyFunction)
VANTREL3_PROPERTY_WRITER(Font, SetFont, const QFont &)
VANTREL3_PROPERTY_WRITER(AllowUserResizing, SetAllowUserResizing, Vantrel3::AllowUserResizeSettings)
VANTREL3_PROPERTY_WRITER(BackColorBkg, SetBackColorBkg, quint32)
VANTREL3_PROPERTY_WRITER(BackColorFixed, SetBackColorFixed, quint32)
VANTREL3_PROPERTY_WRITER(BackColorSel, SetBackColorSel, quint32)
VANTREL3_PROPERTY_WRITER(CellPicture, SetCellPicture, const QPixmap &)
VANTREL3_PROPERTY_WRITER(FocusRect, SetFocusRect, qint32)
VANTREL3_PROPERTY_WRITER(ForeColorFixed, SetForeColorFixed, quint32)
VANTREL3_PROPERTY_WRITER(ForeColorSel, SetForeColorSel, quint32)
VANTREL3_PROPERTY_WRITER(FormatString, SetFormatString, const QString &)
VANTREL3_PROPERTY_WRITER(GridColor, SetGridColor, quint32)
VANTREL3_PROPERTY_WRITER(GridColorFixed, SetGridColorFixed, quint32)
VANTREL3_PROPERTY_WRITER(GridLines, SetGridLines, Vantrel3::GridLineSettings)
VANTREL3_PROPERTY_WRITER(GridLinesFixed, SetGridLinesFixed, Vantrel3::GridLineSettings)
VANTREL3_PROPERTY_WRITER(GridLineWidth, SetGridLineWidth, qint16)
VANTREL3_PROPERTY_WRITER(HighLight, SetHighLight, Vantrel3::HighLightSettings)
VANTREL3_PROPERTY_WRITER(MouseIcon, SetMouseIcon, const QPixmap &)
VANTREL3_PROPERTY_WRITER(MousePointer, SetMousePointer, Vantrel3::MousePointerSettings)
VANTREL3_PROPERTY_WRITER(RowHeightMin, SetRowHeightMin, qint32)
VANTREL3_PROPERTY_WRITER(SelectionMode, SetSelectionMode, Vantrel3::SelectionModeSettings)
VANTREL3_PROPERTY_WRITER(TextStyle, SetTextStyle, Vantrel3::TextStyleSettings)
VANTREL3_PROPERTY_WRITER(TextStyleFixed, SetTextStyleFixed, Vantrel3::TextStyleSettings)
VANTREL3_PROPERTY_WRITER(ToolTipText, SetToolTipText, const QString &)
VANTREL3_PROPERTY_WRITER(BackColorEdit, SetBackColorEdit, quint32)
VANTREL3_PROPERTY_WRITER(ArrowAsKeyTab, SetArrowAsKeyTab, bool)
VANTREL3_PROPERTY_WRITER(EnterAsKeyTab, SetEnterAsKeyTab, bool)
VANTREL3_PROPERTY_WRITER(Appearance, SetAppearance, qint32)
VANTREL3_PROPERTY_WRITER(DatabaseName, SetDatabaseName, const QString &)
VANTREL3_PROPERTY_WRITER(RecordSource, SetRecordSource, const QString &)
VANTREL3_PROPERTY_WRITER(RecordsetType, SetRecordsetType, Vantrel3::RsType)
VANTREL3_PROPERTY_WRITER(ButtonBackColor, SetButtonBackColor, quint32)
VANTREL3_PROPERTY_WRITER(WordWrap, SetWordWrap, bool)
VANTREL3_PROPERTY_WRITER(MergeCells, SetMergeCells, Vantrel3::MergeCellsSettings)
VANTREL3_PROPERTY_WRITER(Redraw, SetRedraw, bool)

#undef VANTREL3_PROPERTY_WRITER

} // namespace Vantrel3
