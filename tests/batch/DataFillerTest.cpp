#include "batch/DataFiller.h"

#include "support/LibraryBuilder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace fw {
namespace {

using test::LibraryBuilder;

constexpr char versionsAndMasters[] =
    "INSERT INTO RKFolder VALUES (1, 'P1', 'Import');"
    "INSERT INTO RKMaster VALUES (1, 'M1', '2020/a.jpg', 0), (2, 'M2', '2020/b b.jpg', 0),"
    " (3, 'M3', '2020/trashed.jpg', 1);"
    "INSERT INTO RKVersion VALUES (1, 'V1', 'M1', 'P1', 'edited', 0, 1, 1),"
    " (2, 'V2', 'M2', 'P1', 'plain', 0, 1, 1), (3, 'V3', 'M3', 'P1', 'master in trash', 0, 1, 1),"
    " (4, 'V4', 'M1', 'P9', 'no folder row', 0, 1, 1), (5, 'V5', 'M1', 'P1', 'trashed', 1, 1, 1),"
    " (6, 'V6', 'M1', 'P1', 'hidden', 0, 0, 1), (7, 'V7', 'M1', 'P1', 'original', 0, 1, 0),"
    " (8, 'V8', '', 'P1', 'no master', 0, 1, 1), (9, 'V9', 'M2', 'P1', 'again', 0, 1, 1);";
constexpr char oldLocation[] = "/Users/someone/Pictures/Holiday Library.photolibrary";

QString makeLibrary(const LibraryBuilder& builder, const QString& name,
                    const QString& albumListName = "AlbumData.xml",
                    LibraryBuilder::Journal journal = LibraryBuilder::Journal::Rollback)
{
    const QString package = builder.folder().makeFolder(name);
    const QString database = package + "/Database/apdb/Library.apdb";
    LibraryBuilder::execute(database, LibraryBuilder::apertureSchema(), journal);
    LibraryBuilder::execute(database, versionsAndMasters, journal);
    LibraryBuilder::writeAlbumList(package + '/' + albumListName, oldLocation,
                                   {{"1", QString(oldLocation) + "/Previews/2020/a.jpg"}});
    return package;
}

TEST(DataFiller, KeepsVersionsOfMastersOutsideTheTrashInKnownProjects)
{
    using Journal = LibraryBuilder::Journal;
    struct Case {
        const char* albumList;
        const char* mastersFolder;
        Journal journal;
    };
    const QList<Case> layouts = {
        {"AlbumData.xml", "Masters", Journal::Rollback},
        {"ApertureData.xml", "Originals", Journal::WriteAheadKept},
        {"AlbumData.xml", "Masters", Journal::WriteAhead},
    };
    for (const Case& layout : layouts) {
        SCOPED_TRACE(static_cast<int>(layout.journal));
        LibraryBuilder builder;
        const QString package =
            makeLibrary(builder, "Holiday Library.photolibrary", layout.albumList, layout.journal);
        builder.folder().makeFolder(QStringLiteral("Holiday Library.photolibrary/") +
                                    layout.mastersFolder);
        ASSERT_EQ(QFile::exists(package + "/Database/apdb/Library.apdb-wal"),
                  layout.journal == Journal::WriteAheadKept);
        const std::string before = LibraryBuilder::snapshot(package);

        DataFiller filler;
        filler.fetchImagesFromLib(package);

        const QString masterB = package + '/' + layout.mastersFolder + "/2020/b b.jpg";
        EXPECT_EQ(filler.arrImagePaths,
                  QStringList({package + "/Previews/2020/a.jpg", masterB, masterB}));
        EXPECT_EQ(LibraryBuilder::snapshot(package), before);
        EXPECT_EQ(builder.cacheFiles(), "");
    }
}

TEST(DataFiller, ReplacesTheArchivePathOnlyWhenTheLibraryMoved)
{
    LibraryBuilder builder;
    const QString package = builder.folder().makeFolder("Holiday Library.photolibrary");
    LibraryBuilder::execute(package + "/Database/apdb/Library.apdb",
                            LibraryBuilder::apertureSchema() + QString(versionsAndMasters));
    struct Case {
        const char* name;
        QString archivePath;
        QString expectedPrefix;
        int expectedAlerts;
    };
    const QList<Case> cases = {
        {"same place", package, package, 0},
        {"letter case only", package.toUpper(), package.toUpper(), 0},
        {"moved", oldLocation, package, 0},
        {"missing", QString(), oldLocation, 1},
    };
    for (const Case& archive : cases) {
        SCOPED_TRACE(archive.name);
        const QString listedPrefix =
            archive.archivePath.isNull() ? oldLocation : archive.archivePath;
        LibraryBuilder::writeAlbumList(package + "/AlbumData.xml", archive.archivePath,
                                       {{"1", listedPrefix + "/Previews/2020/a.jpg"}});
        DataFiller filler;
        int alerts = 0;
        filler.onMissingArchivePath = [&alerts] { ++alerts; };

        filler.fetchImagesFromLib(package);

        ASSERT_FALSE(filler.arrImagePaths.isEmpty());
        EXPECT_EQ(filler.arrImagePaths.first(), archive.expectedPrefix + "/Previews/2020/a.jpg");
        EXPECT_EQ(alerts, archive.expectedAlerts);
    }
}

TEST(DataFiller, UnreadableLibraryGivesNoPaths)
{
    struct Case {
        const char* name;
        const char* file;
        QByteArray bytes;
        const char* sql = nullptr;
    };
    const char* database = "Database/apdb/Library.apdb";
    const QList<Case> cases = {
        {"no album list", "AlbumData.xml", {}},
        {"unparsable album list", "AlbumData.xml", "<?xml version=\"1.0\"?><plist><dict><key>"},
        {"album list not a dictionary", "AlbumData.xml", "<plist><array/></plist>"},
        {"no database", database, {}},
        {"not a database", database, QByteArray(5000, 'x')},
        {"no tables", database, {}, "CREATE TABLE unrelated (x);"},
        {"other schema",
         database,
         {},
         "CREATE TABLE RKVersion (uuid, masterUuid); CREATE TABLE RKMaster (uuid, imagePath);"
         "CREATE TABLE RKFolder (name);"},
    };
    for (const Case& broken : cases) {
        SCOPED_TRACE(broken.name);
        LibraryBuilder builder;
        const QString package = makeLibrary(builder, "Library.photolibrary");
        const QString path = package + '/' + broken.file;
        QFile::remove(path);
        if (broken.sql != nullptr)
            LibraryBuilder::execute(path, broken.sql);
        else if (!broken.bytes.isEmpty())
            builder.folder().writeFile(QStringLiteral("Library.photolibrary/") + broken.file,
                                       broken.bytes);
        const std::string before = LibraryBuilder::snapshot(package);

        DataFiller filler;
        filler.fetchImagesFromLib(package);

        EXPECT_TRUE(filler.arrImagePaths.isEmpty());
        EXPECT_EQ(LibraryBuilder::snapshot(package), before);
        EXPECT_EQ(builder.cacheFiles(), "");
    }
}

} // namespace
} // namespace fw
