#include <Vantrel3/MessageBox.h>

#include <QMessageBox>

namespace Vantrel3 {

namespace {

class QMessageBoxService final : public MessageBoxService {
public:
    int show(QWidget *parent, const QString &prompt, int style, const QString &title) override {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setText(prompt);
        switch (style & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        switch (style & 0x0F) {
        case vbOKCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case vbYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Cancel:
            return vbCancel;
        case QMessageBox::Yes:
            return vbYes;
        case QMessageBox::No:
            return vbNo;
        default:
            return vbOK;
        }
    }
};

QMessageBoxService &defaultService() {
    static QMessageBoxService service;
    return service;
}

MessageBoxService *g_service = nullptr;

} // namespace

MessageBoxService &messageBoxService() {
    return g_service ? *g_service : defaultService();
}

void setMessageBoxService(MessageBoxService *service) {
    g_service = service;
}

QString defaultMessageBoxTitle() {
    return QStringLiteral("Vantrel3");
}

int MsgBox(const QString &prompt, int style, const QString &title, QWidget *parent) {
    return messageBoxService().show(parent, prompt, style,
                                    title.isEmpty() ? defaultMessageBoxTitle() : title);
}

} // namespace Vantrel3
