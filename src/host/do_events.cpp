#include <Vantrel3/DoEvents.h>

#include <QCoreApplication>

namespace Vantrel3 {

void DoEvents() {
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

} // namespace Vantrel3
