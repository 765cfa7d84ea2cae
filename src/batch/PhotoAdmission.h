#pragma once

#include "batch/PhotoFile.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace fw {

class Batch;
class ImageService;

// Whether one path may become a photo of the batch. It reads the file's header
// but changes nothing: the batch screen records the verdict and appends the
// photo. Thread-safe; the adding walk calls it on its task.
class PhotoAdmission {
public:
    enum class Verdict {
        Admitted,
        // The path is in the batch already.
        AlreadyAdded,
        // A plain file whose extension names no image type.
        NotAnImage,
        // Libraries hold videos and other files that nobody chose one by one,
        // so these are refused without a word.
        NotAnImageFromLibrary,
        // An image extension, but no file or no picture size behind it.
        Unreadable,
        // Left out by the file-type filter.
        Filtered,
    };
    struct Result {
        Verdict verdict = Verdict::Unreadable;
        // The new record, when admitted.
        PhotoFilePtr photo;
        // Why an unreadable file cannot be read, from the image service.
        QString failure;
    };

    explicit PhotoAdmission(const ImageService& images);

    // The image service's extension table names the usual image types and the
    // formats only some decoders read (EPS, PICT, PNM, XV thumbnails, ...).
    bool isImageCandidate(const QString& extension) const;

    // The filter "ALL" admits every image; any other admits the paths that end
    // with it.
    Result judge(const QString& path, const QString& fileType, bool isIphotoNode,
                 const Batch& batch) const;

private:
    const ImageService& images;
};

} // namespace fw
