#include "processing/RunSummary.h"

#include "core/Codes.h"
#include "core/Utils.h"

namespace fw {

namespace {

QString sizeOrDash(double bytes)
{
    return bytes > 0 ? Utils::unitStringFromBytes(bytes, 0) : QStringLiteral("-");
}

} // namespace

RunSummary RunSummary::make(const QList<PhotoFilePtr>& photos, int processedSuccessfully,
                            int skipped, const QString& elapsedText)
{
    double total = 0;
    double oldSize = 0;
    double newSize = 0;
    for (const PhotoFilePtr& photo : photos) {
        total += photo->fileSizeInBytes;
        if (photo->processStatus == PhotoStatus::Processed) {
            oldSize += photo->fileSizeInBytes;
            newSize += photo->newfileSizeInBytes;
        }
    }
    RunSummary summary;
    const qsizetype count = photos.size();
    summary.lblImagesSelected = QString::number(count);
    summary.lblImagesConverted = QString::number(processedSuccessfully);
    summary.lblConversionFailed = QString::number(count - processedSuccessfully - skipped);
    summary.lblImagesSkipped = QString::number(skipped);
    summary.isSpaceSaveShown = newSize > 0 && oldSize - newSize > 0;
    if (summary.isSpaceSaveShown)
        summary.lblspaceSave = Utils::unitStringFromBytes(oldSize - newSize, 0);
    summary.lblOldsize = sizeOrDash(oldSize);
    summary.lblNewsize = sizeOrDash(newSize);
    summary.lblTotalOldsize = Utils::unitStringFromBytes(total, 0);
    summary.lblTimeElapsed = elapsedText;
    return summary;
}

LogRecord RunSummary::logSummary(const QString& timeStamp, const QDateTime& started) const
{
    return {{"timeStamp", timeStamp},
            {"startedAt", started.toString(Qt::ISODateWithMs)},
            {"imagesSelected", lblImagesSelected},
            {"imagesConverted", lblImagesConverted},
            {"conversionFailed", lblConversionFailed},
            {"imagesSkipped", lblImagesSkipped},
            {"oldSize", lblOldsize},
            {"newSize", lblNewsize},
            {"saveSpace", isSpaceSaveShown ? lblspaceSave : QString()},
            {"timeElapsed", lblTimeElapsed},
            {"totalOldSize", lblTotalOldsize},
            {"metadata", lblMetadata}};
}

} // namespace fw
