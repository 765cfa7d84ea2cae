#pragma once

#include "platform/Outcome.h"

#include <QByteArray>
#include <QString>

namespace fw {

// libvips writes no EXIF into TIFF files; this adds the source's camera, photo
// and GPS data to a TIFF written by libvips, keeping the file's own structure,
// orientation and resolution tags.
class Exiv2ExifWriter {
public:
    static Outcome addExif(const QByteArray& exifBlob, const QString& tiffPath);
};

} // namespace fw
