#include "batch/PhotoAdmission.h"

#include "batch/Batch.h"
#include "platform/ImageService.h"
#include "platform/PathInfo.h"

#include <QFileInfo>

namespace fw {

PhotoAdmission::PhotoAdmission(const ImageService& images) : images(images) {}

bool PhotoAdmission::isImageCandidate(const QString& extension) const
{
    return images.isImageExtension(extension);
}

PhotoAdmission::Result PhotoAdmission::judge(const QString& path, const QString& fileType,
                                             bool isIphotoNode, const Batch& batch) const
{
    if (batch.contains(path))
        return {Verdict::AlreadyAdded, nullptr, {}};
    // Checked before the header is read: a filter over a large folder spares
    // opening every file it leaves out.
    if (fileType != "ALL" && !path.endsWith(fileType, Qt::CaseInsensitive))
        return {Verdict::Filtered, nullptr, {}};
    if (!isImageCandidate(QFileInfo(path).suffix()))
        return {isIphotoNode ? Verdict::NotAnImageFromLibrary : Verdict::NotAnImage, nullptr, {}};
    // Only regular files are opened: a pipe named like a photo would block the
    // walk until something wrote to it.
    if (!PathInfo::of(path).isFile())
        return {Verdict::Unreadable, nullptr, QStringLiteral("not a file")};
    PhotoFilePtr photo = PhotoFile::initWithFileUrl(path, isIphotoNode, images);
    if (!(photo->width > 0) || !(photo->height > 0))
        return {Verdict::Unreadable, nullptr, images.explainUnreadable(path)};
    return {Verdict::Admitted, std::move(photo), {}};
}

} // namespace fw
