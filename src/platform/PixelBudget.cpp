#include "platform/PixelBudget.h"

namespace fw {

bool PixelBudget::allows(qint64 width, qint64 height, bool streamed)
{
    const qint64 budget = streamed ? streamedPixels : wholePicturePixels;
    return width > 0 && height > 0 && width <= budget / height;
}

QString PixelBudget::refusal(qint64 width, qint64 height)
{
    return QStringLiteral("the photo is too large to read: %1 x %2")
        .arg(QString::number(width), QString::number(height));
}

} // namespace fw
