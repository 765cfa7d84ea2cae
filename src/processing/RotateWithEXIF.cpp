#include "processing/RotateWithEXIF.h"

namespace fw {

namespace {

struct StoredTransform {
    bool mirrorLeftRight;
    bool mirrorTopBottom;
    bool quarterTurn;
};

// For each orientation: a quarter turn counter-clockwise first, then the
// mirrors. Undoes what a viewer does to show the stored pixels upright.
StoredTransform transformFor(int orientation)
{
    switch (orientation) {
    case 2:
        return {true, false, false};
    case 3:
        return {true, true, false};
    case 4:
        return {false, true, false};
    case 5:
        return {false, true, true};
    case 6:
        return {false, false, true};
    case 7:
        return {true, false, true};
    case 8:
        return {true, true, true};
    default:
        return {false, false, false};
    }
}

} // namespace

Image RotateWithEXIF(const Image& bitmap, int orientation)
{
    const StoredTransform transform = transformFor(orientation);
    Image stored = bitmap;
    if (transform.quarterTurn)
        stored = stored.rotatedCounterClockwise(90);
    if (transform.mirrorLeftRight)
        stored = stored.flippedHorizontally();
    if (transform.mirrorTopBottom)
        stored = stored.flippedVertically();
    return stored;
}

} // namespace fw
