#pragma once

#include <QByteArray>

namespace fw {

// An EXIF block as libvips and JPEG's APP1 segment carry it: the identifier
// "Exif\0\0", then the TIFF structure that EXIF parsers and other containers
// take (platform code only).
class ExifBlock {
public:
    ExifBlock() = delete;

    // The TIFF structure, whether or not the block starts with the identifier.
    static QByteArray tiffStructureOf(const QByteArray& block);
    static QByteArray fromTiffStructure(const QByteArray& structure);
};

} // namespace fw
