#include "platform/PropertiesCache.h"

#include "platform/NativePath.h"

#include <QFile>
#include <sys/stat.h>

namespace fw {

std::optional<PropertiesCache::Signature> PropertiesCache::signatureOf(const QString& path)
{
    struct stat status {};
    if (::stat(NativePath::encode(path).constData(), &status) != 0)
        return std::nullopt;
    return Signature{static_cast<qint64>(status.st_size),
                     static_cast<qint64>(status.st_mtim.tv_sec) * 1000000000LL +
                         status.st_mtim.tv_nsec};
}

std::optional<QVariantMap> PropertiesCache::find(const QString& path)
{
    const std::optional<Signature> signature = signatureOf(path);
    const QMutexLocker lock(&mutex);
    const auto entry = entries.constFind(path);
    if (!signature || entry == entries.cend() || !(entry->signature == *signature))
        return std::nullopt;
    return entry->properties;
}

void PropertiesCache::insert(const QString& path, const QVariantMap& properties)
{
    const std::optional<Signature> signature = signatureOf(path);
    if (!signature)
        return;
    const QMutexLocker lock(&mutex);
    if (!entries.contains(path))
        order.append(path);
    entries.insert(path, {*signature, properties});
    while (order.size() > capacity)
        entries.remove(order.takeFirst());
}

} // namespace fw
