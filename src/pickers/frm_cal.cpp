#include "pickers/frm_cal.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/vbruntime.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace Vantrel3 {

namespace {

// The calendar's designed outer size.
constexpr int kCalendarWidth = 2460;
constexpr int kCalendarHeight = 2310;

} // namespace

frmCal::frmCal(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_calendar(new QCalendarWidget(this)) {
    setObjectName(QStringLiteral("frmCal"));
    m_calendar->setObjectName(QStringLiteral("obCal"));
    m_calendar->setDateRange(minimumDate(), maximumDate());
    m_calendar->installEventFilter(this);
    // Keys and clicks on the days reach the calendar's inner view, not the calendar itself.
    if (auto *view = m_calendar->findChild<QAbstractItemView *>()) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
    // The designed size is too small for Qt's calendar at some fonts: keep the larger.
    const QSize designed(Twips::toPixelsX(this, kCalendarWidth),
                         Twips::toPixelsY(this, kCalendarHeight));
    m_calendar->resize(designed.expandedTo(m_calendar->sizeHint()));
    resetToStoredSettings();
}

frmCal::~frmCal() = default;

void frmCal::load() {
    resetToStoredSettings();
    m_loaded = true;
}

void frmCal::resetToStoredSettings() {
    m_calendar->setSelectedDate(initialDate());
    m_calendar->setCurrentPage(initialDate().year(), initialDate().month());
    m_calendar->move(0, 0);
    setFixedSize(m_calendar->size());
}

void frmCal::unload() {
    if (!m_loaded) {
        return;
    }
    m_loaded = false;
    hide();
}

QString frmCal::dateText() const {
    return vb::DateText(QDateTime(m_calendar->selectedDate(), QTime(0, 0)));
}

void frmCal::pick() {
    if (!m_loaded) {
        return;
    }
    Q_EMIT CalClose(dateText());
    unload();
}

bool frmCal::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            guarded("frmCal", [this] { pick(); });
            return true;
        case Qt::Key_Escape:
            guarded("frmCal", [this] { unload(); });
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && !m_forwardingRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // The calendar takes a clicked day on the release: let it handle the release first,
        // then pick the date current at that moment, wherever the release happened.
        m_forwardingRelease = true;
        QCoreApplication::sendEvent(watched, event);
        m_forwardingRelease = false;
        guarded("frmCal", [this] { pick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmCal::closeEvent(QCloseEvent *event) {
    guarded("frmCal", [this] { unload(); });
    event->accept();
}

} // namespace Vantrel3
