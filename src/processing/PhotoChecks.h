#pragma once

#include <QString>
#include <optional>

namespace fw {

class FileSystemProbe;
struct PhotoFile;

// The checks of one photo that need no pixels, shared by the run and the dry
// run so both give a photo the same status.
class PhotoChecks {
public:
    explicit PhotoChecks(const FileSystemProbe& fileSystem) : fileSystem(fileSystem) {}

    // 10 when the source cannot be written or is locked (the source is only
    // read, but that is the rule), 11 when the output folder cannot be
    // written, 12 when it does not exist; none when all is well.
    std::optional<int> permissionStatus(const PhotoFile& photo, const QString& outputFolder) const;
    // Linux file systems limit a name to 255 bytes, whatever the characters.
    static bool isNameTooLong(const QString& outputPath);

private:
    const FileSystemProbe& fileSystem;
};

} // namespace fw
