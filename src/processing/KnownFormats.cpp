#include "processing/KnownFormats.h"

#include "core/Codes.h"

namespace fw {

const QStringList& KnownFormats::extensions()
{
    static const QStringList list = {"tif", "tiff", "png",  "jpg",  "jpeg", "jp2",
                                     "bmp", "gif",  "webp", "avif", "heic", "jxl"};
    return list;
}

int KnownFormats::indexOfExtension(const QString& extension)
{
    return static_cast<int>(extensions().indexOf(extension.toLower()));
}

QString KnownFormats::extensionAt(int index)
{
    return index >= 0 && index < extensions().size() ? extensions().at(index)
                                                     : extensions().first();
}

QString KnownFormats::typeIdentifierAt(int index)
{
    switch (index) {
    case FormatIndex::Png:
        return "public.png";
    case FormatIndex::Jpg:
    case FormatIndex::Jpeg:
        return "public.jpeg";
    case FormatIndex::Jp2:
        return "public.jpeg-2000";
    case FormatIndex::Bmp:
        return "com.microsoft.bmp";
    case FormatIndex::Gif:
        return "com.compuserve.gif";
    case FormatIndex::Webp:
        return "org.webmproject.webp";
    case FormatIndex::Avif:
        return "public.avif";
    case FormatIndex::Heic:
        return "public.heic";
    case FormatIndex::Jxl:
        return "public.jxl";
    default:
        return "public.tiff";
    }
}

bool KnownFormats::isLossy(int index)
{
    return index == FormatIndex::Jpg || index == FormatIndex::Jpeg || index == FormatIndex::Jp2 ||
           (index >= FormatIndex::Webp && index <= FormatIndex::Jxl);
}

bool KnownFormats::offersLossless(int index)
{
    return index == FormatIndex::Webp || index == FormatIndex::Jxl;
}

std::optional<int> KnownFormats::largestSide(int index)
{
    constexpr int largestWebpSide = 16383;
    constexpr int largestSixteenBitSide = 65535;
    switch (index) {
    case FormatIndex::Webp:
        return largestWebpSide;
    case FormatIndex::Jpg:
    case FormatIndex::Jpeg:
    case FormatIndex::Gif:
        return largestSixteenBitSide;
    default:
        return std::nullopt;
    }
}

bool KnownFormats::holds(const QString& extension, const QSize& size)
{
    const std::optional<int> largest = largestSide(indexOfExtension(extension));
    return !largest || std::max(size.width(), size.height()) <= *largest;
}

// Viewers of WebP, AVIF, HEIC and JPEG XL follow the container's own
// transform, not an EXIF tag, so those hold their pixels upright too.
bool KnownFormats::carriesOrientation(int index)
{
    return index >= FormatIndex::Tif && index <= FormatIndex::Jpeg;
}

bool KnownFormats::forcesReencoding(const QString& sourceExtension)
{
    static const QStringList reencoded = {"eps", "jpc", "p7",   "pc", "pgm",
                                          "pnm", "ppm", "ptif", "ui", "pct"};
    return reencoded.contains(sourceExtension.toLower());
}

} // namespace fw
