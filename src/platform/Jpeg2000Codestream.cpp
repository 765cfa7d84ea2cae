#include "platform/Jpeg2000Codestream.h"

#include "platform/NativePath.h"
#include "platform/VipsImage.h"

#include <QFile>
#include <QLoggingCategory>
#include <algorithm>
#include <memory>
#include <openjpeg.h>
#include <vector>
#include <vips/vips8>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logJpeg2000, "framewright.jpeg2000", QtCriticalMsg)

using vips::VImage;

constexpr qint64 headerSearchLength = 64 * 1024;

quint32 bigEndian32(const QByteArray& bytes, qsizetype offset)
{
    quint32 value = 0;
    for (int index = 0; index < 4; ++index)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + index));
    return value;
}

quint16 bigEndian16(const QByteArray& bytes, qsizetype offset)
{
    return static_cast<quint16>((static_cast<quint8>(bytes.at(offset)) << 8) |
                                static_cast<quint8>(bytes.at(offset + 1)));
}

bool isBoxedFile(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArray("\x00\x00\x00\x0cjP  \r\n\x87\n", 12));
}

void logOpenjpegError(const char* message, void*)
{
    qCWarning(logJpeg2000) << "openjpeg:" << QByteArray(message).trimmed();
}

void ignoreOpenjpegMessage(const char*, void*) {}

struct CodecDeleter {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct StreamDeleter {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct ImageDeleter {
    void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};
using CodecPointer = std::unique_ptr<opj_codec_t, CodecDeleter>;
using StreamPointer = std::unique_ptr<opj_stream_t, StreamDeleter>;
using ImagePointer = std::unique_ptr<opj_image_t, ImageDeleter>;

CodecPointer makeDecoder(bool boxed)
{
    CodecPointer codec(opj_create_decompress(boxed ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
    if (!codec)
        return nullptr;
    opj_set_error_handler(codec.get(), logOpenjpegError, nullptr);
    opj_set_warning_handler(codec.get(), ignoreOpenjpegMessage, nullptr);
    opj_set_info_handler(codec.get(), ignoreOpenjpegMessage, nullptr);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (!opj_setup_decoder(codec.get(), &parameters))
        return nullptr;
    return codec;
}

bool componentsShareOneGrid(const opj_image_t& image)
{
    const opj_image_comp_t& first = image.comps[0];
    for (OPJ_UINT32 index = 1; index < image.numcomps; ++index) {
        const opj_image_comp_t& component = image.comps[index];
        if (component.w != first.w || component.h != first.h)
            return false;
    }
    return first.w > 0 && first.h > 0 && first.data != nullptr;
}

// Interleaves openjpeg's planar integer samples into 8- or 16-bit pixels.
template <typename Sample> VImage interleave(const opj_image_t& image, int outputBits)
{
    const int width = static_cast<int>(image.comps[0].w);
    const int height = static_cast<int>(image.comps[0].h);
    const int bands = static_cast<int>(image.numcomps);
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<Sample> buffer(pixels * static_cast<std::size_t>(bands));
    for (int band = 0; band < bands; ++band) {
        const opj_image_comp_t& component = image.comps[band];
        const int precision = static_cast<int>(component.prec);
        const int offset = component.sgnd ? (1 << (precision - 1)) : 0;
        const int maximum = (1 << precision) - 1;
        for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
            const int value = std::clamp(component.data[pixel] + offset, 0, maximum);
            const int shift = outputBits - precision;
            buffer[pixel * bands + band] =
                static_cast<Sample>(shift >= 0 ? value << shift : value >> -shift);
        }
    }
    const bool sixteen = outputBits == 16;
    VImage decoded = imageFromPixels(buffer.data(), buffer.size() * sizeof(Sample), width, height,
                                     bands, sixteen ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR);
    const bool grey = bands <= 2;
    return decoded.copy(VImage::option()->set(
        "interpretation", grey ? (sixteen ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_B_W)
                               : (sixteen ? VIPS_INTERPRETATION_RGB16 : VIPS_INTERPRETATION_sRGB)));
}

} // namespace

bool Jpeg2000Codestream::isJpeg2000(const QByteArray& fileStart)
{
    return isBoxedFile(fileStart) || fileStart.startsWith(QByteArray("\xff\x4f\xff\x51", 4));
}

std::optional<Jpeg2000Codestream::Header> Jpeg2000Codestream::readHeader(const QString& path)
{
    QFile file;
    if (!NativePath::openForReading(file, path))
        return std::nullopt;
    const QByteArray bytes = file.read(headerSearchLength);
    const qsizetype marker = bytes.indexOf(QByteArray("\xff\x4f\xff\x51", 4));
    // The size marker body: length, capabilities, grid size, image offset,
    // tile size, tile offset, component count, then 3 bytes per component.
    const qsizetype body = marker + 4;
    if (marker < 0 || body + 38 + 3 > bytes.size())
        return std::nullopt;
    const quint32 gridWidth = bigEndian32(bytes, body + 4);
    const quint32 gridHeight = bigEndian32(bytes, body + 8);
    const quint32 offsetX = bigEndian32(bytes, body + 12);
    const quint32 offsetY = bigEndian32(bytes, body + 16);
    const quint16 components = bigEndian16(bytes, body + 36);
    if (offsetX >= gridWidth || offsetY >= gridHeight || components == 0)
        return std::nullopt;
    Header header;
    header.width = static_cast<int>(gridWidth - offsetX);
    header.height = static_cast<int>(gridHeight - offsetY);
    header.components = components;
    header.bitDepth = (static_cast<quint8>(bytes.at(body + 38)) & 0x7f) + 1;
    // A palette box before the codestream maps the single index component
    // to colours.
    if (isBoxedFile(bytes) && bytes.left(marker).contains("pclr"))
        header.components = 3;
    return header;
}

std::optional<VImage> Jpeg2000Codestream::decode(const QString& path)
{
    QFile probe;
    if (!NativePath::openForReading(probe, path))
        return std::nullopt;
    const bool boxed = isBoxedFile(probe.read(12));
    probe.close();

    const QByteArray encodedPath = NativePath::encode(path);
    StreamPointer stream(opj_stream_create_default_file_stream(encodedPath.constData(), OPJ_TRUE));
    CodecPointer codec = makeDecoder(boxed);
    if (!stream || !codec)
        return std::nullopt;
    opj_image_t* rawImage = nullptr;
    const bool headerRead = opj_read_header(stream.get(), codec.get(), &rawImage);
    ImagePointer image(rawImage);
    if (!headerRead || !image || !opj_decode(codec.get(), stream.get(), image.get()) ||
        !opj_end_decompress(codec.get(), stream.get())) {
        qCWarning(logJpeg2000) << "cannot decode" << path;
        return std::nullopt;
    }
    if (image->numcomps == 0 || image->numcomps > 4 || !componentsShareOneGrid(*image)) {
        qCWarning(logJpeg2000) << "unsupported component layout in" << path;
        return std::nullopt;
    }
    try {
        const bool deep = image->comps[0].prec > 8;
        return deep ? interleave<quint16>(*image, 16) : interleave<quint8>(*image, 8);
    } catch (const vips::VError& error) {
        qCWarning(logJpeg2000) << "cannot wrap decoded pixels of" << path << failureText(error);
        return std::nullopt;
    }
}

} // namespace fw
