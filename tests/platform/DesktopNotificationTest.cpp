#include "platform/FreedesktopDesktop.h"
#include "support/EventWaiting.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace fw {
namespace {

// A notification service on a bus of the test's own, as a desktop's
// notification daemon answers.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QString summary;
    QString body;
    QVariantMap hints;

public Q_SLOTS:
    uint Notify(const QString&, uint, const QString&, const QString& givenSummary,
                const QString& givenBody, const QStringList&, const QVariantMap& givenHints, int)
    {
        summary = givenSummary;
        body = givenBody;
        hints = givenHints;
        return 1;
    }
};

TEST(DesktopNotification, ReachesTheSessionsNotificationService)
{
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QProcess bus;
    bus.start(daemon, {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(bus.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    NotificationService service;
    {
        QDBusConnection connection = QDBusConnection::connectToBus(address, "service");
        ASSERT_TRUE(connection.registerService("org.freedesktop.Notifications"));
        ASSERT_TRUE(connection.registerObject("/org/freedesktop/Notifications", &service,
                                              QDBusConnection::ExportAllSlots));
    }
    EXPECT_TRUE(FreedesktopDesktop(address).notify(
        "The run has finished", "Photos converted: 3 · Photos not converted: 1"));
    EXPECT_TRUE(test::waitUntil([&] { return !service.summary.isEmpty(); }, 10000));
    EXPECT_EQ(service.summary, "The run has finished");
    EXPECT_EQ(service.body, "Photos converted: 3 · Photos not converted: 1");
    EXPECT_TRUE(service.hints.contains("desktop-entry"));
    EXPECT_FALSE(FreedesktopDesktop("unix:path=/nonexistent/bus").notify("a", "b"));
    QDBusConnection::disconnectFromBus("service");
    QDBusConnection::disconnectFromBus("framewright-notifications " + address);
    bus.kill();
    bus.waitForFinished();
}

} // namespace
} // namespace fw

#include "DesktopNotificationTest.moc"
