#include "core/MainThreadCall.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "processing/RunFixture.h"
#include "support/ScriptedImageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

namespace fw {
namespace {

using test::RunFixture;

class ProcessingViewTest : public RunFixture {};

TEST_F(ProcessingViewTest, ThreePhotosRunToOneSummaryWithProgressLogAndNotifications)
{
    addPhoto("a.jpg");
    addPhoto("b.jpg");
    addPhoto("c.jpg");
    const PhotoFilePtr unmarked = addPhoto("d.jpg");
    unmarked->isSelected = false;
    QList<int> progress;
    int summaries = 0;
    QObject::connect(view.get(), &ProcessingView::changed, [&] {
        if (progress.isEmpty() || progress.last() != view->progressBarValue())
            progress << view->progressBarValue();
    });
    QObject::connect(view.get(), &ProcessingView::runFinished, [&] { ++summaries; });

    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(progress, QList<int>({0, 33, 66, 100}));
    EXPECT_TRUE(view->progressLine().startsWith(app.getLocalizedStringForKey("PROCESS_COMPLETED") +
                                                " 100 %  |  "));
    EXPECT_EQ(view->progressLineValues().at(1), "0");
    EXPECT_EQ(summaries, 1);
    EXPECT_EQ(view->summary().lblImagesSelected, "3");
    EXPECT_EQ(view->summary().lblImagesConverted, "3");
    EXPECT_EQ(view->summary().lblConversionFailed, "0");
    EXPECT_EQ(posted.names(),
              QStringList({"notificationsDisbleView", "notificationsEnable",
                           "notificationsSaveasPredefinedSize", "notificationsProcessFinished"}));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        const auto written = utils.imageService().readProperties(destinationFile(name));
        ASSERT_TRUE(written) << name;
        EXPECT_EQ(written->value("PixelWidth").toInt(), 32);
    }
    EXPECT_FALSE(QFileInfo::exists(destinationFile("d.jpg")));
    EXPECT_EQ(unmarked->processStatus, 0);
    ASSERT_EQ(view->arrLogDetails().size(), 3);
    EXPECT_EQ(view->arrLogDetails().first().value("information"),
              app.getLocalizedStringForKey("PROCESSED_SUCCESSFULLY"));
    EXPECT_EQ(view->getLogDetails().value("timeStamp"),
              view->arrLogDetails().first().value("timeStamp"));
    EXPECT_TRUE(test::waitUntil([this] { return !openedFolders.isEmpty(); }));
    EXPECT_EQ(openedFolders, QStringList({destination.path()}));
    EXPECT_FALSE(app.isProcessingInProgress());
}

TEST_F(ProcessingViewTest, FailuresEndWithTheirStatusAndOnlyFailuresCountAsErrors)
{
    const PhotoFilePtr missing = addPhoto("missing.jpg");
    QFile::remove(missing->filePath);
    const PhotoFilePtr locked = addPhoto("locked.jpg");
    fileSystem.immutablePaths.insert(locked->filePath);
    const PhotoFilePtr fine = addPhoto("fine.jpg");
    const PhotoFilePtr readOnly = addPhoto("read-only.jpg");
    fileSystem.readOnlyPaths.insert(readOnly->filePath);

    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(missing->processStatus, PhotoStatus::MissingAtSource);
    EXPECT_EQ(locked->processStatus, PhotoStatus::SourceAccessDenied);
    EXPECT_EQ(fine->processStatus, PhotoStatus::Processed);
    EXPECT_EQ(readOnly->processStatus, PhotoStatus::Processed) << "reading needs no write access";
    EXPECT_EQ(view->processedWithError(), 1);
    EXPECT_EQ(view->progressLineValues().at(1), "1");
    EXPECT_FALSE(QFileInfo::exists(destinationFile("missing.jpg")));
    EXPECT_FALSE(QFileInfo::exists(destinationFile("locked.jpg")));
    EXPECT_EQ(view->summary().lblConversionFailed, "2");
}

TEST_F(ProcessingViewTest, TargetAboveTheBoundIsRefusedAndNothingIsWritten)
{
    const PhotoFilePtr photo = addPhoto("wide.jpg");
    ResizingOptionsSettingObject options;
    options.sizeObject.isCustomSize = true;
    options.sizeObject.customWidth = 12000;
    options.sizeObject.customHeight = 500;
    ASSERT_TRUE(runToSummary(intoDestination(), options));
    EXPECT_EQ(photo->processStatus, PhotoStatus::SizeTooLarge);
    EXPECT_EQ(view->processedWithError(), 1);
    EXPECT_TRUE(QDir(destination.path()).isEmpty());
    EXPECT_EQ(view->summary().lblOldsize, "-");
    EXPECT_EQ(view->summary().lblNewsize, "-");
    EXPECT_FALSE(view->summary().isSpaceSaveShown);
    QCoreApplication::processEvents();
    EXPECT_FALSE(test::waitUntil([this] { return !openedFolders.isEmpty(); }, 400));
}

TEST_F(ProcessingViewTest, NameLengthIsCountedInBytes)
{
    const PhotoFilePtr fits = addPhoto("a.jpg");
    OutputOptionSettings output = intoDestination();
    output.filenameOption = 3;
    output.prefixString = QString(250, 'x');
    ASSERT_TRUE(runToSummary(output, halfSize()));
    EXPECT_EQ(fits->processStatus, PhotoStatus::Processed);
    EXPECT_EQ(QFileInfo(fits->filePathNew).fileName().toUtf8().size(), 255);

    output.prefixString = QString(251, 'x');
    ASSERT_TRUE(runToSummary(output, halfSize()));
    EXPECT_EQ(fits->processStatus, PhotoStatus::InvalidFileName);

    // 126 two-byte letters: 131 characters but 257 bytes with "a" and ".jpg".
    output.prefixString = QString(126, QChar(0x00e9));
    ASSERT_TRUE(runToSummary(output, halfSize()));
    EXPECT_EQ(fits->processStatus, PhotoStatus::InvalidFileName);
    EXPECT_EQ(view->processedWithError(), 1);
}

TEST_F(ProcessingViewTest, DestinationThatCannotBeWrittenOrMade)
{
    const PhotoFilePtr photo = addPhoto("a.jpg");
    fileSystem.readOnlyPaths.insert(destination.path());
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(photo->processStatus, PhotoStatus::DestinationAccessDenied);
    EXPECT_EQ(view->processedWithError(), 0) << "permission outcomes are not counted as errors";
    EXPECT_EQ(view->totalProgressed(), 1);

    OutputOptionSettings underAFile = intoDestination();
    underAFile.ouptputFolder = destination.writeFile("plain-file", "x") + "/sub";
    ASSERT_TRUE(runToSummary(underAFile, halfSize()));
    EXPECT_EQ(photo->processStatus, PhotoStatus::DestinationFolderMissing);
}

TEST_F(ProcessingViewTest, FullVolumeHoldsTheRunUntilTheAlertIsConfirmed)
{
    const PhotoFilePtr first = addPhoto("a.jpg");
    const PhotoFilePtr second = addPhoto("b.jpg");
    fileSystem.freeBytes = 50LL * 1024 * 1024;
    fileSystem.totalBytes = 500LL * 1024 * 1024 * 1024;
    view->startProcess(intoDestination(), halfSize());
    ASSERT_TRUE(test::waitUntil([this] { return posted.alertTypes().contains(102); }));
    ASSERT_TRUE(test::waitUntil([this] { return view->isOnHold(); }));
    EXPECT_FALSE(view->isSummaryShown());
    EXPECT_EQ(first->processStatus, PhotoStatus::StoppedForSpace);
    EXPECT_NE(second->processStatus, PhotoStatus::Processed) << "in hand or never started";
    view->btnOkOnEnoughtSpcaecTapped();
    EXPECT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }))
        << "once the worker has left its photo";
    EXPECT_TRUE(QDir(destination.path()).isEmpty());
    EXPECT_EQ(view->summary().lblImagesConverted, "0");
    EXPECT_EQ(view->arrLogDetails().first().value("information"),
              app.getLocalizedStringForKey("STOPPED_FOR_SPACE"));
}

TEST_F(ProcessingViewTest, ASmallVolumeKeepsAMarginOfFivePercentNotOneHundredMegabytes)
{
    addPhoto("a.jpg");
    addPhoto("b.jpg");
    fileSystem.totalBytes = 5LL * 1024 * 1024;
    fileSystem.freeBytes = 1024LL * 1024;
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(view->summary().lblImagesConverted, "2");
    EXPECT_TRUE(posted.alertTypes().isEmpty());
}

// Results are applied in batch order, so when the fourth is applied the
// photos after it may already be written (a slow photo holds them back); they
// count, and only the two in hand may still follow.
TEST_F(ProcessingViewTest, StopAfterTheFourthOfTenShowsTheSummaryOnce)
{
    for (int index = 0; index < 10; ++index)
        addPhoto(QStringLiteral("p%1.jpg").arg(index));
    view->setPhotosInFlight(2);
    int summaries = 0;
    std::optional<qsizetype> writtenAtStop;
    QObject::connect(view.get(), &ProcessingView::runFinished, [&] { ++summaries; });
    QObject::connect(view.get(), &ProcessingView::changed, [&] {
        if (view->totalProgressed() >= 4 && !writtenAtStop && !view->isSummaryShown()) {
            writtenAtStop = QDir(QFileInfo(destinationFile("p0.jpg")).path())
                                .entryList({"p*.jpg"}, QDir::Files)
                                .size();
            view->btnStopProcessTapped();
        }
    });
    view->startProcess(intoDestination(), halfSize());
    ASSERT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }));
    ASSERT_TRUE(test::waitUntil([this] { return !app.isProcessingInProgress(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(summaries, 1);
    EXPECT_EQ(view->summary().lblImagesSelected, "10");
    ASSERT_TRUE(writtenAtStop);
    EXPECT_LE(view->processedSuccessfully(), *writtenAtStop + 2)
        << "no photo is started after the stop";
    EXPECT_EQ(view->summary().lblConversionFailed,
              QString::number(10 - view->processedSuccessfully()));
    EXPECT_EQ(view->arrLogDetails().size(), 10);
}

TEST_F(ProcessingViewTest, RawAndUnknownFormatsBecomePngAndKeptFormatsKeepTheirCase)
{
    const QString pgm = source.filePath("scan.pgm");
    test::markedPicture(40, 30)
        .colourspace(VIPS_INTERPRETATION_B_W)
        .pngsave(source.filePath("tmp.png").toUtf8().constData());
    test::loadImage(source.filePath("tmp.png")).ppmsave(pgm.toUtf8().constData());
    const PhotoFilePtr anymap = addExisting(pgm);
    const PhotoFilePtr upper = addPhoto("b.JPG");
    ResizingOptionsSettingObject ownSize;
    ownSize.sizeObject.isKeepOriginalSize = true;
    ASSERT_TRUE(runToSummary(intoDestination(), ownSize));
    EXPECT_EQ(anymap->filePathNew, destinationFile("scan.png"));
    EXPECT_EQ(utils.imageService()
                  .readProperties(destinationFile("scan.png"))
                  ->value("PixelWidth")
                  .toInt(),
              40);
    EXPECT_EQ(upper->filePathNew, destinationFile("b.JPG"));
    EXPECT_EQ(test::readBytes(destinationFile("b.JPG")), test::readBytes(upper->filePath));
}

TEST_F(ProcessingViewTest, ResultsReachThePhotoRecordsOnTheMainThreadOnly)
{
    addPhoto("a.jpg");
    const PhotoFilePtr missing = addPhoto("gone.jpg");
    QFile::remove(missing->filePath);
    QList<QThread*> changingThreads;
    QObject::connect(&app.batch(), &Batch::photosChanged,
                     [&] { changingThreads.append(QThread::currentThread()); });
    QList<PhotoResult> results;
    QObject::connect(
        view.get(), &ProcessingView::photoFinished,
        [&](const PhotoFilePtr&, const PhotoResult& result) { results.append(result); });
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results.at(0).status, PhotoStatus::Processed);
    EXPECT_EQ(results.at(0).outputPath, destinationFile("a.jpg"));
    EXPECT_GT(results.at(0).outputBytes, 0);
    EXPECT_EQ(results.at(1).status, PhotoStatus::MissingAtSource);
    EXPECT_EQ(app.arraySelectedImagesToProcess().first()->filePathNew, destinationFile("a.jpg"));
    EXPECT_FALSE(changingThreads.isEmpty());
    for (QThread* thread : changingThreads)
        EXPECT_EQ(thread, QCoreApplication::instance()->thread());
}

TEST_F(ProcessingViewTest, PercentSignsInFolderAndFileNamesReachTheOutputsAsTyped)
{
    addPhoto("a%1.jpg");
    addPhoto("b%2.jpg");
    OutputOptionSettings output = intoDestination();
    output.ouptputFolder = destination.filePath("dest%1");
    ASSERT_TRUE(runToSummary(output, halfSize()));
    ASSERT_TRUE(runToSummary(output, halfSize()));
    output.filenameOption = 1;
    ASSERT_TRUE(runToSummary(output, halfSize()));
    output.filenameOption = 2;
    output.prefixString = "%3_";
    ASSERT_TRUE(runToSummary(output, halfSize()));
    QStringList written = QDir(output.ouptputFolder).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written, QStringList({"%3_a%1.jpg", "%3_b%2.jpg", "a%1 (1).jpg", "a%1.jpg",
                                    "a%1_64X48.jpg", "b%2 (1).jpg", "b%2.jpg", "b%2_64X48.jpg"}));
}

TEST_F(ProcessingViewTest, NonUtf8NamesAreReadAndWrittenUnderTheirOwnBytes)
{
    const QString written = addPhoto("x.jpg")->filePath;
    const QByteArray latin1 = NativePath::encode(source.path()) + "/caf\xe9.jpg";
    ASSERT_EQ(::rename(NativePath::encode(written).constData(), latin1.constData()), 0);
    app.batch().clear();
    const PhotoFilePtr photo = addExisting(NativePath::decode(latin1));
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(photo->processStatus, PhotoStatus::Processed);
    EXPECT_TRUE(
        PathInfo::of(NativePath::decode(NativePath::encode(destination.path()) + "/caf\xe9.jpg"))
            .isFile());
}

TEST_F(ProcessingViewTest, JpegWithoutItsEndMarkerConvertsAndCutImageDataIsAnUnreadSource)
{
    const PhotoFilePtr complete = addPhoto("complete.jpg", 640, 480);
    const PhotoFilePtr cut = addPhoto("cut.jpg", 640, 480);
    const QByteArray bytes = test::readBytes(complete->filePath);
    ASSERT_TRUE(bytes.endsWith("\xff\xd9"));
    source.writeFile("complete.jpg", bytes.chopped(2));
    source.writeFile("cut.jpg", bytes.left(bytes.size() * 2 / 3));
    OutputOptionSettings output = intoDestination();
    output.formatOption = 1;
    output.selectedFileFormat = 2;
    ASSERT_TRUE(runToSummary(output, halfSize()));
    EXPECT_EQ(complete->processStatus, PhotoStatus::Processed);
    EXPECT_EQ(utils.imageService().readProperties(complete->filePathNew)->value("PixelWidth"), 320);
    EXPECT_EQ(cut->processStatus, PhotoStatus::NotRead);
    EXPECT_FALSE(QFileInfo::exists(destinationFile("cut.png")));
    EXPECT_EQ(view->arrLogDetails().at(1).value("information"), "The photo could not be read");
}

TEST_F(ProcessingViewTest, CopiedOutputKeepsTheSourceTimeAndPermissionsAndAReplacedOneItsOwn)
{
    const PhotoFilePtr photo = addPhoto("a.jpg");
    const PhotoFilePtr other = addPhoto("b.jpg");
    ASSERT_EQ(::chmod(NativePath::encode(photo->filePath).constData(), 0640), 0);
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, NativePath::encode(photo->filePath).constData(), times, 0), 0);
    const QString existing = destination.writeFile("b.jpg", "earlier output");
    ASSERT_EQ(::chmod(NativePath::encode(existing).constData(), 0600), 0);
    ResizingOptionsSettingObject ownSize;
    ownSize.sizeObject.isKeepOriginalSize = true;
    OutputOptionSettings output = intoDestination();
    output.askBeforeOverwrite = false;
    ASSERT_TRUE(runToSummary(output, ownSize, ProcessFlag::ReplaceAll));
    const PathInfo copy = PathInfo::of(destinationFile("a.jpg"));
    EXPECT_EQ(copy.permissions(), 0640u);
    EXPECT_EQ(copy.modified().tv_sec, 1000000000);
    EXPECT_EQ(test::readBytes(destinationFile("b.jpg")), test::readBytes(other->filePath));
    EXPECT_EQ(PathInfo::of(destinationFile("b.jpg")).permissions(), 0600u);
}

TEST_F(ProcessingViewTest, TheRunTimeStampIsTheCurrentRunsFromItsStart)
{
    addPhoto("a.jpg");
    view->startProcess(intoDestination(), halfSize());
    const QString stamp = view->getLogDetails().value("timeStamp");
    EXPECT_FALSE(stamp.isEmpty());
    ASSERT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }));
    EXPECT_EQ(view->arrLogDetails().first().value("timeStamp"), stamp);
}

// The encoder runs a hook on the worker, so a test can hold or stop the run,
// or put a file in the way, while a photo is being written.
class WhileWritingTest : public RunFixture {
protected:
    // One photo in hand at a time, so the run's hold and stop are seen
    // against a single photo being written.
    WhileWritingTest() : RunFixture(scripted)
    {
        scripted.decodeCalls = 0;
        view->setPhotosInFlight(1);
    }
    ~WhileWritingTest() override { scripted.beforeEncode = nullptr; }

    void onFirstEncodeRunOnMainThread(std::function<void()> action)
    {
        scripted.beforeEncode = [this, action, done = std::make_shared<bool>(false)] {
            if (!std::exchange(*done, true))
                runOnThreadOf(view.get(), action);
        };
    }

    static inline test::ScriptedImageService scripted;
};

TEST_F(WhileWritingTest, HeldAndResumedRunTakesThePhotoInHandOnce)
{
    addPhoto("a.jpg");
    addPhoto("b.jpg");
    onFirstEncodeRunOnMainThread([this] { view->holdProcessing(); });
    view->startProcess(intoDestination(), halfSize());
    ASSERT_TRUE(test::waitUntil([this] { return view->totalProgressed() == 1; }));
    EXPECT_TRUE(view->isOnHold());
    view->restartProcessing();
    ASSERT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }));
    EXPECT_EQ(view->processedSuccessfully(), 2);
    EXPECT_EQ(view->processedWithError(), 0);
    EXPECT_FALSE(posted.names().contains("notificationShowOverwriteAlert"));
    EXPECT_EQ(QDir(destination.path()).entryList(QDir::Files), QStringList({"a.jpg", "b.jpg"}));
}

TEST_F(WhileWritingTest, StopWhileAPhotoIsWrittenSummarisesItAfterItIsDone)
{
    addPhoto("a.jpg");
    addPhoto("b.jpg");
    bool summaryShownAtStop = true;
    onFirstEncodeRunOnMainThread([this, &summaryShownAtStop] {
        view->btnStopProcessTapped();
        summaryShownAtStop = view->isSummaryShown();
        EXPECT_TRUE(view->isStopping());
    });
    view->startProcess(intoDestination(), halfSize());
    ASSERT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }));
    EXPECT_FALSE(summaryShownAtStop);
    EXPECT_EQ(view->summary().lblImagesConverted, "1");
    EXPECT_EQ(view->arrLogDetails().first().value("outputFilename"), destinationFile("a.jpg"));
    EXPECT_EQ(view->arrLogDetails().last().value("information"),
              app.getLocalizedStringForKey("FILE_NOT_PROCESSED"));
}

// Closing the window asks twice: held, resumed, held again and stopped, all
// while the first photo is written by a worker that resuming retired.
TEST_F(WhileWritingTest, StopAfterAResumeWhileTheRetiredWorkerWritesStillEndsTheRun)
{
    addPhoto("a.jpg");
    addPhoto("b.jpg");
    onFirstEncodeRunOnMainThread([this] {
        view->holdProcessing();
        view->restartProcessing();
        view->holdProcessing();
        view->stopProcessing();
    });
    view->startProcess(intoDestination(), halfSize());
    ASSERT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }, 10000));
    EXPECT_EQ(view->summary().lblImagesConverted, "1");
}

TEST_F(WhileWritingTest, AFileThatAppearsAtTheOutputNameIsNeverReplacedUnasked)
{
    const PhotoFilePtr photo = addPhoto("a.jpg");
    const QByteArray users = "saved by the user meanwhile";
    scripted.beforeEncode = [this, users] { destination.writeFile("a.jpg", users); };
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(photo->processStatus, PhotoStatus::Processed);
    EXPECT_EQ(photo->filePathNew, destinationFile("a (1).jpg"));
    EXPECT_EQ(test::readBytes(destinationFile("a.jpg")), users);

    destination.removeFile("a.jpg");
    destination.removeFile("a (1).jpg");
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize(), ProcessFlag::SkipAll));
    EXPECT_EQ(photo->processStatus, PhotoStatus::Skipped);
    EXPECT_EQ(test::readBytes(destinationFile("a.jpg")), users);
    EXPECT_EQ(QDir(destination.path()).entryList(QDir::Files), QStringList({"a.jpg"}));
}

TEST_F(WhileWritingTest, APhotoThatIsCopiedIsNeverDecoded)
{
    const PhotoFilePtr photo =
        addExisting(test::saveOrientedJpeg(source.filePath("turned.jpg"), 600, 400, 6));
    ResizingOptionsSettingObject ownSize;
    ownSize.sizeObject.isKeepOriginalSize = true;
    ASSERT_TRUE(runToSummary(intoDestination(), ownSize));
    EXPECT_EQ(photo->processStatus, PhotoStatus::Processed);
    EXPECT_EQ(scripted.decodeCalls, 0);
    EXPECT_EQ(test::readBytes(destinationFile("turned.jpg")), test::readBytes(photo->filePath));
}

class UnwritableOutputTest : public RunFixture {
protected:
    UnwritableOutputTest() : RunFixture(failing) {}
    static inline const test::ScriptedImageService failing{2048};
};

TEST_F(UnwritableOutputTest, OutputThatIsNotWrittenIsAFailureAndLeavesNothing)
{
    const PhotoFilePtr photo = addPhoto("a.jpg");
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(photo->processStatus, PhotoStatus::NotSaved);
    EXPECT_EQ(view->processedSuccessfully(), 0);
    EXPECT_EQ(view->processedWithError(), 1);
    EXPECT_EQ(view->summary().lblConversionFailed, "1");
    EXPECT_TRUE(QDir(destination.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    EXPECT_EQ(view->arrLogDetails().first().value("information"),
              app.getLocalizedStringForKey("FILE_NOT_SAVED"));
}

} // namespace
} // namespace fw
