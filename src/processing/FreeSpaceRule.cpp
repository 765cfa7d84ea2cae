#include "processing/FreeSpaceRule.h"

#include "platform/FileSystemProbe.h"

#include <algorithm>
#include <optional>

namespace fw {

qint64 FreeSpaceRule::marginFor(const QString& folder) const
{
    const std::optional<qint64> volume = fileSystem.volumeBytes(folder);
    if (!volume || *volume <= 0)
        return largestMargin;
    return std::min(largestMargin, *volume / 100 * marginPercentOfVolume);
}

bool FreeSpaceRule::hasRoomFor(const QString& folder, qint64 bytes) const
{
    const std::optional<qint64> available = fileSystem.bytesAvailable(folder);
    return !available || *available - bytes >= marginFor(folder);
}

} // namespace fw
