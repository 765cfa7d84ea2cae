#pragma once

#include <QString>
#include <optional>

namespace vips {
class VImage;
}

namespace fw {

// JPEG 2000 files whose image area does not start at the grid origin. libvips
// 8.14 sizes its tile buffers from the tile grid but openjpeg hands back tiles
// clipped to the image area, so such a file makes libvips read past the end of
// a buffer and crash. These files are decoded here with openjpeg directly.
class Jpeg2000Codestream {
public:
    struct Header {
        int width = 0;
        int height = 0;
        int components = 0;
        int bitDepth = 0;
        bool hasImageOffset = false;
    };

    // Reads the image and tile size marker without decoding; none for a file
    // that is not JPEG 2000 or whose header is cut short.
    static std::optional<Header> readHeader(const QString& path);
    static std::optional<vips::VImage> decode(const QString& path);
};

} // namespace fw
