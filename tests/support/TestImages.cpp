#include "support/TestImages.h"

#include <QFile>
#include <exiv2/exiv2.hpp>

namespace fw::test {

using vips::VImage;

namespace {

constexpr int markerFraction = 6;

VImage colouredBlock(int width, int height, std::vector<double> colour)
{
    return (VImage::black(width, height, VImage::option()->set("bands", 3)) + colour)
        .cast(VIPS_FORMAT_UCHAR);
}

char classify(const std::vector<double>& pixel)
{
    const double red = pixel.at(0), green = pixel.at(1), blue = pixel.at(2);
    if (red > 170 && green < 90 && blue < 90)
        return 'R';
    if (green > 170 && red < 90 && blue < 90)
        return 'G';
    if (blue > 170 && red < 90 && green < 90)
        return 'B';
    return '-';
}

std::unique_ptr<Exiv2::Image> openForTags(const QString& path)
{
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    return image;
}

// The pixels a camera stores so that a viewer applying the EXIF orientation
// shows the upright picture.
VImage storedForOrientation(const VImage& upright, int orientation)
{
    switch (orientation) {
    case 2:
        return upright.flip(VIPS_DIRECTION_HORIZONTAL);
    case 3:
        return upright.rot(VIPS_ANGLE_D180);
    case 4:
        return upright.flip(VIPS_DIRECTION_VERTICAL);
    case 5:
        return upright.rot(VIPS_ANGLE_D90).flip(VIPS_DIRECTION_HORIZONTAL);
    case 6:
        return upright.rot(VIPS_ANGLE_D270);
    case 7:
        return upright.rot(VIPS_ANGLE_D270).flip(VIPS_DIRECTION_HORIZONTAL);
    case 8:
        return upright.rot(VIPS_ANGLE_D90);
    default:
        return upright;
    }
}

} // namespace

VImage markedPicture(int width, int height)
{
    const int block = std::max(2, std::min(width, height) / markerFraction);
    // A soft diagonal ramp, so that resampling and encoding behave as on a photo.
    const VImage ramp = (VImage::xyz(width, height)[0] * (60.0 / width) +
                         VImage::xyz(width, height)[1] * (60.0 / height) + 90)
                            .cast(VIPS_FORMAT_UCHAR);
    VImage picture = VImage::bandjoin({ramp, ramp, ramp})
                         .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    picture = picture.insert(colouredBlock(block, block, {230, 20, 20}), 0, 0);
    picture = picture.insert(colouredBlock(block, block, {20, 230, 20}), width - block, 0);
    picture = picture.insert(colouredBlock(block, block, {20, 20, 230}), 0, height - block);
    return picture.copy_memory();
}

QString cornerMarkers(const VImage& image)
{
    const VImage colour = image.bands() >= 3 ? image.extract_band(0, VImage::option()->set("n", 3))
                                             : VImage::bandjoin({image, image, image});
    // Decoded images may be read only top to bottom; points are read at random.
    const VImage eight =
        (colour.format() == VIPS_FORMAT_USHORT ? colour / 257 : colour).copy_memory();
    const int inset = std::max(1, std::min(image.width(), image.height()) / (markerFraction * 3));
    const int right = image.width() - 1 - inset;
    const int bottom = image.height() - 1 - inset;
    QString markers;
    markers += classify(eight.getpoint(inset, inset));
    markers += classify(eight.getpoint(right, inset));
    markers += classify(eight.getpoint(inset, bottom));
    markers += classify(eight.getpoint(right, bottom));
    return markers;
}

double meanDifference(const VImage& first, const VImage& second)
{
    return (first.cast(VIPS_FORMAT_FLOAT) - second.cast(VIPS_FORMAT_FLOAT)).abs().avg();
}

void saveJpeg(const VImage& image, const QString& path, int quality)
{
    image.jpegsave(QFile::encodeName(path).constData(), VImage::option()->set("Q", quality));
}

QString saveOrientedJpeg(const QString& path, int width, int height, int orientation)
{
    saveJpeg(storedForOrientation(markedPicture(width, height), orientation), path);
    setExifOrientation(path, orientation);
    return path;
}

void setExifOrientation(const QString& path, int orientation)
{
    auto image = openForTags(path);
    image->exifData()["Exif.Image.Orientation"] = static_cast<uint16_t>(orientation);
    image->writeMetadata();
}

void addCameraExif(const QString& path)
{
    auto image = openForTags(path);
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Make"] = "FWTestCam";
    exif["Exif.Image.Model"] = "Model 7";
    exif["Exif.Photo.DateTimeOriginal"] = "2026:12:01 10:00:00";
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    exif["Exif.GPSInfo.GPSLatitude"] = "48/1 51/1 30/1";
    exif["Exif.GPSInfo.GPSLongitudeRef"] = "E";
    exif["Exif.GPSInfo.GPSLongitude"] = "2/1 21/1 5/1";
    image->writeMetadata();
}

QStringList metadataKeys(const QString& path)
{
    Exiv2::enableBMFF(true);
    QStringList keys;
    const auto image = openForTags(path);
    for (const Exiv2::Exifdatum& datum : image->exifData())
        keys << QString::fromStdString(datum.key());
    for (const Exiv2::Xmpdatum& datum : image->xmpData())
        keys << QString::fromStdString(datum.key());
    return keys;
}

VImage loadImage(const QString& path)
{
    return VImage::new_from_file(QFile::encodeName(path).constData());
}

} // namespace fw::test
