#pragma once

#include <Vantrel3/Export.h>

class QWidget;

namespace Vantrel3 {

/// Shows the About box (the one shared `FrmAbout`) modally, without an owner, and returns once
/// the user has closed it. @p placeOver only positions the box over that widget's window.
VANTREL3_EXPORT void ShowAboutBox(QWidget *placeOver = nullptr);

} // namespace Vantrel3
