#pragma once

#include "platform/ImageService.h"

#include <memory>

namespace fw {

class HeaderCache;

// The image service on libvips, exiv2 and the decoders routed through
// ImageFileReader. One instance per process: it starts libvips, switches its
// operation cache off (so memory does not grow with the length of a batch) and
// sets exiv2 up. Thread-safe.
class VipsImageService : public ImageService {
public:
    static VipsImageService& shared();

    std::optional<QVariantMap> readProperties(const QString& path) const override;
    QString explainUnreadable(const QString& path) const override;
    std::optional<Image> decodeAsStored(const QString& path) const override;
    std::optional<Image> uprightPreview(const QString& path, int maxWidth,
                                        int maxHeight) const override;
    std::optional<Image> decodeUprightAtSize(const QString& path, int width,
                                             int height) const override;
    bool decodesCompletely(const QString& path) const override;
    Outcome encode(const Image& image, const QString& path, const QString& typeIdentifier,
                   const QVariantMap& properties, std::optional<int> qualityPercent) const override;
    bool isImageExtension(const QString& extension) const override;
    QStringList imageExtensions() const override;
    std::optional<QSizeF> epsSize(const QString& path) const override;
    std::optional<QSizeF> pictSize(const QString& path) const override;

private:
    VipsImageService();
    ~VipsImageService();

    const std::unique_ptr<HeaderCache> recentReads;
};

} // namespace fw
