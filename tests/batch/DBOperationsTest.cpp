#include "batch/DBOperations.h"

#include "support/LibraryBuilder.h"

#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace fw {
namespace {

using test::LibraryBuilder;

QMap<QString, QVariantMap> byVersion(const QList<QVariantMap>& records)
{
    QMap<QString, QVariantMap> versions;
    for (const QVariantMap& record : records)
        versions.insert(record.value("uuidRKVersion").toString(), record);
    return versions;
}

TEST(DBOperations, PhotosLibraryLeavesOutTrashAndBurstsAndSeesTheWriteAheadLog)
{
    LibraryBuilder builder;
    const QString package = builder.folder().makeFolder("Family Photos.photoslibrary");
    const QString database = package + "/database/photos.db";
    LibraryBuilder::execute(database, LibraryBuilder::photosSchema());
    // The rows stay in "photos.db-wal", as while Photos has the library open.
    LibraryBuilder::execute(
        database,
        "INSERT INTO RKMaster VALUES (1, 'M1', 5000000000, '2020/a b.jpg', 0),"
        " (2, 'M2', 10, '2020/trashed.jpg', 1), (3, 'M3', 20, '2020/c.jpg', 0),"
        " (4, 'M4', 30, '2020/burst.jpg', 0);"
        "INSERT INTO RKVersion VALUES (10, 'V1', 'M1', 'a b.jpg', 'Bride', 0, NULL),"
        " (11, 'V2', 'M2', 'trashed.jpg', NULL, 0, NULL), (12, 'V3', 'M3', 'c.jpg', NULL, 1, NULL),"
        " (13, 'V4', 'M3', 'c.jpg', NULL, 0, NULL), (14, 'V5', 'M4', 'burst.jpg', NULL, 0, 'B1'),"
        " (15, 'V6', 'M1', 'a b.jpg', 'Second edit', 0, NULL);",
        LibraryBuilder::Journal::WriteAheadKept);
    ASSERT_GT(QFile(database + "-wal").size(), 0);
    const std::string before = LibraryBuilder::snapshot(package);

    const std::optional<QList<QVariantMap>> records = DBOperations::getPhotoslibraryPath(package);

    ASSERT_TRUE(records.has_value());
    const QMap<QString, QVariantMap> versions = byVersion(*records);
    EXPECT_EQ(records->size(), 3);
    EXPECT_EQ(versions.keys(), QStringList({"V1", "V4", "V6"}));
    const QVariantMap expectedFirst = {
        {"modelId", "10"},
        {"uuid", "M1"},
        {"imagePath", package + "/Masters/2020/a b.jpg"},
        {"fileSize", qint64(5000000000)},
        {"originalFileName", "a b.jpg"},
        {"uuidRKVersion", "V1"},
        {"description", "Bride"},
    };
    EXPECT_EQ(versions.value("V1"), expectedFirst);
    EXPECT_EQ(versions.value("V4").value("description").toString(), "");
    EXPECT_EQ(versions.value("V6").value("imagePath"), expectedFirst.value("imagePath"));
    EXPECT_EQ(LibraryBuilder::snapshot(package), before);
    EXPECT_EQ(builder.cacheFiles(), "");
}

TEST(DBOperations, PhotosDatabaseIsTheFirstOfItsLocationsPresent)
{
    const QStringList locations = {"database/apdb/Library.apdb", "database/Library.apdb",
                                   "database/apdb/photos.db", "database/photos.db"};
    for (qsizetype first = 0; first <= locations.size(); ++first) {
        SCOPED_TRACE(first);
        LibraryBuilder builder;
        const QString package = builder.folder().makeFolder("Library.photoslibrary");
        // Each database names its own location, so the record shows which was read.
        for (const QString& location : locations.mid(first))
            LibraryBuilder::execute(package + '/' + location,
                                    LibraryBuilder::photosSchema() +
                                        QStringLiteral("INSERT INTO RKMaster VALUES (1, 'M', 1, "
                                                       "'%1', 0); INSERT INTO RKVersion VALUES "
                                                       "(1, 'V', 'M', 'x.jpg', NULL, 0, NULL);")
                                            .arg(location));

        const std::optional<QList<QVariantMap>> records =
            DBOperations::getPhotoslibraryPath(package);

        if (first == locations.size()) {
            EXPECT_FALSE(records.has_value());
            continue;
        }
        ASSERT_TRUE(records.has_value());
        ASSERT_EQ(records->size(), 1);
        EXPECT_EQ(records->first().value("imagePath").toString(),
                  package + "/Masters/" + locations[first]);
        EXPECT_EQ(builder.cacheFiles(), "");
    }
}

TEST(DBOperations, UnreadablePhotosDatabaseGivesNoRecordsAndLeavesNoCopy)
{
    const QString goodRows = "INSERT INTO RKMaster VALUES (1, 'M', 1, 'a.jpg', 0);"
                             "INSERT INTO RKVersion VALUES (1, 'V', 'M', 'a.jpg', NULL, 0, NULL);";
    struct Case {
        const char* name;
        QString sql;
        qint64 damageAt;
        QByteArray damage;
    };
    // Page 2 of the damaged database is the root of RKMaster.
    const QList<Case> cases = {
        {"not a database", {}, 0, QByteArray(5000, 'x')},
        {"no tables", "CREATE TABLE unrelated (x);", 0, {}},
        {"other schema",
         "CREATE TABLE RKMaster (uuid, imagePath); CREATE TABLE RKVersion (uuid);",
         0,
         {}},
        {"damaged page", LibraryBuilder::photosSchema() + goodRows, 4096, QByteArray(4096, '\xff')},
    };
    for (const Case& broken : cases) {
        SCOPED_TRACE(broken.name);
        LibraryBuilder builder;
        const QString package = builder.folder().makeFolder("Broken.photoslibrary");
        builder.folder().makeFolder("Broken.photoslibrary/database");
        const QString database = package + "/database/photos.db";
        if (!broken.sql.isEmpty())
            LibraryBuilder::execute(database, broken.sql);
        QFile file(database);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(broken.damageAt);
        file.write(broken.damage);
        file.close();
        const std::string before = LibraryBuilder::snapshot(package);

        const std::optional<QList<QVariantMap>> records =
            DBOperations::getPhotoslibraryPath(package);

        ASSERT_TRUE(records.has_value());
        EXPECT_TRUE(records->isEmpty());
        EXPECT_EQ(LibraryBuilder::snapshot(package), before);
        EXPECT_EQ(builder.cacheFiles(), "");
    }
}

// A description long enough to spill into overflow pages; the chain pointer
// of the page holding the marker is broken, so only that row cannot be read.
void damageRowHoldingMarker(const QString& databasePath, const QByteArray& marker)
{
    QFile file(databasePath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    const qsizetype pageSize = 4096;
    const qsizetype at = bytes.indexOf(marker);
    ASSERT_GT(at, 0);
    file.seek(at / pageSize * pageSize);
    file.write(QByteArray("\x7f\xff\xff\xff", 4));
}

TEST(DBOperations, DamagedRowIsLeftOutAndTheRowsAroundItAreRead)
{
    LibraryBuilder builder;
    const QString package = builder.folder().makeFolder("Damaged.photoslibrary");
    const QString database = package + "/database/photos.db";
    const QString longText = QString(6000, 'a') + "MARKER" + QString(6000, 'b');
    LibraryBuilder::execute(
        database, QString(LibraryBuilder::photosSchema()) +
                      "PRAGMA page_size=4096;"
                      "INSERT INTO RKMaster VALUES (1, 'M1', 1, 'a.jpg', 0),"
                      " (2, 'M2', 1, 'b.jpg', 0), (3, 'M3', 1, 'c.jpg', 0);"
                      "INSERT INTO RKVersion VALUES (10, 'V1', 'M1', 'a.jpg', NULL, 0, NULL),"
                      " (11, 'V2', 'M2', 'b.jpg', '" +
                      longText + "', 0, NULL), (12, 'V3', 'M3', 'c.jpg', NULL, 0, NULL);");
    damageRowHoldingMarker(database, "MARKER");

    const std::optional<QList<QVariantMap>> records = DBOperations::getPhotoslibraryPath(package);

    ASSERT_TRUE(records.has_value());
    EXPECT_EQ(byVersion(*records).keys(), QStringList({"V1", "V3"}));
}

} // namespace
} // namespace fw
