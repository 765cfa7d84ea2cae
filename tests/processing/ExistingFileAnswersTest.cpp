#include "processing/RunFixture.h"

#include <QFileInfo>

namespace fw {
namespace {

using test::RunFixture;

// Two photos whose outputs already exist, in a run that asks.
class ExistingFileAnswersTest : public RunFixture {
protected:
    const QByteArray earlier = "an earlier output";

    void SetUp() override
    {
        first = addPhoto("a.jpg");
        second = addPhoto("b.jpg");
        destination.writeFile("a.jpg", earlier);
        destination.writeFile("b.jpg", earlier);
    }

    bool questionOpensFor(const PhotoFilePtr& photo)
    {
        return test::waitUntil([&] {
            return view->overwriteQuestion().isOpen() &&
                   view->overwriteQuestion().fileToOverwrite() == photo;
        });
    }

    void startAsking()
    {
        view->startProcess(intoDestination(), halfSize(), ProcessFlag::AskOrOverwrite);
        ASSERT_TRUE(questionOpensFor(first));
        EXPECT_TRUE(view->isOnHold());
        EXPECT_EQ(view->overwriteQuestion().txtRenamefileName(), "a");
    }

    bool finished()
    {
        return test::waitUntil([this] { return view->isSummaryShown(); });
    }
    bool replaced(const char* name) { return test::readBytes(destinationFile(name)) != earlier; }
    int questionsAsked() const
    {
        return static_cast<int>(posted.names().count("notificationShowOverwriteAlert"));
    }

    PhotoFilePtr first;
    PhotoFilePtr second;
};

TEST_F(ExistingFileAnswersTest, ReplaceOverwritesOneAndAsksAgain)
{
    startAsking();
    view->btnReplaceImageTapped();
    ASSERT_TRUE(questionOpensFor(second));
    EXPECT_TRUE(replaced("a.jpg"));
    view->btnReplaceImageTapped();
    ASSERT_TRUE(finished());
    EXPECT_TRUE(replaced("b.jpg"));
    EXPECT_EQ(questionsAsked(), 2);
    EXPECT_EQ(posted.names().count("notificationHideOverwriteAlert"), 2);
}

TEST_F(ExistingFileAnswersTest, ReplaceAllOverwritesTheRestWithoutAsking)
{
    startAsking();
    view->btnReplaceAllImageTapped();
    ASSERT_TRUE(finished());
    EXPECT_TRUE(replaced("a.jpg") && replaced("b.jpg"));
    EXPECT_EQ(questionsAsked(), 1);
}

TEST_F(ExistingFileAnswersTest, KeepBothWritesAFreeNameAndAsksAgain)
{
    startAsking();
    view->btnKeepImageTapped();
    ASSERT_TRUE(questionOpensFor(second));
    EXPECT_FALSE(replaced("a.jpg"));
    EXPECT_EQ(first->filePathNew, destinationFile("a (1).jpg"));
    EXPECT_TRUE(QFileInfo::exists(destinationFile("a (1).jpg")));
    view->btnKeepAllImageTapped();
    ASSERT_TRUE(finished());
    EXPECT_TRUE(QFileInfo::exists(destinationFile("b (1).jpg")));
    EXPECT_EQ(questionsAsked(), 2);
}

TEST_F(ExistingFileAnswersTest, SkipAndSkipAllEndWithSkippedStatusCountedApartFromErrors)
{
    startAsking();
    view->btnSkipImageTapped();
    ASSERT_TRUE(questionOpensFor(second));
    EXPECT_EQ(first->processStatus, PhotoStatus::Skipped);
    view->btnSkipAllImageTapped();
    ASSERT_TRUE(finished());
    EXPECT_EQ(second->processStatus, PhotoStatus::Skipped);
    EXPECT_FALSE(replaced("a.jpg") || replaced("b.jpg"));
    EXPECT_EQ(view->processedWithError(), 0) << "a skip the user chose is no error";
    EXPECT_EQ(view->skippedByAnswer(), 2);
    EXPECT_EQ(view->summary().lblImagesSkipped, "2");
    EXPECT_EQ(view->summary().lblConversionFailed, "0");
    EXPECT_EQ(view->arrLogDetails().first().value("information"),
              app.getLocalizedStringForKey("FILE_SKIPPED"));
}

TEST_F(ExistingFileAnswersTest, RenameChecksTheTypedNameAndWritesUnderIt)
{
    startAsking();
    view->controlTextDidChange("");
    view->btnRenameImageTapped();
    EXPECT_EQ(view->overwriteQuestion().lblErrorFileNewname(),
              "* " + app.getLocalizedStringForKey("FILE_NAME_CANT_EMPTY"));
    view->controlTextDidChange("b");
    view->btnRenameImageTapped();
    EXPECT_EQ(view->overwriteQuestion().lblErrorFileNewname(),
              "* " + app.getLocalizedStringForKey("FILE_EXISTS_WITH_SAME_NAME"));
    EXPECT_TRUE(view->overwriteQuestion().isOpen());

    view->controlTextDidChange("re/na:med");
    EXPECT_EQ(view->overwriteQuestion().txtRenamefileName(), "renamed");
    view->controlTextDidChange(QString(300, 'n'));
    EXPECT_EQ(view->overwriteQuestion().txtRenamefileName().size(), 255);
    view->controlTextDidChange("renamed");
    view->btnRenameImageTapped();
    ASSERT_TRUE(questionOpensFor(second));
    EXPECT_TRUE(view->overwriteQuestion().lblErrorFileNewname().isEmpty());
    EXPECT_EQ(first->filePathNew, destinationFile("renamed.jpg"));
    EXPECT_TRUE(QFileInfo::exists(destinationFile("renamed.jpg")));
    view->btnSkipImageTapped();
    ASSERT_TRUE(finished());
}

TEST_F(ExistingFileAnswersTest, RunThatIsNeverHeldKeepsAllAndNeverAsks)
{
    view->startProcess(intoDestination(), halfSize());
    ASSERT_TRUE(finished());
    EXPECT_EQ(questionsAsked(), 0);
    EXPECT_TRUE(QFileInfo::exists(destinationFile("a (1).jpg")));
    EXPECT_TRUE(QFileInfo::exists(destinationFile("b (1).jpg")));
    EXPECT_FALSE(replaced("a.jpg") || replaced("b.jpg"));
}

TEST_F(ExistingFileAnswersTest, RunHeldAndResumedAsksAboutLaterOutputs)
{
    const PhotoFilePtr third = addPhoto("c.jpg");
    destination.writeFile("c.jpg", earlier);
    destination.removeFile("a.jpg");
    // Held as soon as the first photo is in hand, before any other starts.
    bool heldOnce = false;
    QObject::connect(view.get(), &ProcessingView::changed, [&] {
        if (!heldOnce && !view->currentPath().isEmpty()) {
            heldOnce = true;
            view->holdProcessing();
            QMetaObject::invokeMethod(
                view.get(), [this] { view->restartProcessing(); }, Qt::QueuedConnection);
        }
    });
    view->startProcess(intoDestination(), halfSize());
    ASSERT_TRUE(questionOpensFor(second));
    view->btnStopProcessTapped();
    EXPECT_TRUE(view->overwriteQuestion().isOpen())
        << "the stop button does nothing while a question is open";
    view->btnKeepImageTapped();
    ASSERT_TRUE(questionOpensFor(third));
    view->btnReplaceImageTapped();
    ASSERT_TRUE(finished());
    EXPECT_TRUE(QFileInfo::exists(destinationFile("b (1).jpg")));
    EXPECT_TRUE(replaced("c.jpg"));
}

TEST_F(ExistingFileAnswersTest, CollisionFreeNamesCountFromTheSameBase)
{
    destination.writeFile("a (1).jpg", earlier);
    destination.writeFile("a (2).jpg", earlier);
    EXPECT_EQ(Utils::stringToAvoidNameCollisionForPath(destinationFile("a.jpg")),
              destinationFile("a (3).jpg"));
    EXPECT_EQ(Utils::stringToAvoidNameCollisionForPath(destinationFile("free.jpg")),
              destinationFile("free.jpg"));
}

} // namespace
} // namespace fw
