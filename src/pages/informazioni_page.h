#pragma once

#include "about/about_content.h"
#include "pages/property_page.h"

namespace Vantrel3 {

// The "Informazioni" page: the About box's content as a property page. Every paint of the page
// restarts the text from the bottom; the page's end stops the clock. It edits nothing.
class InformazioniPage : public PropertyPage {
    Q_OBJECT

public:
    explicit InformazioniPage(QWidget *parent = nullptr);
    ~InformazioniPage() override;

    TextScroller *Picture1() const { return m_parts.Picture1; }
    void Terminate() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    about::Parts m_parts;
    bool m_restartQueued = false;
};

} // namespace Vantrel3
