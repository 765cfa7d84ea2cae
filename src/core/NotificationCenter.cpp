#include "core/NotificationCenter.h"

namespace fw {

void NotificationCenter::addObserver(QObject* owner, const QString& name, Handler handler)
{
    const bool firstObservationOfOwner = std::none_of(
        observations.cbegin(), observations.cend(),
        [owner](const Observation& observation) { return observation.owner == owner; });
    observations.append({owner, name, std::move(handler)});
    if (firstObservationOfOwner)
        connect(owner, &QObject::destroyed, this, [this, owner] { removeObserver(owner); });
}

void NotificationCenter::removeObserver(QObject* owner)
{
    observations.removeIf([owner](const Observation& observation) {
        return observation.owner.isNull() || observation.owner == owner;
    });
}

void NotificationCenter::post(const QString& name, const QVariantMap& userInfo)
{
    // A handler may add or remove observers; deliver to those present at posting.
    const QList<Observation> current = observations;
    for (const Observation& observation : current) {
        if (observation.name == name && !observation.owner.isNull())
            observation.handler(userInfo);
    }
}

} // namespace fw
