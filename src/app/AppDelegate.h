#pragma once

#include "batch/Batch.h"
#include "core/DialogQueue.h"
#include "core/LocalizedStrings.h"
#include "core/SharedFlags.h"

#include <QObject>

namespace fw {

class ImageService;

// The state every screen shares: the batch, the window flags, the conversion
// format of photos whose own format cannot be written, and the string table.
// It hands each screen the parts it uses. Lives on the main thread.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(const ImageService& images,
                         QStringList preferredLanguages = QLocale::system().uiLanguages(),
                         QObject* parent = nullptr);

    Batch& batch() { return photos; }
    // The design's name for the batch's list.
    const QList<PhotoFilePtr>& arraySelectedImagesToProcess() const
    {
        return photos.arraySelectedImagesToProcess();
    }
    SharedFlags& flags() { return sharedFlags; }
    DialogQueue& dialogs() { return dialogQueue; }
    LocalizedStrings& strings() { return localizedStrings; }
    const ImageService& imageService() const { return images; }

    // The output format of photos whose own format a run cannot write.
    QString rawConvertFormat = QStringLiteral("png");

    bool isProcessingInProgress() const { return sharedFlags.isProcessingInProgress; }
    QString getLocalizedStringForKey(const QString& key);

private:
    const ImageService& images;
    Batch photos;
    LocalizedStrings localizedStrings;
    SharedFlags sharedFlags;
    DialogQueue dialogQueue{sharedFlags};
};

} // namespace fw
