#include "core/ExifInfo.h"

#include "platform/ImageService.h"

namespace fw {

ExifInfo ExifInfo::initWithFile(const QString& path, const ImageService& images)
{
    ExifInfo info;
    info.resetAllWithDict(exifForFile(path, images));
    return info;
}

std::optional<QVariantMap> ExifInfo::exifForFile(const QString& path, const ImageService& images)
{
    return images.readProperties(path);
}

void ExifInfo::resetAllWithDict(const std::optional<QVariantMap>& properties)
{
    if (!properties)
        return;
    size = QStringLiteral("%1 x %2").arg(properties->value("PixelWidth").toString(),
                                         properties->value("PixelHeight").toString());
    model = properties->value("ColorModel").toString();
    storedOrientation = properties->value("Orientation").toInt();
}

} // namespace fw
