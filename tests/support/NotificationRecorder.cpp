#include "support/NotificationRecorder.h"

namespace fw::test {

NotificationRecorder::NotificationRecorder(NotificationCenter& center, const QStringList& names)
{
    for (const QString& name : names)
        center.addObserver(this, name, [this, name](const QVariantMap& userInfo) {
            posted.append({name, userInfo});
        });
}

QStringList NotificationRecorder::names() const
{
    QStringList result;
    for (const auto& [name, userInfo] : posted)
        result.append(name);
    return result;
}

QList<int> NotificationRecorder::alertTypes() const
{
    QList<int> types;
    for (const auto& [name, userInfo] : posted) {
        if (name == "notificationShowAlertWithType")
            types.append(userInfo.value("type").toInt());
    }
    return types;
}

QVariantMap NotificationRecorder::lastUserInfo(const QString& name) const
{
    for (auto entry = posted.crbegin(); entry != posted.crend(); ++entry) {
        if (entry->first == name)
            return entry->second;
    }
    return {};
}

} // namespace fw::test
