#include "core/Utils.h"

#include "core/ExifInfo.h"
#include "core/StringKeys.h"
#include "platform/ExifOrientation.h"
#include "platform/ImageService.h"
#include "platform/PathInfo.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <array>
#include <cmath>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logUtils, "framewright.geometry", QtCriticalMsg)

QSize wholePixels(const QSizeF& size)
{
    return {std::max(1, static_cast<int>(std::lround(size.width()))),
            std::max(1, static_cast<int>(std::lround(size.height())))};
}

using ByteUnits = std::array<const char*, 5>;

// The units in the language of the figures' locale: German writes "Byte",
// French counts octets.
const ByteUnits& byteUnits(QLocale::Language language)
{
    static const ByteUnits english = {"bytes", "KB", "MB", "GB", "TB"};
    static const ByteUnits german = {"Byte", "KB", "MB", "GB", "TB"};
    static const ByteUnits french = {"octets", "Ko", "Mo", "Go", "To"};
    if (language == QLocale::German)
        return german;
    return language == QLocale::French ? french : english;
}

} // namespace

Utils::Utils(const ImageService& images) : images(images) {}

QString Utils::unitStringFromBytes(double bytes, unsigned /*flags*/)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const ByteUnits& units = byteUnits(locale.language());
    std::size_t unit = 0;
    double value = bytes;
    while (value >= 1000 && unit + 1 < units.size()) {
        value /= 1000;
        ++unit;
    }
    if (value == 0)
        return QStringLiteral("0 %1").arg(units[unit]);

    double shown = std::floor(value * 100) / 100;
    // Just below the next unit the text would need four digits; it reads as a
    // fraction of the next unit instead.
    if (shown > 993 && unit + 1 < units.size()) {
        shown = 0.97;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(locale.toString(shown, 'f', unit == 0 ? 0 : 2),
                                       QLatin1String(units[unit]));
}

qint64 Utils::getDurationBetweenDate(const QDateTime& start, const QDateTime& end)
{
    return start.msecsTo(end) / 1000;
}

QString Utils::timeFormattedString(qint64 seconds, const Localizer& localize)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds / 60) - 60 * hours;
    const qint64 rest = seconds - 60 * (seconds / 60);
    auto part = [&localize](qint64 value, const char* unit) {
        return QString::number(value) + ' ' + localize(unit);
    };
    QString text;
    if (hours > 0)
        text += part(hours, StringKey::HOURS);
    if (hours > 0 || minutes > 0)
        text += part(minutes, StringKey::MINUTES);
    if (rest > 0 || hours > 0 || minutes > 0)
        text += part(rest, StringKey::SECONDS);
    return text;
}

QString Utils::stringToAvoidNameCollisionForPath(const QString& path,
                                                 const QSet<QString>& alsoTaken)
{
    const QFileInfo file(path);
    const QString folder = file.path();
    const QString base = file.completeBaseName();
    const QString extension = file.suffix();
    QString candidate = path;
    for (int number = 1; PathInfo::ofLink(candidate).exists() || alsoTaken.contains(candidate);
         ++number) {
        const QString numbered = base + " (" + QString::number(number) + ')';
        candidate = folder + '/' + (extension.isEmpty() ? numbered : numbered + '.' + extension);
    }
    return candidate;
}

QString Utils::dimensionsText(qint64 width, qint64 height)
{
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

QString Utils::firstCharacters(const QString& text, int count)
{
    qsizetype end = 0;
    for (int taken = 0; taken < count && end < text.size(); ++taken)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    return text.left(end);
}

QString Utils::validFileNameString(const QString& text)
{
    static const QString forbidden = QStringLiteral(":;,./\\?%*|\"<>");
    QString valid;
    valid.reserve(text.size());
    for (const QChar character : text) {
        if (!forbidden.contains(character))
            valid.append(character);
    }
    return valid;
}

QSizeF Utils::aspectFitSizeWithMaxSize(double width, double height, double scaledWidth)
{
    const float factor = static_cast<float>(scaledWidth) / static_cast<float>(width);
    return {static_cast<double>(static_cast<float>(width) * factor),
            static_cast<double>(factor * static_cast<float>(height))};
}

QSizeF Utils::aspectFitSizeWithMaxHeight(double width, double height, double scaledHeight)
{
    const float factor = static_cast<float>(scaledHeight) / static_cast<float>(height);
    return {static_cast<double>(factor * static_cast<float>(width)),
            static_cast<double>(static_cast<float>(height) * factor)};
}

std::optional<QSizeF> Utils::epsOrPictSize(const QString& path) const
{
    const QString extension = QFileInfo(path).suffix();
    std::optional<QSizeF> size;
    if (extension == "eps" || extension == "EPS")
        size = images.epsSize(path);
    else if (extension == "pict" || extension == "PICT" || extension == "pct" || extension == "PCT")
        size = images.pictSize(path);
    else
        return std::nullopt;
    qCDebug(logUtils) << "epsDict =" << (size ? *size : QSizeF());
    return size;
}

QSizeF Utils::getImageOriginalSizeAtFilePathUrl(const QString& path) const
{
    return uprightSize(path, images.readProperties(path).value_or(QVariantMap{}));
}

// The one rule of a photo's upright size: stored size, turned for
// orientations 5 to 8; EPS and PICT documents by the size they declare.
QSizeF Utils::uprightSize(const QString& path, const QVariantMap& properties) const
{
    const QSizeF stored(properties.value("PixelWidth").toFloat(),
                        properties.value("PixelHeight").toFloat());
    if (swapsWidthAndHeight(properties.value("Orientation").toInt()))
        return stored.transposed();
    const std::optional<QSizeF> representation = epsOrPictSize(path);
    if (!representation)
        return stored;
    return {representation->width() > 0 ? representation->width() : stored.width(),
            representation->height() > 0 ? representation->height() : stored.height()};
}

std::optional<Image> Utils::getImageFromFile(const QString& path, float minWidth,
                                             float minHeight) const
{
    const ExifInfo info = ExifInfo::initWithFile(path, images);
    if (!info.imageSize().isEmpty() && info.orientation() != 1 && !path.isEmpty()) {
        const QSizeF upright = getImageOriginalSizeAtFilePathUrl(path);
        const QSizeF fitted =
            upright.isEmpty()
                ? QSizeF(minWidth, minHeight)
                : aspectFitSizeWithMaxSize(upright.width(), upright.height(), minWidth);
        const QSize size = wholePixels(fitted);
        if (auto preview = images.decodeUprightAtSize(path, size.width(), size.height()))
            return preview;
    }
    std::optional<Image> stored = images.decodeAsStored(path);
    if (!stored)
        qCWarning(logUtils) << "Image source is NULL." << path;
    return stored;
}

std::optional<Image> Utils::getImageWithFixedOrientionFromUrl(const QString& path,
                                                              std::optional<QSize> targetSize) const
{
    return decodeUpright(path, images.readProperties(path).value_or(QVariantMap{}), targetSize);
}

std::optional<Image> Utils::decodeUpright(const QString& path, const QVariantMap& properties,
                                          std::optional<QSize> targetSize) const
{
    std::optional<Image> image;
    if (targetSize && !targetSize->isEmpty()) {
        image = images.decodeUprightAtSize(path, targetSize->width(), targetSize->height());
    } else {
        const QSizeF upright = uprightSize(path, properties);
        image = getImageFromFile(path, static_cast<float>(upright.width()),
                                 static_cast<float>(upright.height()));
    }
    if (image && properties.value("ColorModel").toString() == "Gray")
        image = convertGraycolorModelToRgb(*image);
    return image;
}

Image Utils::convertGraycolorModelToRgb(const Image& image)
{
    if (image.width() <= 0 || image.height() <= 0)
        return image;
    return image.convertedToColour();
}

std::optional<Image> Utils::getThumbnailImageAtFilePath(const QString& path, double width,
                                                        double height) const
{
    if (path.isEmpty())
        return std::nullopt;
    QSizeF size = getImageOriginalSizeAtFilePathUrl(path);
    if (size.isEmpty())
        return std::nullopt;
    if (!(width > size.width() && height > size.height()))
        size = aspectFitSizeWithMaxSize(size.width(), size.height(), width);
    if (size.height() > size.width() && height < size.height())
        size = aspectFitSizeWithMaxHeight(size.width(), size.height(), height);
    const QSize box = wholePixels(size);
    if (auto preview = images.uprightPreview(path, box.width(), box.height()))
        return preview;
    return getImageFromFile(path, static_cast<float>(size.width()),
                            static_cast<float>(size.height()));
}

Image Utils::scaleImage(const Image& image, double width, double height)
{
    if (!image.isValid())
        return image;
    const QSize size = wholePixels({width, height});
    return image.scaled(size.width(), size.height());
}

Image Utils::flipImageHorizontally(const Image& image)
{
    return image.flippedHorizontally();
}

Image Utils::flipImageVertically(const Image& image)
{
    return image.flippedVertically();
}

Image Utils::imageRotatedByDegrees(double degrees, const Image& image)
{
    if (image.width() <= 0 || image.height() <= 0 || degrees == 0)
        return image;
    return image.rotatedCounterClockwise(degrees);
}

} // namespace fw
