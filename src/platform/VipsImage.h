#pragma once

#include "platform/Image.h"

#include <vips/vips8>

namespace fw {

// The libvips side of an Image handle. Only platform code sees it.
struct Image::Impl {
    vips::VImage image;
    // Loaded for one top-to-bottom pass; operations that read out of order
    // (vertical flips, turns) first bring such an image into memory.
    bool sequential = false;
};

Image wrapVipsImage(vips::VImage image, bool sequential = false);
const vips::VImage& vipsImageOf(const Image& image);
// A new image that owns a copy of interleaved pixels.
vips::VImage imageFromPixels(const void* data, size_t size, int width, int height, int bands,
                             VipsBandFormat format);

} // namespace fw
