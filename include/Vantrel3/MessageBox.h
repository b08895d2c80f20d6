#pragma once

#include <Vantrel3/Export.h>

#include <QString>

class QWidget;

namespace Vantrel3 {

/// Style bits of the classic message box: buttons in the low nibble, the icon in 16..64.
/// A style is one button value plus one icon value.
enum MsgBoxStyle : int {
    vbOKOnly = 0,       ///< An OK button only.
    vbOKCancel = 1,     ///< OK and Cancel buttons.
    vbYesNo = 4,        ///< Yes and No buttons.
    vbCritical = 16,    ///< The critical-error icon.
    vbQuestion = 32,    ///< The question icon.
    vbExclamation = 48, ///< The warning icon.
    vbInformation = 64, ///< The information icon.
};

/// The button the user chose to close a message box.
enum MsgBoxResult : int {
    vbOK = 1,     ///< OK.
    vbCancel = 2, ///< Cancel.
    vbYes = 6,    ///< Yes.
    vbNo = 7      ///< No.
};

/// Shows the modal message boxes of the control. The default shows a QMessageBox; tests install
/// their own to capture the boxes instead.
class VANTREL3_EXPORT MessageBoxService {
public:
    /// Services are installed by pointer and may be deleted through it.
    virtual ~MessageBoxService() = default;
    /// Shows one box over @p parent and returns the MsgBoxResult of the button chosen; @p style
    /// holds MsgBoxStyle bits.
    virtual int show(QWidget *parent, const QString &prompt, int style, const QString &title) = 0;
};

/// The service in use.
VANTREL3_EXPORT MessageBoxService &messageBoxService();
/// Installs @p service for every box; nullptr restores the QMessageBox default. The caller keeps
/// ownership of the service it installs.
VANTREL3_EXPORT void setMessageBoxService(MessageBoxService *service);

/// The caption used when a box has no title of its own.
VANTREL3_EXPORT QString defaultMessageBoxTitle();

/// Shows @p prompt through the service in use and returns the MsgBoxResult chosen; @p style holds
/// MsgBoxStyle bits, and an empty @p title takes defaultMessageBoxTitle().
VANTREL3_EXPORT int MsgBox(const QString &prompt, int style = vbOKOnly, const QString &title = {},
                           QWidget *parent = nullptr);

} // namespace Vantrel3
