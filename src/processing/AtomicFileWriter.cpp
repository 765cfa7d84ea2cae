#include "processing/AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr int reservationAttempts = 16;
constexpr qint64 copyChunkBytes = 1 << 20;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A short hidden name in the final name's folder: hidden so the half-written
// file does not show in file viewers, short so a final name at the length
// limit still has a temporary one.
QString candidateBeside(const QString& finalPath)
{
    return QStringLiteral("%1/.framewright-%2.part")
        .arg(QFileInfo(finalPath).absolutePath())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
}

} // namespace

AtomicFileWriter::AtomicFileWriter(QString path) : finalPath(std::move(path))
{
    for (int attempt = 0; attempt < reservationAttempts; ++attempt) {
        const QString candidate = candidateBeside(finalPath);
        const int descriptor = ::open(QFile::encodeName(candidate).constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::close(descriptor);
            temporary = candidate;
            return;
        }
        if (errno != EEXIST) {
            error = systemError();
            return;
        }
    }
    error = QStringLiteral("no free temporary name beside %1").arg(finalPath);
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!committed && !temporary.isEmpty())
        QFile::remove(temporary);
}

Outcome AtomicFileWriter::copyContentsOf(const QString& sourcePath) const
{
    QFile source(sourcePath);
    QFile target(temporary);
    if (!source.open(QIODevice::ReadOnly))
        return Outcome::failure(
            QStringLiteral("cannot read %1: %2").arg(sourcePath, source.errorString()));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Outcome::failure(
            QStringLiteral("cannot write %1: %2").arg(temporary, target.errorString()));
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(copyChunkBytes);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            return Outcome::failure(
                QStringLiteral("cannot read %1: %2").arg(sourcePath, source.errorString()));
        if (target.write(chunk) != chunk.size())
            return Outcome::failure(
                QStringLiteral("cannot write %1: %2").arg(temporary, target.errorString()));
    }
    if (!target.flush())
        return Outcome::failure(
            QStringLiteral("cannot write %1: %2").arg(temporary, target.errorString()));
    return Outcome::success();
}

Outcome AtomicFileWriter::commit()
{
    if (temporary.isEmpty())
        return Outcome::failure(error);
    if (::rename(QFile::encodeName(temporary).constData(),
                 QFile::encodeName(finalPath).constData()) != 0)
        return Outcome::failure(
            QStringLiteral("cannot replace %1: %2").arg(finalPath, systemError()));
    committed = true;
    return Outcome::success();
}

} // namespace fw
