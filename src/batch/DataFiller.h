#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace fw {

// Lists the photo files of an iPhoto or Aperture library package: the versions
// of its database whose master is not in the trash and whose project is known,
// each at the image path its album property list gives, else at its master.
// One instance per package, made and read by the adding walk on its background
// task. It only reads: nothing in the package is written or created.
class DataFiller {
public:
    // Fills arrImagePaths (in database order, repeats kept). A package without
    // an album list, with an unreadable one, or with an unreadable or missing
    // database yields no paths and a diagnostic line.
    void fetchImagesFromLib(const QString& packagePath);

    // The package path, as given: the file system is case-sensitive here.
    QString libPath;
    QString xmlFile;
    QString dbPath;
    QStringList arrImagePaths;
    // Why the package gives no photos when its album list cannot be read.
    QString failure;
    // Master uuid -> {"OriginalPath"}: masters not in the trash.
    QHash<QString, QVariantMap> dictMasterInfo;
    // Folder uuid -> folder record: events and projects; only the keys count.
    QHash<QString, QVariantMap> dictFolderInfo;
    // Called, on the reading thread, when the album list has no "Archive Path":
    // the list is not what these libraries write, which the user is asked to
    // report. Reading waits for it to return and goes on without replacement.
    std::function<void()> onMissingArchivePath;

private:
    QList<QVariantMap> readDatabase();
    void appendImagePaths(const QList<QVariantMap>& versions, const QVariantMap& albumList);
    QString imagePathOf(const QVariantMap& version, const QVariantMap& masterImageList,
                        const QString& archivePath) const;
    QString archivePathToReplace(const QVariantMap& albumList) const;
};

} // namespace fw
