#include "core/DialogQueue.h"

#include "core/SharedFlags.h"

namespace fw {

DialogQueue::DialogQueue(SharedFlags& flags, QObject* parent) : QObject(parent), flags(flags) {}

void DialogQueue::request(Opener open)
{
    pending.append(std::move(open));
    if (!isShowing())
        openNext();
}

bool DialogQueue::isShowing() const
{
    return flags.isSubWindowOpened;
}

void DialogQueue::closed()
{
    if (!isShowing())
        return;
    flags.isSubWindowOpened = false;
    openNext();
}

void DialogQueue::openNext()
{
    while (!pending.isEmpty()) {
        const Opener open = pending.takeFirst();
        flags.isSubWindowOpened = true;
        if (open()) {
            Q_EMIT showingChanged(true);
            return;
        }
        flags.isSubWindowOpened = false;
    }
    Q_EMIT showingChanged(false);
}

} // namespace fw
