#include "batch/DataFiller.h"

#include "batch/DBOperations.h"
#include "platform/PathInfo.h"
#include "platform/PlistReader.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <optional>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logLibrary, "framewright.library", QtCriticalMsg)

const QStringList albumListNames = {"AlbumData.xml", "ApertureData.xml"};

QString albumListPath(const QString& packagePath)
{
    for (const QString& name : albumListNames) {
        if (PathInfo::of(packagePath + '/' + name).exists())
            return packagePath + '/' + name;
    }
    return {};
}

// Masters sit in the package itself (three levels above its database);
// libraries older than the "Masters" folder keep them in "Originals".
QString mastersFolder(const QString& packagePath)
{
    const QString masters = packagePath + "/Masters";
    return PathInfo::of(masters).exists() ? masters : packagePath + "/Originals";
}

} // namespace

void DataFiller::fetchImagesFromLib(const QString& packagePath)
{
    libPath = packagePath;
    arrImagePaths.clear();
    failure.clear();
    dictMasterInfo.clear();
    dictFolderInfo.clear();
    xmlFile = albumListPath(libPath);
    if (xmlFile.isEmpty()) {
        qCInfo(logLibrary) << "no album list, so no photos, in" << libPath;
        return;
    }
    const QList<QVariantMap> versions = readDatabase();
    const PlistReader::Read albumList = PlistReader::readFile(xmlFile);
    if (!albumList.value || albumList.value->typeId() != QMetaType::QVariantMap) {
        failure = QStringLiteral("its album list cannot be read: %1")
                      .arg(albumList.value ? QStringLiteral("it is not a dictionary")
                                           : albumList.failure);
        qCWarning(logLibrary) << failure << xmlFile;
        return;
    }
    appendImagePaths(versions, albumList.value->toMap());
}

QList<QVariantMap> DataFiller::readDatabase()
{
    const QString databasePath = libPath + "/Database/apdb/Library.apdb";
    dbPath = PathInfo::of(databasePath).exists() ? databasePath : QString();
    if (dbPath.isEmpty()) {
        qCInfo(logLibrary) << "no library database, so no photos, in" << libPath;
        return {};
    }
    const QList<QVariantMap> versions = DBOperations::getAllVersionPhotos(dbPath, "RKVersion");
    DBOperations::getAllMasterPhotos(dbPath, mastersFolder(libPath), "RKMaster", dictMasterInfo);
    DBOperations::getAllFolders(dbPath, "RKFolder", dictFolderInfo);
    return versions;
}

void DataFiller::appendImagePaths(const QList<QVariantMap>& versions, const QVariantMap& albumList)
{
    const QString archivePath = archivePathToReplace(albumList);
    const QVariantMap masterImageList = albumList.value("Master Image List").toMap();
    for (const QVariantMap& version : versions) {
        if (dictMasterInfo.contains(version.value("masterUuid").toString()) &&
            dictFolderInfo.contains(version.value("projectUuid").toString()))
            arrImagePaths.append(imagePathOf(version, masterImageList, archivePath));
    }
}

// An edited version has its own file, which only the album list names; the
// others are read from their master.
QString DataFiller::imagePathOf(const QVariantMap& version, const QVariantMap& masterImageList,
                                const QString& archivePath) const
{
    const QVariantMap entry = masterImageList.value(version.value("modelId").toString()).toMap();
    if (!entry.contains("ImagePath"))
        return dictMasterInfo.value(version.value("masterUuid").toString())
            .value("OriginalPath")
            .toString();
    QString imagePath = entry.value("ImagePath").toString();
    if (!archivePath.isEmpty())
        imagePath.replace(archivePath, libPath);
    return imagePath.startsWith('/') ? imagePath : libPath + '/' + imagePath;
}

// The album list names its images below the place the library had when the
// list was written ("Archive Path"). A library moved since then has that prefix
// replaced by where it is now; one that differs only in letter case is taken as
// not moved. Gives the prefix to replace, or an empty text for none.
QString DataFiller::archivePathToReplace(const QVariantMap& albumList) const
{
    if (!albumList.contains("Archive Path")) {
        qCWarning(logLibrary, "Archive is nil");
        if (onMissingArchivePath)
            onMissingArchivePath();
        return {};
    }
    const QString archivePath = albumList.value("Archive Path").toString();
    return archivePath.toUpper() == libPath.toUpper() ? QString() : archivePath;
}

} // namespace fw
