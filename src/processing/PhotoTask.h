#pragma once

#include "batch/PhotoFile.h"
#include "processing/ImageSaver.h"
#include "processing/PhotoResult.h"

#include <QString>

namespace fw {

// One photo of a run as handed to a worker: values only, decided on the main
// thread in batch order (the output's name among them), so the worker needs
// nothing shared.
struct PhotoTask {
    int index = 0;
    // The record as it was when the photo started.
    PhotoFile photo;
    QString outputPath;
    ImageSaver::ExistingFile existingFile = ImageSaver::ExistingFile::Replace;
    // A run that skips every output in its way skips one that appears while
    // the photo is written, rather than asking.
    bool skipsTakenName = false;
};

// What a worker made of a photo.
struct PhotoOutcome {
    enum class Next {
        // The photo is done; the result says how.
        Done,
        // A file appeared at the output's name while it was written: the
        // user is asked about it.
        AskAboutExisting,
        // The destination volume cannot take the photo's output.
        StopForSpace,
    };
    Next next = Next::Done;
    PhotoResult result;
};

} // namespace fw
