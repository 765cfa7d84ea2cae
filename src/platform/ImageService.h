#pragma once

#include "platform/Image.h"
#include "platform/Outcome.h"

#include <QSizeF>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace fw {

// What the engine asks of the imaging platform: property dictionaries, decoding,
// previews, encoding by type identifier and the image-extension table.
// Implementations are thread-safe and never throw; a file that cannot be read
// gives an empty optional and a diagnostic line in the log.
class ImageService {
public:
    // The quality of lossy outputs unless the user chose another: the one
    // default every part of the program uses.
    static constexpr int defaultQualityPercent = 75;
    // encode() property: true writes WebP and JPEG XL without loss.
    static constexpr const char* losslessKey = "Lossless";
    // encode() property: 0 (or none) keeps all the metadata, 1 all but the
    // GPS position, 2 only the colour profile.
    static constexpr const char* metadataKey = "MetadataKept";

    virtual ~ImageService() = default;

    // The property dictionary of the first image, read without decoding pixels:
    // "PixelWidth", "PixelHeight" (stored), "Orientation", "ColorModel",
    // "DPIWidth", "DPIHeight", "ProfileName", "Depth", "HasAlpha" and the
    // sub-dictionaries "{TIFF}", "{Exif}", "{GPS}", "{IPTC}", "{JFIF}" where
    // the file has them.
    virtual std::optional<QVariantMap> readProperties(const QString& path) const = 0;

    // Why a file gives no properties ("permission denied", "the photo is too
    // large to read: W x H", ...); empty when it gives them. Reads the header
    // again, so it is meant for files already refused.
    virtual QString explainUnreadable(const QString& path) const = 0;

    // The first image at its stored size and orientation.
    virtual std::optional<Image> decodeAsStored(const QString& path) const = 0;

    // The picture upright, fitted inside the box with its proportions kept.
    virtual std::optional<Image> uprightPreview(const QString& path, int maxWidth,
                                                int maxHeight) const = 0;

    // The picture upright at exactly width x height (proportions not kept),
    // shrinking on load so that a large photo is never decoded at full size
    // to make a small one.
    virtual std::optional<Image> decodeUprightAtSize(const QString& path, int width,
                                                     int height) const = 0;

    // Whether every pixel of the first image decodes: tells a source that
    // cannot be read from an output that cannot be written, once a write
    // failed. Decodes the whole picture.
    virtual bool decodesCompletely(const QString& path) const = 0;

    // Writes the image to the path in the format of the type identifier
    // ("public.jpeg", "public.png", "public.tiff", "public.jpeg-2000",
    // "com.compuserve.gif", "com.microsoft.bmp"). The properties decide the
    // stored orientation ("Orientation" and "{TIFF}" "Orientation") and the
    // resolution, and the lossless and metadata keys below; the
    // quality, a percent, applies to the lossy types (100 is lossless for
    // JPEG 2000), none meaning the default. Also "org.webmproject.webp",
    // "public.avif", "public.heic" and "public.jxl".
    virtual Outcome encode(const Image& image, const QString& path, const QString& typeIdentifier,
                           const QVariantMap& properties,
                           std::optional<int> qualityPercent) const = 0;

    // Whether a file name extension names an image type, in either letter case.
    virtual bool isImageExtension(const QString& extension) const = 0;
    // The extensions of the image types the service reads.
    virtual QStringList imageExtensions() const = 0;

    // The picture size of an EPS file from its bounding box, in points.
    virtual std::optional<QSizeF> epsSize(const QString& path) const = 0;
    // The picture size of a QuickDraw PICT file.
    virtual std::optional<QSizeF> pictSize(const QString& path) const = 0;
};

} // namespace fw
