#include "platform/XvThumbnail.h"

#include "platform/NativePath.h"
#include "platform/VipsImage.h"

#include <QFile>
#include <QList>
#include <vector>

namespace fw {

namespace {

constexpr qint64 headerSearchLength = 4096;
constexpr int largestSide = 65535;

// Three bits to the full 0..255 range (and two bits, for blue).
quint8 widened(int value, int maximum)
{
    return static_cast<quint8>(value * 255 / maximum);
}

} // namespace

bool XvThumbnail::isXvThumbnail(const QByteArray& fileStart)
{
    return fileStart.startsWith("P7 332");
}

// After the magic line come comment lines ("#..."), then "width height 255".
std::optional<XvThumbnail::Header> XvThumbnail::readHeader(const QString& path)
{
    QFile file;
    if (!NativePath::openForReading(file, path))
        return std::nullopt;
    const QByteArray start = file.read(headerSearchLength);
    if (!isXvThumbnail(start))
        return std::nullopt;
    qsizetype lineStart = start.indexOf('\n') + 1;
    while (lineStart > 0 && lineStart < start.size()) {
        const qsizetype lineEnd = start.indexOf('\n', lineStart);
        if (lineEnd < 0)
            return std::nullopt;
        const QByteArray line = start.mid(lineStart, lineEnd - lineStart).trimmed();
        if (!line.startsWith('#')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() != 3 || fields.at(2) != "255")
                return std::nullopt;
            const int width = fields.at(0).toInt();
            const int height = fields.at(1).toInt();
            if (width <= 0 || height <= 0 || width > largestSide || height > largestSide)
                return std::nullopt;
            return Header{width, height, lineEnd + 1};
        }
        lineStart = lineEnd + 1;
    }
    return std::nullopt;
}

std::optional<vips::VImage> XvThumbnail::decode(const QString& path)
{
    const std::optional<Header> header = readHeader(path);
    QFile file;
    if (!header || !NativePath::openForReading(file, path) || !file.seek(header->pixelOffset))
        return std::nullopt;
    const qint64 pixels = static_cast<qint64>(header->width) * header->height;
    const QByteArray packed = file.read(pixels);
    if (packed.size() != pixels)
        return std::nullopt;
    std::vector<quint8> rgb(static_cast<std::size_t>(pixels) * 3);
    for (qint64 index = 0; index < pixels; ++index) {
        const int value = static_cast<quint8>(packed.at(index));
        rgb[index * 3] = widened(value >> 5, 7);
        rgb[index * 3 + 1] = widened((value >> 2) & 7, 7);
        rgb[index * 3 + 2] = widened(value & 3, 3);
    }
    return imageFromPixels(rgb.data(), rgb.size(), header->width, header->height, 3,
                           VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

} // namespace fw
