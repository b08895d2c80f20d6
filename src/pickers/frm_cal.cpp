#include "pickers/frm_cal.h"

#include "pickers/pick_filter.h"

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
    auto *picks = new PickFilter(
        "frmCal", [this] { pick(); }, [this] { unload(); }, this);
    picks->watch(m_calendar);
    // Keys and clicks on the days reach the calendar's inner view, not the calendar itself.
    if (auto *view = m_calendar->findChild<QAbstractItemView *>()) {
        picks->watch(view);
        picks->watch(view->viewport());
    }
    // The designed size is too small for Qt's calendar at some fonts: keep the larger.
    const QSize designed(Twips::toPixelsX(this, kCalendarWidth),
                         Twips::toPixelsY(this, kCalendarHeight));
    m_calendar->resize(designed.expandedTo(m_calendar->sizeHint()));
    showDate(initialDate());
}

frmCal::~frmCal() = default;

void frmCal::load(const QDate &initial) {
    const bool inRange = initial.isValid() && initial >= minimumDate() && initial <= maximumDate();
    showDate(inRange ? initial : QDate::currentDate());
    m_loaded = true;
}

void frmCal::load() {
    load(QDate());
}

void frmCal::showDate(const QDate &date) {
    m_calendar->setSelectedDate(date);
    m_calendar->setCurrentPage(date.year(), date.month());
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

void frmCal::closeEvent(QCloseEvent *event) {
    guarded("frmCal", [this] { unload(); });
    event->accept();
}

} // namespace Vantrel3
