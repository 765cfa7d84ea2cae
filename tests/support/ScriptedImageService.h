#pragma once

#include "platform/VipsImageService.h"

#include <functional>

namespace fw::test {

// The real image service, except that its encoder first runs the hooks (on
// the thread that encodes) and, when told to, writes a number of bytes and then
// fails, as a full disk or a yanked card would.
class ScriptedImageService : public ImageService {
public:
    ScriptedImageService() = default;
    explicit ScriptedImageService(int failAfterBytes) : bytesBeforeFailure(failAfterBytes) {}

    std::optional<QVariantMap> readProperties(const QString& path) const override
    {
        return real().readProperties(path);
    }
    QString explainUnreadable(const QString& path) const override
    {
        return real().explainUnreadable(path);
    }
    std::optional<Image> decodeAsStored(const QString& path) const override
    {
        ++decodeCalls;
        return real().decodeAsStored(path);
    }
    std::optional<Image> uprightPreview(const QString& path, int width, int height) const override
    {
        return real().uprightPreview(path, width, height);
    }
    std::optional<Image> decodeUprightAtSize(const QString& path, int width,
                                             int height) const override
    {
        ++decodeCalls;
        return real().decodeUprightAtSize(path, width, height);
    }
    bool decodesCompletely(const QString& path) const override
    {
        return real().decodesCompletely(path);
    }
    Outcome encode(const Image& image, const QString& path, const QString& type,
                   const QVariantMap& properties,
                   std::optional<int> qualityPercent) const override;
    bool isImageExtension(const QString& extension) const override
    {
        return real().isImageExtension(extension);
    }
    QStringList imageExtensions() const override { return real().imageExtensions(); }
    std::optional<QSizeF> epsSize(const QString& path) const override
    {
        return real().epsSize(path);
    }
    std::optional<QSizeF> pictSize(const QString& path) const override
    {
        return real().pictSize(path);
    }

    mutable int encodeCalls = 0;
    mutable int decodeCalls = 0;
    std::function<void()> beforeEncode;
    // Told which picture is about to be written, on the thread that writes.
    std::function<void(const Image& image)> beforeEncodeOf;

private:
    static const ImageService& real() { return VipsImageService::shared(); }

    std::optional<int> bytesBeforeFailure;
};

} // namespace fw::test
