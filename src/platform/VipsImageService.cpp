#include "platform/VipsImageService.h"

#include "platform/EpsDocument.h"
#include "platform/ExifOrientation.h"
#include "platform/Exiv2MetadataReader.h"
#include "platform/HeaderCache.h"
#include "platform/IccProfile.h"
#include "platform/ImageEncoder.h"
#include "platform/ImageExtensionTable.h"
#include "platform/ImageFileReader.h"
#include "platform/JfifSegment.h"
#include "platform/MemoryRelease.h"
#include "platform/VipsImage.h"

#include <QLoggingCategory>
#include <cmath>
#include <vips/vips8>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logVips, "framewright.vips", QtCriticalMsg)

using vips::VImage;
using StoredHeader = ImageFileReader::StoredHeader;

void forwardVipsMessage(const gchar*, GLogLevelFlags, const gchar* message, gpointer)
{
    qCDebug(logVips) << QByteArray(message).trimmed();
}

double roundedDpi(double dpi)
{
    return std::round(dpi * 100) / 100;
}

void insertIfAny(QVariantMap& properties, const char* key, const QVariantMap& dictionary)
{
    if (!dictionary.isEmpty())
        properties.insert(key, dictionary);
}

QVariantMap propertiesOf(const StoredHeader& header,
                         const Exiv2MetadataReader::Dictionaries& metadata)
{
    QVariantMap properties;
    properties.insert("PixelWidth", header.width);
    properties.insert("PixelHeight", header.height);
    properties.insert("Depth", header.bitDepth);
    properties.insert("HasAlpha", header.hasAlpha);
    properties.insert("ColorModel", header.colorModel);
    if (header.dpiWidth > 0) {
        properties.insert("DPIWidth", roundedDpi(header.dpiWidth));
        properties.insert("DPIHeight", roundedDpi(header.dpiHeight));
    }
    if (const QString profile = IccProfile::description(header.iccProfile); !profile.isEmpty())
        properties.insert("ProfileName", profile);
    const int orientation = header.orientation >= 1 && header.orientation <= 8
                                ? header.orientation
                                : metadata.orientation.value_or(0);
    if (orientation != 0)
        properties.insert("Orientation", orientation);
    insertIfAny(properties, "{TIFF}", metadata.tiff);
    insertIfAny(properties, "{Exif}", metadata.exif);
    insertIfAny(properties, "{GPS}", metadata.gps);
    insertIfAny(properties, "{IPTC}", metadata.iptc);
    if (header.isJpeg) {
        if (const auto jfif = JfifSegment::parse(header.fileStart))
            properties.insert("{JFIF}", *jfif);
    }
    return properties;
}

// Metadata from the decoder's own blocks where they hold all of it; from the
// file otherwise (TIFF, camera raw, PNG text chunks written by ImageMagick).
Exiv2MetadataReader::Dictionaries metadataOf(const QString& path, const StoredHeader& header)
{
    if (header.metadataComplete)
        return Exiv2MetadataReader::readBlobs(header.exifData, header.iptcData);
    return Exiv2MetadataReader::read(path);
}

int orientationIn(const QVariantMap& properties)
{
    return properties.value("Orientation", 1).toInt();
}

// Where the decoder leaves EXIF behind, the file's own travels with the
// pixels, so outputs keep the camera, capture and position data.
VImage withFileExif(const VImage& image, const QString& path, const StoredHeader& header)
{
    if (header.metadataComplete || image.get_typeof(VIPS_META_EXIF_NAME) != 0)
        return image;
    const QByteArray exif = Exiv2MetadataReader::exifBlobOf(path);
    if (exif.isEmpty())
        return image;
    VImage tagged = image.copy();
    vips_image_set_blob_copy(tagged.get_image(), VIPS_META_EXIF_NAME, exif.constData(),
                             static_cast<size_t>(exif.size()));
    return tagged;
}

VImage upright(const VImage& stored, int orientation)
{
    if (orientation <= 1 || orientation > 8)
        return stored;
    VImage tagged = stored.copy();
    tagged.set(VIPS_META_ORIENTATION, orientation);
    return tagged.autorot();
}

// Decodes at the smallest size the decoder offers that still covers the
// target, reduces to the exact target in the stored orientation (cheap), and
// only then turns the small result upright.
std::optional<Image> decodeUpright(const QString& path, const StoredHeader& header, int orientation,
                                   int width, int height)
{
    const bool turned = swapsWidthAndHeight(orientation);
    const int storedWidth = turned ? height : width;
    const int storedHeight = turned ? width : height;
    const double reduction = std::min(static_cast<double>(header.width) / storedWidth,
                                      static_cast<double>(header.height) / storedHeight);
    const auto decoded = ImageFileReader::decode(path, header, reduction);
    if (!decoded)
        return std::nullopt;
    const Image reduced =
        wrapVipsImage(withFileExif(decoded->image, path, header), decoded->sequential)
            .scaled(storedWidth, storedHeight);
    const bool needsTurning = orientation > 1 && orientation <= 8;
    if (!reduced.isValid())
        return std::nullopt;
    if (!needsTurning)
        return reduced;
    return wrapVipsImage(upright(readableInAnyOrder(reduced), orientation));
}

// The header and dictionary of a file: from the last few read while the file
// is unchanged, else read and kept. Every question about one photo (its size,
// orientation, metadata, and the decoder's choice) is answered from one read.
std::optional<HeaderCache::Read> readOf(HeaderCache& recentReads, const QString& path)
{
    if (std::optional<HeaderCache::Read> recent = recentReads.find(path))
        return recent;
    std::optional<StoredHeader> header = ImageFileReader::readHeader(path);
    if (!header)
        return std::nullopt;
    HeaderCache::Read read{std::move(*header), {}};
    read.properties = propertiesOf(read.header, metadataOf(path, read.header));
    recentReads.insert(path, read);
    return read;
}

// libvips failures empty its shared buffer, so the next file's failure does
// not quote this one.
QString describe(const std::exception& failure)
{
    if (const auto* vipsFailure = dynamic_cast<const vips::VError*>(&failure))
        return failureText(*vipsFailure);
    return QString::fromUtf8(failure.what());
}

} // namespace

VipsImageService& VipsImageService::shared()
{
    static VipsImageService service;
    return service;
}

VipsImageService::VipsImageService() : recentReads(std::make_unique<HeaderCache>(16))
{
    MemoryRelease::reuseBuffersInOneHeap();
    if (VIPS_INIT("framewright") != 0)
        qCCritical(logVips) << "libvips cannot start:" << vips_error_buffer();
    // Every photo is opened once; cached operations would only hold memory
    // and file handles for the length of a batch.
    vips_cache_set_max(0);
    vips_cache_set_max_files(0);
    // A run writes one photo per core at once, so each photo's pipeline runs
    // on one thread: strips handed between threads would only cost switches.
    vips_concurrency_set(1);
    // Loaders of formats that are not photos: every file would otherwise be
    // offered to each of them when its type is sniffed (the slide loader opens
    // it as a database), and none of them should see untrusted input.
    for (const char* loader :
         {"VipsForeignLoadOpenslide", "VipsForeignLoadPdf", "VipsForeignLoadSvg",
          "VipsForeignLoadCsv", "VipsForeignLoadMatrix", "VipsForeignLoadFits",
          "VipsForeignLoadAnalyze", "VipsForeignLoadMat", "VipsForeignLoadVips"})
        vips_operation_block_set(loader, TRUE);
    // libvips warns about every damaged file it copes with; the warnings stay
    // available under the category's debug level.
    g_log_set_handler("VIPS", G_LOG_LEVEL_WARNING, forwardVipsMessage, nullptr);
    Exiv2MetadataReader::initialize();
}

VipsImageService::~VipsImageService() = default;

std::optional<QVariantMap> VipsImageService::readProperties(const QString& path) const
{
    try {
        const std::optional<HeaderCache::Read> read = readOf(*recentReads, path);
        return read ? std::optional(read->properties) : std::nullopt;
    } catch (const std::exception& failure) {
        qCWarning(logVips) << "cannot read properties of" << path << describe(failure);
        return std::nullopt;
    }
}

QString VipsImageService::explainUnreadable(const QString& path) const
{
    return ImageFileReader::explainUnreadable(path);
}

std::optional<Image> VipsImageService::decodeAsStored(const QString& path) const
{
    try {
        const auto read = readOf(*recentReads, path);
        const auto decoded = read ? ImageFileReader::decode(path, read->header, 1) : std::nullopt;
        if (!decoded)
            return std::nullopt;
        return wrapVipsImage(withFileExif(decoded->image, path, read->header), decoded->sequential);
    } catch (const std::exception& failure) {
        qCWarning(logVips) << "cannot decode" << path << describe(failure);
        return std::nullopt;
    }
}

std::optional<Image> VipsImageService::uprightPreview(const QString& path, int maxWidth,
                                                      int maxHeight) const
{
    try {
        const auto read = readOf(*recentReads, path);
        if (!read || maxWidth <= 0 || maxHeight <= 0)
            return std::nullopt;
        const int orientation = orientationIn(read->properties);
        const bool turned = swapsWidthAndHeight(orientation);
        const double uprightWidth = turned ? read->header.height : read->header.width;
        const double uprightHeight = turned ? read->header.width : read->header.height;
        const double scale = std::min({maxWidth / uprightWidth, maxHeight / uprightHeight, 1.0});
        const int width = std::max(1, static_cast<int>(std::lround(uprightWidth * scale)));
        const int height = std::max(1, static_cast<int>(std::lround(uprightHeight * scale)));
        return decodeUpright(path, read->header, orientation, width, height);
    } catch (const std::exception& failure) {
        qCWarning(logVips) << "cannot preview" << path << describe(failure);
        return std::nullopt;
    }
}

std::optional<Image> VipsImageService::decodeUprightAtSize(const QString& path, int width,
                                                           int height) const
{
    try {
        const auto read = readOf(*recentReads, path);
        if (!read || width <= 0 || height <= 0)
            return std::nullopt;
        return decodeUpright(path, read->header, orientationIn(read->properties), width, height);
    } catch (const std::exception& failure) {
        qCWarning(logVips) << "cannot decode" << path << describe(failure);
        return std::nullopt;
    }
}

bool VipsImageService::decodesCompletely(const QString& path) const
{
    try {
        const auto read = readOf(*recentReads, path);
        const auto decoded = read ? ImageFileReader::decode(path, read->header, 1) : std::nullopt;
        if (!decoded)
            return false;
        decoded->image.avg();
        return true;
    } catch (const std::exception& failure) {
        qCInfo(logVips) << path << "does not decode:" << describe(failure);
        return false;
    }
}

Outcome VipsImageService::encode(const Image& image, const QString& path,
                                 const QString& typeIdentifier, const QVariantMap& properties,
                                 std::optional<int> qualityPercent) const
{
    if (!image.isValid())
        return Outcome::failure(QStringLiteral("no picture to write to %1").arg(path));
    try {
        return ImageEncoder::encode(vipsImageOf(image), path, typeIdentifier, properties,
                                    qualityPercent.value_or(defaultQualityPercent));
    } catch (const std::exception& failure) {
        return Outcome::failure(QStringLiteral("cannot write %1: %2").arg(path, describe(failure)));
    }
}

bool VipsImageService::isImageExtension(const QString& extension) const
{
    return ImageExtensionTable::isImageExtension(extension);
}

QStringList VipsImageService::imageExtensions() const
{
    return ImageExtensionTable::imageExtensions();
}

std::optional<QSizeF> VipsImageService::epsSize(const QString& path) const
{
    return EpsDocument::boundingBoxSize(path);
}

std::optional<QSizeF> VipsImageService::pictSize(const QString& path) const
{
    try {
        const auto read = readOf(*recentReads, path);
        return read ? std::optional(QSizeF(read->header.width, read->header.height)) : std::nullopt;
    } catch (const std::exception& failure) {
        qCWarning(logVips) << "cannot read the size of" << path << describe(failure);
        return std::nullopt;
    }
}

} // namespace fw
