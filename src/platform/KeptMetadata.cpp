#include "platform/KeptMetadata.h"

#include "platform/ExifBlock.h"
#include "platform/VipsImage.h"

#include <QList>
#include <exiv2/exiv2.hpp>

namespace fw {

namespace {

// libvips names the GPS directory's fields "exif-ifd3-..." and writes them
// back into the EXIF block on saving.
bool isLocationField(const QByteArray& field)
{
    return field.startsWith("exif-ifd3-");
}

bool isDescriptiveField(const QByteArray& field)
{
    return field.startsWith("exif-") || field == VIPS_META_XMP_NAME ||
           field == VIPS_META_IPTC_NAME || field == VIPS_META_PHOTOSHOP_NAME ||
           field.startsWith("png-comment-") || field == "gif-comment";
}

QList<QByteArray> fieldsOf(const vips::VImage& image)
{
    QList<QByteArray> names;
    gchar** fields = vips_image_get_fields(image.get_image());
    for (gchar** field = fields; field != nullptr && *field != nullptr; ++field)
        names << QByteArray(*field);
    g_strfreev(fields);
    return names;
}

void setBlob(vips::VImage& image, const char* name, const QByteArray& blob)
{
    vips_image_remove(image.get_image(), name);
    if (!blob.isEmpty())
        vips_image_set_blob_copy(image.get_image(), name, blob.constData(),
                                 static_cast<size_t>(blob.size()));
}

} // namespace

vips::VImage KeptMetadata::applied(const vips::VImage& image, int choice)
{
    if (choice != WithoutLocation && choice != PictureOnly)
        return image;
    vips::VImage kept = image.copy();
    for (const QByteArray& field : fieldsOf(kept)) {
        const bool dropped =
            choice == PictureOnly ? isDescriptiveField(field) : isLocationField(field);
        if (dropped)
            vips_image_remove(kept.get_image(), field.constData());
    }
    if (choice == WithoutLocation) {
        setBlob(kept, VIPS_META_EXIF_NAME, exifWithoutLocation(blobOf(image, VIPS_META_EXIF_NAME)));
        setBlob(kept, VIPS_META_XMP_NAME, xmpWithoutLocation(blobOf(image, VIPS_META_XMP_NAME)));
    }
    return kept;
}

QByteArray KeptMetadata::exifWithoutLocation(const QByteArray& exif)
{
    const QByteArray structure = ExifBlock::tiffStructureOf(exif);
    const bool identified = structure.size() != exif.size();
    if (structure.isEmpty())
        return {};
    try {
        Exiv2::ExifData data;
        const Exiv2::ByteOrder order = Exiv2::ExifParser::decode(
            data, reinterpret_cast<const Exiv2::byte*>(structure.constData()),
            static_cast<uint32_t>(structure.size()));
        for (auto datum = data.begin(); datum != data.end();)
            datum = datum->groupName() == "GPSInfo" ? data.erase(datum) : std::next(datum);
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, order, data);
        const QByteArray encoded(reinterpret_cast<const char*>(blob.data()),
                                 static_cast<qsizetype>(blob.size()));
        return identified ? ExifBlock::fromTiffStructure(encoded) : encoded;
    } catch (const std::exception&) {
        return {};
    }
}

QByteArray KeptMetadata::xmpWithoutLocation(const QByteArray& xmp)
{
    if (xmp.isEmpty())
        return {};
    try {
        Exiv2::XmpData data;
        if (Exiv2::XmpParser::decode(data, xmp.toStdString()) != 0)
            return {};
        for (auto datum = data.begin(); datum != data.end();) {
            const bool location = datum->key().rfind("Xmp.exif.GPS", 0) == 0;
            datum = location ? data.erase(datum) : std::next(datum);
        }
        std::string packet;
        if (Exiv2::XmpParser::encode(packet, data, Exiv2::XmpParser::omitPacketWrapper) != 0)
            return {};
        return QByteArray::fromStdString(packet);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace fw
