#include "platform/ImageFileReader.h"

#include "platform/CameraRawFile.h"
#include "platform/EndMarkedJpegSource.h"
#include "platform/EpsDocument.h"
#include "platform/ImageExtensionTable.h"
#include "platform/Jpeg2000Codestream.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "platform/VipsImage.h"
#include "platform/XvThumbnail.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <vips/vips8>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logReader, "framewright.reader")

using vips::VImage;

using Route = ImageFileReader::Decoder;

bool isDosEpsBinary(const QByteArray& start)
{
    return start.startsWith(QByteArray("\xc5\xd0\xd3\xc6", 4));
}

bool isEncapsulatedPostScript(const QByteArray& start)
{
    const QByteArray firstLine = start.left(start.indexOf('\n'));
    return isDosEpsBinary(start) || (firstLine.startsWith("%!PS") && firstLine.contains("EPSF"));
}

// A portable-anymap header with more than one comment line before the raster.
bool isCommentedAnymap(const QByteArray& start)
{
    if (start.size() < 3 || start.at(0) != 'P' || start.at(1) < '1' || start.at(1) > '6')
        return false;
    return start.count("\n#") + (start.startsWith("#") ? 1 : 0) >= 2;
}

Route routeFor(const QString& path, const QByteArray& start)
{
    const QString extension = QFileInfo(path).suffix();
    if (ImageExtensionTable::isCameraRawExtension(extension))
        return Route::CameraRaw;
    if (ImageExtensionTable::isPictExtension(extension))
        return Route::ImageMagick;
    if (ImageExtensionTable::isEpsExtension(extension) || isEncapsulatedPostScript(start))
        return Route::Eps;
    if (Jpeg2000Codestream::isJpeg2000(start))
        return Route::Jpeg2000;
    if (XvThumbnail::isXvThumbnail(start))
        return Route::XvThumbnail;
    if (isCommentedAnymap(start))
        return Route::ImageMagick;
    return Route::Vips;
}

// The libvips loader for the common signatures. Left to itself, libvips
// offers the file to each loader in turn, and each opens it to look.
QByteArray vipsLoaderFor(const QByteArray& start)
{
    if (start.startsWith("\xff\xd8\xff"))
        return "jpegload";
    if (start.startsWith("\x89PNG\r\n\x1a\n"))
        return "pngload";
    for (const char* tiff : {"II*\0", "MM\0*", "II+\0", "MM\0+"}) {
        if (start.startsWith(QByteArray(tiff, 4)))
            return "tiffload";
    }
    if (start.startsWith("GIF87a") || start.startsWith("GIF89a"))
        return "gifload";
    if (start.startsWith("RIFF") && start.mid(8, 4) == "WEBP")
        return "webpload";
    return {};
}

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
    case Route::Vips:
        break;
    }
    return headerOf(loadWith(loader, name.constData(), lazyOptions()));
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
        return inMemory(EpsDocument::render(path, std::clamp(1.0 / reduction, 0.05, 20.0)));
    case Route::Jpeg2000:
        return inMemory(Jpeg2000Codestream::decode(path));
    case Route::XvThumbnail:
        return inMemory(XvThumbnail::decode(path));
    case Route::ImageMagick:
        return inMemory(VImage::magickload(name.constData()));
    case Route::Vips:
        break;
    }
    const bool endMarkerMissing = header.isJpeg && EndMarkedJpegSource::lacksEndMarker(path);
    vips::VOption* options =
        lazyOptions(endMarkerMissing ? VIPS_FAIL_ON_WARNING : VIPS_FAIL_ON_TRUNCATED);
    if (header.isJpeg && jpegShrinkFor(reduction) > 1)
        options->set("shrink", jpegShrinkFor(reduction));
    if (endMarkerMissing)
        return ImageFileReader::Decoded{loadJpegWithoutEndMarker(path, options), true};
    return ImageFileReader::Decoded{loadWith(header.vipsLoader, name.constData(), options), true};
}

} // namespace

std::optional<ImageFileReader::StoredHeader> ImageFileReader::readHeader(const QString& path)
{
    if (!PathInfo::of(path).isFile())
        return std::nullopt;
    try {
        const QByteArray start = fileStartOf(path);
        const Route route = routeFor(path, start);
        const QByteArray loader = route == Route::Vips ? vipsLoaderFor(start) : QByteArray();
        auto header = readRoutedHeader(path, route, loader);
        if (header && header->width > 0 && header->height > 0) {
            header->decoder = route;
            header->vipsLoader = loader;
            header->fileStart = start;
            return header;
        }
        qCWarning(logReader) << "no picture size in" << path;
    } catch (const vips::VError& error) {
        qCWarning(logReader) << "cannot read" << path << ":" << QByteArray(error.what()).trimmed();
    }
    return std::nullopt;
}

std::optional<ImageFileReader::Decoded>
ImageFileReader::decode(const QString& path, const StoredHeader& header, double reduction)
{
    try {
        return decodeRouted(path, header, std::max(reduction, 0.0001));
    } catch (const vips::VError& error) {
        qCWarning(logReader) << "cannot decode" << path << ":"
                             << QByteArray(error.what()).trimmed();
    }
    return std::nullopt;
}

} // namespace fw
