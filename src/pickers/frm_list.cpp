#include "pickers/frm_list.h"

#include "pickers/pick_filter.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Twips.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>

namespace Vantrel3 {

namespace {

// Designed client size.
constexpr int kDesignedWidth = 1215;
constexpr int kDesignedHeight = 1005;

} // namespace

frmList::frmList(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmList"));
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *picks = new PickFilter(
        "frmList", [this] { pick(); }, [this] { unload(); }, this);
    picks->watch(m_list);
    picks->watch(m_list->viewport());
    resize(Twips::toPixelsX(this, kDesignedWidth), Twips::toPixelsY(this, kDesignedHeight));
}

frmList::~frmList() {
    if (m_modalLoop) {
        m_modalLoop->quit();
    }
}

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

QString frmList::listText() const {
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void frmList::showModeless() {
    setWindowModality(Qt::NonModal);
    // The user keeps typing in the editor while the list is on screen.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
}

void frmList::showModal() {
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    m_list->setFocus();
    QPointer<frmList> self(this);
    QEventLoop loop;
    m_modalLoop = &loop;
    if (isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    if (self) {
        m_modalLoop = nullptr;
        // Modality can only change while hidden; the next opening may be modeless.
        if (isHidden()) {
            setWindowModality(Qt::NonModal);
        }
    }
}

void frmList::unload() {
    if (isHidden()) {
        return;
    }
    hide();
}

void frmList::pick() {
    if (isHidden()) {
        return;
    }
    Q_EMIT ListClose(listText());
    unload();
}

void frmList::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // List1 follows the form: height first, then width.
    m_list->setGeometry(0, 0, width(), height());
}

void frmList::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    if (m_modalLoop) {
        m_modalLoop->quit();
    }
}

void frmList::closeEvent(QCloseEvent *event) {
    guarded("frmList", [this] { unload(); });
    event->accept();
}

} // namespace Vantrel3
