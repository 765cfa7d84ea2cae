#include "batch/BatchInformation.h"

#include "core/Utils.h"

namespace fw {

BatchInformation BatchInformation::forBatch(const QList<PhotoFilePtr>& batch)
{
    double totalBytes = 0;
    for (const PhotoFilePtr& photo : batch)
        totalBytes += photo->fileSizeInBytes;
    BatchInformation information;
    information.countText = QString::number(batch.size());
    information.sizeText = Utils::unitStringFromBytes(totalBytes, 0) + " approx.";
    information.line = QStringLiteral("Batch Count: %1  |  Batch Size: %2  ")
                           .arg(information.countText, information.sizeText);
    return information;
}

} // namespace fw
