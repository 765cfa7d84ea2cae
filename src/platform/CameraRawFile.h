#pragma once

#include <QString>
#include <optional>

namespace vips {
class VImage;
}

namespace fw {

// Camera raw files through LibRaw. The picture comes out as the sensor stored
// it (no turn applied); the orientation travels as an EXIF value like any other
// photo's. When the raw data cannot be decoded, the embedded preview is used.
class CameraRawFile {
public:
    struct Header {
        int width = 0;
        int height = 0;
        // EXIF orientation 1..8 of the stored picture.
        int orientation = 1;
    };

    static std::optional<Header> readHeader(const QString& path);
    // halfSize decodes at half resolution, which is much faster and enough
    // whenever the output is at most half as large.
    static std::optional<vips::VImage> decode(const QString& path, bool halfSize);

private:
    static std::optional<Header> readHeaderHere(const QString& path);
};

} // namespace fw
