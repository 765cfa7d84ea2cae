#pragma once

#include <QString>

namespace fw {

// The desktop's file manager, default applications and notifications, as the
// photo menu and the end of a run use them. Each call returns at once: false when nothing on the desktop
// answered, so the caller can do without. The program hands in the real
// desktop; the engine's default is none.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Shows the file selected in the file manager, or at least its folder.
    virtual bool revealFile(const QString& path) const = 0;
    // Opens the file in the application the desktop uses for its type.
    virtual bool openFile(const QString& path) const = 0;
    // Shows the file manager's own properties window of the file.
    virtual bool showFileProperties(const QString& path) const = 0;
    // A notification in the desktop's notification area; false when no
    // notification service could be reached.
    virtual bool notify(const QString& summary, const QString& body) const = 0;
};

} // namespace fw
