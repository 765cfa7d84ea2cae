#pragma once

#include "batch/PhotoFile.h"
#include "processing/PhotoResult.h"

#include <QString>

namespace fw {

// Those who show a run (the window's processing screen, the command line)
// hear of it through this, always on the main thread: photos as they start,
// their results in batch order, the questions the run waits on, and its end.
class RunObserver {
public:
    virtual ~RunObserver() = default;

    virtual void photoStarted(const PhotoFilePtr& photo) = 0;
    // The photo's record already holds the result.
    virtual void photoDone(const PhotoFilePtr& photo, const PhotoResult& result) = 0;
    // The run holds until the question is answered.
    virtual void existingOutputQuestion(const PhotoFilePtr& photo, const QString& outputPath) = 0;
    virtual void destinationFull() = 0;
    // Hold, resume or stop changed what the run is doing.
    virtual void runStateChanged() = 0;
    // The summary and the log are made.
    virtual void runEnded() = 0;
};

} // namespace fw
