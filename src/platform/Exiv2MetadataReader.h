#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

// Structured metadata of an image file through exiv2, without decoding pixels:
// the "{TIFF}", "{Exif}", "{GPS}" and "{IPTC}" dictionaries of the property
// dictionary. Files exiv2 does not know give empty dictionaries.
class Exiv2MetadataReader {
public:
    struct Dictionaries {
        QVariantMap tiff;
        QVariantMap exif;
        QVariantMap gps;
        QVariantMap iptc;
        std::optional<int> orientation;
    };

    // Called once per process before threads read metadata: exiv2's XMP
    // parser must be set up on one thread, and its messages go to our log.
    static void initialize();
    static Dictionaries read(const QString& path);
};

} // namespace fw
