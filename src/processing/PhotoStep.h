#pragma once

#include "processing/PhotoTask.h"
#include "processing/RunSettings.h"

#include <QVariantMap>
#include <optional>

class QSize;
class QSizeF;

namespace fw {

class FileSystemProbe;
class ImageService;
class Image;

// One photo from its source to its output: checks that need no pixels first,
// then the photo's header and metadata read once, its size decided once, and
// the output decoded straight at that size, turned, flipped and saved (or
// copied byte for byte when nothing about it changes). Takes values, gives a
// value; touches no shared state, so several run at once on the run's
// workers. Thread-safe.
class PhotoStep {
public:
    PhotoStep(const ImageService& images, const FileSystemProbe& fileSystem, RunSettings settings);

    PhotoOutcome run(const PhotoTask& task) const;
    // The result of a photo skipped because its output was in the way.
    static PhotoResult skipped(const QString& outputPath);

private:
    PhotoOutcome checked(const PhotoTask& task) const;
    PhotoOutcome written(const PhotoTask& task, const QVariantMap& properties,
                         const QSizeF& sourceSize, const std::optional<QSize>& target) const;
    Image transformedPicture(const PhotoFile& photo, const QVariantMap& properties,
                             const QSizeF& sourceSize, const std::optional<QSize>& target) const;

    const ImageService& images;
    const FileSystemProbe& fileSystem;
    const RunSettings settings;
};

} // namespace fw
