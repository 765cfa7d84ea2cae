#pragma once

#include "processing/ResizingOptionsSettingObject.h"

#include <QString>

namespace fw {

struct OutputOptionSettings;
struct PhotoFile;

// Where a photo's output goes and under which name: the destination folder
// (with the source folders rebuilt below it when asked), the naming option,
// and the format's extension. A name template also needs the run's geometry
// (for the output's size) and the photo's place in the run (for its number).
class OutputPathPlanner {
public:
    OutputPathPlanner(const OutputOptionSettings& output, QString rawConvertFormat,
                      ResizingOptionsSettingObject geometry = {});

    // ordinal: the photo's place among the run's photos, from 0.
    QString updatedFilePathWithSetting(const PhotoFile& photo, int ordinal = 0) const;

private:
    QString outputFolderFor(const PhotoFile& photo) const;
    QString outputNameFor(const PhotoFile& photo, int ordinal) const;
    QString templateNameFor(const PhotoFile& photo, int ordinal) const;
    QString outputExtensionFor(const PhotoFile& photo) const;

    const OutputOptionSettings& output;
    QString rawConvertFormat;
    ResizingOptionsSettingObject geometry;
};

} // namespace fw
