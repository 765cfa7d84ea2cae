#pragma once

#include <QString>
#include <QStringList>

namespace fw {

// The output formats a run can write, in the order whose index the output
// settings store: 0 "tif", 1 "tiff", 2 "png", 3 "jpg", 4 "jpeg", 5 "jp2",
// 6 "bmp", 7 "gif".
class KnownFormats {
public:
    static const QStringList& extensions();
    // The index of an extension, compared in lower case; -1 when unknown.
    static int indexOfExtension(const QString& extension);
    // The extension at an index; "tif" for an index outside the list.
    static QString extensionAt(int index);
    static QString typeIdentifierAt(int index);
    // JPEG and JPEG 2000 take a quality.
    static bool isLossy(int index);
    // Whether the format stores an orientation tag that viewers follow; the
    // others (JPEG 2000, BMP, GIF) must hold their pixels upright.
    static bool carriesOrientation(int index);
    // Source formats that are always re-encoded, even when nothing changes:
    // their files are not among the formats a run writes.
    static bool forcesReencoding(const QString& sourceExtension);
};

} // namespace fw
