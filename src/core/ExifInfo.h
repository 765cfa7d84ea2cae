#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

class ImageService;

// The few metadata values of one image file that geometry asks for. Made
// afresh whenever it is needed; never kept.
class ExifInfo {
public:
    ExifInfo() = default;

    // Never fails: an unreadable file gives empty values and orientation 0.
    static ExifInfo initWithFile(const QString& path, const ImageService& images);
    static std::optional<QVariantMap> exifForFile(const QString& path, const ImageService& images);

    // A missing dictionary leaves the values as they are.
    void resetAllWithDict(const std::optional<QVariantMap>& properties);

    // "W x H" of the stored size, as the dictionary holds the two values.
    const QString& imageSize() const { return size; }
    // The orientation the decoder turns the picture by (the dictionary's
    // "Orientation"): a file may hold two tags that disagree, and the size
    // planned for the photo must match the picture decoded. 0 when absent.
    int orientation() const { return storedOrientation; }
    const QString& colorModel() const { return model; }

private:
    QString size;
    int storedOrientation = 0;
    QString model;
};

} // namespace fw
