#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace fw {

// One of N parts of a batch, chosen with no coordination: each photo belongs
// to the part its path, relative to the path it was found under, hashes to.
// N processes given the same paths on N machines, each with its own part,
// take every photo exactly once, wherever the paths are mounted.
class BatchShard {
public:
    // "K/N" with 1 <= K <= N; none for anything else.
    static std::optional<BatchShard> parse(const QString& text);

    BatchShard(int part, int parts, const QStringList& givenPaths);

    int part() const { return partNumber; }
    int parts() const { return partCount; }
    bool holds(const QString& photoPath) const;
    // The photo's path below the given folder it lies in; for a photo given
    // by itself, or under no given folder, its file name.
    QString relativePath(const QString& photoPath) const;
    // The part, 1 to parts, a relative path falls in.
    static int partOf(const QString& relativePath, int parts);

private:
    int partNumber;
    int partCount;
    QStringList folders;
};

} // namespace fw
