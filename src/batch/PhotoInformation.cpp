#include "batch/PhotoInformation.h"

#include "batch/PhotoFile.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/ImageService.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QVariantMap>
#include <cmath>

namespace fw {

namespace {

QString firstOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        return list.isEmpty() ? QString() : list.first().toString();
    }
    return value.toString();
}

QString number(double value)
{
    return QLocale().toString(value, 'g', 4);
}

// "Canon" and "Canon EOS 5D" read as "Canon EOS 5D", not twice the make.
QString cameraText(const QVariantMap& tiff)
{
    const QString make = tiff.value("Make").toString().trimmed();
    const QString model = tiff.value("Model").toString().trimmed();
    if (make.isEmpty() || model.startsWith(make, Qt::CaseInsensitive))
        return model;
    return model.isEmpty() ? make : make + ' ' + model;
}

// EXIF writes "2024:05:01 12:34:56", the camera's clock with no zone: shown
// as it stands, in the user's way of writing dates.
QString dateText(const QString& exifDate)
{
    const QDateTime taken =
        QDateTime::fromString(exifDate.left(19), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    if (!taken.isValid())
        return exifDate;
    const QLocale locale;
    return QStringLiteral("%1, %2").arg(locale.toString(taken.date(), QLocale::LongFormat),
                                        locale.toString(taken.time(), QLocale::ShortFormat));
}

QList<PhotoInformation::Row> headerRows(const QVariantMap& properties)
{
    const QVariantMap tiff = properties.value("{TIFF}").toMap();
    const QVariantMap exif = properties.value("{Exif}").toMap();
    const QVariantMap gps = properties.value("{GPS}").toMap();
    QList<PhotoInformation::Row> rows{
        {StringKey::CAMERA, cameraText(tiff)},
        {StringKey::DATE_TAKEN, dateText(exif.value("DateTimeOriginal").toString())},
    };
    if (const double seconds = exif.value("ExposureTime").toDouble(); seconds > 0)
        rows.append({StringKey::EXPOSURE, PhotoInformation::exposureText(seconds)});
    if (const double fNumber = exif.value("FNumber").toDouble(); fNumber > 0)
        rows.append({StringKey::APERTURE, "f/" + number(fNumber)});
    rows.append({StringKey::ISO, firstOf(exif.value("ISOSpeedRatings"))});
    if (const double focal = exif.value("FocalLength").toDouble(); focal > 0)
        rows.append({StringKey::FOCAL_LENGTH, number(focal) + " mm"});
    if (gps.contains("Latitude") && gps.contains("Longitude"))
        rows.append({StringKey::GPS_POSITION,
                     PhotoInformation::positionText(
                         gps.value("Latitude").toDouble(), gps.value("LatitudeRef").toString(),
                         gps.value("Longitude").toDouble(), gps.value("LongitudeRef").toString())});
    rows.append({StringKey::COLOR_MODEL, properties.value("ColorModel").toString()});
    rows.append({StringKey::COLOR_PROFILE, properties.value("ProfileName").toString()});
    return rows;
}

} // namespace

QList<PhotoInformation::Row> PhotoInformation::read(const PhotoFile& photo,
                                                    const ImageService& images)
{
    QList<Row> rows{
        {StringKey::FILE_NAME, photo.fileName},
        {StringKey::TYPE, photo.fileExtension.toUpper()},
        {StringKey::DIMENSIONS, Utils::dimensionsText(static_cast<qint64>(photo.width),
                                                      static_cast<qint64>(photo.height))},
        {StringKey::FILE_SIZE, photo.fileSizeAsString},
        {StringKey::FILE_LOCATION, QFileInfo(photo.filePath).path()},
    };
    if (const std::optional<QVariantMap> properties = images.readProperties(photo.filePath)) {
        for (const Row& row : headerRows(*properties)) {
            if (!row.value.isEmpty())
                rows.append(row);
        }
    }
    return rows;
}

QString PhotoInformation::exposureText(double seconds)
{
    if (seconds >= 1)
        return number(seconds) + " s";
    return QStringLiteral("1/%1 s").arg(std::lround(1 / seconds));
}

QString PhotoInformation::positionText(double latitude, const QString& latitudeRef,
                                       double longitude, const QString& longitudeRef)
{
    const auto part = [](double degrees, const QString& ref) {
        return QStringLiteral("%1° %2").arg(QString::number(degrees, 'f', 5), ref);
    };
    return part(latitude, latitudeRef.isEmpty() ? "N" : latitudeRef) + ", " +
           part(longitude, longitudeRef.isEmpty() ? "E" : longitudeRef);
}

} // namespace fw
