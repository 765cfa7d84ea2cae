#pragma once

#include "app/LocalizedStrings.h"
#include "batch/PhotoFile.h"

#include <QList>
#include <QObject>
#include <atomic>

namespace fw {

class ImageService;

// The state every screen shares: the batch, the window flags, the conversion
// format of photos whose own format cannot be written, and the string table.
// Lives on the main thread; only the batch screen changes the batch, and only
// on the main thread.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(const ImageService& images,
                         QStringList preferredLanguages = QLocale::system().uiLanguages(),
                         QObject* parent = nullptr);

    // The batch, in order of admission.
    QList<PhotoFilePtr> arraySelectedImagesToProcess;
    // A sheet, panel or pop-up is open: alerts wait.
    bool isSubWindowOpened = false;
    // The output format of photos whose own format a run cannot write.
    QString rawConvertFormat = QStringLiteral("png");

    bool isProcessingInProgress() const { return processingInProgress; }
    void setIsProcessingInProgress(bool inProgress) { processingInProgress = inProgress; }

    QString getLocalizedStringForKey(const QString& key);
    const ImageService& imageService() const { return images; }

private:
    const ImageService& images;
    LocalizedStrings strings;
    // Read by the CLI's and window's close handlers while a worker runs.
    std::atomic<bool> processingInProgress = false;
};

} // namespace fw
