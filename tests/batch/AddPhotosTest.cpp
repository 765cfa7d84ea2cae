#include "batch/AddPhotosVC.h"
#include "batch/AddingWalk.h"
#include "batch/TrashRule.h"
#include "platform/NativePath.h"
#include "support/BatchScreenHarness.h"
#include "support/EventWaiting.h"
#include "support/LibraryBuilder.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStorageInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {
namespace {

using test::BatchScreenHarness;
using test::LibraryBuilder;

const QStringList operationWithoutAlert = {
    "notificationsDisbleCross",   "notificationsDisbleView", "notificationsHideLoading",
    "notificationsEnableCross",   "notificationsEnable",     "notificationUpdateFooterInfo",
    "notificationsPhotosModified"};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Images, a text file, a text file named like a photo, hidden entries, a
// sub-folder with a name that needs quoting, and a library inside the folder.
QString makeMixedFolder(const BatchScreenHarness& harness)
{
    harness.jpeg("mixed/a.jpg");
    harness.jpeg("mixed/b.JPG");
    harness.folder.writeFile("mixed/d.txt", "notes");
    harness.folder.writeFile("mixed/x.jpg", "not a picture");
    harness.jpeg("mixed/.hidden.jpg");
    harness.jpeg("mixed/.cache/h.jpg");
    harness.png("mixed/Sub 'one' \"two\"/e.png");
    harness.jpeg("mixed/Inside.photoslibrary/Masters/p.jpg");
    return harness.folder.filePath("mixed");
}

TEST(AddPhotos, FolderWithSubFoldersAdmitsItsImagesAndSkipsHiddenEntriesAndPackages)
{
    BatchScreenHarness harness;
    const QString folder = makeMixedFolder(harness);
    QStringList progressTexts;
    QObject::connect(harness.screen.get(), &AddPhotosVC::changed, [&] {
        const QString text = harness.screen->screen().progressCountText;
        if (!text.isEmpty() && !progressTexts.endsWith(text))
            progressTexts.append(text);
    });

    ASSERT_TRUE(harness.drop({folder}));

    EXPECT_EQ(sorted(harness.batchPaths()),
              QStringList({"mixed/Sub 'one' \"two\"/e.png", "mixed/a.jpg", "mixed/b.JPG"}));
    EXPECT_EQ(harness.marks(), QList<bool>(3, true));
    EXPECT_EQ(harness.batch().first()->width, 32);
    EXPECT_FALSE(harness.batch().first()->isIphotosNode);
    EXPECT_EQ(harness.screen->totalPhotoToAdd, 3);
    EXPECT_TRUE(harness.screen->isPhotoFormatNotSupported);
    // Photos admitted within a moment of each other show as one step, so
    // how many steps a loaded machine shows varies; the first and last do not.
    ASSERT_FALSE(progressTexts.isEmpty());
    EXPECT_EQ(progressTexts.first(), "1 photos added");
    EXPECT_EQ(progressTexts.last(), "3 photos added");
    EXPECT_EQ(harness.recorder.names(), operationWithoutAlert);

    const AddPhotosVC::ScreenState& screen = harness.screen->screen();
    EXPECT_FALSE(screen.isAddingProgressVisible);
    EXPECT_TRUE(screen.progressText.isEmpty());
    EXPECT_TRUE(screen.isDropAreaEnabled);
    EXPECT_TRUE(screen.areAddButtonsEnabled);
    EXPECT_FALSE(screen.isDropHintVisible);
    EXPECT_EQ(screen.selectedPhotoIndex, 0);
    EXPECT_FALSE(harness.screen->isAddFromSubFolderSelected);
    EXPECT_FALSE(harness.app.flags().isSubWindowOpened);
}

TEST(AddPhotos, FolderWithoutSubFoldersOffersOnlyItsOwnImageEntries)
{
    BatchScreenHarness harness;
    const QString folder = makeMixedFolder(harness);

    ASSERT_TRUE(harness.choose(0, {folder}));

    EXPECT_EQ(sorted(harness.batchPaths()),
              QStringList({"mixed/.hidden.jpg", "mixed/a.jpg", "mixed/b.JPG"}));
    EXPECT_TRUE(harness.screen->isPhotoFormatNotSupported) << "x.jpg holds text";

    BatchScreenHarness onlyText;
    onlyText.folder.writeFile("plain/d.txt", "notes");
    onlyText.png("plain/sub/e.png");
    ASSERT_TRUE(onlyText.choose(0, {onlyText.folder.filePath("plain")}));
    EXPECT_TRUE(onlyText.batch().isEmpty());
    EXPECT_FALSE(onlyText.screen->isPhotoFormatNotSupported) << "d.txt is not even offered";
    EXPECT_EQ(onlyText.recorder.alertTypes(), QList<int>({112}));
}

TEST(AddPhotos, AddWithFiltersAdmitsOnlyTheChosenTypeInEitherCase)
{
    BatchScreenHarness harness;
    const QString folder = makeMixedFolder(harness);
    harness.screen->fileTypeSelectedAtIndex(AddPhotosVC::fileTypeTexts().indexOf("*.JPG"));

    ASSERT_TRUE(harness.choose(AddPanel::FolderFiltered, {folder}));

    EXPECT_EQ(sorted(harness.batchPaths()), QStringList({"mixed/a.jpg", "mixed/b.JPG"}))
        << "e.png and the files below are left out";
}

TEST(AddPhotos, OperationThatAdmitsNothingEndsWithTheAlertOfItsReason)
{
    BatchScreenHarness harness;
    const QString photo = harness.jpeg("once/a.jpg");
    const QString folder = harness.folder.filePath("once");
    ASSERT_TRUE(harness.drop({folder}));
    ASSERT_EQ(harness.batch().size(), 1);
    harness.recorder.clear();

    ASSERT_TRUE(harness.drop({folder}));
    EXPECT_EQ(harness.batch().size(), 1);
    EXPECT_EQ(harness.recorder.names(),
              operationWithoutAlert + QStringList({"notificationShowAlertWithType"}));
    EXPECT_EQ(harness.recorder.alertTypes(), QList<int>({111}));

    struct Case {
        const char* name;
        QStringList paths;
        int alert;
    };
    harness.folder.writeFile("text/x.jpg", "not a picture");
    harness.jpeg("hidden/.only.jpg");
    harness.jpeg("Tool.app/Contents/Resources/icon.jpg");
    const QList<Case> cases = {
        {"duplicate beside text", {photo, harness.folder.filePath("text/x.jpg")}, 111},
        {"text named like a photo", {harness.folder.filePath("text")}, 110},
        {"missing file", {harness.folder.filePath("gone.jpg")}, 110},
        {"only hidden photos", {harness.folder.filePath("hidden")}, 112},
        {"application bundle", {harness.folder.filePath("Tool.app")}, 112},
        {"empty choice of items", {}, 112},
    };
    for (const Case& operation : cases) {
        SCOPED_TRACE(operation.name);
        harness.recorder.clear();
        ASSERT_TRUE(harness.drop(operation.paths));
        EXPECT_EQ(harness.recorder.alertTypes(), QList<int>({operation.alert}));
        EXPECT_EQ(harness.batch().size(), 1);
    }
}

TEST(AddPhotos, LimitAndStopEndTheWalkButKeepWhatWasAdmitted)
{
    BatchScreenHarness limited(3);
    for (int index = 0; index < 8; ++index)
        limited.jpeg(QString("many/%1.jpg").arg(index));
    const QString folder = limited.folder.filePath("many");

    ASSERT_TRUE(limited.drop({folder}));
    // The photo that finds the limit passed stays in the batch uncounted.
    EXPECT_EQ(limited.batch().size(), 5);
    EXPECT_EQ(limited.screen->totalPhotoToAdd, 4);
    EXPECT_TRUE(limited.screen->isMAX_PHOTOS_LIMIT_EXCEEDED);
    EXPECT_EQ(limited.recorder.alertTypes(), QList<int>({109}));
    EXPECT_EQ(limited.marks(), QList<bool>(5, true));

    limited.recorder.clear();
    ASSERT_TRUE(limited.drop({folder}));
    EXPECT_EQ(limited.batch().size(), 8) << "the next operation takes the rest";
    EXPECT_FALSE(limited.screen->isMAX_PHOTOS_LIMIT_EXCEEDED);
    EXPECT_TRUE(limited.recorder.alertTypes().isEmpty());

    BatchScreenHarness stopped;
    for (int index = 0; index < 10; ++index)
        stopped.jpeg(QString("many/%1.jpg").arg(index));
    // Stop pressed as the first photo shows: the walk notices it right after
    // that photo, which stays in the batch uncounted, and no alert follows.
    const QMetaObject::Connection pressStop =
        QObject::connect(stopped.screen.get(), &AddPhotosVC::changed, [&stopped] {
            if (stopped.screen->photosAdded == 1)
                stopped.screen->btnStopAddingTapped();
        });
    ASSERT_TRUE(stopped.drop({stopped.folder.filePath("many")}));
    EXPECT_EQ(stopped.batch().size(), 1);
    EXPECT_EQ(stopped.screen->totalPhotoToAdd, 0);
    EXPECT_TRUE(stopped.recorder.alertTypes().isEmpty());

    QObject::disconnect(pressStop);
    ASSERT_TRUE(stopped.drop({stopped.folder.filePath("many")}));
    EXPECT_EQ(stopped.batch().size(), 10) << "Stop holds for one operation only";
}

TEST(AddPhotos, StopIsNoticedBeforeTheNextEntryEvenAmongFilesThatAreNotPhotos)
{
    BatchScreenHarness harness;
    for (int index = 0; index < 200; ++index)
        harness.folder.writeFile(QString("notes/deep/n%1.txt").arg(index), "text");
    const QString notes = harness.folder.filePath("notes");
    const std::atomic<bool> stopped = true;
    int looked = 0;
    AddingWalk walk({[&looked](const QString&, bool) { return ++looked < 0; }, [] {},
                     [] { return false; }, [](const RefusedFile&) {}},
                    Limits::defaultPhotoLimit, stopped, true, {});
    EXPECT_TRUE(walk.photosUrlsToBeAdded({notes}).isEmpty());
    EXPECT_EQ(looked, 0);

    // Stop is pressed when the first photo shows, so the walk is surely under
    // way and not yet done, however fast it runs.
    harness.jpeg("notes/photo.jpg");
    bool pressed = false;
    QObject::connect(harness.screen.get(), &AddPhotosVC::changed, [&] {
        if (!pressed && !harness.screen->screen().progressCountText.isEmpty()) {
            pressed = true;
            harness.screen->btnStopAddingTapped();
        }
    });
    harness.screen->addPhotosFromPathUrls({notes});
    ASSERT_TRUE(harness.waitForIdle());
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(harness.recorder.alertTypes().isEmpty()) << "a stopped walk ends without an alert";
}

TEST(AddPhotos, ProgressNamesEachPhotoAndUsesTheSheetOnlyWhenTheBatchHadPhotos)
{
    BatchScreenHarness harness;
    const QString first = harness.jpeg("first.jpg");
    const QString second = harness.jpeg("with 50% and %1.jpg");
    QStringList progressTexts;
    QList<bool> sheetShownPerPhoto;
    QObject::connect(harness.screen.get(), &AddPhotosVC::changed, [&] {
        const AddPhotosVC::ScreenState& screen = harness.screen->screen();
        if (!screen.progressText.isEmpty() && !progressTexts.endsWith(screen.progressText)) {
            progressTexts.append(screen.progressText);
            sheetShownPerPhoto.append(screen.isProgressSheetShown);
        }
    });

    ASSERT_TRUE(harness.drop({first}));
    ASSERT_TRUE(harness.drop({second}));

    const QString pleaseWait = harness.app.getLocalizedStringForKey("WAIT_IMPORTING_PHOTOS");
    EXPECT_EQ(progressTexts,
              QStringList({first + " added\n" + pleaseWait, second + " added\n" + pleaseWait}));
    EXPECT_EQ(sheetShownPerPhoto, QList<bool>({false, true}));
    EXPECT_FALSE(harness.screen->screen().isProgressSheetShown);
    EXPECT_FALSE(harness.app.flags().isSubWindowOpened);
}

TEST(AddPhotos, DropsAreRefusedWhileARunHasLockedTheScreens)
{
    BatchScreenHarness harness;
    const QString photo = harness.jpeg("a.jpg");

    harness.center.post("notificationsDisbleView");
    EXPECT_FALSE(harness.screen->screen().areAddButtonsEnabled);
    ASSERT_TRUE(harness.drop({photo}));
    EXPECT_TRUE(harness.batch().isEmpty());

    harness.center.post("notificationsEnable");
    ASSERT_TRUE(harness.drop({photo}));
    EXPECT_EQ(harness.batch().size(), 1);
}

TEST(AddPhotos, WalkStaysInTheTreeFollowsFileLinksAndKeepsNamesByteForByte)
{
    BatchScreenHarness harness;
    harness.jpeg("tree/a.jpg");
    harness.jpeg("tree/inner/b.jpg");
    harness.jpeg("outside/c.jpg");
    harness.jpeg("outside/d.jpg");
    harness.jpeg("tree/name with spaces, 'quotes' and \"doubles\".jpg");
    const QString tree = harness.folder.filePath("tree");
    const QString outside = harness.folder.filePath("outside");
    ASSERT_TRUE(QFile::link(tree, tree + "/inner/back to tree"));
    ASSERT_TRUE(QFile::link(outside, tree + "/linked"));
    ASSERT_TRUE(QFile::link("/", tree + "/root"));
    ASSERT_TRUE(QFile::link(outside + "/d.jpg", tree + "/d link.jpg"));
    ASSERT_TRUE(QFile::link(tree + "/nowhere.jpg", tree + "/broken.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree + "/pipe.jpg").constData(), 0600), 0);
    // A name that is not UTF-8, as old archives and other systems leave them.
    const QByteArray latin1Name = QFile::encodeName(tree) + "/caf\xe9.jpg";
    const QByteArray jpegBytes = test::readBytes(tree + "/a.jpg");
    const int descriptor = ::open(latin1Name.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(::write(descriptor, jpegBytes.constData(), jpegBytes.size()), jpegBytes.size());
    ::close(descriptor);

    ASSERT_TRUE(harness.drop({tree + "/"}));
    const QStringList paths = harness.batchPaths();
    QStringList sorted = paths;
    sorted.sort();
    const QString latin1 = QStringLiteral("tree/caf") + QChar(0xDCE9) + ".jpg";
    EXPECT_EQ(sorted, QStringList({"tree/a.jpg", latin1, "tree/d link.jpg", "tree/inner/b.jpg",
                                   "tree/name with spaces, 'quotes' and \"doubles\".jpg"}));
    const PhotoFilePtr latin1Photo = harness.batch().at(paths.indexOf(latin1));
    EXPECT_EQ(NativePath::encode(latin1Photo->filePath), latin1Name);
    EXPECT_EQ(latin1Photo->width, 32);

    // A link the user drops is followed.
    ASSERT_TRUE(harness.drop({tree + "/linked"}));
    EXPECT_TRUE(harness.batchPaths().contains("tree/linked/c.jpg"));
}

TEST(AddPhotos, PhotosOfLibraryPackagesEnterAsLibraryPhotosAndTheLibraryStaysUnchanged)
{
    LibraryBuilder builder;
    BatchScreenHarness harness;
    const QString iPhoto = builder.folder().makeFolder("Old Library.photolibrary");
    LibraryBuilder::execute(iPhoto + "/Database/apdb/Library.apdb",
                            QString(LibraryBuilder::apertureSchema()) +
                                "INSERT INTO RKFolder VALUES (1, 'P1', 'Import');"
                                "INSERT INTO RKMaster VALUES (1, 'M1', '2020/a.jpg', 0),"
                                " (2, 'M2', '2020/clip.mov', 0);"
                                "INSERT INTO RKVersion VALUES (1, 'V1', 'M1', 'P1', 'a', 0, 1, 1),"
                                " (2, 'V2', 'M1', 'P1', 'again', 0, 1, 1),"
                                " (3, 'V3', 'M2', 'P1', 'clip', 0, 1, 1);");
    LibraryBuilder::writeAlbumList(iPhoto + "/AlbumData.xml", QString(), {});
    QDir().mkpath(iPhoto + "/Masters/2020");
    test::saveJpeg(test::markedPicture(40, 30), iPhoto + "/Masters/2020/a.jpg");
    builder.folder().writeFile("Old Library.photolibrary/Masters/2020/clip.mov", "movie");
    const std::string before = LibraryBuilder::snapshot(iPhoto);

    ASSERT_TRUE(harness.choose(3, {iPhoto}));

    ASSERT_EQ(harness.batch().size(), 1);
    EXPECT_EQ(harness.batch().first()->filePath, iPhoto + "/Masters/2020/a.jpg");
    EXPECT_TRUE(harness.batch().first()->isIphotosNode);
    EXPECT_EQ(harness.screen->pathType, 2);
    EXPECT_FALSE(harness.screen->isPhotoFormatNotSupported) << "the movie is left out silently";
    EXPECT_FALSE(harness.screen->isPhotosAlreadyAdded) << "two versions of one file are one path";
    ASSERT_EQ(harness.messages.shown.size(), 1);
    EXPECT_TRUE(harness.messages.shown.first().startsWith(
        "This photo library’s album list is incomplete. / Some of its photos may be missing"));
    EXPECT_EQ(LibraryBuilder::snapshot(iPhoto), before);

    const QString photos = builder.folder().makeFolder("Family.photoslibrary");
    LibraryBuilder::execute(
        photos + "/database/photos.db",
        QString(LibraryBuilder::photosSchema()) +
            "INSERT INTO RKMaster VALUES (1, 'M1', 10, '2021/b.jpg', 0);"
            "INSERT INTO RKVersion VALUES (10, 'V1', 'M1', 'b.jpg', NULL, 0, NULL),"
            " (11, 'V2', 'M1', 'b.jpg', 'edit', 0, NULL);");
    QDir().mkpath(photos + "/Masters/2021");
    test::saveJpeg(test::markedPicture(40, 30), photos + "/Masters/2021/b.jpg");
    const std::string photosBefore = LibraryBuilder::snapshot(photos);

    ASSERT_TRUE(harness.drop({photos}));

    EXPECT_EQ(harness.batch().size(), 2);
    EXPECT_EQ(harness.batch().last()->filePath, photos + "/Masters/2021/b.jpg");
    EXPECT_TRUE(harness.batch().last()->isIphotosNode);
    EXPECT_EQ(harness.screen->pathType, 3);
    EXPECT_TRUE(harness.screen->isPhotosAlreadyAdded) << "the second version repeats the path";
    EXPECT_TRUE(harness.recorder.alertTypes().isEmpty());
    EXPECT_EQ(LibraryBuilder::snapshot(photos), photosBefore);
    EXPECT_EQ(builder.cacheFiles(), "");
}

TEST(AddPhotos, LibraryPathsThatLeaveThePackageAreRefusedAndNamed)
{
    LibraryBuilder builder;
    BatchScreenHarness harness;
    const QString outside = harness.jpeg("elsewhere/x.jpg");
    const QString referenced = harness.jpeg("referenced/master.jpg");
    const QString library = builder.folder().makeFolder("Edited.photoslibrary");
    const QString climbing = "../../../.." + outside;
    LibraryBuilder::execute(
        library + "/database/photos.db",
        QString(LibraryBuilder::photosSchema()) + "INSERT INTO RKMaster VALUES (1, 'M1', 10, '" +
            climbing +
            "', 0), (2, 'M2', 10, '2021/in.jpg', 0);"
            "INSERT INTO RKVersion VALUES (10, 'V1', 'M1', 'x.jpg', NULL, 0, NULL),"
            " (11, 'V2', 'M2', 'in.jpg', NULL, 0, NULL);");
    QDir().mkpath(library + "/Masters/2021");
    test::saveJpeg(test::markedPicture(40, 30), library + "/Masters/2021/in.jpg");

    // Links inside the package that lead out of it, to a file and to a folder.
    QDir().mkpath(library + "/Masters/2022");
    ASSERT_EQ(::symlink(QFile::encodeName(outside).constData(),
                        QFile::encodeName(library + "/Masters/2022/linked.jpg").constData()),
              0);
    ASSERT_EQ(::symlink(QFile::encodeName(QFileInfo(outside).path()).constData(),
                        QFile::encodeName(library + "/Masters/away").constData()),
              0);
    LibraryBuilder::execute(library + "/database/photos.db",
                            "INSERT INTO RKMaster VALUES (3, 'M3', 10, '2022/linked.jpg', 0),"
                            " (4, 'M4', 10, 'away/x.jpg', 0);"
                            "INSERT INTO RKVersion VALUES (12, 'V3', 'M3', 'l.jpg', NULL, 0, NULL),"
                            " (13, 'V4', 'M4', 'a.jpg', NULL, 0, NULL);");

    ASSERT_TRUE(harness.drop({library}));
    ASSERT_EQ(harness.batch().size(), 1);
    EXPECT_EQ(harness.batch().first()->filePath, library + "/Masters/2021/in.jpg");
    ASSERT_EQ(harness.screen->refusedFiles.size(), 3);
    for (const RefusedFile& refused : harness.screen->refusedFiles)
        EXPECT_EQ(refused.reason, RefusedFile::Reason::OutsideLibrary) << refused.path.toStdString();

    // An absolute path names a master the library only references.
    const QString old = builder.folder().makeFolder("Old.photolibrary");
    LibraryBuilder::execute(
        old + "/Database/apdb/Library.apdb",
        QString(LibraryBuilder::apertureSchema()) +
            "INSERT INTO RKFolder VALUES (1, 'P1', 'Import');"
            "INSERT INTO RKMaster VALUES (1, 'M1', 'a.jpg', 0);"
            "INSERT INTO RKVersion VALUES (1, 'V1', 'M1', 'P1', 'a', 0, 1, 1);");
    LibraryBuilder::writeAlbumList(old + "/AlbumData.xml", old, {{"1", referenced}});
    ASSERT_TRUE(harness.drop({old}));
    EXPECT_TRUE(harness.batchPaths().contains("referenced/master.jpg"));
}

// An album list of arrays nested `depth` deep, in the binary form.
QByteArray deepBinaryList(int depth)
{
    QByteArray objects;
    QList<quint32> offsets;
    for (int level = 0; level < depth; ++level) {
        offsets.append(8 + static_cast<quint32>(objects.size()));
        const bool last = level == depth - 1;
        objects.append(static_cast<char>(last ? 0xA0 : 0xA1));
        if (!last)
            objects.append(QByteArray(1, static_cast<char>((level + 1) >> 8)) +
                           QByteArray(1, static_cast<char>((level + 1) & 0xFF)));
    }
    QByteArray list = "bplist00" + objects;
    const quint64 table = static_cast<quint64>(list.size());
    for (const quint32 offset : offsets)
        for (int shift = 24; shift >= 0; shift -= 8)
            list.append(static_cast<char>((offset >> shift) & 0xFF));
    QByteArray trailer(6, '\0');
    trailer.append('\x04').append('\x02');
    for (const quint64 value : {static_cast<quint64>(depth), quint64(0), table})
        for (int shift = 56; shift >= 0; shift -= 8)
            trailer.append(static_cast<char>((value >> shift) & 0xFF));
    return list + trailer;
}

TEST(AddPhotos, ALibraryWhoseListsCannotBeReadSafelyIsRefusedWithItsReason)
{
    LibraryBuilder builder;
    BatchScreenHarness harness;
    const auto library = [&](const QString& name, const QByteArray& albumList) {
        const QString path = builder.folder().makeFolder(name);
        LibraryBuilder::execute(path + "/Database/apdb/Library.apdb",
                                LibraryBuilder::apertureSchema());
        builder.folder().writeFile(name + "/AlbumData.xml", albumList);
        return path;
    };
    const QString deepXml = library("Deep.photolibrary",
                                    "<?xml version=\"1.0\"?><plist version=\"1.0\">" +
                                        QByteArray(40000 * 7, 'x').replace("xxxxxxx", "<array>") +
                                        "</plist>");
    const QString deepBinary = library("Binary.photolibrary", deepBinaryList(40000));
    const QString piped = library("Piped.photolibrary", {});
    QFile::remove(piped + "/AlbumData.xml");
    ASSERT_EQ(::mkfifo(QFile::encodeName(piped + "/AlbumData.xml").constData(), 0600), 0);
    const QString photos = builder.folder().makeFolder("Piped.photoslibrary");
    QDir().mkpath(photos + "/database");
    ASSERT_EQ(::mkfifo(QFile::encodeName(photos + "/database/photos.db").constData(), 0600), 0);

    ASSERT_TRUE(harness.drop({deepXml, deepBinary, piped, photos}));
    EXPECT_TRUE(harness.batch().isEmpty());
    QStringList reasons;
    for (const RefusedFile& refused : harness.screen->refusedFiles) {
        EXPECT_EQ(refused.reason, RefusedFile::Reason::CannotBeRead);
        reasons.append(QFileInfo(refused.path).fileName() + ": " + refused.detail);
    }
    EXPECT_EQ(reasons,
              QStringList({"Deep.photolibrary: its album list cannot be read: it is nested more "
                           "than 256 levels deep",
                           "Binary.photolibrary: its album list cannot be read: it is nested more "
                           "than 256 levels deep",
                           "Piped.photolibrary: its album list cannot be read: it cannot be opened",
                           "Piped.photoslibrary: its database cannot be read"}));
}

TEST(AddPhotos, ChoicesInTheTrashAreRefusedWithAMessage)
{
    BatchScreenHarness harness;
    const QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");
    const QString dataHome = harness.folder.makeFolder("data");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    const QString trashed = harness.jpeg("data/Trash/files/a.jpg");
    const QString besideTrash = harness.jpeg("data/Trash2/b.jpg");
    const QString elsewhere = harness.jpeg("c.jpg");

    harness.screen->btnAddPhotosTappedWithIndex(0);
    EXPECT_TRUE(harness.app.flags().isSubWindowOpened);
    harness.screen->panelEnded({trashed, elsewhere});
    EXPECT_FALSE(harness.screen->isAdding());
    EXPECT_TRUE(harness.batch().isEmpty());
    EXPECT_TRUE(harness.recorder.names().isEmpty());
    EXPECT_EQ(harness.messages.shown,
              QStringList({harness.app.getLocalizedStringForKey("PHOTOS_CANT_ADDED_FROM_TRASH")}));
    EXPECT_FALSE(harness.app.flags().isSubWindowOpened);

    ASSERT_TRUE(harness.choose(1, {dataHome + "/Trash"}));
    EXPECT_TRUE(harness.batch().isEmpty()) << "the trash folder itself";
    // Only the first item decides; drops are not checked at all.
    ASSERT_TRUE(harness.choose(0, {besideTrash, elsewhere, trashed}));
    ASSERT_TRUE(harness.drop({dataHome + "/Trash/files"}));
    EXPECT_EQ(harness.batchPaths(),
              QStringList({"data/Trash2/b.jpg", "c.jpg", "data/Trash/files/a.jpg"}));
    EXPECT_EQ(harness.messages.shown.size(), 2);

    if (previousDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousDataHome);
}

TEST(AddPhotosTrashRule, TrashFoldersOfEveryVolumeAreComparedByWholeComponents)
{
    test::TemporaryFolder folder;
    const TrashRule rule(folder.filePath("data"), 1234);
    const QString volume = QStorageInfo(folder.path()).rootPath();
    const QString top = volume == "/" ? QString() : volume;
    ASSERT_TRUE(QFile::link(folder.filePath("data/Trash/files"), folder.filePath("shortcut")));

    EXPECT_TRUE(rule.isInTrash(folder.filePath("data/Trash")));
    EXPECT_TRUE(rule.isInTrash(folder.filePath("data/Trash/files/a b.jpg")));
    EXPECT_TRUE(rule.isInTrash(folder.filePath("data/x/../Trash/files/a.jpg")));
    EXPECT_TRUE(rule.isInTrash(top + "/.Trash-1234/files/a.jpg"));
    EXPECT_TRUE(rule.isInTrash(top + "/.Trash/1234/files/a.jpg"));
    folder.writeFile("data/Trash/files/a.jpg", "trashed");
    EXPECT_TRUE(rule.isInTrash(folder.filePath("shortcut/a.jpg"))) << "a link into the trash";

    EXPECT_FALSE(rule.isInTrash(folder.filePath("data/Trash2/a.jpg")));
    EXPECT_FALSE(rule.isInTrash(folder.filePath("data/trash/a.jpg")));
    EXPECT_FALSE(rule.isInTrash(folder.filePath("data")));
    EXPECT_FALSE(rule.isInTrash(top + "/.Trash-12345/files/a.jpg"));
    EXPECT_FALSE(rule.isInTrash(top + "/.Trash/5678/files/a.jpg"));
    EXPECT_FALSE(rule.isInTrash(folder.filePath("deep/.Trash-1234/a.jpg")))
        << "only the top of a volume holds its trash";
    EXPECT_FALSE(rule.isInTrash(QString()));
}

TEST(AddPhotos, ClosingTheScreenDuringAWalkEndsTheWalk)
{
    BatchScreenHarness harness;
    for (int index = 0; index < 200; ++index)
        harness.jpeg(QString("many/%1.jpg").arg(index));

    harness.center.post("FileDragDropNotification",
                        {{"paths", QStringList({harness.folder.filePath("many")})}});
    ASSERT_TRUE(test::waitUntil([&] { return harness.screen->photosAdded >= 1; }));
    harness.screen.reset();

    EXPECT_LT(harness.batch().size(), 200);
}

} // namespace
} // namespace fw
