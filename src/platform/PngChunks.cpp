#include "platform/PngChunks.h"

#include "platform/NativePath.h"

#include <QFile>
#include <QtEndian>

namespace fw {

namespace {

constexpr qint64 signatureLength = 8;
// Length, type and check sum around a chunk's data.
constexpr qint64 chunkFrame = 12;
// PNG limits a chunk's length to 2^31 - 1.
constexpr quint32 longestChunk = 0x7fffffff;

} // namespace

QString PngChunks::damage(const QString& path)
{
    QFile file;
    if (!NativePath::openForReading(file, path))
        return QStringLiteral("it cannot be opened");
    const qint64 size = file.size();
    for (qint64 position = signatureLength; position + chunkFrame <= size;) {
        if (!file.seek(position))
            return QStringLiteral("it cannot be read");
        const QByteArray head = file.read(8);
        if (head.size() < 8)
            return QStringLiteral("it cannot be read");
        const quint32 length = qFromBigEndian<quint32>(head.constData());
        if (length > longestChunk || position + chunkFrame + length > size)
            return QStringLiteral("a chunk claims more bytes than the file holds");
        if (head.mid(4, 4) == "IEND")
            return {};
        position += chunkFrame + length;
    }
    // A file cut short before its end chunk is left to the decoder, which
    // reads what there is.
    return {};
}

} // namespace fw
