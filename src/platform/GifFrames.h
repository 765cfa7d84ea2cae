#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace fw {

// The sizes a GIF claims, read from its block structure without decoding:
// the GIF decoder makes a canvas as large as the logical screen and the
// largest frame together, so both must be known before it runs (platform code
// only).
class GifFrames {
public:
    GifFrames() = delete;

    // The canvas the decoder would make; none when the file is not a GIF or
    // its blocks cannot be followed.
    static std::optional<QSize> canvasSize(const QString& path);
};

} // namespace fw
