#pragma once

#include <QByteArray>
#include <QString>

namespace fw {

// The one limit on the pixels a photo may claim, checked against its header
// before any decoder runs, so that a small hostile file cannot make the
// program allocate gigabytes or decode for minutes. Decoders that hold the
// whole picture in memory (GIF, JPEG 2000, camera raw, PostScript,
// progressive JPEG, interlaced PNG, the ImageMagick formats) get the smaller
// budget; decoders that stream the picture top to bottom may read far larger
// ones. Either way a file cannot claim more pixels than its bytes can hold
// at its format's best compression: beyond that it is a bomb or cut short.
class PixelBudget {
public:
    PixelBudget() = delete;

    // About 600 MB at three 16-bit samples per pixel.
    static constexpr qint64 wholePicturePixels = 100'000'000;
    // A 60000 x 60000 picture streams in little memory.
    static constexpr qint64 streamedPixels = 4'000'000'000;

    static bool allows(qint64 width, qint64 height, bool streamed);
    // Whether a file of the bytes can hold the pixels; a density of 0 sets
    // no bound.
    static bool fitsInFile(qint64 width, qint64 height, qint64 fileBytes, qint64 pixelsPerByte);
    // The most pixels one byte of the format can give: JPEG codes a flat
    // 8 x 8 block in a few bits, deflate and LZW reach about 1:1000 on 1-bit
    // pixels, and binary anymaps hold at most 8 pixels a byte. 0 for formats
    // without a bound here.
    static qint64 densestPixelsPerByte(const QByteArray& vipsLoader);
    static constexpr qint64 anymapPixelsPerByte = 8;
    // "the photo is too large to read: W x H".
    static QString refusal(qint64 width, qint64 height);
};

} // namespace fw
