#include "batch/PhotoActions.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

#include "batch/Batch.h"
#include "core/Codes.h"
#include "core/DialogQueue.h"
#include "platform/Desktop.h"
#include "platform/PathInfo.h"

#include <QMetaObject>

namespace fw {

PhotoActions::PhotoActions(const Batch& batch, const ImageService& images, DialogQueue& dialogs,
                           LocalizedStrings& strings, Removals removals, QObject* parent)
    : QObject(parent), batch(batch), images(images), dialogs(dialogs), strings(strings),
      removals(std::move(removals))
{
    headerReads.setMaxThreadCount(1);
}

PhotoActions::~PhotoActions()
{
    headerReads.clear();
    headerReads.waitForDone();
}

bool PhotoActions::isInBatch(const PhotoFilePtr& photo) const
{
    return photo && batch.indexOf(photo.get()) >= 0;
}

void PhotoActions::btnOnMenuOptionTapped(const PhotoFilePtr& photo, int option)
{
    switch (option) {
    case PhotoMenuOption::RevealInFolder:
        btnReviealInFinderTapped(photo);
        break;
    case PhotoMenuOption::OpenWithDefault:
        btnShowPreviewTapped(photo);
        break;
    case PhotoMenuOption::GetInfo:
        btnGetInfoTapped(photo);
        break;
    case PhotoMenuOption::Remove:
        btnDeleteOnMenuOptionTapped(photo);
        break;
    default:
        break;
    }
}

void PhotoActions::btnReviealInFinderTapped(const PhotoFilePtr& photo)
{
    if (isInBatch(photo) && desktop)
        desktop->revealFile(photo->filePath);
}

void PhotoActions::btnShowPreviewTapped(const PhotoFilePtr& photo)
{
    if (isInBatch(photo) && desktop)
        desktop->openFile(photo->filePath);
}

void PhotoActions::btnGetInfoTapped(const PhotoFilePtr& photo)
{
    if (!isInBatch(photo))
        return;
    if (!desktop || !desktop->showFileProperties(photo->filePath))
        btnInfoTapped(photo);
}

void PhotoActions::btnDeleteOnMenuOptionTapped(const PhotoFilePtr& photo)
{
    if (isInBatch(photo))
        removals.removePhoto(photo);
}

void PhotoActions::btnInfoTapped(const PhotoFilePtr& photo)
{
    if (!isInBatch(photo))
        return;
    if (PathInfo::of(photo->filePath).exists())
        readInformation(photo);
    else
        photoNotAvailable();
}

// A header read is quick on a local disk and slow on a network folder; the
// window does not wait for it either way.
void PhotoActions::readInformation(const PhotoFilePtr& photo)
{
    const PhotoFile record = *photo;
    headerReads.start([this, photo, record] {
        const QList<PhotoInformation::Row> rows = PhotoInformation::read(record, images);
        // Queued to this object, so a call still on its way when the screen
        // goes is dropped with it.
        QMetaObject::invokeMethod(
            this,
            [this, photo, rows] {
                if (isInBatch(photo))
                    Q_EMIT infoReady(photo, rows);
            },
            Qt::QueuedConnection);
    });
}

void PhotoActions::photoNotAvailable()
{
    dialogs.request([this] {
        sheet = {true, strings.getLocalizedStringForKey(StringKey::PHOTO_NOT_AVAILABLE),
                 strings.getLocalizedStringForKey(StringKey::PHOTO_NOT_AVAILABLE_MSG)};
        Q_EMIT notAvailableSheetChanged();
        return true;
    });
}

void PhotoActions::closeSheet()
{
    if (!sheet.isShown)
        return;
    sheet.isShown = false;
    Q_EMIT notAvailableSheetChanged();
    dialogs.closed();
}

void PhotoActions::btnOkOnNotAvailableTapped()
{
    closeSheet();
}

void PhotoActions::btnRemoveFromBatchOnNotAvailableTapped()
{
    closeSheet();
    removals.removeMissingPhotos();
}

} // namespace fw
