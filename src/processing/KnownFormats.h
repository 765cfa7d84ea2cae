#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace fw {

// The output formats a run can write, in the order whose index the output
// settings store: 0 "tif", 1 "tiff", 2 "png", 3 "jpg", 4 "jpeg", 5 "jp2",
// 6 "bmp", 7 "gif", then 8 "webp", 9 "avif", 10 "heic", 11 "jxl".
class KnownFormats {
public:
    static const QStringList& extensions();
    // The index of an extension, compared in lower case; -1 when unknown.
    static int indexOfExtension(const QString& extension);
    // The extension at an index; "tif" for an index outside the list.
    static QString extensionAt(int index);
    static QString typeIdentifierAt(int index);
    // JPEG, JPEG 2000, WebP, AVIF, HEIC and JPEG XL take a quality.
    static bool isLossy(int index);
    // WebP and JPEG XL can also be written without loss.
    static bool offersLossless(int index);
    // The longest side the format holds (WebP 16383, JPEG and GIF 65535);
    // none for no limit.
    static std::optional<int> largestSide(int index);
    // Whether a picture of this size fits the format of this extension.
    static bool holds(const QString& extension, const QSize& size);
    // Whether the format stores an orientation tag that viewers follow; the
    // others (JPEG 2000, BMP, GIF) must hold their pixels upright.
    static bool carriesOrientation(int index);
    // Source formats that are always re-encoded, even when nothing changes:
    // their files are not among the formats a run writes.
    static bool forcesReencoding(const QString& sourceExtension);
};

} // namespace fw
