#pragma once

#include <QString>

namespace fw {

class ImageService;

// The shared helpers of a run and of the screens: byte-size texts, and (through
// the image service) decoding and geometry. One instance per image service;
// sharedUtils() is the one bound to the process's libvips service.
class Utils {
public:
    explicit Utils(const ImageService& images);

    static Utils& sharedUtils();

    // Decimal steps of 1000 through "bytes", "KB", "MB", "GB", "TB", cut (not
    // rounded) to two decimals: 1536 gives "1.53 KB", 994 gives "0.97 KB".
    // The flags are ignored.
    static QString unitStringFromBytes(double bytes, unsigned flags);

    const ImageService& imageService() const { return images; }

private:
    const ImageService& images;
};

} // namespace fw
