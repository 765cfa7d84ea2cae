#pragma once

#include "batch/PhotoFile.h"
#include "batch/PhotoInformation.h"

#include <QList>
#include <QObject>
#include <QThreadPool>
#include <functional>

namespace fw {

class Batch;
class Desktop;
class DialogQueue;
class LocalizedStrings;
class ImageService;

// What the user does to one photo of the list: the photo menu (show in
// folder, open, get info, remove) and the info button. Each acts on the
// photo itself, and only while it is still in the batch, so a late click on
// a row that has since moved names no other photo. Main thread only; header
// reads for the info pop-up run on a task of their own.
class PhotoActions : public QObject {
    Q_OBJECT
public:
    struct Removals {
        std::function<void(const PhotoFilePtr&)> removePhoto;
        std::function<void()> removeMissingPhotos;
    };
    // The sheet of a photo whose file has gone.
    struct NotAvailableSheet {
        bool isShown = false;
        QString title;
        QString message;
    };

    PhotoActions(const Batch& batch, const ImageService& images, DialogQueue& dialogs,
                 LocalizedStrings& strings,
                 Removals removals, QObject* parent = nullptr);
    ~PhotoActions() override;

    // The desktop's file manager and applications; without one, get info
    // falls back to the info pop-up and the other entries do nothing.
    void setDesktop(const Desktop* desktop) { this->desktop = desktop; }

    // The menu's entries by PhotoMenuOption.
    void btnOnMenuOptionTapped(const PhotoFilePtr& photo, int option);
    void btnReviealInFinderTapped(const PhotoFilePtr& photo);
    void btnShowPreviewTapped(const PhotoFilePtr& photo);
    void btnGetInfoTapped(const PhotoFilePtr& photo);
    void btnDeleteOnMenuOptionTapped(const PhotoFilePtr& photo);

    // A file on disk opens the info pop-up with what its header gives, even
    // when its pixels cannot be decoded; a file that has gone raises the
    // not-available sheet.
    void btnInfoTapped(const PhotoFilePtr& photo);
    const NotAvailableSheet& notAvailableSheet() const { return sheet; }
    void btnOkOnNotAvailableTapped();
    void btnRemoveFromBatchOnNotAvailableTapped();

Q_SIGNALS:
    void infoReady(const fw::PhotoFilePtr& photo, const QList<fw::PhotoInformation::Row>& rows);
    void notAvailableSheetChanged();

private:
    bool isInBatch(const PhotoFilePtr& photo) const;
    void readInformation(const PhotoFilePtr& photo);
    void photoNotAvailable();
    void closeSheet();

    const Batch& batch;
    const ImageService& images;
    DialogQueue& dialogs;
    LocalizedStrings& strings;
    const Removals removals;
    const Desktop* desktop = nullptr;
    NotAvailableSheet sheet;
    // Declared last, so its tasks end before the members they use go.
    QThreadPool headerReads;
};

} // namespace fw
