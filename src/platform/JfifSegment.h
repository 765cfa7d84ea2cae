#pragma once

#include <QByteArray>
#include <QVariantMap>
#include <optional>

namespace fw {

// The JFIF application segment at the start of a JPEG file: version and pixel
// density, as the "{JFIF}" dictionary ("JFIFVersion", "DensityUnit",
// "XDensity", "YDensity").
class JfifSegment {
public:
    // From the first bytes of the file.
    static std::optional<QVariantMap> parse(const QByteArray& fileStart);
};

} // namespace fw
