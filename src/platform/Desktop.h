#pragma once

#include <QString>

namespace fw {

// The desktop's file manager and default applications, as the photo menu
// uses them. Each call returns at once: false when nothing on the desktop
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
};

} // namespace fw
