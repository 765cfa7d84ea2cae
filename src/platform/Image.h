#pragma once

#include <memory>

class QImage;

namespace fw {

// A small copyable handle over a lazy libvips image. Every operation returns a
// new handle; pixels are computed only when the image is finally written, so a
// chain of scale, flip and rotate costs one pass. An image made by the default
// constructor is not valid and every operation returns it unchanged; an
// operation that fails returns such an image too.
//
// An image decoded from a file streams its pixels from the file top to bottom,
// so it can be written once; decode again for a second output.
//
// The image carries the metadata of the file it came from (EXIF, XMP, IPTC,
// ICC profile), which the encoder writes out again.
class Image {
public:
    struct Impl;

    Image();
    explicit Image(std::shared_ptr<const Impl> impl);

    bool isValid() const;
    int width() const;
    int height() const;
    int bands() const;
    bool isGrey() const;

    // Exact size; the aspect ratio is not kept. Reduction uses Lanczos 3.
    Image scaled(int width, int height) const;
    Image flippedHorizontally() const;
    Image flippedVertically() const;
    // Mathematically positive (counter-clockwise as the picture is viewed).
    // Quarter turns are exact; other angles grow the canvas to the bounding box.
    Image rotatedCounterClockwise(double degrees) const;
    // Grey pictures become three-band sRGB with the same values.
    Image convertedToColour() const;
    // The pixels computed now and held in memory, detached from the file they
    // came from: such an image can be read any number of times. Meant for
    // small pictures (thumbnails) that are kept.
    Image inMemory() const;
    // The pixels as a QImage for drawing: sRGB, 8 bits, premultiplied alpha
    // where there is alpha (Format_RGB888 or Format_RGBA8888_Premultiplied).
    // Decodes the picture, so it is meant for thumbnails on a pool thread; a
    // null QImage when it cannot be decoded.
    QImage toQImage() const;

    const Impl* impl() const { return d.get(); }

private:
    std::shared_ptr<const Impl> d;
};

} // namespace fw
