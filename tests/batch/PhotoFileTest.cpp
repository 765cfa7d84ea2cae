#include "batch/PhotoFile.h"

#include "core/ExifInfo.h"
#include "core/Utils.h"
#include "platform/VipsImageService.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace fw {
namespace {

class PhotoFileTest : public ::testing::Test {
protected:
    const ImageService& images = VipsImageService::shared();
    test::TemporaryFolder folder;

    QString jpeg(const QString& name, int width, int height, int orientation)
    {
        const QString path = folder.filePath(name);
        test::saveJpeg(test::markedPicture(width, height), path);
        if (orientation != 0)
            test::setExifOrientation(path, orientation);
        return path;
    }
};

TEST_F(PhotoFileTest, RecordCarriesUprightSizeAndFileFacts)
{
    const QString turned = jpeg("Turned.JPG", 40, 30, 6);
    const PhotoFilePtr photo = PhotoFile::initWithFileUrl(turned, true, images);
    EXPECT_EQ(photo->filePath, turned);
    EXPECT_EQ(photo->fileURL, turned);
    EXPECT_EQ(photo->fileName, "Turned.JPG");
    EXPECT_EQ(photo->fileExtension, "JPG");
    EXPECT_EQ(photo->width, 30);
    EXPECT_EQ(photo->height, 40);
    EXPECT_TRUE(photo->isIphotosNode);
    EXPECT_FALSE(photo->isSelected);
    EXPECT_EQ(photo->processStatus, 0);
    EXPECT_EQ(photo->fileSizeInBytes, QFileInfo(turned).size());
    EXPECT_EQ(photo->fileSizeAsString, Utils::unitStringFromBytes(photo->fileSizeInBytes, 0));

    const PhotoFilePtr halfTurn =
        PhotoFile::initWithFileUrl(jpeg("h.jpg", 40, 30, 3), false, images);
    EXPECT_EQ(halfTurn->width, 40);
    const PhotoFilePtr untagged =
        PhotoFile::initWithFileUrl(jpeg("u.jpg", 40, 30, 0), false, images);
    EXPECT_EQ(untagged->width, 40);
    EXPECT_EQ(untagged->height, 30);
}

TEST_F(PhotoFileTest, UnreadableFilesGiveZeroSize)
{
    const PhotoFilePtr text =
        PhotoFile::initWithFileUrl(folder.writeFile("x.jpg", "hello"), false, images);
    EXPECT_EQ(text->width, 0);
    EXPECT_EQ(text->height, 0);
    EXPECT_EQ(text->fileSizeInBytes, 5);
    const PhotoFilePtr missing =
        PhotoFile::initWithFileUrl(folder.filePath("gone.png"), false, images);
    EXPECT_EQ(missing->width, 0);
    EXPECT_EQ(missing->fileSizeInBytes, 0);
    EXPECT_EQ(missing->fileSizeAsString, "0 bytes");
}

TEST_F(PhotoFileTest, EpsSizeComesFromItsBoundingBox)
{
    // No drawing at all: the picture size comes from the bounding box alone.
    const QByteArray document = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 120 80\n%%EOF\n";
    const PhotoFilePtr upper =
        PhotoFile::initWithFileUrl(folder.writeFile("a.EPS", document), false, images);
    EXPECT_EQ(upper->width, 120);
    EXPECT_EQ(upper->height, 80);
}

TEST_F(PhotoFileTest, ExifInfoKeepsStoredSizeAndTheOrientationTheDecoderTurnsBy)
{
    const ExifInfo turned = ExifInfo::initWithFile(jpeg("t.jpg", 40, 30, 6), images);
    EXPECT_EQ(turned.orientation(), 6);
    EXPECT_EQ(turned.imageSize(), "40 x 30");
    EXPECT_EQ(turned.colorModel(), "RGB");

    const QString png = folder.filePath("plain.png");
    test::markedPicture(20, 10).pngsave(png.toUtf8().constData());
    EXPECT_EQ(ExifInfo::initWithFile(png, images).orientation(), 0);

    const QString grey = folder.filePath("grey.tif");
    test::markedPicture(20, 10)
        .colourspace(VIPS_INTERPRETATION_B_W)
        .tiffsave(grey.toUtf8().constData());
    EXPECT_EQ(ExifInfo::initWithFile(grey, images).colorModel(), "Gray");

    const ExifInfo nothing = ExifInfo::initWithFile(folder.writeFile("n.jpg", "text"), images);
    EXPECT_TRUE(nothing.imageSize().isEmpty());
    EXPECT_TRUE(nothing.colorModel().isEmpty());
    EXPECT_EQ(nothing.orientation(), 0);

    // Two tags that disagree: the size planned must match the picture the
    // decoder turns by the resolved "Orientation".
    ExifInfo disagreeing;
    disagreeing.resetAllWithDict(
        QVariantMap{{"Orientation", 1}, {"{TIFF}", QVariantMap{{"Orientation", 6}}}});
    EXPECT_EQ(disagreeing.orientation(), 1);
}

} // namespace
} // namespace fw
