#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace fw {

// A sheet that chooses one folder (new folders may be made in it); the
// answer comes through the callback, an empty path for Cancel.
struct FolderChooser {
    static void open(QWidget* window, const QString& prompt, const QString& startFolder,
                     std::function<void(const QString& chosenFolder)> ended);
};

} // namespace fw
