#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

// Reads the photo lists of library packages from the libraries' own SQLite
// databases, never changing a library: every database is opened read-only, and
// a Photos database only through a private copy. Class operations only; called
// from the adding walk's background task, one package at a time.
class DBOperations {
public:
    DBOperations() = delete;

    // Records of a Photos library ("modelId", "uuid", "imagePath", "fileSize",
    // "originalFileName", "uuidRKVersion", "description"), or nothing when its
    // database cannot be copied. An unreadable database gives an empty list.
    static std::optional<QList<QVariantMap>> getPhotoslibraryPath(const QString& packagePath);
    static std::optional<QList<QVariantMap>> getImagesFromlibraryPath(const QString& packagePath);
    static QString getDataBasePathForPhotosLib(const QString& packagePath);

    // iPhoto and Aperture: version records ("modelId", "uuid", "masterUuid",
    // "projectUuid", "name") that are not in the trash and show in the library.
    static QList<QVariantMap> getAllVersionPhotos(const QString& dbPath, const QString& tableName);
    // Adds {"OriginalPath": dbPrefix/imagePath} under each master uuid not in the trash.
    static void getAllMasterPhotos(const QString& dbPath, const QString& dbPrefix,
                                   const QString& tableName,
                                   QHash<QString, QVariantMap>& updateDict);
    // Adds {"uuid", "name"} under each folder uuid (events and projects).
    static void getAllFolders(const QString& dbPath, const QString& tableName,
                              QHash<QString, QVariantMap>& updateDict);
};

} // namespace fw
