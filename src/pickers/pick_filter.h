#pragma once

#include <QObject>
#include <functional>

namespace Vantrel3 {

// The keys and clicks a picker popup answers: Enter or Space picks, Escape closes without a
// pick, and a left-button release picks once the watched widget has handled the release itself
// (so the day or item under the click is the one picked).
class PickFilter : public QObject {
    Q_OBJECT

public:
    PickFilter(const char *where, std::function<void()> pick, std::function<void()> cancel,
               QObject *parent);

    void watch(QObject *target) { target->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const char *m_where;
    std::function<void()> m_pick;
    std::function<void()> m_cancel;
    bool m_forwardingRelease = false;
};

} // namespace Vantrel3
