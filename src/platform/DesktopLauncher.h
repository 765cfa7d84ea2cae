#pragma once

#include <QString>

namespace fw {

// Shows folders and files in the desktop's own applications through
// xdg-open, which every freedesktop desktop provides. Nothing here waits
// for the application to start.
class DesktopLauncher {
public:
    static bool openFolder(const QString& path);
};

} // namespace fw
