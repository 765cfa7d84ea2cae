#include "platform/EpsDocument.h"

#include "platform/NativePath.h"
#include "platform/VipsImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <unistd.h>
#include <vips/vips8>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logEps, "framewright.eps", QtCriticalMsg)

constexpr qint64 commentSearchLength = 256 * 1024;
constexpr int renderTimeoutMilliseconds = 20000;
constexpr rlim_t childMemoryBytes = rlim_t(1) << 30;
constexpr rlim_t childProcessorSeconds = 30;

// Runs in the child between fork and exec: only async-signal-safe calls.
void limitChildResources()
{
    const struct rlimit memory = {childMemoryBytes, childMemoryBytes};
    const struct rlimit processor = {childProcessorSeconds, childProcessorSeconds};
    ::setrlimit(RLIMIT_AS, &memory);
    ::setrlimit(RLIMIT_CPU, &processor);
}

// Ghostscript's temporary files go to the private folder, whichever variable
// it reads.
QProcessEnvironment sandboxEnvironment(const QString& folder)
{
    QProcessEnvironment environment;
    environment.insert("PATH", QProcessEnvironment::systemEnvironment().value("PATH"));
    for (const char* name : {"TMPDIR", "TEMP", "TMP"})
        environment.insert(name, folder);
    return environment;
}

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

// Ghostscript runs untrusted PostScript. Under -dSAFER it may still use its
// temporary folder, so that is a fresh private one, removed afterwards, and
// the document is linked into it; the child gets a memory limit and a time
// limit, so a hostile document cannot take the machine or other users' files.
std::optional<vips::VImage> EpsDocument::render(const QString& path, double pixelsPerPoint)
{
    const QTemporaryDir sandbox(QDir::tempPath() + "/framewright-gs-XXXXXX");
    const QString input = sandbox.filePath("document.eps");
    if (!sandbox.isValid() ||
        ::symlink(NativePath::encode(QFileInfo(path).absoluteFilePath()).constData(),
                  NativePath::encode(input).constData()) != 0) {
        qCWarning(logEps) << "no private folder to render" << path << "in";
        return std::nullopt;
    }
    const QString resolution = QString::number(72.0 * pixelsPerPoint, 'f', 3);
    QProcess ghostscript;
    ghostscript.setWorkingDirectory(sandbox.path());
    ghostscript.setProcessEnvironment(sandboxEnvironment(sandbox.path()));
    ghostscript.setChildProcessModifier(limitChildResources);
    ghostscript.start("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop",
                             "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4", "-sDEVICE=png16m",
                             "-r" + resolution, "-sOutputFile=-", input});
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
        qCWarning(logEps) << "rendered page of" << path << "unreadable:" << failureText(error);
        return std::nullopt;
    }
}

} // namespace fw
