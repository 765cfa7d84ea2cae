#include "batch/BatchShard.h"

#include "platform/NativePath.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

namespace fw {

namespace {

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

std::optional<BatchShard> BatchShard::parse(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,6})/([0-9]{1,6})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int part = match.captured(1).toInt();
    const int parts = match.captured(2).toInt();
    if (part < 1 || part > parts)
        return std::nullopt;
    return BatchShard(part, parts, {});
}

BatchShard::BatchShard(int part, int parts, const QStringList& givenPaths)
    : partNumber(part), partCount(parts)
{
    // A photo given by itself is a prefix of no photo's path, so every given
    // path can stand as a folder.
    for (const QString& path : givenPaths)
        folders << cleanAbsolute(path);
    // The deepest folder first, so a photo under nested given folders is
    // named from the one nearest to it whatever order they were given in.
    std::sort(folders.begin(), folders.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
}

bool BatchShard::holds(const QString& photoPath) const
{
    return partOf(relativePath(photoPath), partCount) == partNumber;
}

QString BatchShard::relativePath(const QString& photoPath) const
{
    const QString photo = cleanAbsolute(photoPath);
    for (const QString& folder : folders) {
        const QString prefix = folder.endsWith('/') ? folder : folder + '/';
        if (photo.startsWith(prefix))
            return photo.mid(prefix.size());
    }
    return QFileInfo(photo).fileName();
}

// SHA-1 rather than qHash: the split must be the same on every machine,
// version and run, and qHash is seeded per process.
int BatchShard::partOf(const QString& relativePath, int parts)
{
    const QByteArray digest =
        QCryptographicHash::hash(NativePath::encode(relativePath), QCryptographicHash::Sha1);
    const quint64 leading = qFromBigEndian<quint64>(digest.constData());
    return static_cast<int>(leading % static_cast<quint64>(parts)) + 1;
}

} // namespace fw
