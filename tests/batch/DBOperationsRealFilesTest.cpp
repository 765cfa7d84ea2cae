#include "batch/DBOperations.h"
#include "batch/DataFiller.h"
#include "support/LibraryBuilder.h"

#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace fw {
namespace {

using test::LibraryBuilder;

// What each kind of library must yield, counted in a way of its own: versions
// outside the trash, of masters outside the trash, without bursts (Photos), or
// shown in the library and filed in a known project (iPhoto, Aperture).
constexpr char photosCount[] =
    "SELECT count(*) FROM RKVersion v JOIN RKMaster m ON m.uuid = v.masterUuid"
    " WHERE v.isInTrash = 0 AND m.isInTrash = 0 AND v.burstUuid IS NULL";
constexpr char apertureCount[] =
    "SELECT count(*) FROM RKVersion v JOIN RKMaster m ON m.uuid = v.masterUuid"
    " WHERE v.isInTrash = 0 AND v.showInLibrary = 1 AND v.versionNumber <> 0"
    " AND m.isInTrash = 0 AND v.projectUuid IN (SELECT uuid FROM RKFolder)";

// A database that is absent or has no such tables holds nothing to count.
int countRows(const QString& databasePath, const char* sql)
{
    if (!QFileInfo::exists(databasePath))
        return 0;
    sqlite3* database = nullptr;
    sqlite3_open(QFile::encodeName(databasePath).constData(), &database);
    sqlite3_stmt* statement = nullptr;
    int count = 0;
    if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        count = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(database);
    return count;
}

QStringList readImagePaths(const QString& package, bool isPhotosLibrary)
{
    if (!isPhotosLibrary) {
        DataFiller filler;
        filler.fetchImagesFromLib(package);
        return filler.arrImagePaths;
    }
    QStringList paths;
    for (const QVariantMap& record :
         DBOperations::getPhotoslibraryPath(package).value_or(QList<QVariantMap>()))
        paths.append(record.value("imagePath").toString());
    return paths;
}

TEST(RealFilesLibraries, YieldWhatTheirDatabasesHoldAndStayUnchanged)
{
    FW_REQUIRE_TESTDATA("libraries");
    struct Case {
        const char* package;
        const char* database;
        bool isPhotosLibrary;
        qsizetype expectedPaths;
        qsizetype expectedExisting;
    };
    const QList<Case> cases = {
        {"osxphotos/Test-10.13.6.photoslibrary", "database/photos.db", true, 7, 6},
        {"osxphotos/Test-Lock-10_12.photoslibrary", "database/photos.db", true, 0, 0},
        {"osxphotos/Test-iPhoto-9.6.1.photolibrary", "Database/apdb/Library.apdb", false, 13, 6},
        {"talaris-aperture/Aperture-2-sample.aplibrary", "Database/apdb/Library.apdb", false, 0, 0},
    };
    for (const Case& library : cases) {
        SCOPED_TRACE(library.package);
        LibraryBuilder builder;
        const QString source = test::testDataPath(QStringLiteral("libraries/") + library.package);
        ASSERT_FALSE(source.isEmpty());
        const QString package = builder.copyPackage(source, QFileInfo(source).fileName());
        const QString databaseFolder = QFileInfo(library.database).path();
        const QString counted = builder.copyPackage(source + '/' + databaseFolder, "counted");
        const std::string before = LibraryBuilder::snapshot(package);

        const QStringList paths = readImagePaths(package, library.isPhotosLibrary);

        const QString countedDatabase = counted + '/' + QFileInfo(library.database).fileName();
        EXPECT_EQ(paths.size(), countRows(countedDatabase,
                                          library.isPhotosLibrary ? photosCount : apertureCount));
        EXPECT_EQ(paths.size(), library.expectedPaths);
        EXPECT_EQ(std::count_if(paths.cbegin(), paths.cend(),
                                [](const QString& path) { return QFileInfo::exists(path); }),
                  library.expectedExisting);
        EXPECT_EQ(LibraryBuilder::snapshot(package), before);
        EXPECT_EQ(builder.cacheFiles(), "");
    }
}

} // namespace
} // namespace fw
