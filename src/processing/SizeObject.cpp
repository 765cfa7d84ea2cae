#include "processing/SizeObject.h"

namespace fw {

namespace {

double toSinglePrecision(double value)
{
    return static_cast<double>(static_cast<float>(value));
}

} // namespace

QJsonObject SizeObject::toArchive() const
{
    QJsonObject archive;
    archive.insert("name", name);
    archive.insert("customWidth", toSinglePrecision(customWidth));
    archive.insert("customHeight", toSinglePrecision(customHeight));
    archive.insert("perWidth", toSinglePrecision(perWidth));
    archive.insert("perHeight", toSinglePrecision(perHeight));
    archive.insert("isCustomSize", isCustomSize);
    archive.insert("isPercentSize", isPercentSize);
    archive.insert("isKeepAspectRatio", isKeepAspectRatio);
    archive.insert("isKeepOriginalSize", isKeepOriginalSize);
    if (sizeMode != 0)
        archive.insert("sizeMode", sizeMode);
    if (edgeLength != 0)
        archive.insert("edgeLength", toSinglePrecision(edgeLength));
    if (isNoEnlarge)
        archive.insert("isNoEnlarge", true);
    return archive;
}

SizeObject SizeObject::fromArchive(const QJsonObject& archive)
{
    SizeObject size;
    size.name = archive.value("name").toString();
    size.customWidth = toSinglePrecision(archive.value("customWidth").toDouble());
    size.customHeight = toSinglePrecision(archive.value("customHeight").toDouble());
    size.perWidth = toSinglePrecision(archive.value("perWidth").toDouble());
    size.perHeight = toSinglePrecision(archive.value("perHeight").toDouble());
    size.isCustomSize = archive.value("isCustomSize").toBool();
    size.isPercentSize = archive.value("isPercentSize").toBool();
    size.isKeepAspectRatio = archive.value("isKeepAspectRatio").toBool();
    size.isKeepOriginalSize = archive.value("isKeepOriginalSize").toBool();
    size.sizeMode = archive.value("sizeMode").toInt();
    size.edgeLength = toSinglePrecision(archive.value("edgeLength").toDouble());
    size.isNoEnlarge = archive.value("isNoEnlarge").toBool();
    return size;
}

} // namespace fw
