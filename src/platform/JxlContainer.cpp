#include "platform/JxlContainer.h"

#include "platform/DescriptorBytes.h"
#include "platform/ExifBlock.h"
#include "platform/NativePath.h"

#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

// Larger outputs than this are not read back into memory to be wrapped.
constexpr qint64 largestWrapped = qint64(1) << 30;

QByteArray box(const char* type, const QByteArray& payload)
{
    QByteArray bytes(8, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size() + 8), bytes.data());
    std::memcpy(bytes.data() + 4, type, 4);
    return bytes + payload;
}

Outcome failed(const QString& path, const char* doing)
{
    return Outcome::failure(QStringLiteral("cannot %1 %2: %3")
                                .arg(doing, path, QString::fromLocal8Bit(std::strerror(errno))));
}

// The output may be an unnamed file reached through /proc, so it is read and
// rewritten through its descriptor rather than replaced by name.
bool readWhole(int descriptor, QByteArray& bytes)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || status.st_size > largestWrapped)
        return false;
    bytes.resize(static_cast<qsizetype>(status.st_size));
    for (qsizetype offset = 0; offset < bytes.size();) {
        const ssize_t count = ::pread(descriptor, bytes.data() + offset,
                                      static_cast<size_t>(bytes.size() - offset), offset);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        offset += count;
    }
    return true;
}

// The offset is still at the start: the bytes were read with pread.
bool writeWhole(int descriptor, const QByteArray& bytes)
{
    return ::ftruncate(descriptor, 0) == 0 &&
           DescriptorBytes::writeAll(descriptor, bytes.constData(),
                                     static_cast<size_t>(bytes.size()));
}

} // namespace

bool JxlContainer::isBareCodestream(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArray("\xff\x0a", 2));
}

QByteArray JxlContainer::wrapped(const QByteArray& codestream, const QByteArray& exifBlob,
                                 const QByteArray& xmp)
{
    static const QByteArray signature("\0\0\0\x0cJXL \x0d\x0a\x87\x0a", 12);
    QByteArray bytes = signature + box("ftyp", QByteArray("jxl \0\0\0\0jxl ", 12));
    const QByteArray tiff = ExifBlock::tiffStructureOf(exifBlob);
    if (!tiff.isEmpty())
        bytes += box("Exif", QByteArray(4, '\0') + tiff);
    if (!xmp.isEmpty())
        bytes += box("xml ", xmp);
    return bytes + box("jxlc", codestream);
}

Outcome JxlContainer::addMetadata(const QString& path, const QByteArray& exifBlob,
                                  const QByteArray& xmp)
{
    if (ExifBlock::tiffStructureOf(exifBlob).isEmpty() && xmp.isEmpty())
        return Outcome::success();
    const int descriptor = ::open(NativePath::encode(path).constData(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0)
        return failed(path, "open");
    QByteArray bytes;
    Outcome outcome = Outcome::success();
    if (!readWhole(descriptor, bytes))
        outcome = failed(path, "read");
    else if (isBareCodestream(bytes) && !writeWhole(descriptor, wrapped(bytes, exifBlob, xmp)))
        outcome = failed(path, "write");
    if (::close(descriptor) != 0 && outcome.ok())
        outcome = failed(path, "write");
    return outcome;
}

} // namespace fw
