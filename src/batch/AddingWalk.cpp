#include "batch/AddingWalk.h"

#include "batch/FolderWalker.h"
#include "batch/LibraryPackage.h"
#include "core/Codes.h"
#include "platform/PathInfo.h"

namespace fw {

namespace {

// "/photos/" and "/photos" name the same folder; the walk builds its paths
// from the second.
QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

} // namespace

AddingWalk::AddingWalk(Hooks hooks, int photoLimit, const std::atomic<bool>& isStopped,
                       bool withSubFolders, QStringList imageExtensions)
    : hooks(std::move(hooks)), photoLimit(photoLimit), isStopped(isStopped),
      withSubFolders(withSubFolders), imageExtensions(std::move(imageExtensions))
{
}

QStringList AddingWalk::photosUrlsToBeAdded(const QStringList& urls)
{
    for (const QString& url : urls) {
        if (!walkItem(url))
            break;
    }
    return admitted;
}

// Each walk below returns false when the whole walk must end.
bool AddingWalk::walkItem(const QString& path)
{
    if (!PathInfo::of(path).isDir())
        return offer(path, false);
    const QString folder = withoutTrailingSlash(path);
    if (LibraryPackage::isPackage(folder))
        return walkPackage(folder);
    const auto offerFile = [this](const QString& file) { return offer(file, false); };
    const auto keepGoing = [this] { return !isStopped && !hooks.isClosing(); };
    if (withSubFolders)
        return FolderWalker::walkTree(folder, offerFile, keepGoing);
    return FolderWalker::walkFolder(folder, imageExtensions, offerFile, keepGoing);
}

bool AddingWalk::walkPackage(const QString& packagePath)
{
    lastPathType = LibraryPackage::isPhotosLibrary(packagePath) ? LibraryKind::Photos
                                                                : LibraryKind::IPhotoOrAperture;
    const LibraryPackage::PhotoPaths photos =
        LibraryPackage::photoPathsToOffer(packagePath, hooks.onMissingArchivePath);
    if (!photos.unreadable.isEmpty())
        hooks.onRefused({packagePath, RefusedFile::Reason::CannotBeRead, photos.unreadable});
    for (const QString& outside : photos.outside)
        hooks.onRefused({outside, RefusedFile::Reason::OutsideLibrary, {}});
    for (const QString& photo : photos.paths) {
        if (!offer(photo, true))
            return false;
    }
    return true;
}

bool AddingWalk::offer(const QString& path, bool fromLibrary)
{
    if (isStopped || hooks.isClosing())
        return false;
    return !hooks.isValidPhoto(path, fromLibrary) || countAdmitted(path);
}

// The photo that finds the limit passed, or Stop pressed, stays in the batch
// but is not counted.
bool AddingWalk::countAdmitted(const QString& path)
{
    if (admitted.size() > photoLimit) {
        limitExceeded = true;
        return false;
    }
    if (isStopped)
        return false;
    admitted.append(path);
    return true;
}

} // namespace fw
