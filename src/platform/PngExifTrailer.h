#pragma once

#include "platform/Outcome.h"

#include <QString>

namespace fw {

// libvips 8.14 writes a PNG's EXIF twice: in an eXIf chunk before the image
// data, as the format asks, and again in one after it, which the format does
// not allow (one eXIf chunk only). This removes the second one, which sits
// just before the closing IEND chunk (platform code only).
class PngExifTrailer {
public:
    PngExifTrailer() = delete;

    // Cuts a trailing eXIf chunk off a written PNG when the file holds an
    // earlier one; a file without the repeat is left as it is.
    static Outcome removeRepeatedExif(const QString& path);
};

} // namespace fw
