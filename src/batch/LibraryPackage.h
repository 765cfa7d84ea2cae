#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace fw {

// Folders that the desktop treats as one document ("packages"): photo
// libraries, application bundles and the like. The adding walk reads a package
// chosen or dropped by itself as a photo library and never enters one met
// inside a folder. Linux has no package flag, so the folder's extension decides.
class LibraryPackage {
public:
    LibraryPackage() = delete;

    // A folder (or a link to one) whose extension, in any letter case, is a
    // package extension.
    static bool isPackage(const QString& path);
    // Photos libraries have their own database layout; the test is exact, as
    // the libraries' own applications name them.
    static bool isPhotosLibrary(const QString& packagePath);

    struct PhotoPaths {
        // To offer to the admission rule.
        QStringList paths;
        // Paths the library gives relative to itself that lead out of it,
        // by their names or through a link.
        QStringList outside;
        // Why the library gives no photos at all (a damaged database or
        // album list); empty when it could be read.
        QString unreadable;
    };

    // The photo paths to offer to the admission rule, in library order with
    // repeats left out and only those present on disk. A Photos library gives
    // one path per distinct record, so two versions of one master give the
    // same path twice. A path the library gives relative to itself must stay
    // inside the package; an absolute one names a master the library only
    // references, and is offered as any other file. Runs on the adding walk's
    // task; onMissingArchivePath is called there, and reading waits for it to
    // return.
    static PhotoPaths photoPathsToOffer(const QString& packagePath,
                                        const std::function<void()>& onMissingArchivePath);

private:
    // Each says in `unreadable` why it gives no photos when the library
    // cannot be read.
    static QStringList photosLibraryPaths(const QString& packagePath, QString& unreadable);
    static QStringList iPhotoLibraryPaths(const QString& packagePath,
                                          const std::function<void()>& onMissingArchivePath,
                                          QString& unreadable);
};

} // namespace fw
