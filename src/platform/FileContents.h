#pragma once

#include <QString>
#include <limits>

class QFile;

namespace fw {

// Copies a file's bytes into an open file, a block at a time (platform code
// only). Used where a link or a rename would not do: a private copy another
// program may write to, or a database read while its owner writes.
class FileContents {
public:
    FileContents() = delete;

    // False when the source cannot be read, is larger than mostBytes, or a
    // write fails.
    static bool copy(const QString& source, QFile& destination,
                     qint64 mostBytes = std::numeric_limits<qint64>::max());
};

} // namespace fw
