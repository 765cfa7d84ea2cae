#include "platform/PixelBudget.h"

namespace fw {

bool PixelBudget::allows(qint64 width, qint64 height, bool streamed)
{
    const qint64 budget = streamed ? streamedPixels : wholePicturePixels;
    return width > 0 && height > 0 && width <= budget / height;
}

bool PixelBudget::fitsInFile(qint64 width, qint64 height, qint64 fileBytes, qint64 pixelsPerByte)
{
    if (pixelsPerByte <= 0)
        return true;
    return width > 0 && height > 0 && width <= fileBytes * pixelsPerByte / height;
}

qint64 PixelBudget::densestPixelsPerByte(const QByteArray& vipsLoader)
{
    if (vipsLoader.startsWith("jpegload"))
        return 1024;
    for (const char* deflated : {"pngload", "tiffload", "gifload", "webpload"}) {
        if (vipsLoader.startsWith(deflated))
            return 16384;
    }
    if (vipsLoader.startsWith("ppmload"))
        return anymapPixelsPerByte;
    return 0;
}

QString PixelBudget::refusal(qint64 width, qint64 height)
{
    return QStringLiteral("the photo is too large to read: %1 x %2")
        .arg(QString::number(width), QString::number(height));
}

} // namespace fw
