#pragma once

#include <QString>
#include <QStringList>
#include <vips/vips8>

namespace fw::test {

// Pictures for tests, made with libvips and tagged with exiv2. A "marked"
// picture has a red block in the top-left corner, green in the top-right, blue
// in the bottom-left and nothing in the bottom-right, so where its top-left
// went after a turn or a mirror can be read off the pixels.
vips::VImage markedPicture(int width, int height);

// The corner markers of a picture in reading order (top-left, top-right,
// bottom-left, bottom-right): "RGB-" for an upright marked picture.
QString cornerMarkers(const vips::VImage& image);

// 0 .. 255 scale mean absolute difference between two pictures of one size.
double meanDifference(const vips::VImage& first, const vips::VImage& second);

void saveJpeg(const vips::VImage& image, const QString& path, int quality = 90);
// A marked picture of the upright size, stored as a camera stores it under the
// EXIF orientation and tagged with it; returns the path.
QString saveOrientedJpeg(const QString& path, int width, int height, int orientation);
void setExifOrientation(const QString& path, int orientation);
// Make, model, a capture date and a GPS position.
void addCameraExif(const QString& path);
// The EXIF and XMP keys exiv2 reads from a file, the ISO BMFF formats
// (HEIF, AVIF, JPEG XL) included.
QStringList metadataKeys(const QString& path);

vips::VImage loadImage(const QString& path);

} // namespace fw::test
