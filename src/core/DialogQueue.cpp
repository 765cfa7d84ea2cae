#include "core/DialogQueue.h"

#include "core/SharedFlags.h"

namespace fw {

DialogQueue::DialogQueue(SharedFlags& flags, QObject* parent) : QObject(parent), flags(flags) {}

void DialogQueue::request(Opener open)
{
    pending.append(std::move(open));
    if (!showing)
        openNext();
}

void DialogQueue::closed()
{
    if (!showing)
        return;
    showing = false;
    flags.isSubWindowOpened = false;
    openNext();
}

void DialogQueue::openNext()
{
    while (!pending.isEmpty()) {
        const Opener open = pending.takeFirst();
        showing = true;
        flags.isSubWindowOpened = true;
        if (open()) {
            Q_EMIT showingChanged(true);
            return;
        }
        showing = false;
        flags.isSubWindowOpened = false;
    }
    Q_EMIT showingChanged(false);
}

} // namespace fw
