#include "platform/Exiv2ExifWriter.h"

#include "platform/ExifBlock.h"
#include "platform/Exiv2MetadataReader.h"
#include "platform/NativePath.h"

#include <QFile>
#include <QSet>
#include <exiv2/exiv2.hpp>

namespace fw {

namespace {

// libvips writes these from the image's own fields.
bool writtenByTiffWriter(const Exiv2::Exifdatum& datum)
{
    static const QSet<QByteArray> tags = {"Orientation", "XResolution", "YResolution",
                                          "ResolutionUnit"};
    return datum.groupName() == "Image" &&
           tags.contains(QByteArray::fromStdString(datum.tagName()));
}

} // namespace

Outcome Exiv2ExifWriter::addExif(const QByteArray& exifBlob, const QString& tiffPath)
{
    const QByteArray structure = ExifBlock::tiffStructureOf(exifBlob);
    if (structure.isEmpty())
        return Outcome::success();
    try {
        Exiv2::ExifData source;
        Exiv2::ExifParser::decode(source,
                                  reinterpret_cast<const Exiv2::byte*>(structure.constData()),
                                  static_cast<uint32_t>(structure.size()));
        Exiv2::Image::AutoPtr image =
            Exiv2::ImageFactory::open(NativePath::encode(tiffPath).toStdString(), false);
        image->readMetadata();
        Exiv2::ExifData& target = image->exifData();
        for (const Exiv2::Exifdatum& datum : source) {
            if (Exiv2MetadataReader::isPortable(datum) && !writtenByTiffWriter(datum))
                target[datum.key()] = datum.value();
        }
        image->writeMetadata();
        return Outcome::success();
    } catch (const std::exception& error) {
        return Outcome::failure(
            QStringLiteral("cannot add EXIF to %1: %2").arg(tiffPath, error.what()));
    }
}

} // namespace fw
