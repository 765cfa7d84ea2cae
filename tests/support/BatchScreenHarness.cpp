#include "support/BatchScreenHarness.h"

#include "platform/VipsImageService.h"
#include "support/EventWaiting.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fw::test {

BatchScreenHarness::BatchScreenHarness(int photoLimit)
    : app(VipsImageService::shared(), {"en"}), recorder(center, observedNames()),
      screen(std::make_unique<AddPhotosVC>(app.batch(), app.strings(), app.flags(), app.dialogs(),
                                           app.imageService(), center, messages, photoLimit))
{
}

const QStringList& BatchScreenHarness::observedNames()
{
    static const QStringList names = {
        "notificationsDisbleCross",    "notificationsDisbleView",
        "notificationsHideLoading",    "notificationsEnableCross",
        "notificationsEnable",         "notificationUpdateFooterInfo",
        "notificationsPhotosModified", "notificationShowAlertWithType"};
    return names;
}

QString BatchScreenHarness::jpeg(const QString& relativePath, int width, int height) const
{
    const QString path = folder.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    saveJpeg(markedPicture(width, height), path);
    return path;
}

QString BatchScreenHarness::png(const QString& relativePath, int width, int height) const
{
    const QString path = folder.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    markedPicture(width, height).pngsave(QFile::encodeName(path).constData());
    return path;
}

QString BatchScreenHarness::jpegOfFileSize(const QString& relativePath, qint64 bytes) const
{
    const QString path = jpeg(relativePath);
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.resize(bytes);
    return path;
}

bool BatchScreenHarness::drop(const QStringList& paths)
{
    center.post("FileDragDropNotification", {{"paths", paths}});
    return waitForIdle();
}

bool BatchScreenHarness::choose(int panelIndex, const QStringList& paths)
{
    if (panelIndex == 3)
        screen->btnAddIphotosTapped();
    else
        screen->btnAddPhotosTappedWithIndex(panelIndex);
    screen->panelEnded(paths);
    return waitForIdle();
}

bool BatchScreenHarness::waitForIdle()
{
    return waitUntil([this] { return !screen->isAdding(); });
}

QStringList BatchScreenHarness::batchPaths() const
{
    QStringList paths;
    for (const PhotoFilePtr& photo : batch())
        paths.append(QDir(folder.path()).relativeFilePath(photo->filePath));
    return paths;
}

QList<bool> BatchScreenHarness::marks() const
{
    QList<bool> result;
    for (const PhotoFilePtr& photo : batch())
        result.append(photo->isSelected);
    return result;
}

} // namespace fw::test
