#include "pages/page_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace Vantrel3::pages {

QLabel *makeLabel(QWidget *page, const char *name, const QString &caption) {
    auto *label = new QLabel(caption, page);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit *makeTextBox(QWidget *page, const char *name) {
    auto *box = new QLineEdit(page);
    box->setObjectName(QLatin1String(name));
    return box;
}

QCheckBox *makeCheckBox(QWidget *page, const char *name, const QString &caption) {
    auto *box = new QCheckBox(caption, page);
    box->setObjectName(QLatin1String(name));
    return box;
}

QComboBox *makeList(QWidget *page, const char *name) {
    auto *list = new QComboBox(page);
    list->setObjectName(QLatin1String(name));
    return list;
}

void addLabelled(QGridLayout *grid, int row, int col, QLabel *label, QWidget *field,
                 int fieldSpan) {
    label->setBuddy(field);
    grid->addWidget(label, row, col);
    grid->addWidget(field, row, col + 1, 1, fieldSpan);
}

} // namespace Vantrel3::pages
