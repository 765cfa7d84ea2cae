#pragma once

#include "batch/PhotoFile.h"
#include "processing/OutputOptionSettings.h"
#include "processing/ResizingOptionsSettingObject.h"

#include <QSize>
#include <QString>

namespace fw {

class FileSystemProbe;

// What a run would do with each photo, found without decoding or writing
// anything: the output's path and size and the status the photo would end
// with by every check that needs no writing. A dry run shows it so a user can
// check a big job before starting it.
class RunPreview {
public:
    struct PhotoPreview {
        QSize uprightSize;
        QString outputPath;
        // Empty when no output would be written.
        QSize outputSize;
        int status = 0;
        // An output already there, and what the conflict mode does with it.
        enum class Existing { None, Kept, Replaced } existing = Existing::None;
    };

    RunPreview(const OutputOptionSettings& output, const ResizingOptionsSettingObject& geometry,
               QString rawConvertFormat, int processFlag, const FileSystemProbe& fileSystem);

    // ordinal: the photo's place among the run's photos, from 0.
    PhotoPreview previewOf(const PhotoFile& photo, int ordinal) const;

private:
    void checkWriting(const PhotoFile& photo, PhotoPreview& preview) const;
    bool canMakeFolder(const QString& folder) const;

    OutputOptionSettings output;
    ResizingOptionsSettingObject geometry;
    QString rawConvertFormat;
    int processFlag;
    const FileSystemProbe& fileSystem;
};

} // namespace fw
