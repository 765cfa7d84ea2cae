#include "support/ScriptedImageService.h"

#include <QFile>

namespace fw::test {

Outcome ScriptedImageService::encode(const Image& image, const QString& path, const QString& type,
                                     const QVariantMap& properties,
                                     std::optional<double> quality) const
{
    ++encodeCalls;
    if (beforeEncode)
        beforeEncode();
    if (!bytesBeforeFailure)
        return real().encode(image, path, type, properties, quality);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray(*bytesBeforeFailure, '\xff'));
    return Outcome::failure(
        QStringLiteral("no space left on device after %1 bytes").arg(*bytesBeforeFailure));
}

} // namespace fw::test
