#include "support/EventWaiting.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace fw::test {

bool waitUntil(const std::function<bool()>& condition, int timeoutMilliseconds)
{
    const QDeadlineTimer deadline(timeoutMilliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

} // namespace fw::test
