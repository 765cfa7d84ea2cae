#pragma once

#include "core/NotificationCenter.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace fw::test {

// Records, in posting order, the notifications of the given names that a
// notification centre delivers while the recorder lives.
class NotificationRecorder : public QObject {
public:
    NotificationRecorder(NotificationCenter& center, const QStringList& names);

    QStringList names() const;
    // The "type" of every alert requested with "notificationShowAlertWithType".
    QList<int> alertTypes() const;
    // The dictionary of the last notification of the name; empty when none came.
    QVariantMap lastUserInfo(const QString& name) const;
    void clear() { posted.clear(); }

private:
    QList<std::pair<QString, QVariantMap>> posted;
};

} // namespace fw::test
