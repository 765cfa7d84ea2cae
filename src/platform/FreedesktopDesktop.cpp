#include "platform/FreedesktopDesktop.h"

#include "platform/DesktopLauncher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace fw {

namespace {

// A file manager that is running answers at once; one that D-Bus must start
// first may take a moment, but not the window's whole attention.
constexpr int fileManagerTimeoutMilliseconds = 1500;

} // namespace

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
