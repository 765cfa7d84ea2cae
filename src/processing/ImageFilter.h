#pragma once

#include "processing/FilteredImage.h"
#include "processing/ResizingOptionsSettingObject.h"

#include <QSize>
#include <QSizeF>
#include <optional>

namespace fw {

// A run's geometry: target size, flips and rotation, in that order.
class ImageFilter {
public:
    // The largest side a run writes.
    static constexpr double maximumSide = 10000;

    // The whole-pixel size a size record asks of a picture whose full upright
    // size is sourceSize; none when a side would exceed maximumSide.
    static std::optional<QSize> resizeTarget(const QSizeF& sourceSize, const SizeObject& size);
    // The output's pixel size: the target (or the photo's own size), turned
    // by a quarter rotation; none as for resizeTarget.
    static std::optional<QSize> outputSize(const QSizeF& uprightSize,
                                           const ResizingOptionsSettingObject& options);

    // Scales the image to the target of the size record. sourceSize is the
    // photo's full upright size, which the record's percentages and aspect
    // ratio refer to (the image may already have been decoded at the target).
    static FilteredImage applyResizeFilter(const Image& image, const SizeObject& size,
                                           const QSizeF& sourceSize);

    // Size, then horizontal flip, then vertical flip, then rotation.
    static FilteredImage getFilteredImage(const Image& image,
                                          const ResizingOptionsSettingObject& options,
                                          const QSizeF& sourceSize);

    // Whether the output differs from the source at all: a size other than
    // its own, a flip, or a rotation.
    static bool isAnyChangesMadeInImageFilterObject(const ResizingOptionsSettingObject& options);

    // Counter-clockwise degrees of a rotation type: 1 turns the picture a
    // quarter clockwise, 2 a quarter counter-clockwise, 3 half.
    static double degreesForRotationType(int rotationType);
};

} // namespace fw
