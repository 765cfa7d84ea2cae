#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>

namespace fw {

// Which decoder reads a file, chosen from its first bytes, with the name only
// where the bytes cannot tell: camera raw files (many are TIFF inside) go to
// the raw decoder first and to the one their bytes choose when it refuses
// them, PICT files have no signature, and PostScript is run only from files
// named ".eps" or ".EPS" (platform code only).
class DecoderChoice {
public:
    enum class Decoder { Vips, ImageMagick, CameraRaw, Eps, Jpeg2000, XvThumbnail, None };

    // The decoder for the file; None for PostScript under another name.
    static Decoder forFile(const QString& path, const QByteArray& fileStart);
    // The decoder the bytes alone choose (the raw decoder's fallback).
    static Decoder forContent(const QByteArray& fileStart);
    // The libvips loader for the common signatures; empty to let libvips
    // look (it then offers the file to each loader in turn).
    static QByteArray vipsLoaderFor(const QByteArray& fileStart);

    struct Claim {
        QSize size;
        // The format's densest pixels per byte (see PixelBudget).
        qint64 pixelsPerByte = 0;
    };
    // The size a file claims, for the formats whose decoders allocate while
    // they read their header (GIF, portable anymaps, PICT): it is checked
    // against the pixel budget before they run. None for the others.
    static std::optional<Claim> sizeClaimedBeforeDecoding(const QString& path,
                                                          const QByteArray& fileStart);
    static bool isPostScript(const QByteArray& fileStart);
};

} // namespace fw
