#include "platform/Exiv2MetadataReader.h"

#include "platform/ExifBlock.h"
#include "platform/NativePath.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSet>
#include <QStringList>
#include <QVariantList>
#include <exiv2/exiv2.hpp>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logExiv2, "framewright.exiv2", QtCriticalMsg)

// Arrays longer than this are structure (strip offsets, tables), not
// information a user reads.
constexpr long maximumListLength = 16;

void forwardExiv2Message(int level, const char* message)
{
    if (level >= Exiv2::LogMsg::error)
        qCDebug(logExiv2) << QByteArray(message).trimmed();
}

bool isNumeric(Exiv2::TypeId type)
{
    switch (type) {
    case Exiv2::unsignedByte:
    case Exiv2::unsignedShort:
    case Exiv2::unsignedLong:
    case Exiv2::signedByte:
    case Exiv2::signedShort:
    case Exiv2::signedLong:
        return true;
    default:
        return false;
    }
}

bool isFractional(Exiv2::TypeId type)
{
    return type == Exiv2::unsignedRational || type == Exiv2::signedRational ||
           type == Exiv2::tiffFloat || type == Exiv2::tiffDouble;
}

template <typename Datum> QVariant valueOf(const Datum& datum)
{
    const Exiv2::TypeId type = datum.typeId();
    const long count = datum.count();
    if (type == Exiv2::asciiString || type == Exiv2::string || type == Exiv2::xmpText)
        return QString::fromStdString(datum.toString()).remove(QChar('\0')).trimmed();
    if ((!isNumeric(type) && !isFractional(type)) || count < 1 || count > maximumListLength)
        return {};
    auto element = [&](long index) -> QVariant {
        if (isFractional(type))
            return static_cast<double>(datum.toFloat(index));
        return static_cast<qint64>(datum.toLong(index));
    };
    if (count == 1)
        return element(0);
    QVariantList list;
    for (long index = 0; index < count; ++index)
        list.append(element(index));
    return list;
}

double degreesOf(const Exiv2::Exifdatum& datum)
{
    double degrees = 0;
    double unit = 1;
    for (long index = 0; index < std::min(datum.count(), 3L); ++index) {
        degrees += datum.toFloat(index) / unit;
        unit *= 60;
    }
    return degrees;
}

QString timeOf(const Exiv2::Exifdatum& datum)
{
    if (datum.count() < 3)
        return {};
    return QString::asprintf("%02d:%02d:%05.2f", static_cast<int>(datum.toFloat(0)),
                             static_cast<int>(datum.toFloat(1)), datum.toFloat(2));
}

// GPS keys drop their "GPS" prefix; positions become decimal degrees.
void addGpsEntry(QVariantMap& gps, const Exiv2::Exifdatum& datum)
{
    QString key = QString::fromStdString(datum.tagName());
    if (key.startsWith("GPS"))
        key.remove(0, 3);
    if (key == "Latitude" || key == "Longitude" || key == "DestLatitude" || key == "DestLongitude")
        gps.insert(key, degreesOf(datum));
    else if (key == "TimeStamp")
        gps.insert(key, timeOf(datum));
    else if (const QVariant value = valueOf(datum); value.isValid())
        gps.insert(key, value);
}

void addExifEntry(Exiv2MetadataReader::Dictionaries& result, const Exiv2::Exifdatum& datum)
{
    const std::string group = datum.groupName();
    if (group == "GPSInfo") {
        addGpsEntry(result.gps, datum);
        return;
    }
    QVariantMap* target = group == "Image"   ? &result.tiff
                          : group == "Photo" ? &result.exif
                                             : nullptr;
    if (target == nullptr)
        return;
    const QVariant value = valueOf(datum);
    if (!value.isValid())
        return;
    const QString key = QString::fromStdString(datum.tagName());
    target->insert(key, value);
    if (group == "Image" && key == "Orientation") {
        const int orientation = value.toInt();
        if (orientation >= 1 && orientation <= 8)
            result.orientation = orientation;
    }
}

// Repeatable IPTC data sets (keywords, say) become lists.
void addIptcEntry(QVariantMap& iptc, const Exiv2::Iptcdatum& datum)
{
    const QString key = QString::fromStdString(datum.tagName());
    const QString value = QString::fromStdString(datum.toString()).trimmed();
    if (!iptc.contains(key)) {
        iptc.insert(key, value);
        return;
    }
    QStringList values = iptc.value(key).toStringList();
    values.append(value);
    iptc.insert(key, values);
}

void addEntries(Exiv2MetadataReader::Dictionaries& result, const Exiv2::ExifData& exif,
                const Exiv2::IptcData& iptc)
{
    for (const Exiv2::Exifdatum& datum : exif)
        addExifEntry(result, datum);
    for (const Exiv2::Iptcdatum& datum : iptc) {
        if (datum.recordName() == "Application2")
            addIptcEntry(result.iptc, datum);
    }
}

const QByteArray photoshopIdentifier("Photoshop 3.0\0", 14);

const Exiv2::byte* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const Exiv2::byte*>(data.constData());
}

Exiv2::IptcData iptcFromPhotoshopBlock(const QByteArray& block)
{
    Exiv2::IptcData iptc;
    const QByteArray resources =
        block.startsWith(photoshopIdentifier) ? block.mid(photoshopIdentifier.size()) : block;
    const Exiv2::byte* record = nullptr;
    uint32_t headerSize = 0;
    uint32_t dataSize = 0;
    if (!resources.isEmpty() &&
        Exiv2::Photoshop::locateIptcIrb(bytesOf(resources), resources.size(), &record, &headerSize,
                                        &dataSize) == 0)
        Exiv2::IptcParser::decode(iptc, record + headerSize, dataSize);
    return iptc;
}

} // namespace

void Exiv2MetadataReader::initialize()
{
    Exiv2::XmpParser::initialize();
    Exiv2::LogMsg::setHandler(forwardExiv2Message);
}

Exiv2MetadataReader::Dictionaries Exiv2MetadataReader::read(const QString& path)
{
    Dictionaries result;
    try {
        Exiv2::Image::AutoPtr image =
            Exiv2::ImageFactory::open(NativePath::encode(path).toStdString(), false);
        if (!image.get() || !image->good())
            return result;
        image->readMetadata();
        addEntries(result, image->exifData(), image->iptcData());
    } catch (const std::exception& error) {
        qCDebug(logExiv2) << "no metadata from" << path << ":" << error.what();
    }
    return result;
}

} // namespace fw

namespace fw {

Exiv2MetadataReader::Dictionaries Exiv2MetadataReader::readBlobs(const QByteArray& exif,
                                                                 const QByteArray& iptc)
{
    Dictionaries result;
    try {
        Exiv2::ExifData exifData;
        const QByteArray structure = ExifBlock::tiffStructureOf(exif);
        if (!structure.isEmpty())
            Exiv2::ExifParser::decode(exifData, bytesOf(structure),
                                      static_cast<uint32_t>(structure.size()));
        addEntries(result, exifData, iptcFromPhotoshopBlock(iptc));
    } catch (const std::exception& error) {
        qCDebug(logExiv2) << "unreadable metadata block:" << error.what();
    }
    return result;
}

QByteArray Exiv2MetadataReader::exifBlobOf(const QString& path)
{
    try {
        Exiv2::Image::AutoPtr image =
            Exiv2::ImageFactory::open(NativePath::encode(path).toStdString(), false);
        image->readMetadata();
        Exiv2::ExifData portable;
        for (const Exiv2::Exifdatum& datum : image->exifData()) {
            if (isPortable(datum))
                portable.add(datum);
        }
        if (portable.empty())
            return {};
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, portable);
        return ExifBlock::fromTiffStructure(QByteArray(reinterpret_cast<const char*>(blob.data()),
                                                       static_cast<qsizetype>(blob.size())));
    } catch (const std::exception& error) {
        qCDebug(logExiv2) << "no EXIF block from" << path << ":" << error.what();
        return {};
    }
}

} // namespace fw

namespace fw {

bool Exiv2MetadataReader::isPortable(const Exiv2::Exifdatum& datum)
{
    static const QSet<QByteArray> descriptiveImageTags = {
        "Make",        "Model",       "Software",         "DateTime",
        "Artist",      "Copyright",   "ImageDescription", "Orientation",
        "XResolution", "YResolution", "ResolutionUnit"};
    const std::string group = datum.groupName();
    if (group == "Photo")
        return datum.tagName() != "MakerNote";
    if (group == "GPSInfo")
        return true;
    return group == "Image" &&
           descriptiveImageTags.contains(QByteArray::fromStdString(datum.tagName()));
}

} // namespace fw
