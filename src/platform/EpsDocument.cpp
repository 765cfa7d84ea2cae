#include "platform/EpsDocument.h"

#include "platform/NativePath.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <vips/vips8>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logEps, "framewright.eps")

constexpr qint64 commentSearchLength = 256 * 1024;
constexpr int renderTimeoutMilliseconds = 60000;

quint32 littleEndian32(const QByteArray& bytes, qsizetype offset)
{
    quint32 value = 0;
    for (int index = 3; index >= 0; --index)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + index));
    return value;
}

// The PostScript text of the file: a DOS EPS binary wraps it after a header
// that names its offset and length.
QByteArray postScriptSection(QFile& file)
{
    const QByteArray start = file.read(30);
    if (start.size() >= 12 && start.startsWith(QByteArray("\xc5\xd0\xd3\xc6", 4))) {
        const quint32 offset = littleEndian32(start, 4);
        const quint32 length = littleEndian32(start, 8);
        file.seek(offset);
        return file.read(std::min<qint64>(length, commentSearchLength));
    }
    file.seek(0);
    return file.read(commentSearchLength);
}

std::optional<QSizeF> sizeFromComment(const QByteArray& text, const char* comment)
{
    const QRegularExpression pattern(
        QStringLiteral("%1:\\s*(-?[0-9.]+)\\s+(-?[0-9.]+)\\s+(-?[0-9.]+)\\s+(-?[0-9.]+)")
            .arg(QRegularExpression::escape(comment)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return std::nullopt;
    const double width = match.captured(3).toDouble() - match.captured(1).toDouble();
    const double height = match.captured(4).toDouble() - match.captured(2).toDouble();
    return QSizeF(std::max(0.0, width), std::max(0.0, height));
}

} // namespace

std::optional<QSizeF> EpsDocument::boundingBoxSize(const QString& path)
{
    QFile file;
    if (!NativePath::openForReading(file, path))
        return std::nullopt;
    const QByteArray text = postScriptSection(file);
    if (!text.startsWith("%!PS")) {
        qCWarning(logEps) << path << "is not a PostScript document";
        return std::nullopt;
    }
    if (auto precise = sizeFromComment(text, "%%HiResBoundingBox"))
        return precise;
    return sizeFromComment(text, "%%BoundingBox");
}

std::optional<vips::VImage> EpsDocument::render(const QString& path, double pixelsPerPoint)
{
    const QString resolution = QString::number(72.0 * pixelsPerPoint, 'f', 3);
    QProcess ghostscript;
    ghostscript.start("gs",
                      {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop", "-dTextAlphaBits=4",
                       "-dGraphicsAlphaBits=4", "-sDEVICE=png16m", "-r" + resolution,
                       "-sOutputFile=-", QFileInfo(path).absoluteFilePath()});
    ghostscript.closeWriteChannel();
    if (!ghostscript.waitForFinished(renderTimeoutMilliseconds)) {
        ghostscript.kill();
        ghostscript.waitForFinished();
        qCWarning(logEps) << "Ghostscript did not finish rendering" << path
                          << ghostscript.errorString();
        return std::nullopt;
    }
    const QByteArray png = ghostscript.readAllStandardOutput();
    if (ghostscript.exitStatus() != QProcess::NormalExit || ghostscript.exitCode() != 0 ||
        png.isEmpty()) {
        qCWarning(logEps) << "Ghostscript cannot render" << path
                          << ghostscript.readAllStandardError().left(300);
        return std::nullopt;
    }
    try {
        return vips::VImage::new_from_buffer(png.constData(), static_cast<size_t>(png.size()), "")
            .copy_memory();
    } catch (const vips::VError& error) {
        qCWarning(logEps) << "rendered page of" << path << "unreadable:" << error.what();
        return std::nullopt;
    }
}

} // namespace fw
