#include "platform/EpsDocument.h"

#include "platform/FileContents.h"
#include "platform/NativePath.h"
#include "platform/VipsImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <sys/prctl.h>
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
// What the interpreter may write into its folder, per file: enough for its
// own temporary files, far too little to fill a disk.
constexpr rlim_t childFileBytes = rlim_t(64) << 20;
const QString sandboxPrefix = QStringLiteral("framewright-gs-");

// Runs in the child between fork and exec: only async-signal-safe calls. The
// child dies with the thread that started it, so a killed program leaves no
// interpreter behind.
void limitChildResources()
{
    const struct rlimit memory = {childMemoryBytes, childMemoryBytes};
    const struct rlimit processor = {childProcessorSeconds, childProcessorSeconds};
    const struct rlimit files = {childFileBytes, childFileBytes};
    ::setrlimit(RLIMIT_AS, &memory);
    ::setrlimit(RLIMIT_CPU, &processor);
    ::setrlimit(RLIMIT_FSIZE, &files);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}

// Folders of earlier processes that were killed before they could remove
// theirs: named with their process id, removed once it is gone.
void removeAbandonedSandboxes()
{
    const QDir temporary(QDir::tempPath());
    for (const QFileInfo& folder :
         temporary.entryInfoList({sandboxPrefix + "*"}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const qint64 owner =
            folder.fileName().mid(sandboxPrefix.size()).section('-', 0, 0).toLongLong();
        const bool ownerGone =
            owner > 0 && ::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH;
        if (ownerGone && folder.ownerId() == ::getuid())
            QDir(folder.absoluteFilePath()).removeRecursively();
    }
}

// The document's bytes, copied in: a link would let the interpreter write
// through it to the user's file.
bool copyInto(const QString& source, const QString& target)
{
    QFile out(target);
    return out.open(QIODevice::WriteOnly) &&
           FileContents::copy(source, out, EpsDocument::largestDocument);
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

// Ghostscript runs untrusted PostScript. Under -dSAFER it may still write in
// its temporary folder, so that is a fresh private one holding a copy of the
// document, removed afterwards (or by a later launch, if this one is
// killed); the child gets limits on memory, time and the size of what it
// writes, so a hostile document cannot take the machine or touch the user's
// files.
std::optional<vips::VImage> EpsDocument::render(const QString& path, double pixelsPerPoint)
{
    removeAbandonedSandboxes();
    const QTemporaryDir sandbox(
        QStringLiteral("%1/%2%3-XXXXXX").arg(QDir::tempPath(), sandboxPrefix).arg(::getpid()));
    const QString input = sandbox.filePath("document.eps");
    if (!sandbox.isValid() || !copyInto(path, input)) {
        qCWarning(logEps) << "no private copy of" << path << "to render";
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
