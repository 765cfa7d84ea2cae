#pragma once

#include "platform/Image.h"

#include <QByteArray>
#include <QString>
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
// Grey pictures: a grey interpretation, or one or two bands.
bool isGreyPicture(const vips::VImage& image);
// A metadata blob of the image ("exif-data", "icc-profile-data", ...); empty
// when the image has none.
QByteArray blobOf(const vips::VImage& image, const char* name);
// libvips keeps resolution in pixels per millimetre.
constexpr double millimetresPerInch = 25.4;
// The pixels readable in any order: an image that streams from its file is
// brought into memory, which throws a VError when it exceeds the pixel budget
// (turning and flipping top to bottom need the whole picture).
vips::VImage readableInAnyOrder(const Image& image);
// The first line of a libvips failure. libvips gathers failures in one buffer
// for the whole process; it is emptied here, so that the next failure does not
// quote this one.
QString failureText(const vips::VError& error);
// A new image that owns a copy of interleaved pixels.
vips::VImage imageFromPixels(const void* data, size_t size, int width, int height, int bands,
                             VipsBandFormat format);

} // namespace fw
