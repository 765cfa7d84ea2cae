#pragma once

#include <QDate>
#include <QString>
#include <memory>

namespace fw {

class ImageService;
struct PhotoFile;
using PhotoFilePtr = std::shared_ptr<PhotoFile>;

// One photo of the batch, identified by its exact path. Shared by reference:
// the batch, the run and the screens hold the same record, and the run writes
// its results into it.
struct PhotoFile {
    QString filePath;
    QString fileName;
    QString fileExtension;
    QString fileURL;
    // Upright (displayed) pixel size.
    double width = 0;
    double height = 0;
    double fileSizeInBytes = 0;
    // When it was taken by its EXIF data, else the file's last change.
    QDate dateTaken;
    QString fileSizeAsString;
    bool isIphotosNode = false;
    bool isSelected = false;

    int processStatus = 0;
    QString filePathNew;
    double newfileSizeInBytes = 0;
    QString newfileSizeAsString;

    // Never fails: a file that cannot be read as an image gives width and
    // height 0, which the batch treats as an unsupported format.
    static PhotoFilePtr initWithFileUrl(const QString& path, bool isIphoto,
                                        const ImageService& images);
    // A record of the path and the names taken from it, nothing read.
    static PhotoFilePtr atPath(const QString& path);
};

} // namespace fw
