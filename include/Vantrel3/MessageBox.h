#pragma once

#include <Vantrel3/Export.h>

#include <QString>

class QWidget;

namespace Vantrel3 {

// Style bits of the classic message box: buttons in the low nibble, the icon in 16..64.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};

enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// Shows the modal message boxes of the control. The default shows a QMessageBox; tests install
// their own to capture the boxes instead.
class VANTREL3_EXPORT MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual int show(QWidget *parent, const QString &prompt, int style, const QString &title) = 0;
};

// The service in use. Passing nullptr restores the QMessageBox default. The caller keeps
// ownership of the service it installs.
VANTREL3_EXPORT MessageBoxService &messageBoxService();
VANTREL3_EXPORT void setMessageBoxService(MessageBoxService *service);

// The caption used when a box has no title of its own.
VANTREL3_EXPORT QString defaultMessageBoxTitle();

VANTREL3_EXPORT int MsgBox(const QString &prompt, int style = vbOKOnly, const QString &title = {},
                           QWidget *parent = nullptr);

} // namespace Vantrel3
