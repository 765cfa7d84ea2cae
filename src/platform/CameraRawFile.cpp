#include "platform/CameraRawFile.h"

#include "platform/BoundedChild.h"
#include "platform/NativePath.h"
#include "platform/VipsImage.h"

#include <QDataStream>
#include <QFile>
#include <QLoggingCategory>
#include <algorithm>
#include <libraw/libraw.h>
#include <memory>
#include <vips/vips8>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logRaw, "framewright.raw", QtCriticalMsg)

using vips::VImage;

struct ProcessedImageDeleter {
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};
using ProcessedImage = std::unique_ptr<libraw_processed_image_t, ProcessedImageDeleter>;

// LibRaw's flip code: 3 half turn, 5 a quarter turn counter-clockwise, 6 a
// quarter turn clockwise.
int exifOrientationFromFlip(int flip)
{
    switch (flip) {
    case 3:
        return 3;
    case 5:
        return 8;
    case 6:
        return 6;
    default:
        return 1;
    }
}

// LibRaw calls this when the sensor data runs out or cannot be read; it then
// goes on with zeros, which would develop into a black picture.
void noteDataError(void* damaged, const char* file, int offset)
{
    qCDebug(logRaw) << "damaged raw data in" << file << "at" << offset;
    *static_cast<bool*>(damaged) = true;
}

std::unique_ptr<LibRaw> openRaw(const QString& path, bool* damaged = nullptr)
{
    static bool ignored = false;
    auto raw = std::make_unique<LibRaw>();
    raw->set_dataerror_handler(noteDataError, damaged != nullptr ? damaged : &ignored);
    const int result = raw->open_file(NativePath::encode(path).constData());
    if (result != LIBRAW_SUCCESS) {
        qCWarning(logRaw) << "cannot open raw file" << path << libraw_strerror(result);
        return nullptr;
    }
    return raw;
}

std::optional<VImage> bitmapToImage(const libraw_processed_image_t& bitmap)
{
    const bool sixteen = bitmap.bits == 16;
    VImage image = imageFromPixels(const_cast<unsigned char*>(bitmap.data), bitmap.data_size,
                                   bitmap.width, bitmap.height, bitmap.colors,
                                   sixteen ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR);
    const bool grey = bitmap.colors == 1;
    return image.copy(VImage::option()->set(
        "interpretation", grey ? (sixteen ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_B_W)
                               : (sixteen ? VIPS_INTERPRETATION_RGB16 : VIPS_INTERPRETATION_sRGB)));
}

// A file whose sensor data was stripped unpacks into zeros; real sensors
// never read exactly zero everywhere.
bool holdsSensorData(const LibRaw& raw)
{
    const libraw_rawdata_t& data = raw.imgdata.rawdata;
    const std::size_t pixels =
        static_cast<std::size_t>(raw.imgdata.sizes.raw_width) * raw.imgdata.sizes.raw_height;
    const auto anyNonZero = [](const ushort* values, std::size_t count) {
        return values != nullptr &&
               std::any_of(values, values + count, [](ushort value) { return value != 0; });
    };
    return anyNonZero(data.raw_image, pixels) ||
           anyNonZero(data.color4_image ? data.color4_image[0] : nullptr, pixels * 4) ||
           anyNonZero(data.color3_image ? data.color3_image[0] : nullptr, pixels * 3);
}

std::optional<VImage> decodeSensorData(LibRaw& raw, bool halfSize, const bool& damaged)
{
    raw.imgdata.params.half_size = halfSize ? 1 : 0;
    raw.imgdata.params.use_camera_wb = 1;
    raw.imgdata.params.output_bps = 8;
    raw.imgdata.params.user_flip = 0;
    if (raw.unpack() != LIBRAW_SUCCESS || damaged || !holdsSensorData(raw) ||
        raw.dcraw_process() != LIBRAW_SUCCESS)
        return std::nullopt;
    int error = LIBRAW_SUCCESS;
    ProcessedImage bitmap(raw.dcraw_make_mem_image(&error));
    if (!bitmap || error != LIBRAW_SUCCESS || bitmap->type != LIBRAW_IMAGE_BITMAP)
        return std::nullopt;
    return bitmapToImage(*bitmap);
}

// A preview stands in for the photo only when it is near its size: an icon
// of 8 x 8 scaled up would be written and reported as the photo.
bool isNearSizeOf(const VImage& preview, const libraw_image_sizes_t& sizes)
{
    constexpr int mostReduction = 8;
    return std::max(preview.width(), preview.height()) * mostReduction >=
           std::max<int>(sizes.width, sizes.height);
}

std::optional<VImage> decodeEmbeddedPreview(LibRaw& raw)
{
    if (raw.unpack_thumb() != LIBRAW_SUCCESS)
        return std::nullopt;
    int error = LIBRAW_SUCCESS;
    ProcessedImage preview(raw.dcraw_make_mem_thumb(&error));
    if (!preview || error != LIBRAW_SUCCESS)
        return std::nullopt;
    // A JPEG preview is decoded now, while LibRaw's buffer still exists.
    const VImage image =
        preview->type == LIBRAW_IMAGE_BITMAP
            ? *bitmapToImage(*preview)
            : VImage::new_from_buffer(preview->data, preview->data_size, "").copy_memory();
    if (!isNearSizeOf(image, raw.imgdata.sizes)) {
        qCWarning(logRaw) << "the embedded preview is too small to stand in for the photo";
        return std::nullopt;
    }
    return image;
}

} // namespace

// In a child process with limits: fuzzed raw files have kept LibRaw's
// parser busy for most of a minute.
std::optional<CameraRawFile::Header> CameraRawFile::readHeader(const QString& path)
{
    const std::optional<QByteArray> answer = BoundedChild::run([&path] {
        QByteArray sizes;
        QDataStream out(&sizes, QIODevice::WriteOnly);
        if (const std::optional<Header> header = readHeaderHere(path))
            out << header->width << header->height << header->orientation;
        return sizes;
    });
    if (!answer) {
        qCWarning(logRaw) << "raw header of" << path << "not read within its limits";
        return std::nullopt;
    }
    Header header;
    QDataStream in(*answer);
    in >> header.width >> header.height >> header.orientation;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return header;
}

std::optional<CameraRawFile::Header> CameraRawFile::readHeaderHere(const QString& path)
{
    try {
        const std::unique_ptr<LibRaw> raw = openRaw(path);
        if (!raw)
            return std::nullopt;
        const libraw_image_sizes_t& sizes = raw->imgdata.sizes;
        if (sizes.width == 0 || sizes.height == 0)
            return std::nullopt;
        return Header{sizes.width, sizes.height, exifOrientationFromFlip(sizes.flip)};
    } catch (const std::exception& error) {
        qCWarning(logRaw) << "raw header of" << path << "unreadable:" << error.what();
        return std::nullopt;
    }
}

std::optional<VImage> CameraRawFile::decode(const QString& path, bool halfSize)
{
    try {
        bool damaged = false;
        const std::unique_ptr<LibRaw> raw = openRaw(path, &damaged);
        if (!raw)
            return std::nullopt;
        if (std::optional<VImage> image = decodeSensorData(*raw, halfSize, damaged))
            return image;
        qCWarning(logRaw) << "raw data of" << path << "cannot be decoded; trying its preview";
        raw->recycle();
        const std::unique_ptr<LibRaw> again = openRaw(path);
        return again ? decodeEmbeddedPreview(*again) : std::nullopt;
    } catch (const std::exception& error) {
        qCWarning(logRaw) << "cannot decode raw file" << path << error.what();
        return std::nullopt;
    }
}

} // namespace fw
