#pragma once

#include "platform/Image.h"
#include "platform/Outcome.h"
#include "processing/OutputOptionSettings.h"

#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

class ImageService;
struct PhotoFile;

// The save step of one photo: a byte-for-byte copy of the source when nothing
// about it changes, otherwise an encode in the format of the output path's
// extension with the source's metadata and stored orientation. Either way the
// output appears under its final name only when it is complete, and the step
// says whether it wrote it.
class ImageSaver {
public:
    ImageSaver(const ImageService& images, const OutputOptionSettings& output, int rotationType);

    Outcome saveImageUsingDefaultMethodInDirectoryFilteredImg(const Image& filteredImage,
                                                              const QString& outputPath,
                                                              const PhotoFile& photo,
                                                              bool isChangeMade) const;

    // Whether the two paths' extensions differ, in lower case.
    static bool isFomatchangesOldPath(const QString& oldPath, const QString& newPath);

private:
    bool needsEncoding(const PhotoFile& photo, const QString& outputPath, bool isChangeMade) const;
    std::optional<double> qualityFactor(int formatIndex) const;
    QVariantMap encoderProperties(const QVariantMap& source) const;
    Outcome copySource(const PhotoFile& photo, const QString& outputPath) const;
    Outcome encode(const Image& filteredImage, const QString& outputPath,
                   const PhotoFile& photo) const;

    const ImageService& images;
    OutputOptionSettings output;
    int rotationType;
};

} // namespace fw
