#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace Vantrel3::pages {

// Builders for the page fields: each carries its classic name as objectName.
QLabel *makeLabel(QWidget *page, const char *name, const QString &caption);
QLineEdit *makeTextBox(QWidget *page, const char *name);
QCheckBox *makeCheckBox(QWidget *page, const char *name, const QString &caption);
QComboBox *makeList(QWidget *page, const char *name);

// A label and its field side by side in the grid; the field may span several columns.
void addLabelled(QGridLayout *grid, int row, int col, QLabel *label, QWidget *field,
                 int fieldSpan = 1);

} // namespace Vantrel3::pages
