#pragma once

#include <Vantrel3/Export.h>

class QWidget;

namespace Vantrel3 {

// The About box: loads the one shared FrmAbout and shows it modally, without an owner; returns
// once the user has closed it. `placeOver` only positions the box over that widget's window.
VANTREL3_EXPORT void ShowAboutBox(QWidget *placeOver = nullptr);

} // namespace Vantrel3
