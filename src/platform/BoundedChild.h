#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

namespace fw {

// Runs a piece of reading in a child process of its own, so that a decoder
// a hostile file sends into a loop or a huge allocation costs a bounded
// time and memory and never the program: the child is killed when it takes
// too long, and its memory is limited. The work hands its answer back as
// bytes. For the readers that have shown such files (camera raw headers);
// a fork costs a millisecond or two, too much for every photo.
class BoundedChild {
public:
    static constexpr int seconds = 10;
    // Beyond what the program has mapped when the child starts.
    static constexpr qint64 extraMemoryBytes = qint64(1) << 30;

    BoundedChild() = delete;

    // The work's answer; none when the child was killed, ran out of memory
    // or failed.
    static std::optional<QByteArray> run(const std::function<QByteArray()>& work);
};

} // namespace fw
