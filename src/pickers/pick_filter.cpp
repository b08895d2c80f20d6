#include "pickers/pick_filter.h"

#include <Vantrel3/ErrorSink.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace Vantrel3 {

PickFilter::PickFilter(const char *where, std::function<void()> pick, std::function<void()> cancel,
                       QObject *parent)
    : QObject(parent), m_where(where), m_pick(std::move(pick)), m_cancel(std::move(cancel)) {}

bool PickFilter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            guarded(m_where, m_pick);
            return true;
        case Qt::Key_Escape:
            guarded(m_where, m_cancel);
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && !m_forwardingRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        m_forwardingRelease = true;
        QCoreApplication::sendEvent(watched, event);
        m_forwardingRelease = false;
        guarded(m_where, m_pick);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Vantrel3
