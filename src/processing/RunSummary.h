#pragma once

#include "batch/PhotoFile.h"
#include "log/RunLog.h"

#include <QList>
#include <QString>

namespace fw {

// The figures a finished run shows: how many photos, how many written, the
// sizes before and after, the space saved and the time taken.
struct RunSummary {
    QString lblImagesSelected;
    QString lblImagesConverted;
    QString lblConversionFailed;
    // Photos the user chose to skip: not written, and not failures either.
    QString lblImagesSkipped;
    // Empty and hidden unless the outputs are smaller than their sources.
    QString lblspaceSave;
    bool isSpaceSaveShown = false;
    QString lblOldsize;
    QString lblNewsize;
    QString lblTotalOldsize;
    QString lblTimeElapsed;
    // Which metadata the outputs kept, in words.
    QString lblMetadata;

    // The summary as the run history keeps it, keyed "timeStamp",
    // "imagesSelected", "imagesConverted", "conversionFailed",
    // "imagesSkipped", "oldSize", "newSize", "saveSpace", "timeElapsed",
    // "totalOldSize", "metadata" and "startedAt" (ISO 8601, for a readable
    // title).
    LogRecord logSummary(const QString& timeStamp, const QDateTime& started) const;

    // Every photo that did not end with an output and was not skipped by
    // the user's answer counts as failed, never reached ones included.
    static RunSummary make(const QList<PhotoFilePtr>& photos, int processedSuccessfully,
                           int skipped, const QString& elapsedText);
};

} // namespace fw
