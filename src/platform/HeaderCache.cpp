#include "platform/HeaderCache.h"

#include "platform/NativePath.h"

#include <sys/stat.h>

namespace fw {

std::optional<HeaderCache::Signature> HeaderCache::signatureOf(const QString& path)
{
    struct stat status {};
    if (::stat(NativePath::encode(path).constData(), &status) != 0)
        return std::nullopt;
    return Signature{static_cast<qint64>(status.st_size),
                     static_cast<qint64>(status.st_mtim.tv_sec) * 1000000000LL +
                         status.st_mtim.tv_nsec};
}

std::optional<HeaderCache::Read> HeaderCache::find(const QString& path)
{
    const std::optional<Signature> signature = signatureOf(path);
    const QMutexLocker lock(&mutex);
    const auto entry = entries.constFind(path);
    if (!signature || entry == entries.cend() || !(entry->signature == *signature))
        return std::nullopt;
    return entry->read;
}

void HeaderCache::insert(const QString& path, const Read& read)
{
    const std::optional<Signature> signature = signatureOf(path);
    if (!signature)
        return;
    const QMutexLocker lock(&mutex);
    if (!entries.contains(path))
        order.append(path);
    entries.insert(path, {*signature, read});
    while (order.size() > capacity)
        entries.remove(order.takeFirst());
}

} // namespace fw
