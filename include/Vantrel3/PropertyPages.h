#pragma once

#include <QList>

class QWidget;

namespace Vantrel3 {

class Vantrel;

// The design-time property pages (General, Style, Informazioni) in a modal dialog with OK,
// Cancel and Apply. The pages read and write the first control of the list only.
void ShowPropertyPages(const QList<Vantrel *> &controls, QWidget *parent = nullptr);

// The About box: loads the one shared FrmAbout and shows it modally, without an owner; returns
// once the user has closed it. `placeOver` only positions the box over that widget's window.
void ShowAboutBox(QWidget *placeOver = nullptr);

} // namespace Vantrel3
