#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

// The JFIF application segment at the start of a JPEG file: version and pixel
// density, as the "{JFIF}" dictionary ("JFIFVersion", "DensityUnit",
// "XDensity", "YDensity").
class JfifSegment {
public:
    static std::optional<QVariantMap> read(const QString& path);
};

} // namespace fw
