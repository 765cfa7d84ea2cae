#include "platform/PngExifTrailer.h"

#include "platform/NativePath.h"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr qsizetype chunkFrameBytes = 12;
const QByteArray iendChunk("\0\0\0\0IEND\xae\x42\x60\x82", 12);
constexpr qsizetype signatureAndHeaderBytes = 8 + chunkFrameBytes + 13;

QByteArray readAt(int descriptor, qint64 offset, qsizetype length)
{
    QByteArray bytes(length, '\0');
    const ssize_t read = ::pread(descriptor, bytes.data(), static_cast<size_t>(length), offset);
    return read == length ? bytes : QByteArray();
}

// The offset of the eXIf chunk that ends where the closing IEND begins;
// -1 when the file ends otherwise.
qint64 trailingExifOffset(int descriptor, qint64 iendOffset)
{
    // The chunk's length is not known from its end, so its start is looked
    // for: a length field followed by "eXIf" that ends exactly at IEND.
    const qsizetype window = static_cast<qsizetype>(std::min<qint64>(iendOffset, 1 << 20));
    const qint64 windowStart = iendOffset - window;
    const QByteArray tail = readAt(descriptor, windowStart, window);
    for (qsizetype type = tail.lastIndexOf("eXIf"); type >= 4;
         type = tail.lastIndexOf("eXIf", type - 1)) {
        const quint32 length = qFromBigEndian<quint32>(tail.constData() + type - 4);
        const qint64 start = windowStart + type - 4;
        if (start + chunkFrameBytes + length == iendOffset && start > signatureAndHeaderBytes)
            return start;
    }
    return -1;
}

} // namespace

Outcome PngExifTrailer::removeRepeatedExif(const QString& path)
{
    const int descriptor = ::open(NativePath::encode(path).constData(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0)
        return Outcome::failure(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    Outcome outcome = Outcome::success();
    const qint64 iendOffset = ::fstat(descriptor, &status) == 0 ? status.st_size - 12 : -1;
    if (iendOffset > 0 && readAt(descriptor, iendOffset, 12) == iendChunk) {
        const qint64 trailing = trailingExifOffset(descriptor, iendOffset);
        const QByteArray head =
            readAt(descriptor, 0, static_cast<qsizetype>(std::min<qint64>(iendOffset, 64 * 1024)));
        const qsizetype firstExif = head.indexOf("eXIf");
        if (trailing > 0 && firstExif > 0 && firstExif + 4 < trailing &&
            (::pwrite(descriptor, iendChunk.constData(), 12, trailing) != 12 ||
             ::ftruncate(descriptor, trailing + 12) != 0))
            outcome = Outcome::failure(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ::close(descriptor);
    return outcome;
}

} // namespace fw
