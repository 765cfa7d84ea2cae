#pragma once

#include "platform/Outcome.h"

#include <QString>

namespace fw {

// Writes one file so that it appears under its final name only when it is
// complete. Where the file system allows, the file has no name at all until
// it is linked in (O_TMPFILE), so even a killed process leaves nothing behind;
// elsewhere it is a hidden file in the destination folder, removed when the
// writer is not committed. Either way a failed write leaves whatever was at
// the final name (the source photo itself, when an output replaces it)
// exactly as it was. One writer belongs to one thread.
class AtomicFileWriter {
public:
    enum class CommitMode {
        // Whatever is at the final name is replaced; its permission bits are
        // kept on the new file.
        Replace,
        // A file that appeared at the final name meanwhile is never replaced.
        NoReplace,
    };
    enum class CommitResult { Committed, NameTaken, Failed };

    explicit AtomicFileWriter(const QString& folder);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when no file could be made in the folder; error() says why.
    bool isReady() const { return descriptor >= 0; }
    const QString& error() const { return errorText; }

    // The path an encoder writes the contents to.
    const QString& writePath() const { return contentsPath; }

    // Fills the file with the bytes; a short write (a full disk) is a failure.
    Outcome writeContents(const QByteArray& contents);
    // Fills the file with a copy of another file's bytes, permission bits and
    // modification time (as "cp -p" does).
    Outcome copyContentsOf(const QString& sourcePath);

    // Gives the file its final name. Can be called again with another name
    // after NameTaken.
    CommitResult commit(const QString& finalPath, CommitMode mode);

    // Removes the named temporary files of every writer still open: for a
    // process that must end at once. Only async-signal-safe calls.
    static void removeTemporaryFilesNow();

private:
    bool openUnnamed(const QByteArray& folder);
    bool openNamed(const QByteArray& folder);
    Outcome copyAttributesOf(int sourceDescriptor);
    CommitResult linkUnnamed(const QByteArray& finalName, CommitMode mode);
    CommitResult renameNamed(const QByteArray& finalName, CommitMode mode);
    CommitResult failed(const QString& what);
    void keepPermissionsOf(const QByteArray& finalName);

    int descriptor = -1;
    bool unnamed = false;
    bool committed = false;
    QByteArray temporaryName;
    QString contentsPath;
    QString errorText;
    int registrySlot = -1;
};

} // namespace fw
