#pragma once

#include "platform/Image.h"

namespace fw {

// The result of a run's geometry step: the transformed picture, and whether
// its size target was within bounds (1) or too large (0, picture unchanged).
struct FilteredImage {
    Image image;
    int status = 1;
};

} // namespace fw
