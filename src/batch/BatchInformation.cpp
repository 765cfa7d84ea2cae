#include "batch/BatchInformation.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/Utils.h"

#include <QLocale>

namespace fw {

BatchInformation BatchInformation::forBatch(const QList<PhotoFilePtr>& batch,
                                            LocalizedStrings& strings)
{
    double totalBytes = 0;
    for (const PhotoFilePtr& photo : batch)
        totalBytes += photo->fileSizeInBytes;
    BatchInformation information;
    information.countText = QLocale().toString(batch.size());
    information.sizeText = Utils::unitStringFromBytes(totalBytes, 0) + ' ' +
                           strings.getLocalizedStringForKey(StringKey::APPROX);
    information.line = QStringLiteral("%1 %2  |  %3 %4  ")
                           .arg(strings.getLocalizedStringForKey(StringKey::BATCH_COUNT),
                                information.countText,
                                strings.getLocalizedStringForKey(StringKey::BATCH_SIZE),
                                information.sizeText);
    return information;
}

} // namespace fw
