#pragma once

#include "platform/Desktop.h"

namespace fw {

// The desktop of a freedesktop session: the file manager through its
// org.freedesktop.FileManager1 D-Bus interface, applications through the
// desktop's default-application rules. Main thread only.
class FreedesktopDesktop : public Desktop {
public:
    bool revealFile(const QString& path) const override;
    bool openFile(const QString& path) const override;
    bool showFileProperties(const QString& path) const override;

private:
    static bool callFileManager(const char* method, const QString& path);
};

} // namespace fw
