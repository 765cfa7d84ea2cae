#pragma once

namespace fw {

// Orientations 5 to 8 store the picture turned by a quarter, so its upright
// width is its stored height.
inline bool swapsWidthAndHeight(int exifOrientation)
{
    return exifOrientation >= 5 && exifOrientation <= 8;
}

} // namespace fw
