#pragma once

#include "platform/Desktop.h"

#include <QString>

namespace fw {

// The desktop of a freedesktop session: the file manager through its
// org.freedesktop.FileManager1 D-Bus interface, notifications through
// org.freedesktop.Notifications, applications through the desktop's
// default-application rules. Main thread only.
class FreedesktopDesktop : public Desktop {
public:
    // Notifications go to the session bus, or to the bus at the address.
    explicit FreedesktopDesktop(QString notificationBusAddress = {});

    bool revealFile(const QString& path) const override;
    bool openFile(const QString& path) const override;
    bool showFileProperties(const QString& path) const override;
    bool notify(const QString& summary, const QString& body) const override;

private:
    static bool callFileManager(const char* method, const QString& path);

    QString notificationBusAddress;
};

} // namespace fw
