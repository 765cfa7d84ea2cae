#pragma once

#include "platform/Outcome.h"

#include <QByteArray>
#include <QString>

namespace fw {

// libvips 8.14 writes JPEG XL as a bare codestream, which has no room for
// EXIF or XMP. This puts a written codestream into the JPEG XL container
// (ISO/IEC 18181-2) with "Exif" and "xml " boxes beside it, where readers
// such as exiv2 find them. The pixels are not touched.
class JxlContainer {
public:
    // exifBlob as libvips holds it (with or without the "Exif\0\0" start);
    // either may be empty. A file that is a container already is left as it is.
    static Outcome addMetadata(const QString& path, const QByteArray& exifBlob,
                               const QByteArray& xmp);
    static QByteArray wrapped(const QByteArray& codestream, const QByteArray& exifBlob,
                              const QByteArray& xmp);
    static bool isBareCodestream(const QByteArray& bytes);
};

} // namespace fw
