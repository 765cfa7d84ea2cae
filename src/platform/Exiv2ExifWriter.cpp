#include "platform/Exiv2ExifWriter.h"

#include <QFile>
#include <QSet>
#include <exiv2/exiv2.hpp>

namespace fw {

namespace {

// Descriptive first-directory tags; the others describe the stored pixels,
// which belong to the TIFF writer.
bool isDescriptiveImageTag(const std::string& tag)
{
    static const QSet<QByteArray> tags = {"Make",   "Model",     "Software",        "DateTime",
                                          "Artist", "Copyright", "ImageDescription"};
    return tags.contains(QByteArray::fromStdString(tag));
}

bool belongsInTiff(const Exiv2::Exifdatum& datum)
{
    const std::string group = datum.groupName();
    if (group == "Photo")
        return datum.tagName() != "MakerNote";
    return group == "GPSInfo" || (group == "Image" && isDescriptiveImageTag(datum.tagName()));
}

// The EXIF blob of an image starts with the APP1 identifier "Exif\0\0".
QByteArray tiffStructureOf(const QByteArray& exifBlob)
{
    return exifBlob.startsWith(QByteArray("Exif\0\0", 6)) ? exifBlob.mid(6) : exifBlob;
}

} // namespace

Outcome Exiv2ExifWriter::addExif(const QByteArray& exifBlob, const QString& tiffPath)
{
    const QByteArray structure = tiffStructureOf(exifBlob);
    if (structure.isEmpty())
        return Outcome::success();
    try {
        Exiv2::ExifData source;
        Exiv2::ExifParser::decode(source, reinterpret_cast<const Exiv2::byte*>(structure.constData()),
                                  static_cast<uint32_t>(structure.size()));
        Exiv2::Image::AutoPtr image =
            Exiv2::ImageFactory::open(QFile::encodeName(tiffPath).toStdString(), false);
        image->readMetadata();
        Exiv2::ExifData& target = image->exifData();
        for (const Exiv2::Exifdatum& datum : source) {
            if (belongsInTiff(datum))
                target[datum.key()] = datum.value();
        }
        image->writeMetadata();
        return Outcome::success();
    } catch (const std::exception& error) {
        return Outcome::failure(QStringLiteral("cannot add EXIF to %1: %2").arg(tiffPath, error.what()));
    }
}

} // namespace fw
