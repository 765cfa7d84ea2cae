#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace Exiv2 {
class Exifdatum;
}

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
    // From the blobs a decoder already holds: an EXIF block (with or without
    // its "Exif\0\0" identifier) and a Photoshop block carrying IPTC data.
    // Reading them spares a second pass over a large file.
    static Dictionaries readBlobs(const QByteArray& exif, const QByteArray& iptc);
    // The file's EXIF data as an APP1-style block ("Exif\0\0" and a TIFF
    // structure), for formats whose decoder does not hand it over; empty when
    // the file has none.
    static QByteArray exifBlobOf(const QString& path);
    // Whether an EXIF entry describes the photo (camera, capture, position,
    // orientation, resolution) rather than how one file stores its pixels,
    // and so may travel to another file.
    static bool isPortable(const Exiv2::Exifdatum& datum);
};

} // namespace fw
