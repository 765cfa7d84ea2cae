#pragma once

#include "platform/Image.h"
#include "platform/Outcome.h"
#include "processing/OutputOptionSettings.h"

#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

class AtomicFileWriter;
class FreeSpaceRule;
class ImageService;
struct PhotoFile;

// The save step of one photo: a byte-for-byte copy of the source when nothing
// about it changes, otherwise an encode in the format of the output path's
// extension with the source's metadata and stored orientation. Either way the
// output appears under its final name only when it is complete, and the step
// says whether it wrote it and under which name.
// (isFomatchangesOldPath is the design's name, kept on purpose.)
class ImageSaver {
public:
    // What the output does to a file that is at its name when it is linked in
    // (the run's check was made before encoding; a file may appear since).
    enum class ExistingFile {
        // The run chose to overwrite.
        Replace,
        // The run keeps every existing file: the output takes the next free name.
        TakeFreeName,
        // Nothing is replaced; the caller decides what a taken name means.
        Keep,
    };

    struct Saved {
        Outcome outcome = Outcome::success();
        // The name the output was written under.
        QString path;
        // Keep only: a file appeared at the name, nothing was written.
        bool nameTaken = false;
        // Nothing was written: the output did not fit on the volume with
        // the margin the space rule keeps.
        bool outOfSpace = false;
    };

    // With a space rule, an output is given its name only when the volume
    // keeps its margin with the output on it.
    ImageSaver(const ImageService& images, const OutputOptionSettings& output, int rotationType,
               const FreeSpaceRule* spaceRule = nullptr);

    // The source's properties as read once for the photo: its metadata and
    // stored orientation travel with the output.
    Saved saveImageUsingDefaultMethodInDirectoryFilteredImg(
        const Image& filteredImage, const QString& outputPath, const PhotoFile& photo,
        const QVariantMap& sourceProperties, bool isChangeMade, ExistingFile existingFile) const;

    // Whether the output is encoded rather than copied: converted to a lossy
    // format, from a format the run does not write, changed in geometry, or
    // in another format than the source.
    bool needsEncoding(const PhotoFile& photo, const QString& outputPath, bool isChangeMade) const;

    // Whether the two paths' extensions differ, in lower case.
    static bool isFomatchangesOldPath(const QString& oldPath, const QString& newPath);

private:
    std::optional<int> qualityPercent(int formatIndex) const;
    QVariantMap encoderProperties(const QVariantMap& source, bool storedUpright) const;
    Outcome encode(const Image& filteredImage, const QString& path, int formatIndex,
                   const PhotoFile& photo, const QVariantMap& source) const;
    Saved commit(AtomicFileWriter& writer, const QString& outputPath,
                 ExistingFile existingFile) const;
    bool hasRoomLeft(const QString& folder) const;

    const ImageService& images;
    OutputOptionSettings output;
    int rotationType;
    const FreeSpaceRule* spaceRule;
};

} // namespace fw
