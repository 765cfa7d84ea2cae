#include "platform/ImageEncoder.h"

#include "platform/DescriptorBytes.h"
#include "platform/Exiv2ExifWriter.h"
#include "platform/JxlContainer.h"
#include "platform/IccProfile.h"
#include "platform/ImageService.h"
#include "platform/KeptMetadata.h"
#include "platform/NativePath.h"
#include "platform/PngExifTrailer.h"
#include "platform/VipsImage.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logEncoder, "framewright.encoder", QtCriticalMsg)

using vips::VImage;

enum class Format { Jpeg, Png, Tiff, Jpeg2000, Gif, Bmp, Webp, Avif, Heic, Jxl, Unknown };

Format formatFor(const QString& typeIdentifier)
{
    if (typeIdentifier == "public.jpeg")
        return Format::Jpeg;
    if (typeIdentifier == "public.png")
        return Format::Png;
    if (typeIdentifier == "public.tiff")
        return Format::Tiff;
    if (typeIdentifier == "public.jpeg-2000")
        return Format::Jpeg2000;
    if (typeIdentifier == "com.compuserve.gif")
        return Format::Gif;
    if (typeIdentifier == "com.microsoft.bmp")
        return Format::Bmp;
    if (typeIdentifier == "org.webmproject.webp")
        return Format::Webp;
    if (typeIdentifier == "public.avif")
        return Format::Avif;
    if (typeIdentifier == "public.heic")
        return Format::Heic;
    if (typeIdentifier == "public.jxl")
        return Format::Jxl;
    return Format::Unknown;
}

bool holdsCmyk(Format format)
{
    return format == Format::Jpeg || format == Format::Tiff;
}

bool holdsSixteenBits(Format format)
{
    return format == Format::Png || format == Format::Tiff || format == Format::Jpeg2000;
}

VImage withoutField(const VImage& image, const char* field)
{
    VImage copy = image.copy();
    vips_image_remove(copy.get_image(), field);
    return copy;
}

bool isRgbOrGrey(VipsInterpretation interpretation)
{
    switch (interpretation) {
    case VIPS_INTERPRETATION_sRGB:
    case VIPS_INTERPRETATION_RGB:
    case VIPS_INTERPRETATION_RGB16:
    case VIPS_INTERPRETATION_B_W:
    case VIPS_INTERPRETATION_GREY16:
        return true;
    default:
        return false;
    }
}

// CMYK stays CMYK where the format holds it; elsewhere it becomes sRGB
// through its embedded profile, else a standard CMYK profile. Lab and the
// other colour models, and floating-point pictures, become sRGB, and then
// carry no profile of the colours they had.
VImage toWritableColour(const VImage& image, Format format)
{
    const VImage decoded = image.coding() == VIPS_CODING_LABQ ? image.LabQ2Lab() : image;
    const VipsInterpretation interpretation = decoded.interpretation();
    const bool sixteenBit = decoded.format() == VIPS_FORMAT_USHORT;
    if (interpretation == VIPS_INTERPRETATION_CMYK) {
        if (holdsCmyk(format))
            return decoded;
        return decoded.icc_transform(
            "srgb", VImage::option()
                        ->set("embedded", true)
                        ->set("input_profile", "cmyk")
                        ->set("depth", sixteenBit && holdsSixteenBits(format) ? 16 : 8));
    }
    const bool integral = decoded.format() == VIPS_FORMAT_UCHAR || sixteenBit;
    if ((integral && isRgbOrGrey(interpretation)) ||
        !vips_colourspace_issupported(decoded.get_image()))
        return decoded;
    const VipsInterpretation target =
        isGreyPicture(decoded) && integral ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB;
    return withoutField(decoded.colourspace(target), VIPS_META_ICC_NAME);
}

// Sixteen-bit samples keep their top eight bits; the colour model stays.
VImage toEightBits(const VImage& image)
{
    if (image.format() == VIPS_FORMAT_UCHAR)
        return image;
    const VImage narrowed = image.cast(VIPS_FORMAT_UCHAR, VImage::option()->set("shift", true));
    VipsInterpretation interpretation = VIPS_INTERPRETATION_sRGB;
    if (image.interpretation() == VIPS_INTERPRETATION_CMYK)
        interpretation = VIPS_INTERPRETATION_CMYK;
    else if (isGreyPicture(image))
        interpretation = VIPS_INTERPRETATION_B_W;
    return narrowed.copy(VImage::option()->set("interpretation", interpretation));
}

VImage withoutAlpha(const VImage& image)
{
    if (!image.has_alpha())
        return image;
    const double white = image.format() == VIPS_FORMAT_USHORT ? 65535 : 255;
    return image.flatten(VImage::option()->set("background", std::vector<double>{white}));
}

// A profile that describes another colour space than the pixels is dropped:
// viewers would misread the picture, and some writers refuse it.
VImage withMatchingProfile(const VImage& image)
{
    const QString space = IccProfile::colourSpace(blobOf(image, VIPS_META_ICC_NAME));
    if (space.isEmpty())
        return image;
    const bool cmyk = image.interpretation() == VIPS_INTERPRETATION_CMYK;
    const bool matches = cmyk                   ? space == "CMYK"
                         : isGreyPicture(image) ? space == "GRAY"
                                                : space == "RGB";
    return matches ? image : withoutField(image, VIPS_META_ICC_NAME);
}

VImage adaptPixels(const VImage& image, Format format)
{
    VImage adapted = toWritableColour(image, format);
    if (format == Format::Jpeg)
        adapted = withoutAlpha(adapted);
    if (!holdsSixteenBits(format))
        adapted = toEightBits(adapted);
    return withMatchingProfile(adapted);
}

int orientationFrom(const QVariantMap& properties)
{
    if (properties.contains("Orientation"))
        return properties.value("Orientation").toInt();
    return properties.value("{TIFF}").toMap().value("Orientation").toInt();
}

// XMP-aware viewers follow the XMP copy of the orientation; it must say what
// the EXIF tag says.
QByteArray xmpWithOrientation(const QByteArray& xmp, int orientation)
{
    static const QRegularExpression attribute(QStringLiteral("(tiff:Orientation=[\"'])[0-9]+"));
    static const QRegularExpression element(QStringLiteral("(<tiff:Orientation>)\\s*[0-9]+"));
    QString text = QString::fromUtf8(xmp);
    const QString value = QString::number(orientation);
    text.replace(attribute, "\\1" + value);
    text.replace(element, "\\1" + value);
    return text.toUtf8();
}

VImage applyProperties(const VImage& image, const QVariantMap& properties)
{
    VImage tagged = image.copy();
    const int orientation = orientationFrom(properties);
    const QByteArray xmp = blobOf(image, VIPS_META_XMP_NAME);
    if (orientation >= 1 && orientation <= 8 && !xmp.isEmpty()) {
        const QByteArray matching = xmpWithOrientation(xmp, orientation);
        vips_image_set_blob_copy(tagged.get_image(), VIPS_META_XMP_NAME, matching.constData(),
                                 static_cast<size_t>(matching.size()));
    }
    if (orientation >= 1 && orientation <= 8)
        tagged.set(VIPS_META_ORIENTATION, orientation);
    else
        vips_image_remove(tagged.get_image(), VIPS_META_ORIENTATION);
    const double dpiWidth = properties.value("DPIWidth").toDouble();
    const double dpiHeight = properties.value("DPIHeight").toDouble();
    if (dpiWidth > 0 && dpiHeight > 0) {
        tagged = tagged.copy(VImage::option()
                                 ->set("xres", dpiWidth / millimetresPerInch)
                                 ->set("yres", dpiHeight / millimetresPerInch));
    }
    return tagged;
}

// The encoders take 1 to 100.
int encoderQuality(int qualityPercent)
{
    return std::clamp(qualityPercent, 1, 100);
}

// ImageMagick's security policy refuses paths below /proc, where the unnamed
// output file is reached, so it encodes into memory and the bytes are written
// here.
void writeBmp(const VImage& image, const char* path)
{
    VipsBlob* blob = image.magicksave_buffer(VImage::option()->set("format", "BMP3"));
    size_t length = 0;
    const auto* data = static_cast<const char*>(vips_blob_get(blob, &length));
    const int descriptor = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool written = descriptor >= 0 && DescriptorBytes::writeAll(descriptor, data, length);
    if (descriptor >= 0)
        written = ::close(descriptor) == 0 && written;
    vips_area_unref(VIPS_AREA(blob));
    if (!written)
        throw vips::VError(std::string("cannot write ") + path + ": " + std::strerror(errno));
}

struct Compression {
    int qualityPercent;
    bool lossless;
};

void saveHeif(const VImage& image, const char* path, int qualityPercent,
              VipsForeignHeifCompression compression)
{
    image.heifsave(path, VImage::option()
                             ->set("Q", encoderQuality(qualityPercent))
                             ->set("compression", compression)
                             ->set("bitdepth", 8));
}

void save(const VImage& image, const char* path, Format format, Compression compression)
{
    const int qualityPercent = compression.qualityPercent;
    switch (format) {
    case Format::Jpeg:
        image.jpegsave(path, VImage::option()->set("Q", encoderQuality(qualityPercent)));
        break;
    case Format::Png:
        image.pngsave(path);
        if (image.get_typeof(VIPS_META_EXIF_NAME) != 0) {
            if (const Outcome single = PngExifTrailer::removeRepeatedExif(NativePath::decode(path));
                !single)
                throw vips::VError("cannot remove the repeated EXIF chunk: " +
                                   single.message().toStdString());
        }
        break;
    case Format::Tiff:
        image.tiffsave(path, VImage::option()
                                 ->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_DEFLATE)
                                 ->set("predictor", VIPS_FOREIGN_TIFF_PREDICTOR_HORIZONTAL));
        break;
    case Format::Jpeg2000:
        image.jp2ksave(path, VImage::option()
                                 ->set("Q", encoderQuality(qualityPercent))
                                 ->set("lossless", qualityPercent >= 100));
        break;
    case Format::Gif:
        image.gifsave(path);
        break;
    case Format::Bmp:
        writeBmp(image, path);
        break;
    case Format::Webp:
        image.webpsave(path, VImage::option()
                                 ->set("Q", encoderQuality(qualityPercent))
                                 ->set("lossless", compression.lossless));
        break;
    case Format::Avif:
        saveHeif(image, path, qualityPercent, VIPS_FOREIGN_HEIF_COMPRESSION_AV1);
        break;
    case Format::Heic:
        saveHeif(image, path, qualityPercent, VIPS_FOREIGN_HEIF_COMPRESSION_HEVC);
        break;
    case Format::Jxl:
        image.jxlsave(path, VImage::option()
                                ->set("Q", encoderQuality(qualityPercent))
                                ->set("lossless", compression.lossless));
        break;
    case Format::Unknown:
        break;
    }
}

} // namespace

Outcome ImageEncoder::encode(const VImage& image, const QString& path,
                             const QString& typeIdentifier, const QVariantMap& properties,
                             int qualityPercent)
{
    const Format format = formatFor(typeIdentifier);
    if (format == Format::Unknown)
        return Outcome::failure(QStringLiteral("no encoder for type %1").arg(typeIdentifier));
    try {
        const VImage kept = KeptMetadata::applied(
            adaptPixels(image, format), properties.value(ImageService::metadataKey).toInt());
        const VImage ready = applyProperties(kept, properties);
        save(ready, NativePath::encode(path).constData(), format,
             {qualityPercent, properties.value(ImageService::losslessKey).toBool()});
        if (format == Format::Tiff) {
            const Outcome exif = Exiv2ExifWriter::addExif(blobOf(ready, VIPS_META_EXIF_NAME), path);
            if (!exif)
                qCWarning(logEncoder) << exif.message();
        }
        if (format == Format::Jxl) {
            if (const Outcome boxed = JxlContainer::addMetadata(
                    path, blobOf(ready, VIPS_META_EXIF_NAME), blobOf(ready, VIPS_META_XMP_NAME));
                !boxed)
                return boxed;
        }
        return Outcome::success();
    } catch (const vips::VError& error) {
        return Outcome::failure(
            QStringLiteral("cannot write %1: %2").arg(path, failureText(error)));
    }
}

} // namespace fw
