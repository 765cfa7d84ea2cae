#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace fw {

// File names on Linux are bytes, not text. A name that is not valid UTF-8 is
// held in a QString with each stray byte as the lone surrogate U+DC80..U+DCFF
// (the "surrogate escape" scheme), so every name round-trips: a photo listed
// under some bytes is opened, and its output written, under the same bytes.
// Qt's own file classes cannot do this, so every path that may come from the
// disk or the user goes through these helpers when it reaches the kernel.
// Thread-safe.
class NativePath {
public:
    NativePath() = delete;

    static QByteArray encode(const QString& path);
    static QString decode(const QByteArray& name);

    // The path with links and "." and ".." resolved; empty when it does not exist.
    static QString canonical(const QString& path);
    // Makes the folder with its missing parents; true when it exists afterwards.
    static bool makePath(const QString& folder);
    static bool remove(const QString& path);
    // Opens a regular file read-only into a QFile that owns the descriptor;
    // anything else (a pipe, a device, a folder) is refused without waiting.
    static bool openForReading(QFile& file, const QString& path);
};

} // namespace fw
