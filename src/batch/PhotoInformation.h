#pragma once

#include <QList>
#include <QString>

namespace fw {

class ImageService;
struct PhotoFile;

// What the info pop-up says about one photo: its file, then what its header
// tells of the camera, the exposure, the place and the colours. Read from
// the header alone, never the pixels; rows the file has nothing for are
// left out. Any thread.
class PhotoInformation {
public:
    struct Row {
        // The string key of the caption.
        const char* captionKey;
        QString value;
    };

    static QList<Row> read(const PhotoFile& photo, const ImageService& images);

    static QString exposureText(double seconds);
    static QString positionText(double latitude, const QString& latitudeRef, double longitude,
                                const QString& longitudeRef);
};

} // namespace fw
