#pragma once

#include "about/about_content.h"

#include <QDialog>

namespace Vantrel3 {

// The About box: title, picture and the scrolling text, captioned "<product> - Informazioni".
// It has no button of its own; the window's close command ends it, and the window is then
// destroyed with its clock.
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    // The shared instance, loaded on first use (Form_Load starts the text).
    static FrmAbout *Load();
    // The shared instance while it is loaded, else null.
    static FrmAbout *Loaded();
    ~FrmAbout() override;

    TextScroller *Picture1() const { return m_parts.Picture1; }

private:
    FrmAbout();

    about::Parts m_parts;
};

} // namespace Vantrel3
