#include "batch/PhotoFile.h"

#include "core/Utils.h"
#include "platform/ExifOrientation.h"
#include "platform/ImageService.h"
#include "platform/PathInfo.h"

#include <QDateTime>
#include <QFileInfo>

namespace fw {

namespace {

QDate dateTakenOf(const QVariantMap& properties, const QString& path)
{
    const QVariantMap exif = properties.value("{Exif}").toMap();
    for (const char* key : {"DateTimeOriginal", "DateTimeDigitized"}) {
        const QDate date =
            QDate::fromString(exif.value(key).toString().left(10), QStringLiteral("yyyy:MM:dd"));
        if (date.isValid())
            return date;
    }
    return QFileInfo(path).lastModified().date();
}

} // namespace

PhotoFilePtr PhotoFile::atPath(const QString& path)
{
    auto photo = std::make_shared<PhotoFile>();
    const QFileInfo info(path);
    photo->filePath = path;
    photo->fileURL = path;
    photo->fileName = info.fileName();
    photo->fileExtension = info.suffix();
    return photo;
}

PhotoFilePtr PhotoFile::initWithFileUrl(const QString& path, bool isIphoto,
                                        const ImageService& images)
{
    PhotoFilePtr photo = atPath(path);
    photo->isIphotosNode = isIphoto;

    const QVariantMap properties = images.readProperties(path).value_or(QVariantMap{});
    const QSizeF upright = Utils(images).uprightSize(path, properties);
    photo->width = upright.width();
    photo->height = upright.height();
    photo->fileSizeInBytes = static_cast<double>(PathInfo::of(path).size());
    photo->dateTaken = dateTakenOf(properties, path);
    photo->fileSizeAsString = Utils::unitStringFromBytes(photo->fileSizeInBytes, 0);
    photo->newfileSizeInBytes = 0;
    return photo;
}

} // namespace fw
