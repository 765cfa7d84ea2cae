#include "support/ScriptedImageService.h"

#include <QFile>

namespace fw::test {

Outcome ScriptedImageService::encode(const Image& image, const QString& path, const QString& type,
                                     const QVariantMap& properties,
                                     std::optional<int> qualityPercent) const
{
    ++encodeCalls;
    if (beforeEncode)
        beforeEncode();
    if (beforeEncodeOf)
        beforeEncodeOf(image);
    if (!bytesBeforeFailure)
        return real().encode(image, path, type, properties, qualityPercent);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray(*bytesBeforeFailure, '\xff'));
    // Worded as libvips words a failed write: with the path it was given.
    return Outcome::failure(QStringLiteral("unable to write to \"%1\": no space left on device "
                                           "after %2 bytes")
                                .arg(path)
                                .arg(*bytesBeforeFailure));
}

} // namespace fw::test
