#include "pages/informazioni_page.h"

#include "about/text_scroller.h"

#include <Vantrel3/ErrorSink.h>

#include <QTimer>

namespace Vantrel3 {

InformazioniPage::InformazioniPage(QWidget *parent)
    : PropertyPage(QStringLiteral("Informazioni"), parent), m_parts(about::Build(this)) {}

InformazioniPage::~InformazioniPage() {
    Terminate();
}

void InformazioniPage::Terminate() {
    m_parts.Picture1->Stop();
}

void InformazioniPage::paintEvent(QPaintEvent *event) {
    PropertyPage::paintEvent(event);
    // Moving the canvas inside this paint would change widgets while they are being drawn:
    // restart after it, once per burst of paints.
    if (m_restartQueued) {
        return;
    }
    m_restartQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_restartQueued = false;
        guarded("Informazioni::Paint", [this] { m_parts.Picture1->Start(); });
    });
}

} // namespace Vantrel3
