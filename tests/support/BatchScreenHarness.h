#pragma once

#include "app/AppDelegate.h"
#include "batch/AddPhotosVC.h"
#include "core/NotificationCenter.h"
#include "support/NotificationRecorder.h"
#include "support/RecordingModalMessages.h"
#include "support/TemporaryFolder.h"

#include <QStringList>
#include <memory>

namespace fw::test {

// A batch screen with its own notification centre, English texts, recorded
// modal messages and notifications, and a folder to make photos in.
class BatchScreenHarness {
public:
    explicit BatchScreenHarness(int photoLimit = Limits::defaultPhotoLimit);

    // The notifications of the batch screen, as the recorder lists them.
    static const QStringList& observedNames();

    // A JPEG of the size at the relative path (folders made as needed).
    QString jpeg(const QString& relativePath, int width = 32, int height = 24) const;
    QString png(const QString& relativePath, int width = 32, int height = 24) const;
    // A JPEG padded with trailing bytes to exactly the file size given.
    QString jpegOfFileSize(const QString& relativePath, qint64 bytes) const;

    // Drops the paths on the screen (sub-folders walked) and waits for the
    // operation to end; false when it did not end in time.
    [[nodiscard]] bool drop(const QStringList& paths);
    // Chooses the paths in the panel of the index and waits likewise.
    [[nodiscard]] bool choose(int panelIndex, const QStringList& paths);
    [[nodiscard]] bool waitForIdle();

    const QList<PhotoFilePtr>& batch() const { return app.arraySelectedImagesToProcess(); }
    // Paths of the batch relative to the folder, in batch order.
    QStringList batchPaths() const;
    QList<bool> marks() const;

    TemporaryFolder folder;
    AppDelegate app;
    NotificationCenter center;
    RecordingModalMessages messages;
    NotificationRecorder recorder;
    std::unique_ptr<AddPhotosVC> screen;
};

} // namespace fw::test
