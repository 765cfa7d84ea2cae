#pragma once

#include <QString>
#include <QStringList>

namespace fw {

// Which file name extensions name image types, in either letter case. Stands in
// for the desktop's type system, which has no notion of "an image" on Linux.
class ImageExtensionTable {
public:
    static bool isImageExtension(const QString& extension);
    // Every image extension, each in lower and in upper case.
    static QStringList imageExtensions();
    // Camera raw formats, which go to the raw decoder rather than libvips.
    static bool isCameraRawExtension(const QString& extension);
    static bool isPictExtension(const QString& extension);
};

} // namespace fw
