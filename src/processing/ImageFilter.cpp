#include "processing/ImageFilter.h"

#include "core/Codes.h"
#include "core/Utils.h"

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

struct FloatSize {
    float width;
    float height;
};

// Sizes are computed in single precision, as the stored presets hold them.
FloatSize targetInFloat(const QSizeF& source, const SizeObject& size)
{
    const float sourceWidth = static_cast<float>(source.width());
    const float sourceHeight = static_cast<float>(source.height());
    if (size.isCustomSize) {
        const float width = static_cast<float>(size.customWidth);
        if (size.isKeepAspectRatio)
            return {width, sourceHeight * width / sourceWidth};
        return {width, static_cast<float>(size.customHeight)};
    }
    if (size.isPercentSize) {
        return {sourceWidth * (static_cast<float>(size.perWidth) / 100.0f),
                sourceHeight * (static_cast<float>(size.perHeight) / 100.0f)};
    }
    return {sourceWidth, sourceHeight};
}

// The scale of the fit and edge modes, which keep the aspect ratio.
double modeScale(const QSizeF& source, const SizeObject& size)
{
    switch (size.sizeMode) {
    case SizeMode::FitInside:
        return std::min(size.customWidth / source.width(), size.customHeight / source.height());
    case SizeMode::LongEdge:
        return size.edgeLength / std::max(source.width(), source.height());
    default:
        return size.edgeLength / std::min(source.width(), source.height());
    }
}

// Whole pixels, rounded so the bounded edge is exactly the edge asked for.
QSizeF scaledByMode(const QSizeF& source, const SizeObject& size)
{
    double scale = modeScale(source, size);
    if (size.isNoEnlarge)
        scale = std::min(scale, 1.0);
    return {std::round(source.width() * scale), std::round(source.height() * scale)};
}

// A target larger than the photo in either side shrinks, its shape kept,
// until it fits the photo: no side grows.
QSizeF withoutEnlarging(const QSizeF& source, const QSizeF& target)
{
    const double scale =
        std::min({1.0, source.width() / target.width(), source.height() / target.height()});
    return {std::floor(target.width() * scale), std::floor(target.height() * scale)};
}

QSizeF targetOf(const QSizeF& source, const SizeObject& size)
{
    if (size.sizeMode != SizeMode::Classic)
        return scaledByMode(source, size);
    const FloatSize target = targetInFloat(source, size);
    const QSizeF classic(target.width, target.height);
    if (!size.isNoEnlarge || !(target.width > 0 && target.height > 0))
        return classic;
    return withoutEnlarging(source, classic);
}

} // namespace

std::optional<QSize> ImageFilter::resizeTarget(const QSizeF& sourceSize, const SizeObject& size)
{
    const QSizeF target = targetOf(sourceSize, size);
    if (!(target.width() <= maximumSide && target.height() <= maximumSide))
        return std::nullopt;
    return QSize(static_cast<int>(std::max(1.0, target.width())),
                 static_cast<int>(std::max(1.0, target.height())));
}

std::optional<QSize> ImageFilter::outputSize(const QSizeF& uprightSize,
                                             const ResizingOptionsSettingObject& options)
{
    const SizeObject& size = options.sizeObject;
    const std::optional<QSize> target = size.isKeepOriginalSize
                                            ? std::optional(uprightSize.toSize())
                                            : resizeTarget(uprightSize, size);
    if (!target)
        return std::nullopt;
    const bool quarterTurn = options.rotationType == RotationType::QuarterClockwise ||
                             options.rotationType == RotationType::QuarterCounterClockwise;
    return quarterTurn ? target->transposed() : *target;
}

FilteredImage ImageFilter::applyResizeFilter(const Image& image, const SizeObject& size,
                                             const QSizeF& sourceSize)
{
    const std::optional<QSize> target = resizeTarget(sourceSize, size);
    if (!target)
        return {image, 0};
    return {Utils::scaleImage(image, target->width(), target->height()), 1};
}

FilteredImage ImageFilter::getFilteredImage(const Image& image,
                                            const ResizingOptionsSettingObject& options,
                                            const QSizeF& sourceSize)
{
    FilteredImage result{image, 1};
    if (!options.sizeObject.isKeepOriginalSize)
        result = applyResizeFilter(image, options.sizeObject, sourceSize);
    if (options.isHorizontalFlip)
        result.image = Utils::flipImageHorizontally(result.image);
    if (options.isVerticalFlip)
        result.image = Utils::flipImageVertically(result.image);
    result.image =
        Utils::imageRotatedByDegrees(degreesForRotationType(options.rotationType), result.image);
    return result;
}

bool ImageFilter::isAnyChangesMadeInImageFilterObject(const ResizingOptionsSettingObject& options)
{
    return !options.sizeObject.isKeepOriginalSize || options.isHorizontalFlip ||
           options.isVerticalFlip || options.rotationType != RotationType::None;
}

double ImageFilter::degreesForRotationType(int rotationType)
{
    switch (rotationType) {
    case RotationType::QuarterClockwise:
        return 270;
    case RotationType::QuarterCounterClockwise:
        return 90;
    case RotationType::HalfTurn:
        return 180;
    default:
        return 0;
    }
}

} // namespace fw
