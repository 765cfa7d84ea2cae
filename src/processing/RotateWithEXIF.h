#pragma once

#include "platform/Image.h"

namespace fw {

// Turns an upright picture back into the pixels a file stores under an EXIF
// orientation, so that a viewer applying the tag shows it upright again.
// Orientations outside 2..8 return the picture unchanged.
Image RotateWithEXIF(const Image& bitmap, int orientation);

} // namespace fw
