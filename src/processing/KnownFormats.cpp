#include "processing/KnownFormats.h"

#include "core/Codes.h"

namespace fw {

const QStringList& KnownFormats::extensions()
{
    static const QStringList list = {"tif", "tiff", "png", "jpg", "jpeg", "jp2", "bmp", "gif"};
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
    default:
        return "public.tiff";
    }
}

bool KnownFormats::isLossy(int index)
{
    return index == FormatIndex::Jpg || index == FormatIndex::Jpeg || index == FormatIndex::Jp2;
}

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
