#pragma once

#include "platform/DecoderChoice.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vips/vips8>

namespace fw {

// Opens image files through the right decoder (platform code only). Most formats go to libvips;
// camera raw files to LibRaw, EPS to Ghostscript, PICT and PNM files with
// several comment lines to ImageMagick (libvips 8.14 misreads the latter), and
// JPEG 2000 to openjpeg (libvips 8.14's loader crashes on some files); XV
// thumbnails are read here.
class ImageFileReader {
public:
    using Decoder = DecoderChoice::Decoder;

    // What the file says about its first image, read without decoding pixels.
    struct StoredHeader {
        int width = 0;
        int height = 0;
        int bands = 0;
        int bitDepth = 8;
        // "RGB", "Gray", "CMYK" or "Lab".
        QString colorModel;
        bool hasAlpha = false;
        // Pixels per inch; 0 when the file does not say.
        double dpiWidth = 0;
        double dpiHeight = 0;
        // EXIF orientation when the decoder knows one, else 0.
        int orientation = 0;
        QByteArray iccProfile;
        // Which decoder reads the file, chosen once from its first bytes and
        // name, and for libvips which of its loaders (empty: let it sniff).
        Decoder decoder = Decoder::Vips;
        QByteArray vipsLoader;
        // The libvips loader that read the header ("jpegload", ...).
        QByteArray loaderUsed;
        // The first bytes of the file (JFIF and other signatures live there).
        QByteArray fileStart;
        bool isJpeg = false;
        // The sample value of full intensity of a portable anymap; 0 for
        // other formats.
        int anymapMaximum = 0;
        // A JPEG without its end marker (see EndMarkedJpegSource).
        bool endMarkerMissing = false;
        // The decoder's EXIF and IPTC blocks, and whether they hold all the
        // metadata the file has (JPEG, PNG, WebP and HEIF decoders hand it
        // all over; for other formats the file itself must be read).
        QByteArray exifData;
        QByteArray iptcData;
        bool metadataComplete = false;
        // The decoder reads the picture top to bottom in bands, so it may be
        // far larger than one that is decoded whole (see PixelBudget).
        bool streamed = false;
    };

    // The header, or none with a diagnostic line. A file whose claimed size
    // exceeds the pixel budget gives none, before any decoder has run.
    static std::optional<StoredHeader> readHeader(const QString& path);
    // Why the file gives no header ("permission denied", "the photo is too
    // large to read: W x H", ...); empty when it gives one.
    static QString explainUnreadable(const QString& path);

    // The first image as stored. A reduction of 2 or more allows the decoder to
    // shrink on load by up to that factor (JPEG by 2, 4 or 8; raw by 2); below
    // 1 it asks vector formats for more pixels. Pixels are decoded lazily where
    // the decoder allows; the image then reads top to bottom (sequential).
    struct Decoded {
        vips::VImage image;
        bool sequential = false;
    };
    static std::optional<Decoded> decode(const QString& path, const StoredHeader& header,
                                         double reduction);

private:
    struct HeaderRead {
        std::optional<StoredHeader> header;
        QString failure;
    };
    static HeaderRead readHeaderExplained(const QString& path);
};

} // namespace fw
