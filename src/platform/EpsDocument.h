#pragma once

#include <QSizeF>
#include <QString>
#include <optional>

namespace vips {
class VImage;
}

namespace fw {

// Encapsulated PostScript: the size from the document's bounding box, and
// pixels rendered by Ghostscript run as a separate program in safe mode.
// Ghostscript is not linked, so its licence does not reach the program, and a
// hostile document cannot take the program down with it.
class EpsDocument {
public:
    // A document larger than this is not rendered (it is copied to be).
    static constexpr qint64 largestDocument = qint64(256) << 20;

    // Width and height of the bounding box in points (one pixel per point).
    static std::optional<QSizeF> boundingBoxSize(const QString& path);
    // Rendered with pixelsPerPoint pixels for each point of the bounding box.
    static std::optional<vips::VImage> render(const QString& path, double pixelsPerPoint);
};

} // namespace fw
