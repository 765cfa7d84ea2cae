#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <QVariantMap>
#include <optional>
#include <vips/vips8>

namespace fw {

// Writes one libvips image in the format of a type identifier, adapting the
// pixels to what the format can hold (bit depth, colour space, alpha) and
// carrying the image's metadata. Platform code only.
class ImageEncoder {
public:
    static Outcome encode(const vips::VImage& image, const QString& path,
                          const QString& typeIdentifier, const QVariantMap& properties,
                          int qualityPercent);
};

} // namespace fw
