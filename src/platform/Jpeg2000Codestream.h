#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vips {
class VImage;
}

namespace fw {

// JPEG 2000 through openjpeg directly. libvips 8.14's loader sizes its tile
// buffers from the tile grid, but openjpeg hands back tiles clipped to the
// image area and palette images expanded to three components, so a file whose
// image starts off the grid origin, or one with a palette, makes libvips read
// and write past the end of its buffers and crash. Every JPEG 2000 file is
// therefore decoded here.
class Jpeg2000Codestream {
public:
    struct Header {
        int width = 0;
        int height = 0;
        int components = 0;
        int bitDepth = 0;
    };

    static bool isJpeg2000(const QByteArray& fileStart);
    // Reads the image and tile size marker without decoding; none for a file
    // that is not JPEG 2000 or whose header is cut short.
    static std::optional<Header> readHeader(const QString& path);
    static std::optional<vips::VImage> decode(const QString& path);
};

} // namespace fw
