#include "platform/AtomicFileWriter.h"

#include "platform/DescriptorBytes.h"

#include "platform/NativePath.h"

#include <QRandomGenerator>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr int reservationAttempts = 16;
constexpr size_t copyChunkBytes = 1 << 20;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A short hidden name beside the final one: hidden so a half-written file
// does not show in file viewers, short so a final name at the length limit
// still has a temporary one.
QByteArray hiddenNameIn(const QByteArray& folder)
{
    char name[32];
    std::snprintf(name, sizeof name, "/.framewright-%08x.part",
                  QRandomGenerator::global()->generate());
    return folder + name;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// The named temporary files of the writers alive, kept where a signal handler
// can reach them without allocating or locking.
struct TemporaryFileRegistry {
    static constexpr int slots = 8;
    std::array<std::array<char, PATH_MAX>, slots> names{};
    std::array<std::atomic<bool>, slots> used{};

    int add(const QByteArray& name)
    {
        if (name.size() >= PATH_MAX)
            return -1;
        for (int slot = 0; slot < slots; ++slot) {
            bool expected = false;
            if (used[slot].compare_exchange_strong(expected, true)) {
                std::memcpy(names[slot].data(), name.constData(), name.size() + 1);
                return slot;
            }
        }
        return -1;
    }
    void remove(int slot)
    {
        if (slot >= 0)
            used[slot] = false;
    }
};

TemporaryFileRegistry& registry()
{
    static TemporaryFileRegistry files;
    return files;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString& folder)
{
    const QByteArray nativeFolder = NativePath::encode(folder);
    if (!openUnnamed(nativeFolder) && errorText.isEmpty())
        openNamed(nativeFolder);
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!committed && !temporaryName.isEmpty())
        ::unlink(temporaryName.constData());
    registry().remove(registrySlot);
    if (descriptor >= 0)
        ::close(descriptor);
}

void AtomicFileWriter::removeTemporaryFilesNow()
{
    TemporaryFileRegistry& files = registry();
    for (int slot = 0; slot < TemporaryFileRegistry::slots; ++slot) {
        if (files.used[slot])
            ::unlink(files.names[slot].data());
    }
}

// An unnamed file needs O_TMPFILE support and a /proc through which the
// encoders can open it by name; without either the named file is used. Any
// other failure (no such folder, no permission) is final.
bool AtomicFileWriter::openUnnamed(const QByteArray& folder)
{
    descriptor = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        if (errno == ENOENT || errno == EACCES || errno == EROFS || errno == ENOSPC ||
            errno == EDQUOT)
            errorText = systemError();
        return false;
    }
    const QByteArray procPath = "/proc/self/fd/" + QByteArray::number(descriptor);
    if (::access(procPath.constData(), W_OK) != 0) {
        ::close(descriptor);
        descriptor = -1;
        return false;
    }
    unnamed = true;
    contentsPath = QString::fromLatin1(procPath);
    return true;
}

bool AtomicFileWriter::openNamed(const QByteArray& folder)
{
    for (int attempt = 0; attempt < reservationAttempts; ++attempt) {
        const QByteArray candidate = hiddenNameIn(folder);
        descriptor = ::open(candidate.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            temporaryName = candidate;
            registrySlot = registry().add(candidate);
            contentsPath = NativePath::decode(candidate);
            return true;
        }
        if (errno != EEXIST) {
            errorText = systemError();
            return false;
        }
    }
    errorText = QStringLiteral("no free temporary name in %1").arg(NativePath::decode(folder));
    return false;
}

Outcome AtomicFileWriter::writeContents(const QByteArray& contents)
{
    if (!DescriptorBytes::writeAll(descriptor, contents.constData(), static_cast<size_t>(contents.size())) ||
        ::fsync(descriptor) != 0)
        return Outcome::failure(
            QStringLiteral("cannot write %1: %2").arg(contentsPath, systemError()));
    return Outcome::success();
}

Outcome AtomicFileWriter::copyContentsOf(const QString& sourcePath)
{
    const int source = ::open(NativePath::encode(sourcePath).constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return Outcome::failure(
            QStringLiteral("cannot read %1: %2").arg(sourcePath, systemError()));
    std::unique_ptr<char[]> buffer(new char[copyChunkBytes]);
    Outcome copied = Outcome::success();
    for (;;) {
        const ssize_t count = ::read(source, buffer.get(), copyChunkBytes);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            copied = Outcome::failure(
                QStringLiteral("cannot read %1: %2").arg(sourcePath, systemError()));
            break;
        }
        if (count == 0)
            break;
        if (!DescriptorBytes::writeAll(descriptor, buffer.get(), static_cast<size_t>(count))) {
            copied = Outcome::failure(
                QStringLiteral("cannot write %1: %2").arg(contentsPath, systemError()));
            break;
        }
    }
    if (copied)
        copied = copyAttributesOf(source);
    ::close(source);
    return copied;
}

Outcome AtomicFileWriter::copyAttributesOf(int sourceDescriptor)
{
    struct stat status {};
    if (::fstat(sourceDescriptor, &status) != 0 ||
        ::fchmod(descriptor, status.st_mode & 07777) != 0)
        return Outcome::failure(
            QStringLiteral("cannot copy the permissions: %1").arg(systemError()));
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (::futimens(descriptor, times) != 0)
        return Outcome::failure(
            QStringLiteral("cannot copy the modification time: %1").arg(systemError()));
    return Outcome::success();
}

AtomicFileWriter::CommitResult AtomicFileWriter::commit(const QString& finalPath, CommitMode mode)
{
    if (!isReady())
        return CommitResult::Failed;
    const QByteArray finalName = NativePath::encode(finalPath);
    if (mode == CommitMode::Replace)
        keepPermissionsOf(finalName);
    const CommitResult result =
        unnamed ? linkUnnamed(finalName, mode) : renameNamed(finalName, mode);
    if (result == CommitResult::Committed) {
        committed = true;
        registry().remove(registrySlot);
        registrySlot = -1;
    }
    return result;
}

// Only a file's own bits: a link at the name is replaced by the output, and
// the mode of whatever it points to is none of the output's business.
void AtomicFileWriter::keepPermissionsOf(const QByteArray& finalName)
{
    struct stat existing {};
    if (::lstat(finalName.constData(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(descriptor, existing.st_mode & 07777);
}

// link() never replaces; a file that must be replaced is linked under a
// hidden name first and renamed over the final one.
AtomicFileWriter::CommitResult AtomicFileWriter::linkUnnamed(const QByteArray& finalName,
                                                             CommitMode mode)
{
    const QByteArray procPath = contentsPath.toLatin1();
    if (::linkat(AT_FDCWD, procPath.constData(), AT_FDCWD, finalName.constData(),
                 AT_SYMLINK_FOLLOW) == 0)
        return CommitResult::Committed;
    if (errno != EEXIST)
        return failed(QStringLiteral("cannot write %1").arg(NativePath::decode(finalName)));
    if (mode == CommitMode::NoReplace)
        return CommitResult::NameTaken;
    for (int attempt = 0; attempt < reservationAttempts; ++attempt) {
        const QByteArray hidden = hiddenNameIn(folderOf(finalName));
        if (::linkat(AT_FDCWD, procPath.constData(), AT_FDCWD, hidden.constData(),
                     AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            return failed(QStringLiteral("cannot write %1").arg(NativePath::decode(finalName)));
        }
        if (::rename(hidden.constData(), finalName.constData()) == 0)
            return CommitResult::Committed;
        const CommitResult result =
            failed(QStringLiteral("cannot replace %1").arg(NativePath::decode(finalName)));
        ::unlink(hidden.constData());
        return result;
    }
    return failed(
        QStringLiteral("no free temporary name beside %1").arg(NativePath::decode(finalName)));
}

// Where renameat2's no-replace flag is not supported, link() and unlink()
// give the same guarantee.
AtomicFileWriter::CommitResult AtomicFileWriter::renameNamed(const QByteArray& finalName,
                                                             CommitMode mode)
{
    if (mode == CommitMode::Replace) {
        if (::rename(temporaryName.constData(), finalName.constData()) == 0)
            return CommitResult::Committed;
        return failed(QStringLiteral("cannot replace %1").arg(NativePath::decode(finalName)));
    }
    if (::renameat2(AT_FDCWD, temporaryName.constData(), AT_FDCWD, finalName.constData(),
                    RENAME_NOREPLACE) == 0)
        return CommitResult::Committed;
    if (errno == EEXIST)
        return CommitResult::NameTaken;
    if (errno != EINVAL && errno != ENOSYS)
        return failed(QStringLiteral("cannot write %1").arg(NativePath::decode(finalName)));
    if (::link(temporaryName.constData(), finalName.constData()) != 0)
        return errno == EEXIST
                   ? CommitResult::NameTaken
                   : failed(QStringLiteral("cannot write %1").arg(NativePath::decode(finalName)));
    ::unlink(temporaryName.constData());
    return CommitResult::Committed;
}

AtomicFileWriter::CommitResult AtomicFileWriter::failed(const QString& what)
{
    errorText = what + ": " + systemError();
    return CommitResult::Failed;
}

} // namespace fw
