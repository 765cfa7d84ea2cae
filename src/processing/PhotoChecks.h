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

    // 10 when the source is locked, 11 when the output folder cannot be
    // written, 12 when it does not exist; none when all is well.
    std::optional<int> permissionStatus(const PhotoFile& photo, const QString& outputFolder) const;
    // Linux file systems limit a name to 255 bytes, whatever the characters.
    static bool isNameTooLong(const QString& outputPath);
    // Whether the folder, by its real path, lies in the destination: a link
    // planted in the destination tree must not carry outputs elsewhere.
    // Judged by the deepest part of the folder that exists already.
    static bool staysInside(const QString& folder, const QString& destination);

private:
    const FileSystemProbe& fileSystem;
};

} // namespace fw
