#pragma once

#include <QString>
#include <optional>
#include <vips/vips8>

namespace fw {

// XV visual schnauzer thumbnails ("P7 332"): a text header, then one byte
// per pixel holding three bits of red, three of green and two of blue. No
// library here reads them. Platform code only.
class XvThumbnail {
public:
    struct Header {
        int width = 0;
        int height = 0;
        qint64 pixelOffset = 0;
    };

    static bool isXvThumbnail(const QByteArray& fileStart);
    static std::optional<Header> readHeader(const QString& path);
    static std::optional<vips::VImage> decode(const QString& path);
};

} // namespace fw
