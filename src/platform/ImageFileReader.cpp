#include "platform/ImageFileReader.h"

#include "platform/AnymapHeader.h"
#include "platform/CameraRawFile.h"
#include "platform/DecoderChoice.h"
#include "platform/EndMarkedJpegSource.h"
#include "platform/EpsDocument.h"
#include "platform/Jpeg2000Codestream.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "platform/PixelBudget.h"
#include "platform/PngChunks.h"
#include "platform/VipsImage.h"
#include "platform/XvThumbnail.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <cmath>
#include <unistd.h>
#include <vips/vips8>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logReader, "framewright.reader", QtCriticalMsg)

using vips::VImage;

using Route = DecoderChoice::Decoder;

VImage loadWith(const QByteArray& loader, const char* filename, vips::VOption* options)
{
    if (loader.isEmpty())
        return VImage::new_from_file(filename, options);
    VImage image;
    VImage::call(loader.constData(), options->set("filename", filename)->set("out", &image));
    return image;
}

QByteArray fileStartOf(const QString& path)
{
    QFile file;
    return NativePath::openForReading(file, path) ? file.read(1024) : QByteArray();
}

QString colorModelOf(const VImage& image)
{
    switch (image.interpretation()) {
    case VIPS_INTERPRETATION_B_W:
    case VIPS_INTERPRETATION_GREY16:
        return "Gray";
    case VIPS_INTERPRETATION_CMYK:
        return "CMYK";
    case VIPS_INTERPRETATION_LAB:
    case VIPS_INTERPRETATION_LABQ:
    case VIPS_INTERPRETATION_LABS:
        return "Lab";
    default:
        return image.bands() <= 2 ? "Gray" : "RGB";
    }
}

int bitDepthOf(VipsBandFormat format)
{
    switch (format) {
    case VIPS_FORMAT_UCHAR:
    case VIPS_FORMAT_CHAR:
        return 8;
    case VIPS_FORMAT_USHORT:
    case VIPS_FORMAT_SHORT:
        return 16;
    case VIPS_FORMAT_DOUBLE:
    case VIPS_FORMAT_DPCOMPLEX:
        return 64;
    default:
        return 32;
    }
}

// A PNG keeps EXIF either in an eXIf chunk, which libvips hands over, or in a
// "Raw profile type exif" text chunk written by ImageMagick, which it does not.
bool hasRawProfileText(const VImage& image)
{
    gchar** fields = vips_image_get_fields(image.get_image());
    bool found = false;
    for (gchar** field = fields; field != nullptr && *field != nullptr; ++field)
        found = found || QByteArray(*field).contains("Raw profile type");
    g_strfreev(fields);
    return found;
}

bool decoderHoldsAllMetadata(const VImage& image, const QByteArray& loader)
{
    if (loader.startsWith("jpegload") || loader.startsWith("webpload") ||
        loader.startsWith("heifload"))
        return true;
    return loader.startsWith("pngload") && !hasRawProfileText(image);
}

// Baseline JPEG, non-interlaced PNG and TIFF decode a band of rows at a time;
// progressive and interlaced files, and every other loader, hold the whole
// picture.
bool streamsTopToBottom(const VImage& image, const QByteArray& loader)
{
    const bool interlaced = image.get_typeof("interlaced") != 0 && image.get_int("interlaced") != 0;
    const bool streamingLoader = loader.startsWith("jpegload") || loader.startsWith("pngload") ||
                                 loader.startsWith("tiffload");
    return streamingLoader && !interlaced;
}

ImageFileReader::StoredHeader headerOf(const VImage& image)
{
    ImageFileReader::StoredHeader header;
    header.width = image.width();
    header.height = image.height();
    header.bands = image.bands();
    header.bitDepth = bitDepthOf(image.format());
    header.colorModel = colorModelOf(image);
    header.hasAlpha = image.has_alpha();
    // libvips reports 1 pixel per millimetre when a file gives no resolution.
    if (image.xres() > 1.0 && image.yres() > 1.0) {
        header.dpiWidth = image.xres() * millimetresPerInch;
        header.dpiHeight = image.yres() * millimetresPerInch;
    }
    if (image.get_typeof(VIPS_META_ORIENTATION) != 0)
        header.orientation = image.get_int(VIPS_META_ORIENTATION);
    header.iccProfile = blobOf(image, VIPS_META_ICC_NAME);
    header.exifData = blobOf(image, VIPS_META_EXIF_NAME);
    header.iptcData = blobOf(image, VIPS_META_IPTC_NAME);
    if (image.get_typeof(VIPS_META_LOADER) != 0) {
        const QByteArray loader(image.get_string(VIPS_META_LOADER));
        header.isJpeg = loader.startsWith("jpegload");
        header.metadataComplete = decoderHoldsAllMetadata(image, loader);
        header.streamed = streamsTopToBottom(image, loader);
        header.loaderUsed = loader;
    }
    return header;
}

vips::VOption* lazyOptions(VipsFailOn failOn = VIPS_FAIL_ON_TRUNCATED)
{
    return VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL)->set("fail_on", failOn);
}

// Read with the end marker added, any warning fails the decode: libjpeg warns
// when the image data stops short, which is then no longer an error.
VImage loadJpegWithoutEndMarker(const QString& path, vips::VOption* options)
{
    const vips::VSource source = EndMarkedJpegSource::open(path);
    VImage image;
    VImage::call("jpegload_source", options->set("source", source)->set("out", &image));
    return image;
}

std::optional<ImageFileReader::StoredHeader> headerFromSize(int width, int height, int bands,
                                                            int bitDepth, int orientation)
{
    ImageFileReader::StoredHeader header;
    header.width = width;
    header.height = height;
    header.bands = bands;
    header.bitDepth = bitDepth;
    header.colorModel = bands <= 2 ? "Gray" : "RGB";
    header.orientation = orientation;
    return header;
}

std::optional<ImageFileReader::StoredHeader> readRoutedHeader(const QString& path, Route route,
                                                              const QByteArray& loader)
{
    const QByteArray name = NativePath::encode(path);
    switch (route) {
    case Route::CameraRaw: {
        const auto raw = CameraRawFile::readHeader(path);
        return raw ? headerFromSize(raw->width, raw->height, 3, 8, raw->orientation) : std::nullopt;
    }
    case Route::Eps: {
        const auto box = EpsDocument::boundingBoxSize(path);
        if (!box || box->isEmpty())
            return std::nullopt;
        return headerFromSize(qRound(box->width()), qRound(box->height()), 3, 8, 0);
    }
    case Route::Jpeg2000: {
        const auto j2k = Jpeg2000Codestream::readHeader(path);
        return j2k ? headerFromSize(j2k->width, j2k->height, j2k->components,
                                    j2k->bitDepth > 8 ? 16 : 8, 0)
                   : std::nullopt;
    }
    case Route::XvThumbnail: {
        const auto thumbnail = XvThumbnail::readHeader(path);
        return thumbnail ? headerFromSize(thumbnail->width, thumbnail->height, 3, 8, 0)
                         : std::nullopt;
    }
    case Route::ImageMagick:
        return headerOf(VImage::magickload(name.constData()));
    case Route::None:
        return std::nullopt;
    case Route::Vips:
        break;
    }
    return headerOf(loadWith(loader, name.constData(), lazyOptions()));
}

bool withinBudget(qint64 width, qint64 height, bool streamed, qint64 fileBytes,
                  qint64 pixelsPerByte)
{
    return PixelBudget::allows(width, height, streamed) &&
           PixelBudget::fitsInFile(width, height, fileBytes, pixelsPerByte);
}

// Pixels per point of a PostScript rendering: as many as the target needs,
// within the pixel budget.
double epsScale(const ImageFileReader::StoredHeader& header, double reduction)
{
    const double area = static_cast<double>(header.width) * header.height;
    const double largest = std::sqrt(PixelBudget::wholePicturePixels / area);
    return std::clamp(1.0 / reduction, 0.05, std::min(20.0, largest));
}

// Samples as every operation takes them: CIELAB TIFFs come packed (LabQ), and
// an anymap whose maximum value is not the full range of its samples is
// stretched to it, so its white is white.
VImage withPlainSamples(const VImage& image, const ImageFileReader::StoredHeader& header)
{
    if (image.coding() == VIPS_CODING_LABQ)
        return image.LabQ2Lab();
    const double fullRange = image.format() == VIPS_FORMAT_USHORT ? 65535 : 255;
    if (header.anymapMaximum <= 1 || header.anymapMaximum == fullRange)
        return image;
    return image.linear(fullRange / header.anymapMaximum, 0.5)
        .cast(image.format())
        .copy(VImage::option()->set("interpretation", image.interpretation()));
}

int jpegShrinkFor(double reduction)
{
    for (int shrink : {8, 4, 2}) {
        if (reduction >= shrink)
            return shrink;
    }
    return 1;
}

std::optional<ImageFileReader::Decoded>
decodeRouted(const QString& path, const ImageFileReader::StoredHeader& header, double reduction)
{
    const QByteArray name = NativePath::encode(path);
    auto inMemory = [](std::optional<VImage> image) -> std::optional<ImageFileReader::Decoded> {
        if (!image)
            return std::nullopt;
        return ImageFileReader::Decoded{*image, false};
    };
    switch (header.decoder) {
    case Route::CameraRaw:
        return inMemory(CameraRawFile::decode(path, reduction >= 2));
    case Route::Eps:
        return inMemory(EpsDocument::render(path, epsScale(header, reduction)));
    case Route::Jpeg2000:
        return inMemory(Jpeg2000Codestream::decode(path));
    case Route::XvThumbnail:
        return inMemory(XvThumbnail::decode(path));
    case Route::ImageMagick:
        return inMemory(VImage::magickload(name.constData()));
    case Route::None:
        return std::nullopt;
    case Route::Vips:
        break;
    }
    vips::VOption* options =
        lazyOptions(header.endMarkerMissing ? VIPS_FAIL_ON_WARNING : VIPS_FAIL_ON_TRUNCATED);
    if (header.isJpeg && jpegShrinkFor(reduction) > 1)
        options->set("shrink", jpegShrinkFor(reduction));
    if (header.endMarkerMissing)
        return ImageFileReader::Decoded{loadJpegWithoutEndMarker(path, options), true};
    return ImageFileReader::Decoded{
        withPlainSamples(loadWith(header.vipsLoader, name.constData(), options), header), true};
}

} // namespace

ImageFileReader::HeaderRead ImageFileReader::readHeaderExplained(const QString& path)
{
    if (!PathInfo::of(path).isFile())
        return {std::nullopt, QStringLiteral("not a file")};
    if (::access(NativePath::encode(path).constData(), R_OK) != 0)
        return {std::nullopt, QStringLiteral("permission denied")};
    try {
        const QByteArray start = fileStartOf(path);
        Route route = DecoderChoice::forFile(path, start);
        if (route == Route::None)
            return {std::nullopt, QStringLiteral("PostScript is read only from files named .eps")};
        const qint64 fileBytes = PathInfo::of(path).size();
        if (route == Route::Eps && fileBytes > EpsDocument::largestDocument)
            return {std::nullopt, QStringLiteral("PostScript documents over %1 MB are not rendered")
                                      .arg(EpsDocument::largestDocument >> 20)};
        if (const auto claim = DecoderChoice::sizeClaimedBeforeDecoding(path, start);
            claim && !withinBudget(claim->size.width(), claim->size.height(), false, fileBytes,
                                   claim->pixelsPerByte))
            return {std::nullopt, PixelBudget::refusal(claim->size.width(), claim->size.height())};
        const QByteArray loader = DecoderChoice::vipsLoaderFor(start);
        if (loader == "pngload") {
            if (const QString damage = PngChunks::damage(path); !damage.isEmpty())
                return {std::nullopt, QStringLiteral("damaged PNG: %1").arg(damage)};
        }
        std::optional<StoredHeader> header = readRoutedHeader(path, route, loader);
        if (!header && route == Route::CameraRaw) {
            route = DecoderChoice::forContent(start);
            header = readRoutedHeader(path, route, loader);
        }
        if (!header || header->width <= 0 || header->height <= 0)
            return {std::nullopt, QStringLiteral("no picture size in the file")};
        if (!withinBudget(header->width, header->height, header->streamed, fileBytes,
                          PixelBudget::densestPixelsPerByte(header->loaderUsed)))
            return {std::nullopt, PixelBudget::refusal(header->width, header->height)};
        header->endMarkerMissing = header->isJpeg && EndMarkedJpegSource::lacksEndMarker(path);
        if (const std::optional<AnymapHeader> anymap = AnymapHeader::parse(start))
            header->anymapMaximum = anymap->maximumValue;
        header->decoder = route;
        header->vipsLoader = route == Route::Vips ? loader : QByteArray();
        header->fileStart = start;
        return {header, {}};
    } catch (const vips::VError& error) {
        return {std::nullopt, failureText(error)};
    }
}

std::optional<ImageFileReader::StoredHeader> ImageFileReader::readHeader(const QString& path)
{
    HeaderRead read = readHeaderExplained(path);
    if (!read.header)
        qCWarning(logReader) << "cannot read" << path << ":" << read.failure;
    return std::move(read.header);
}

QString ImageFileReader::explainUnreadable(const QString& path)
{
    return readHeaderExplained(path).failure;
}

std::optional<ImageFileReader::Decoded>
ImageFileReader::decode(const QString& path, const StoredHeader& header, double reduction)
{
    try {
        return decodeRouted(path, header, std::max(reduction, 0.0001));
    } catch (const vips::VError& error) {
        qCWarning(logReader) << "cannot decode" << path << ":" << failureText(error);
    }
    return std::nullopt;
}

} // namespace fw
