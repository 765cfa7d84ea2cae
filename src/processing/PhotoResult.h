#pragma once

#include "core/Codes.h"

#include <QString>

namespace fw {

// What one photo's step decided. The worker builds it; the main thread
// applies it to the photo record, so the worker never writes a record that
// the screens read.
struct PhotoResult {
    int status = PhotoStatus::NotProcessed;
    // ProgressStatus, or the photo's own status for the permission outcomes.
    int progressStatus = ProgressStatus::Failure;
    // The output path as planned or, once written, as written.
    QString outputPath;
    double outputBytes = 0;
    // The string-table key of the report's message.
    QString messageKey;
};

} // namespace fw
