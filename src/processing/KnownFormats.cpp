#include "processing/KnownFormats.h"

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
    case 2:
        return "public.png";
    case 3:
    case 4:
        return "public.jpeg";
    case 5:
        return "public.jpeg-2000";
    case 6:
        return "com.microsoft.bmp";
    case 7:
        return "com.compuserve.gif";
    default:
        return "public.tiff";
    }
}

bool KnownFormats::isLossy(int index)
{
    return index == 3 || index == 4 || index == 5;
}

bool KnownFormats::carriesOrientation(int index)
{
    return index >= 0 && index <= 4;
}

bool KnownFormats::forcesReencoding(const QString& sourceExtension)
{
    static const QStringList reencoded = {"eps", "jpc", "p7",   "pc", "pgm",
                                          "pnm", "ppm", "ptif", "ui", "pct"};
    return reencoded.contains(sourceExtension.toLower());
}

} // namespace fw
