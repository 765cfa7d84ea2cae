#include "platform/DecoderChoice.h"

#include "platform/AnymapHeader.h"
#include "platform/GifFrames.h"
#include "platform/ImageExtensionTable.h"
#include "platform/Jpeg2000Codestream.h"
#include "platform/PixelBudget.h"
#include "platform/XvThumbnail.h"

#include <QFileInfo>

namespace fw {

namespace {

using Decoder = DecoderChoice::Decoder;

// The picture frame of a PICT file, after its 512-byte header and size word.
constexpr qsizetype pictFrameOffset = 514;

bool isDosEpsBinary(const QByteArray& start)
{
    return start.startsWith(QByteArray("\xc5\xd0\xd3\xc6", 4));
}

// A portable-anymap header with more than one comment line before the raster
// (libvips 8.14 misreads those; ImageMagick reads them).
bool isCommentedAnymap(const QByteArray& start)
{
    return AnymapHeader::parse(start) && start.count("\n#") + (start.startsWith("#") ? 1 : 0) >= 2;
}

int bigEndian16(const QByteArray& bytes, qsizetype offset)
{
    return static_cast<qint16>((static_cast<quint8>(bytes.at(offset)) << 8) |
                               static_cast<quint8>(bytes.at(offset + 1)));
}

std::optional<QSize> pictFrame(const QByteArray& start)
{
    if (start.size() < pictFrameOffset + 8)
        return std::nullopt;
    const int top = bigEndian16(start, pictFrameOffset);
    const int left = bigEndian16(start, pictFrameOffset + 2);
    const int bottom = bigEndian16(start, pictFrameOffset + 4);
    const int right = bigEndian16(start, pictFrameOffset + 6);
    return QSize(right - left, bottom - top);
}

} // namespace

bool DecoderChoice::isPostScript(const QByteArray& start)
{
    const QByteArray firstLine = start.left(start.indexOf('\n'));
    return isDosEpsBinary(start) || firstLine.startsWith("%!PS");
}

Decoder DecoderChoice::forFile(const QString& path, const QByteArray& fileStart)
{
    const QString extension = QFileInfo(path).suffix();
    if (isPostScript(fileStart))
        return extension == "eps" || extension == "EPS" ? Decoder::Eps : Decoder::None;
    if (ImageExtensionTable::isCameraRawExtension(extension))
        return Decoder::CameraRaw;
    const Decoder byContent = forContent(fileStart);
    if (byContent == Decoder::Vips && vipsLoaderFor(fileStart).isEmpty() &&
        ImageExtensionTable::isPictExtension(extension))
        return Decoder::ImageMagick;
    return byContent;
}

Decoder DecoderChoice::forContent(const QByteArray& fileStart)
{
    if (isPostScript(fileStart))
        return Decoder::None;
    if (Jpeg2000Codestream::isJpeg2000(fileStart))
        return Decoder::Jpeg2000;
    if (XvThumbnail::isXvThumbnail(fileStart))
        return Decoder::XvThumbnail;
    if (isCommentedAnymap(fileStart))
        return Decoder::ImageMagick;
    return Decoder::Vips;
}

QByteArray DecoderChoice::vipsLoaderFor(const QByteArray& start)
{
    if (start.startsWith("\xff\xd8\xff"))
        return "jpegload";
    if (start.startsWith("\x89PNG\r\n\x1a\n"))
        return "pngload";
    for (const char* tiff : {"II*\0", "MM\0*", "II+\0", "MM\0+"}) {
        if (start.startsWith(QByteArray(tiff, 4)))
            return "tiffload";
    }
    if (start.startsWith("GIF87a") || start.startsWith("GIF89a"))
        return "gifload";
    if (start.startsWith("RIFF") && start.mid(8, 4) == "WEBP")
        return "webpload";
    return {};
}

std::optional<DecoderChoice::Claim>
DecoderChoice::sizeClaimedBeforeDecoding(const QString& path, const QByteArray& fileStart)
{
    if (fileStart.startsWith("GIF8")) {
        const std::optional<QSize> canvas = GifFrames::canvasSize(path);
        return canvas ? std::optional(Claim{*canvas, PixelBudget::densestPixelsPerByte("gifload")})
                      : std::nullopt;
    }
    if (const std::optional<AnymapHeader> anymap = AnymapHeader::parse(fileStart))
        return Claim{QSize(anymap->width, anymap->height), PixelBudget::anymapPixelsPerByte};
    if (ImageExtensionTable::isPictExtension(QFileInfo(path).suffix())) {
        const std::optional<QSize> frame = pictFrame(fileStart);
        return frame ? std::optional(Claim{*frame, 0}) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace fw
