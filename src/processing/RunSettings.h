#pragma once

#include "processing/OutputOptionSettings.h"
#include "processing/ResizingOptionsSettingObject.h"

#include <QString>

namespace fw {

// Everything a run was started with: the output and geometry records and the
// format for photos whose own format cannot be written. Fixed for the run.
struct RunSettings {
    OutputOptionSettings output;
    ResizingOptionsSettingObject geometry;
    QString rawConvertFormat = QStringLiteral("png");

    bool operator==(const RunSettings&) const = default;
};

} // namespace fw
