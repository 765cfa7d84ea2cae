#pragma once

#include "processing/SizeObject.h"

namespace fw {

// The geometry settings of one run: size, rotation and flip. Built anew by the
// main screen whenever it needs one and owned by the run; never stored.
struct ResizingOptionsSettingObject {
    SizeObject sizeObject;
    // 0 none, 1 a quarter turn clockwise, 2 a quarter turn counter-clockwise,
    // 3 a half turn, 4 upright by the photo's orientation tag.
    int rotationType = 0;
    bool isHorizontalFlip = false;
    bool isVerticalFlip = false;

    bool operator==(const ResizingOptionsSettingObject&) const = default;
};

} // namespace fw
