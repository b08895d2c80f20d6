#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;

namespace Vantrel3 {

// The calendar popup: a top-level form whose only child is the month calendar obCal. Each
// opening shows the date it is given (the cell's), or today's date.
class frmCal : public QWidget {
    Q_OBJECT

public:
    explicit frmCal(QWidget *owner = nullptr);
    ~frmCal() override;

    static QDate initialDate() { return QDate(1999, 5, 26); }
    static QDate minimumDate() { return QDate(1753, 1, 1); }
    static QDate maximumDate() { return QDate(9999, 12, 31); }

    QCalendarWidget *obCal() const { return m_calendar; }

    // Opens on `initial` when it is a valid date within the calendar's range, otherwise on
    // today's date, and sizes the form to the calendar.
    void load(const QDate &initial);
    // Opens on today's date.
    void load();
    // Hides the window; does nothing when already unloaded.
    void unload();
    bool isLoaded() const { return m_loaded; }

    // The date text sent back: the short date of the calendar's current value.
    QString dateText() const;

Q_SIGNALS:
    void CalClose(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showDate(const QDate &date);
    void pick();

    QCalendarWidget *m_calendar;
    bool m_loaded = false;
};

} // namespace Vantrel3
