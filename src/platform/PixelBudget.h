#pragma once

#include <QString>

namespace fw {

// The one limit on the pixels a photo may claim, checked against its header
// before any decoder runs, so that a small hostile file cannot make the
// program allocate gigabytes. Decoders that hold the whole picture in memory
// (GIF, JPEG 2000, camera raw, PostScript, progressive JPEG, interlaced PNG,
// the ImageMagick formats) get the smaller budget; decoders that stream the
// picture top to bottom may read far larger ones.
class PixelBudget {
public:
    PixelBudget() = delete;

    // About 600 MB at three 16-bit samples per pixel.
    static constexpr qint64 wholePicturePixels = 100'000'000;
    // A 60000 x 60000 picture streams in little memory.
    static constexpr qint64 streamedPixels = 4'000'000'000;

    static bool allows(qint64 width, qint64 height, bool streamed);
    // "the photo is too large to read: W x H".
    static QString refusal(qint64 width, qint64 height);
};

} // namespace fw
