#include "pickers/frm_list.h"

#include <QListWidget>
#include <QResizeEvent>

namespace Vantrel3 {

frmList::frmList(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmList"));
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Designed client size 1215 x 1005 twips at 96 dpi.
    resize(81, 67);
}

frmList::~frmList() = default;

int frmList::findString(const QListWidget *list, const QString &text) {
    if (text.isEmpty()) {
        return -1;
    }
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

void frmList::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    m_list->setGeometry(0, 0, width(), height());
}

} // namespace Vantrel3
