#pragma once

#include <Vantrel3/AboutBox.h>
#include <Vantrel3/Export.h>

#include <QList>

class QWidget;

namespace Vantrel3 {

class Vantrel;

/// Shows the design-time property pages (General, Style, Informazioni) in a modal dialog with
/// OK, Cancel and Apply. The pages read and write the first control of @p controls only.
VANTREL3_EXPORT void ShowPropertyPages(const QList<Vantrel *> &controls, QWidget *parent = nullptr);

} // namespace Vantrel3
