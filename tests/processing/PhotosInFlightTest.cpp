#include "platform/PathInfo.h"
#include "processing/RunFixture.h"
#include "support/ScriptedImageService.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace fw {
namespace {

using test::RunFixture;

// Runs with 2 and with 4 photos in flight over an image service that holds
// chosen photos back, so results come in another order than the batch's.
class PhotosInFlightTest : public RunFixture, public ::testing::WithParamInterface<int> {
protected:
    PhotosInFlightTest() : RunFixture(scripted) { view->setPhotosInFlight(GetParam()); }
    ~PhotosInFlightTest() override { scripted.beforeEncodeOf = nullptr; }

    // Photos told apart by their width, 40 + their place.
    PhotoFilePtr addNumbered(int place, const QString& name)
    {
        return addPhoto(name, 40 + place, 30);
    }

    // The photo of that place waits, on its worker, until the file exists.
    void holdBackUntilWritten(int place, const QString& file)
    {
        scripted.beforeEncodeOf = [place, file](const Image& image) {
            if (image.height() != 40 + place)
                return;
            const QDeadlineTimer deadline(30000);
            while (!PathInfo::of(file).exists() && !deadline.hasExpired())
                QThread::msleep(1);
        };
    }

    static ResizingOptionsSettingObject turned()
    {
        ResizingOptionsSettingObject options;
        options.sizeObject.isKeepOriginalSize = true;
        options.rotationType = RotationType::QuarterClockwise;
        return options;
    }

    QList<PhotoFilePtr> reportedOrder;
    static inline test::ScriptedImageService scripted;
};

TEST_P(PhotosInFlightTest, ResultsAndNamesFollowTheBatchWhateverOrderPhotosFinishIn)
{
    QObject::connect(view.get(), &ProcessingView::photoFinished,
                     [this](const PhotoFilePtr& photo) { reportedOrder.append(photo); });
    // Two photos named alike from two folders: one a time, the first gets
    // the name and the second the next free one.
    source.makeFolder("x");
    source.makeFolder("y");
    const PhotoFilePtr first = addNumbered(0, "x/a.jpg");
    const PhotoFilePtr second = addNumbered(1, "y/a.jpg");
    QList<PhotoFilePtr> rest;
    for (int place = 2; place < 6; ++place)
        rest.append(addNumbered(place, QStringLiteral("p%1.jpg").arg(place)));
    holdBackUntilWritten(0, destinationFile("a (1).jpg"));

    ASSERT_TRUE(runToSummary(intoDestination(), turned()));
    EXPECT_EQ(first->filePathNew, destinationFile("a.jpg"));
    EXPECT_EQ(second->filePathNew, destinationFile("a (1).jpg"));
    EXPECT_EQ(reportedOrder, QList<PhotoFilePtr>({first, second}) + rest);
    const QList<LogRecord> log = view->arrLogDetails();
    ASSERT_EQ(log.size(), 6);
    EXPECT_TRUE(log.at(0).value("inputFilename").endsWith("x/a.jpg"));
    EXPECT_EQ(log.at(1).value("outputFilename"), destinationFile("a (1).jpg"));
    EXPECT_EQ(view->processedSuccessfully(), 6);
}

TEST_P(PhotosInFlightTest, TheQuestionWaitsForThePhotosBeforeItAndNothingAfterItStarts)
{
    QList<PhotoFilePtr> photos;
    for (int place = 0; place < 5; ++place)
        photos.append(addNumbered(place, QStringLiteral("p%1.jpg").arg(place)));
    const QByteArray earlier = "an output of an earlier run";
    destination.writeFile("p2.jpg", earlier);
    view->startProcess(intoDestination(), turned(), ProcessFlag::AskOrOverwrite);
    ASSERT_TRUE(test::waitUntil([this] { return view->overwriteQuestion().isOpen(); }));
    EXPECT_EQ(view->overwriteQuestion().fileToOverwrite(), photos.at(2));
    EXPECT_EQ(view->totalProgressed(), 2) << "the photos before it are done";
    EXPECT_FALSE(PathInfo::of(destinationFile("p3.jpg")).exists()) << "none after it started";
    EXPECT_FALSE(PathInfo::of(destinationFile("p4.jpg")).exists());

    view->btnSkipImageTapped();
    ASSERT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }));
    EXPECT_EQ(test::readBytes(destinationFile("p2.jpg")), earlier);
    EXPECT_EQ(photos.at(2)->processStatus, PhotoStatus::Skipped);
    EXPECT_EQ(view->processedSuccessfully(), 4);
}

// A file appears at the first photo's name while it is written; the photo
// beside it in flight is written meanwhile. A stop with the question open
// (as closing the window does) still counts and logs that photo.
TEST_P(PhotosInFlightTest, AStopDuringTheQuestionKeepsThePhotosWrittenBesideIt)
{
    const PhotoFilePtr first = addNumbered(0, "p0.jpg");
    const PhotoFilePtr beside = addNumbered(1, "p1.jpg");
    const QString appearing = destinationFile("p0.jpg");
    scripted.beforeEncodeOf = [appearing](const Image& image) {
        if (image.height() == 40)
            QFile(appearing).open(QIODevice::WriteOnly);
    };
    view->startProcess(intoDestination(), turned(), ProcessFlag::AskOrOverwrite);
    ASSERT_TRUE(test::waitUntil([this] { return view->overwriteQuestion().isOpen(); }));
    view->stopProcessing();
    ASSERT_TRUE(test::waitUntil([this] { return view->isSummaryShown(); }));
    EXPECT_EQ(first->processStatus, PhotoStatus::NotProcessed);
    EXPECT_EQ(beside->processStatus, PhotoStatus::Processed);
    EXPECT_EQ(view->processedSuccessfully(), 1);
    EXPECT_EQ(view->arrLogDetails().at(1).value("outputFilename"), destinationFile("p1.jpg"));
}

INSTANTIATE_TEST_SUITE_P(TwoAndFour, PhotosInFlightTest, ::testing::Values(2, 4));

} // namespace
} // namespace fw
