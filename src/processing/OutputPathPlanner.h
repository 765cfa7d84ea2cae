#pragma once

#include <QString>

namespace fw {

struct OutputOptionSettings;
struct PhotoFile;

// Where a photo's output goes and under which name: the destination folder
// (with the source folders rebuilt below it when asked), the naming option,
// and the format's extension.
class OutputPathPlanner {
public:
    OutputPathPlanner(const OutputOptionSettings& output, QString rawConvertFormat);

    QString updatedFilePathWithSetting(const PhotoFile& photo) const;

private:
    QString outputFolderFor(const PhotoFile& photo) const;
    QString outputNameFor(const PhotoFile& photo) const;
    QString outputExtensionFor(const PhotoFile& photo) const;

    const OutputOptionSettings& output;
    QString rawConvertFormat;
};

} // namespace fw
