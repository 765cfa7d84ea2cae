#include "batch/LibraryPackage.h"

#include "batch/DBOperations.h"
#include "batch/DataFiller.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace fw {

namespace {

const QStringList packageExtensions = {"photoslibrary", "migratedphotolibrary",
                                       "photolibrary",  "iphotolibrary",
                                       "aplibrary",     "app",
                                       "bundle",        "framework",
                                       "plugin",        "rtfd"};

// Library paths are joined to the package without cleaning, so one that
// began inside it and climbs out with ".." is told from an absolute one.
// A path inside the package by its name may still lead out through a link,
// so its real path must be inside the package's real path too.
LibraryPackage::PhotoPaths containedAndExisting(const QString& packagePath,
                                                const QStringList& paths)
{
    LibraryPackage::PhotoPaths result;
    const QString inside = QDir::cleanPath(packagePath) + '/';
    const QString realInside = NativePath::canonical(packagePath) + '/';
    for (const QString& path : paths) {
        const QString cleaned = QDir::cleanPath(path);
        const bool claimsInside = path.startsWith(packagePath + '/');
        if (claimsInside && !cleaned.startsWith(inside)) {
            result.outside.append(path);
            continue;
        }
        if (!PathInfo::of(cleaned).exists())
            continue;
        if (claimsInside && !NativePath::canonical(cleaned).startsWith(realInside))
            result.outside.append(path);
        else
            result.paths.append(cleaned);
    }
    return result;
}

// Every value of a record, so that two records give one key only when they are equal.
QString recordKey(const QVariantMap& record)
{
    QStringList values;
    for (auto value = record.cbegin(); value != record.cend(); ++value)
        values.append(value.key() + '=' + value.value().toString());
    return values.join(QChar(0x1f));
}

} // namespace

bool LibraryPackage::isPackage(const QString& path)
{
    return packageExtensions.contains(QFileInfo(path).suffix().toLower()) &&
           PathInfo::of(path).isDir();
}

bool LibraryPackage::isPhotosLibrary(const QString& packagePath)
{
    const QString extension = QFileInfo(packagePath).suffix();
    return extension == "migratedphotolibrary" || extension == "photoslibrary";
}

LibraryPackage::PhotoPaths
LibraryPackage::photoPathsToOffer(const QString& packagePath,
                                  const std::function<void()>& onMissingArchivePath)
{
    QString unreadable;
    PhotoPaths photos =
        containedAndExisting(packagePath, isPhotosLibrary(packagePath)
                                              ? photosLibraryPaths(packagePath, unreadable)
                                              : iPhotoLibraryPaths(packagePath, onMissingArchivePath,
                                                                   unreadable));
    photos.unreadable = unreadable;
    return photos;
}

// Records that differ only in their version are distinct, so their shared
// master path is offered once per record and the admission rule refuses the
// repeat as already in the batch.
QStringList LibraryPackage::photosLibraryPaths(const QString& packagePath, QString& unreadable)
{
    const std::optional<QList<QVariantMap>> records =
        DBOperations::getPhotoslibraryPath(packagePath);
    if (!records) {
        unreadable = QStringLiteral("its database cannot be read");
        return {};
    }
    QStringList paths;
    QSet<QString> seen;
    for (const QVariantMap& record : *records) {
        if (!seen.contains(recordKey(record))) {
            seen.insert(recordKey(record));
            paths.append(record.value("imagePath").toString());
        }
    }
    return paths;
}

QStringList LibraryPackage::iPhotoLibraryPaths(const QString& packagePath,
                                               const std::function<void()>& onMissingArchivePath,
                                               QString& unreadable)
{
    DataFiller filler;
    filler.onMissingArchivePath = onMissingArchivePath;
    filler.fetchImagesFromLib(packagePath);
    unreadable = filler.failure;
    QStringList paths = filler.arrImagePaths;
    paths.removeDuplicates();
    return paths;
}

} // namespace fw
