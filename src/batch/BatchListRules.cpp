#include "batch/BatchListRules.h"

#include "batch/Batch.h"
#include "core/Codes.h"
#include "core/LocalizedStrings.h"
#include "core/MainThreadCall.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/SharedFlags.h"
#include "core/StringKeys.h"
#include "platform/PathInfo.h"

#include <QCoreApplication>
#include <QSet>

namespace fw {

BatchListRules::BatchListRules(Batch& batch, LocalizedStrings& strings, SharedFlags& flags,
                               NotificationCenter& notifications, QObject* parent)
    : QObject(parent), batch(batch), strings(strings), flags(flags), notifications(notifications)
{
    task.setMaxThreadCount(1);
    updateButtonsEnability();
}

// The task may be waiting for the main thread; its call is run (as a no-op,
// the rules are closing) so that it can end.
BatchListRules::~BatchListRules()
{
    closing = true;
    task.clear();
    while (!task.waitForDone(10))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void BatchListRules::toggleMark(const PhotoFilePtr& photo)
{
    const qsizetype row = batch.indexOf(photo.get());
    if (row < 0)
        return;
    if (!PathInfo::of(photo->filePath).exists()) {
        postAlert(AlertTag::PhotoMissingAtSource);
        return;
    }
    batch.setMarked(row, !photo->isSelected);
    updateButtonsEnability();
}

void BatchListRules::markUnmarkAll()
{
    batch.setAllMarked(!batch.areAllMarked());
    updateButtonsEnability();
}

void BatchListRules::markAll()
{
    batch.setAllMarked(true);
    updateButtonsEnability();
}

void BatchListRules::askToRemoveMarked()
{
    if (!flags.isSubWindowOpened)
        postAlert(batch.isAnyMarked() ? AlertTag::RemoveMarkedPhotos
                                      : AlertTag::NoPhotosMarkedToRemove);
}

void BatchListRules::removeMarked()
{
    batch.removeWhere([](const PhotoFile& photo) { return photo.isSelected; });
}

void BatchListRules::removeAll()
{
    batch.clear();
}

void BatchListRules::removePhoto(const PhotoFilePtr& photo)
{
    batch.removeWhere([&photo](const PhotoFile& candidate) { return &candidate == photo.get(); });
}

// The batch is read and changed on the main thread, where photos may have come
// or gone while the files were looked at.
void BatchListRules::removeMissingPhotos(std::function<void()> done)
{
    const QList<PhotoFilePtr> photos = batch.arraySelectedImagesToProcess();
    task.start([this, photos, done = std::move(done)] {
        QSet<const PhotoFile*> missing;
        for (const PhotoFilePtr& photo : photos) {
            if (closing)
                return;
            if (!PathInfo::of(photo->filePath).exists())
                missing.insert(photo.get());
        }
        runOnThreadOf(this, [this, &missing, &done] {
            if (closing)
                return;
            batch.removeWhere(
                [&missing](const PhotoFile& photo) { return missing.contains(&photo); });
            done();
        });
    });
}

void BatchListRules::updateButtonsEnability()
{
    const bool hasPhotos = !batch.isEmpty();
    const bool allMarked = batch.areAllMarked();
    listState.isRemoveEnabled = hasPhotos;
    listState.isRemoveAllEnabled = hasPhotos;
    listState.isMarkAllEnabled = hasPhotos;
    listState.isMarkAllTicked = allMarked;
    listState.markAllLabelText = strings.getLocalizedStringForKey(
        allMarked ? StringKey::UNSELECT_ALL : StringKey::SELECT_ALL);
    Q_EMIT changed();
}

void BatchListRules::updateBatchInformationInBottomView()
{
    listState.batchInformation =
        batch.isEmpty() ? BatchInformation{}
                        : BatchInformation::forBatch(batch.arraySelectedImagesToProcess(), strings);
    Q_EMIT changed();
}

void BatchListRules::addBottomInfoAboutBatch()
{
    const BatchInformation information =
        BatchInformation::forBatch(batch.arraySelectedImagesToProcess(), strings);
    notifications.post(NotificationName::notificationUpdateFooterInfo,
                       {{"textStr", information.line},
                        {"countText", information.countText},
                        {"sizeText", information.sizeText}});
}

void BatchListRules::postAlert(int type)
{
    notifications.post(NotificationName::notificationShowAlertWithType, {{"type", type}});
}

} // namespace fw
