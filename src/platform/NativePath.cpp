#include "platform/NativePath.h"

#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr char16_t escapeBase = 0xDC00;
constexpr char16_t firstEscape = 0xDC80;
constexpr char16_t lastEscape = 0xDCFF;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of the bytes, or 0 when
// they do not start one (overlong forms, surrogates and values above U+10FFFF
// are not valid).
int validSequenceLength(const unsigned char* bytes, qsizetype available)
{
    const unsigned char lead = bytes[0];
    int length = 0;
    char32_t minimum = 0;
    char32_t value = 0;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (int index = 1; index < length; ++index) {
        if (!isContinuation(bytes[index]))
            return 0;
        value = (value << 6) | (bytes[index] & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < minimum || surrogate || value > 0x10FFFF ? 0 : length;
}

// A unit in the escape range is an escaped byte only when it stands alone:
// after a high surrogate it is the second half of a character outside the
// Basic Multilingual Plane (📷 is U+D83D U+DCF7).
bool isEscapeAt(const QString& path, qsizetype index)
{
    const char16_t unit = path.at(index).unicode();
    return unit >= firstEscape && unit <= lastEscape &&
           (index == 0 || !path.at(index - 1).isHighSurrogate());
}

bool holdsEscapes(const QString& path)
{
    for (qsizetype index = 0; index < path.size(); ++index) {
        if (isEscapeAt(path, index))
            return true;
    }
    return false;
}

} // namespace

QByteArray NativePath::encode(const QString& path)
{
    if (!holdsEscapes(path))
        return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype index = 0; index < path.size(); ++index) {
        if (!isEscapeAt(path, index))
            continue;
        bytes += QStringView(path).mid(runStart, index - runStart).toUtf8();
        bytes += static_cast<char>(path.at(index).unicode() - escapeBase);
        runStart = index + 1;
    }
    bytes += QStringView(path).mid(runStart).toUtf8();
    return bytes;
}

QString NativePath::decode(const QByteArray& name)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
    QString text;
    text.reserve(name.size());
    qsizetype runStart = 0;
    qsizetype index = 0;
    while (index < name.size()) {
        const int length = validSequenceLength(bytes + index, name.size() - index);
        if (length > 0) {
            index += length;
            continue;
        }
        text += QString::fromUtf8(name.constData() + runStart, index - runStart);
        text += QChar(static_cast<char16_t>(escapeBase + bytes[index]));
        runStart = ++index;
    }
    text += QString::fromUtf8(name.constData() + runStart, name.size() - runStart);
    return text;
}

QString NativePath::canonical(const QString& path)
{
    char resolved[PATH_MAX];
    if (::realpath(encode(path).constData(), resolved) == nullptr)
        return {};
    return decode(QByteArray(resolved));
}

bool NativePath::makePath(const QString& folder)
{
    const QByteArray bytes = encode(folder);
    for (qsizetype slash = bytes.indexOf('/', 1); slash != -1;
         slash = bytes.indexOf('/', slash + 1)) {
        if (::mkdir(bytes.left(slash).constData(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    ::mkdir(bytes.constData(), 0777);
    struct stat status {};
    return ::stat(bytes.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool NativePath::remove(const QString& path)
{
    return ::unlink(encode(path).constData()) == 0;
}

// Without blocking on a pipe or a device named like a file, and only for a
// regular file: reading a pipe would wait for a writer that never comes.
bool NativePath::openForReading(QFile& file, const QString& path)
{
    const int descriptor = ::open(encode(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    if (file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(descriptor);
    return false;
}

} // namespace fw
