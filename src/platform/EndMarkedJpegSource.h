#pragma once

#include <QString>
#include <vips/vips8>

namespace fw {

// Cameras and phones often leave a JPEG without its end marker although all
// its image data is there. libjpeg reads past the end of such a file and
// fails; this source reads the file and then the missing marker, so the
// picture decodes when its data is complete. Data that is cut short still
// makes libjpeg warn, which the caller treats as a failure (platform code only).
class EndMarkedJpegSource {
public:
    EndMarkedJpegSource() = delete;

    // Whether the file ends without the JPEG end marker (FF D9).
    static bool lacksEndMarker(const QString& path);
    // A streaming source over the file with the marker added at its end.
    static vips::VSource open(const QString& path);
};

} // namespace fw
