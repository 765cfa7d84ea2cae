#include "processing/OutputPreview.h"

#include "core/Codes.h"
#include "core/LocalizedStrings.h"
#include "platform/LocalFileSystem.h"
#include "platform/VipsImageService.h"
#include "support/EventWaiting.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QDir>
#include <gtest/gtest.h>

namespace fw {
namespace {

RunSettings webpAtLongEdge(int edge)
{
    RunSettings settings;
    settings.output.formatOption = FormatOption::Convert;
    settings.output.selectedFileFormat = FormatIndex::Webp;
    settings.geometry.sizeObject.sizeMode = SizeMode::LongEdge;
    settings.geometry.sizeObject.edgeLength = edge;
    settings.geometry.rotationType = RotationType::QuarterClockwise;
    return settings;
}

// The shown output is the one of the last settings, written for real and
// read back, whatever was asked before it; nothing is left in the
// destination of the settings.
TEST(OutputPreview, ShowsTheWrittenOutputOfTheLatestSettingsAndAnEstimate)
{
    test::TemporaryFolder photos;
    QList<PhotoFilePtr> marked;
    for (const QString name : {"a.jpg", "b.jpg", "c.jpg"}) {
        test::saveJpeg(test::markedPicture(400, 300), photos.filePath(name));
        marked << PhotoFile::initWithFileUrl(photos.filePath(name), false,
                                             VipsImageService::shared());
    }
    LocalizedStrings strings{{"en"}};
    OutputPreview preview(VipsImageService::shared(), LocalFileSystem::shared(), strings);
    const auto settled = [&] {
        return !preview.shown().isWriting && !preview.shown().estimateText.isEmpty();
    };
    preview.show(marked, webpAtLongEdge(200));
    preview.show(marked, webpAtLongEdge(120));
    preview.showNext();
    ASSERT_TRUE(test::waitUntil(settled));
    const OutputPreview::Shown& shown = preview.shown();
    EXPECT_EQ(shown.photoNumber, 2);
    EXPECT_EQ(shown.photoCount, 3);
    EXPECT_TRUE(shown.outputCaption.startsWith("b.webp\n90 × 120"))
        << shown.outputCaption.toStdString();
    EXPECT_EQ(shown.output.size(), QSize(90, 120));
    EXPECT_TRUE(shown.estimateText.startsWith("Estimated output of all 3 marked photos:"));
    EXPECT_TRUE(QDir(photos.path()).entryList({"*.webp"}, QDir::Files).isEmpty());

    // A new name writes nothing again: the caption takes it at once.
    RunSettings named = webpAtLongEdge(120);
    named.output.filenameOption = FileNameOption::Prefix;
    named.output.prefixString = "web_";
    preview.show(marked, named);
    EXPECT_FALSE(preview.shown().isWriting);
    EXPECT_TRUE(preview.shown().outputCaption.startsWith("web_b.webp\n90 × 120"))
        << preview.shown().outputCaption.toStdString();
}

} // namespace
} // namespace fw
