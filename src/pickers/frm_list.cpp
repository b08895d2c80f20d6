#include "pickers/frm_list.h"

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
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
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

bool frmList::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            guarded("frmList", [this] { pick(); });
            return true;
        case Qt::Key_Escape:
            guarded("frmList", [this] { unload(); });
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && !m_forwardingRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // The press selected the item; the list finishes the release, then the pick follows.
        m_forwardingRelease = true;
        QCoreApplication::sendEvent(watched, event);
        m_forwardingRelease = false;
        guarded("frmList", [this] { pick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
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
