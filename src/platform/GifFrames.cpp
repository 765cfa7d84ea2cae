#include "platform/GifFrames.h"

#include "platform/NativePath.h"

#include <QFile>

namespace fw {

namespace {

constexpr char imageSeparator = 0x2C;
constexpr char extensionIntroducer = 0x21;
constexpr char trailer = 0x3B;
constexpr int screenDescriptorEnd = 13;

int littleEndian16(const QByteArray& bytes, qsizetype offset)
{
    return static_cast<quint8>(bytes.at(offset)) | (static_cast<quint8>(bytes.at(offset + 1)) << 8);
}

// The bytes of a colour table that follows a descriptor with these flags.
int colourTableBytes(quint8 flags)
{
    return (flags & 0x80) != 0 ? 3 * (2 << (flags & 0x07)) : 0;
}

// Skips a chain of data sub-blocks; false at the end of the file.
bool skipSubBlocks(QFile& file)
{
    for (;;) {
        char length = 0;
        if (!file.getChar(&length))
            return false;
        if (length == 0)
            return true;
        if (!file.seek(file.pos() + static_cast<quint8>(length)))
            return false;
    }
}

} // namespace

std::optional<QSize> GifFrames::canvasSize(const QString& path)
{
    QFile file;
    if (!NativePath::openForReading(file, path))
        return std::nullopt;
    const QByteArray header = file.read(screenDescriptorEnd);
    if (header.size() < screenDescriptorEnd || !header.startsWith("GIF"))
        return std::nullopt;
    QSize canvas(littleEndian16(header, 6), littleEndian16(header, 8));
    file.seek(screenDescriptorEnd + colourTableBytes(static_cast<quint8>(header.at(10))));
    char introducer = 0;
    while (file.getChar(&introducer) && introducer != trailer) {
        if (introducer == extensionIntroducer) {
            if (!file.getChar(&introducer) || !skipSubBlocks(file))
                break;
            continue;
        }
        if (introducer != imageSeparator)
            break;
        const QByteArray descriptor = file.read(9);
        if (descriptor.size() < 9)
            break;
        canvas =
            canvas.expandedTo(QSize(littleEndian16(descriptor, 0) + littleEndian16(descriptor, 4),
                                    littleEndian16(descriptor, 2) + littleEndian16(descriptor, 6)));
        file.seek(file.pos() + colourTableBytes(static_cast<quint8>(descriptor.at(8))) + 1);
        if (!skipSubBlocks(file))
            break;
    }
    return canvas;
}

} // namespace fw
