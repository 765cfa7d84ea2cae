#include "platform/FreedesktopDesktop.h"

#include "platform/DesktopLauncher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>
#include <QVariantMap>

namespace fw {

namespace {

// A file manager that is running answers at once; one that D-Bus must start
// first may take a moment, but not the window's whole attention.
constexpr int fileManagerTimeoutMilliseconds = 1500;

// The notification stays as long as the desktop keeps its notifications.
constexpr int desktopChosenTimeout = -1;

} // namespace

FreedesktopDesktop::FreedesktopDesktop(QString notificationBusAddress)
    : notificationBusAddress(std::move(notificationBusAddress))
{
}

bool FreedesktopDesktop::revealFile(const QString& path) const
{
    return callFileManager("ShowItems", path) ||
           DesktopLauncher::openFolder(QFileInfo(path).absolutePath());
}

bool FreedesktopDesktop::openFile(const QString& path) const
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool FreedesktopDesktop::showFileProperties(const QString& path) const
{
    return callFileManager("ShowItemProperties", path);
}

// Sent without waiting for the answer: a notification service that is slow
// to start must not hold the window.
bool FreedesktopDesktop::notify(const QString& summary, const QString& body) const
{
    QDBusConnection bus =
        notificationBusAddress.isEmpty()
            ? QDBusConnection::sessionBus()
            : QDBusConnection::connectToBus(notificationBusAddress,
                                            "framewright-notifications " + notificationBusAddress);
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                                       "/org/freedesktop/Notifications",
                                                       "org.freedesktop.Notifications", "Notify");
    const QString entry = QGuiApplication::desktopFileName();
    call << QGuiApplication::applicationDisplayName() << 0U << entry << summary << body
         << QStringList() << QVariantMap{{"desktop-entry", entry}} << desktopChosenTimeout;
    return bus.send(call);
}

bool FreedesktopDesktop::callFileManager(const char* method, const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
        "org.freedesktop.FileManager1", QString::fromLatin1(method));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, fileManagerTimeoutMilliseconds);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace fw
