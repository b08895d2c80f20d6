#include "about/frm_about.h"

#include "about/text_scroller.h"

#include <Vantrel3/AboutBox.h>

#include <QPointer>

namespace Vantrel3 {

namespace {
QPointer<FrmAbout> &sharedInstance() {
    static QPointer<FrmAbout> instance;
    return instance;
}
} // namespace

FrmAbout::FrmAbout() : QDialog(nullptr), m_parts(about::Build(this)) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(about::ProductTitle() + QStringLiteral(" - Informazioni"));
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(false);
    m_parts.Picture1->Start();
}

FrmAbout::~FrmAbout() = default;

FrmAbout *FrmAbout::Load() {
    QPointer<FrmAbout> &instance = sharedInstance();
    if (!instance) {
        instance = new FrmAbout();
    }
    return instance;
}

FrmAbout *FrmAbout::Loaded() {
    return sharedInstance().data();
}

void ShowAboutBox(QWidget *placeOver) {
    FrmAbout *box = FrmAbout::Load();
    if (box->isVisible()) {
        // Already on screen (asked again from inside its own modal loop): bring it forward.
        box->raise();
        box->activateWindow();
        return;
    }
    if (placeOver) {
        box->adjustSize();
        const QWidget *window = placeOver->window();
        box->move(window->frameGeometry().center() - box->rect().center());
    }
    // No owner, so application modal; exec deletes it afterwards (WA_DeleteOnClose).
    box->exec();
}

} // namespace Vantrel3
