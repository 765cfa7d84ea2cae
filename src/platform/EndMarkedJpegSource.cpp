#include "platform/EndMarkedJpegSource.h"

#include "platform/NativePath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr unsigned char endMarker[2] = {0xFF, 0xD9};

struct Reader {
    int descriptor = -1;
    int markerBytesSent = 0;
};

gint64 readWithEndMarker(VipsSourceCustom*, void* buffer, gint64 length, gpointer data)
{
    auto* reader = static_cast<Reader*>(data);
    ssize_t count = 0;
    do {
        count = ::read(reader->descriptor, buffer, static_cast<size_t>(length));
    } while (count < 0 && errno == EINTR);
    if (count != 0)
        return count;
    const int left = 2 - reader->markerBytesSent;
    const int sent = static_cast<int>(std::min<gint64>(left, length));
    std::memcpy(buffer, endMarker + reader->markerBytesSent, static_cast<size_t>(sent));
    reader->markerBytesSent += sent;
    return sent;
}

void closeReader(gpointer data, GClosure*)
{
    auto* reader = static_cast<Reader*>(data);
    if (reader->descriptor >= 0)
        ::close(reader->descriptor);
    delete reader;
}

} // namespace

bool EndMarkedJpegSource::lacksEndMarker(const QString& path)
{
    const int descriptor = ::open(NativePath::encode(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status {};
    unsigned char last[2] = {};
    const bool read = ::fstat(descriptor, &status) == 0 && status.st_size >= 2 &&
                      ::pread(descriptor, last, 2, status.st_size - 2) == 2;
    ::close(descriptor);
    return read && std::memcmp(last, endMarker, 2) != 0;
}

vips::VSource EndMarkedJpegSource::open(const QString& path)
{
    auto* reader = new Reader;
    reader->descriptor = ::open(NativePath::encode(path).constData(), O_RDONLY | O_CLOEXEC);
    if (reader->descriptor < 0) {
        delete reader;
        throw vips::VError(std::string("cannot open ") + path.toStdString() + ": " +
                           std::strerror(errno));
    }
    VipsSourceCustom* custom = vips_source_custom_new();
    g_signal_connect_data(custom, "read", G_CALLBACK(readWithEndMarker), reader, closeReader,
                          GConnectFlags(0));
    return vips::VSource(VIPS_SOURCE(custom));
}

} // namespace fw
