#include "core/MainThreadCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace fw {

void runOnThreadOf(QObject* owner, const std::function<void()>& work)
{
    if (QThread::currentThread() == owner->thread())
        work();
    else
        QMetaObject::invokeMethod(owner, work, Qt::BlockingQueuedConnection);
}

} // namespace fw
