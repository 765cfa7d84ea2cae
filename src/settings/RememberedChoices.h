#pragma once

#include "processing/RunSettings.h"

#include <optional>

class QSettings;

namespace fw {

// The choices of the last run started from the window (format, quality,
// metadata, name, folder, size, rotation and flip), kept in the settings
// store under "LAST_RUN_CHOICES" so that the next launch starts from them.
// Stored data that cannot be read gives nothing, never a half record.
class RememberedChoices {
public:
    static constexpr const char* storeKey = "LAST_RUN_CHOICES";

    static void remember(QSettings& store, const RunSettings& settings);
    static std::optional<RunSettings> recall(const QSettings& store);
    static void forget(QSettings& store);
};

} // namespace fw
