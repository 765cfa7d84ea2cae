#pragma once

#include <QByteArray>
#include <vips/vips8>

namespace fw {

// The metadata an output keeps, by the user's choice: everything, everything
// but the GPS position (in EXIF and XMP), or only the colour profile. What
// cannot be read cannot be vouched for, so a block that does not parse is
// dropped rather than passed on with a position in it.
class KeptMetadata {
public:
    enum Choice { All = 0, WithoutLocation = 1, PictureOnly = 2 };

    static vips::VImage applied(const vips::VImage& image, int choice);
    // An EXIF block (with or without its "Exif\0\0" identifier) without its
    // GPS directory; empty when it cannot be parsed.
    static QByteArray exifWithoutLocation(const QByteArray& exif);
    // An XMP packet without its exif:GPS properties; empty when it cannot be
    // parsed.
    static QByteArray xmpWithoutLocation(const QByteArray& xmp);
};

} // namespace fw
