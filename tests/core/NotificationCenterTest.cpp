#include "core/NotificationCenter.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace fw {
namespace {

TEST(NotificationCenter, DeliversInRegistrationOrderWithDictionaryAndForgetsDestroyedOwners)
{
    NotificationCenter center;
    QStringList delivered;
    auto first = std::make_unique<QObject>();
    QObject second;
    center.addObserver(first.get(), "notificationShowAlertWithType", [&](const QVariantMap& info) {
        delivered << QStringLiteral("first %1").arg(info.value("type").toInt());
    });
    center.addObserver(&second, "notificationShowAlertWithType", [&](const QVariantMap& info) {
        delivered << QStringLiteral("second %1").arg(info.value("type").toInt());
    });
    center.addObserver(&second, "notificationsEnable",
                       [&](const QVariantMap&) { delivered << "enable"; });

    center.post("notificationShowAlertWithType", {{"type", 111}});
    EXPECT_EQ(delivered, QStringList({"first 111", "second 111"}));

    delivered.clear();
    first.reset();
    center.post("notificationShowAlertWithType", {{"type", 112}});
    center.post("notificationsDisbleView");
    EXPECT_EQ(delivered, QStringList({"second 112"}));

    delivered.clear();
    center.removeObserver(&second);
    center.post("notificationsEnable");
    EXPECT_TRUE(delivered.isEmpty());
}

} // namespace
} // namespace fw
