#pragma once

#include <QByteArray>
#include <optional>

namespace fw {

// The header of a portable anymap (PBM, PGM, PPM: "P1" to "P6"), read from
// the file's first bytes: its size and the sample value that means full
// intensity (platform code only).
struct AnymapHeader {
    int width = 0;
    int height = 0;
    // 1 for the bitmap kinds, which have no maximum value.
    int maximumValue = 1;

    static std::optional<AnymapHeader> parse(const QByteArray& fileStart);
};

} // namespace fw
