#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace Vantrel3 {

class TextScroller;

namespace about {

// "Vantrel3 <version>": the title label and the scrolling text's title line.
QString ProductTitle();
// The fourteen lines of the scrolling text, in order; the first is empty.
QStringList ScrollerLines();
// Image1: a small grid with its header row and an edited cell, drawn here.
QPixmap Picture();

// The controls both About surfaces hold, laid out on `host`.
struct Parts {
    QLabel *Label1;
    QLabel *Image1;
    TextScroller *Picture1;
};
Parts Build(QWidget *host);

} // namespace about
} // namespace Vantrel3
