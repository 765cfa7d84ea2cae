#include "support/FailingImageService.h"

#include <QFile>

namespace fw::test {

Outcome FailingImageService::encode(const Image&, const QString& path, const QString&,
                                    const QVariantMap&, std::optional<double>) const
{
    ++encodeCalls;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray(bytesBeforeFailure, '\xff'));
    return Outcome::failure(
        QStringLiteral("no space left on device after %1 bytes").arg(bytesBeforeFailure));
}

} // namespace fw::test
