#pragma once

#include "batch/BatchInformation.h"
#include "batch/PhotoFile.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <functional>

namespace fw {

class Batch;
class LocalizedStrings;
class NotificationCenter;
struct SharedFlags;

// The rules of the batch list: marking, removing (none deletes a file),
// dropping the photos whose files have gone, and what the list's buttons and
// information line show. Lives on the main thread; the search for missing
// files runs as a task of its own.
class BatchListRules : public QObject {
    Q_OBJECT
public:
    struct State {
        bool isRemoveEnabled = false;
        bool isRemoveAllEnabled = false;
        bool isMarkAllEnabled = false;
        bool isMarkAllTicked = false;
        QString markAllLabelText;
        // Empty while the batch is.
        BatchInformation batchInformation;
    };

    BatchListRules(Batch& batch, LocalizedStrings& strings, SharedFlags& flags,
                   NotificationCenter& notifications, QObject* parent = nullptr);
    ~BatchListRules() override;

    const State& state() const { return listState; }

    // A photo whose file has gone cannot be processed, so it cannot be marked
    // either; alert 103 offers to drop every such photo.
    void toggleMark(const PhotoFilePtr& photo);
    // Marks every photo, or unmarks them all when all are marked.
    void markUnmarkAll();
    void markAll();
    // Alert 113 to confirm, or 116 when nothing is marked.
    void askToRemoveMarked();
    void removeMarked();
    void removeAll();
    // Ignored for a photo no longer in the batch.
    void removePhoto(const PhotoFilePtr& photo);
    // Looks at every file on a task (slow on a network folder) and removes
    // the missing ones on the main thread; done() follows.
    void removeMissingPhotos(std::function<void()> done);

    void updateButtonsEnability();
    void updateBatchInformationInBottomView();
    // The footer shows the line only while the batch has photos; the main
    // screen decides, so the line is sent for an empty batch too.
    void addBottomInfoAboutBatch();

Q_SIGNALS:
    void changed();

private:
    void postAlert(int type);

    Batch& batch;
    LocalizedStrings& strings;
    SharedFlags& flags;
    NotificationCenter& notifications;
    State listState;
    std::atomic<bool> closing = false;
    // Declared last, so its task ends before the members it uses go.
    QThreadPool task;
};

} // namespace fw
