#pragma once

#include <QStringList>

class QWidget;

namespace fw {

class AddPhotosVC;
class LocalizedStrings;

// The open panels of the batch screen, one for each way of adding: photos,
// a folder, a folder through the file-type filter, and photo libraries. Each
// is a sheet on the window and hands its choice to the screen when it ends.
class AddPanels {
public:
    AddPanels(AddPhotosVC& screen, LocalizedStrings& strings, QStringList imageExtensions);

    // Opens the panel of the index (AddPanel codes) on the window.
    void open(int index, QWidget* window) const;

private:
    AddPhotosVC& screen;
    LocalizedStrings& strings;
    const QStringList imageExtensions;
};

} // namespace fw
