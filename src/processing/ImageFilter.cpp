#include "processing/ImageFilter.h"

#include "core/Codes.h"
#include "core/Utils.h"

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

} // namespace

std::optional<QSize> ImageFilter::resizeTarget(const QSizeF& sourceSize, const SizeObject& size)
{
    const FloatSize target = targetInFloat(sourceSize, size);
    if (!(target.width <= maximumSide && target.height <= maximumSide))
        return std::nullopt;
    return QSize(static_cast<int>(std::max(1.0f, target.width)),
                 static_cast<int>(std::max(1.0f, target.height)));
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
