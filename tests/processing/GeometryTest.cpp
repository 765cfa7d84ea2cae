#include "core/Utils.h"
#include "platform/VipsImage.h"
#include "platform/VipsImageService.h"
#include "core/Codes.h"
#include "processing/ImageFilter.h"
#include "processing/RotateWithEXIF.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QFile>
#include <gtest/gtest.h>

namespace fw {
namespace {

using vips::VImage;

class GeometryTest : public ::testing::Test {
protected:
    Utils utils{VipsImageService::shared()};
    test::TemporaryFolder folder;

    static Image marked(int width = 40, int height = 30)
    {
        return wrapVipsImage(test::markedPicture(width, height));
    }

    static QString markers(const Image& image) { return test::cornerMarkers(vipsImageOf(image)); }

    QString taggedJpeg(int orientation, int width, int height)
    {
        return test::saveOrientedJpeg(folder.filePath(QStringLiteral("o%1.jpg").arg(orientation)),
                                      width, height, orientation);
    }
};

TEST_F(GeometryTest, EveryOrientationDecodesUprightAndTurnsBackToWhatAViewerShowsUpright)
{
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QString path = taggedJpeg(orientation, 48, 32);
        EXPECT_EQ(utils.getImageOriginalSizeAtFilePathUrl(path), QSizeF(48, 32));
        const auto upright = utils.getImageWithFixedOrientionFromUrl(path);
        ASSERT_TRUE(upright);
        EXPECT_EQ(upright->width(), 48);
        EXPECT_EQ(markers(*upright), "RGB-");

        // Stored back with the same tag, a viewer (libvips' own autorot here)
        // must show the upright picture again. A decoded image streams once,
        // so it is decoded again for this.
        const Image stored =
            RotateWithEXIF(*utils.getImageWithFixedOrientionFromUrl(path), orientation);
        VImage tagged = vipsImageOf(stored).copy_memory();
        tagged.set(VIPS_META_ORIENTATION, orientation);
        EXPECT_EQ(test::cornerMarkers(tagged.autorot()), "RGB-");
    }
}

TEST_F(GeometryTest, RotationTypesTurnAsLabelledAndMirrorComesFirst)
{
    ResizingOptionsSettingObject options;
    options.sizeObject.isKeepOriginalSize = true;
    const QSizeF source(40, 30);
    const std::pair<int, const char*> turns[] = {
        {0, "RGB-"}, {1, "BR-G"}, {2, "G-RB"}, {3, "-BGR"}, {4, "RGB-"}};
    for (const auto& [rotationType, expected] : turns) {
        options.rotationType = rotationType;
        const FilteredImage result = ImageFilter::getFilteredImage(marked(), options, source);
        EXPECT_EQ(markers(result.image), expected) << "rotation type " << rotationType;
        const bool quarter = rotationType == 1 || rotationType == 2;
        EXPECT_EQ(result.image.width(), quarter ? 30 : 40);
    }

    options.rotationType = 1;
    options.isHorizontalFlip = true;
    EXPECT_EQ(markers(ImageFilter::getFilteredImage(marked(), options, source).image), "-GBR");
    options.isHorizontalFlip = false;
    options.isVerticalFlip = true;
    options.rotationType = 0;
    EXPECT_EQ(markers(ImageFilter::getFilteredImage(marked(), options, source).image), "B-RG");
}

TEST_F(GeometryTest, TargetSizeTableAndItsBound)
{
    auto target = [](double width, double height, SizeObject size) {
        return ImageFilter::resizeTarget({width, height}, size);
    };
    SizeObject custom;
    custom.isCustomSize = true;
    custom.customWidth = 800;
    custom.customHeight = 123;
    custom.isKeepAspectRatio = true;
    EXPECT_EQ(target(4000, 3000, custom), QSize(800, 600));
    custom.isKeepAspectRatio = false;
    custom.customHeight = 800;
    EXPECT_EQ(target(4000, 3000, custom), QSize(800, 800));
    custom.customWidth = 0.4;
    EXPECT_EQ(target(4000, 3000, custom), QSize(1, 800));

    SizeObject percent;
    percent.isPercentSize = true;
    percent.perWidth = 50;
    percent.perHeight = 50;
    EXPECT_EQ(target(3001, 2001, percent), QSize(1500, 1000));

    SizeObject square;
    square.isCustomSize = true;
    square.isKeepAspectRatio = true;
    square.customWidth = 10000;
    EXPECT_EQ(target(500, 500, square), QSize(10000, 10000));
    square.customWidth = 10001;
    EXPECT_FALSE(target(500, 500, square));
    EXPECT_EQ(target(500, 500, SizeObject{}), QSize(500, 500));

    const FilteredImage refused = ImageFilter::applyResizeFilter(marked(), square, {40, 30});
    EXPECT_EQ(refused.status, 0);
    EXPECT_EQ(refused.image.width(), 40);
    percent.perWidth = 25;
    const FilteredImage scaled = ImageFilter::applyResizeFilter(marked(), percent, {40, 30});
    EXPECT_EQ(scaled.status, 1);
    EXPECT_EQ(scaled.image.width(), 10);
    EXPECT_EQ(scaled.image.height(), 15);
}

TEST_F(GeometryTest, FitAndEdgeSizesBoundTheirEdgeAndEnlargeOnlyWhenAsked)
{
    auto sized = [](int mode, double first, double second = 0, bool noEnlarge = true) {
        SizeObject size;
        size.sizeMode = mode;
        size.customWidth = first;
        size.customHeight = second;
        size.edgeLength = first;
        size.isNoEnlarge = noEnlarge;
        return size;
    };
    const QSizeF landscape(4000, 3000);
    const QSizeF portrait(3000, 4000);
    EXPECT_EQ(ImageFilter::resizeTarget(landscape, sized(SizeMode::FitInside, 1000, 1000)),
              QSize(1000, 750));
    EXPECT_EQ(ImageFilter::resizeTarget(portrait, sized(SizeMode::FitInside, 1000, 500)),
              QSize(375, 500));
    EXPECT_EQ(ImageFilter::resizeTarget(portrait, sized(SizeMode::LongEdge, 1200)),
              QSize(900, 1200));
    EXPECT_EQ(ImageFilter::resizeTarget(landscape, sized(SizeMode::ShortEdge, 1000)),
              QSize(1333, 1000));
    EXPECT_EQ(ImageFilter::resizeTarget({333, 500}, sized(SizeMode::LongEdge, 100)),
              QSize(67, 100));
    EXPECT_EQ(ImageFilter::resizeTarget({640, 480}, sized(SizeMode::LongEdge, 1200)),
              QSize(640, 480));
    EXPECT_EQ(ImageFilter::resizeTarget({640, 480}, sized(SizeMode::LongEdge, 1280, 0, false)),
              QSize(1280, 960));
    EXPECT_FALSE(ImageFilter::resizeTarget({640, 480}, sized(SizeMode::ShortEdge, 9000, 0, false)));

    SizeObject custom;
    custom.isCustomSize = true;
    custom.customWidth = 800;
    custom.customHeight = 1000;
    custom.isNoEnlarge = true;
    EXPECT_EQ(ImageFilter::resizeTarget({640, 480}, custom), QSize(384, 480));
    custom.isKeepAspectRatio = true;
    EXPECT_EQ(ImageFilter::resizeTarget({640, 480}, custom), QSize(640, 480));

    ResizingOptionsSettingObject turned;
    turned.sizeObject = sized(SizeMode::LongEdge, 1000);
    turned.rotationType = RotationType::QuarterClockwise;
    EXPECT_EQ(ImageFilter::outputSize(landscape, turned), QSize(750, 1000));

    const SizeObject stored = sized(SizeMode::FitInside, 1024, 768);
    EXPECT_EQ(SizeObject::fromArchive(stored.toArchive()), stored);
    EXPECT_FALSE(SizeObject{}.toArchive().contains("sizeMode"));
}

TEST_F(GeometryTest, FittingIsInSinglePrecision)
{
    const QSizeF byWidth = Utils::aspectFitSizeWithMaxSize(3000, 2000, 1234.567);
    const float factor = 1234.567f / 3000.0f;
    EXPECT_EQ(byWidth.width(), static_cast<double>(3000.0f * factor));
    EXPECT_EQ(byWidth.height(), static_cast<double>(factor * 2000.0f));
    EXPECT_NE(byWidth.height(), 2000 * 1234.567 / 3000);
    const QSizeF byHeight = Utils::aspectFitSizeWithMaxHeight(3000, 2000, 500);
    EXPECT_EQ(byHeight, QSizeF(750, 500));
}

TEST_F(GeometryTest, GreyDecodesToColourWithTheSameValuesAndThumbnailsFitTheirBox)
{
    const QString grey = folder.filePath("grey.png");
    const VImage greyPicture = test::markedPicture(60, 40).colourspace(VIPS_INTERPRETATION_B_W);
    greyPicture.pngsave(grey.toUtf8().constData());
    const auto colour = utils.getImageWithFixedOrientionFromUrl(grey);
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->bands(), 3);
    const VImage pixels = vipsImageOf(*colour).copy_memory();
    EXPECT_LT(test::meanDifference(pixels[0], greyPicture), 0.01);
    EXPECT_LT(test::meanDifference(pixels[2], greyPicture), 0.01);

    const QString portrait = taggedJpeg(6, 400, 600);
    const auto thumbnail = utils.getThumbnailImageAtFilePath(portrait, 70, 48);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->width(), 32);
    EXPECT_EQ(thumbnail->height(), 48);
    const auto large = utils.getThumbnailImageAtFilePath(taggedJpeg(1, 600, 400), 404, 414);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->width(), 404);
    EXPECT_EQ(large->height(), 269);
    EXPECT_FALSE(utils.getThumbnailImageAtFilePath(folder.writeFile("t.jpg", "text"), 70, 48));
}

TEST_F(GeometryTest, DecodingAtTheTargetGivesTheSamePictureAsScalingAfterwards)
{
    const QString path = taggedJpeg(8, 1200, 900);
    const auto direct = utils.getImageWithFixedOrientionFromUrl(path, QSize(300, 225));
    const auto full = utils.getImageWithFixedOrientionFromUrl(path);
    ASSERT_TRUE(direct && full);
    EXPECT_EQ(direct->width(), 300);
    const VImage scaledAfter = vipsImageOf(Utils::scaleImage(*full, 300, 225)).copy_memory();
    EXPECT_LT(test::meanDifference(vipsImageOf(*direct).copy_memory(), scaledAfter), 1.5);
}

TEST(RealFilesGeometry, OrientationSetComesOutUprightLikeItsUnturnedFile)
{
    FW_REQUIRE_TESTDATA("orientation/pillow-orientation");
    const Utils utils(VipsImageService::shared());
    const QString folder = test::testDataPath("orientation/pillow-orientation");
    const QString reference = folder + "/hopper_orientation_2.jpg";
    const auto upright2 = utils.getImageWithFixedOrientionFromUrl(reference);
    ASSERT_TRUE(upright2);
    const VImage expected = vipsImageOf(*upright2).copy_memory();
    for (int orientation = 3; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QString path =
            QStringLiteral("%1/hopper_orientation_%2.jpg").arg(folder).arg(orientation);
        const auto upright = utils.getImageWithFixedOrientionFromUrl(path);
        ASSERT_TRUE(upright);
        ASSERT_EQ(upright->width(), expected.width());
        EXPECT_LT(test::meanDifference(vipsImageOf(*upright).copy_memory(), expected), 8.0);
    }
}

} // namespace
} // namespace fw
