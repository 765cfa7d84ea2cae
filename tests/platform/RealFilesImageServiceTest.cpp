#include "batch/PhotoFile.h"
#include "platform/VipsImage.h"
#include "platform/VipsImageService.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace fw {
namespace {

bool isAttribution(const QFileInfo& file)
{
    const QString name = file.fileName().toLower();
    return name.startsWith("license") || name.startsWith("readme") || name.endsWith(".txt") ||
           name.endsWith(".md") || name == "fair-use.txt";
}

QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator walk(folder, QDir::Files, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QFileInfo file(walk.next());
        if (!isAttribution(file))
            files << file.filePath();
    }
    files.sort();
    return files;
}

// Every real-world file either loads as a picture or is refused with nothing;
// none may take the program down or throw. A damaged file may load and then
// fail when its pixels are written, which must be reported, not written grey.
TEST(RealFilesImageService, EveryFormatSampleLoadsOrIsRefusedCleanly)
{
    FW_REQUIRE_TESTDATA("formats");
    const ImageService& images = VipsImageService::shared();
    test::TemporaryFolder output;
    int loaded = 0;
    for (const QString& path : filesUnder(test::testDataPath("formats"))) {
        SCOPED_TRACE(path.toStdString());
        const auto properties = images.readProperties(path);
        const auto preview = images.uprightPreview(path, 64, 64);
        // The raw samples are stripped of their sensor data and previews:
        // their headers read, but there is no picture to develop.
        if (!path.contains("/raw/")) {
            EXPECT_EQ(properties.has_value(), preview.has_value());
        }
        if (!preview)
            continue;
        ++loaded;
        const Outcome written = images.encode(*preview, output.filePath("out.png"), "public.png",
                                              *properties, std::nullopt);
        if (path.contains("/corrupt/"))
            EXPECT_TRUE(written || !written.message().isEmpty());
        else
            EXPECT_TRUE(written) << written.message().toStdString();
    }
    EXPECT_GE(loaded, 100);
}

TEST(RealFilesImageService, ImageOffsetJpeg2000DecodesAtItsFullImageArea)
{
    FW_REQUIRE_TESTDATA("formats/jpeg2000/libvips/Bretagne2_4.j2k");
    const QString path = test::testDataPath("formats/jpeg2000/libvips/Bretagne2_4.j2k");
    const ImageService& images = VipsImageService::shared();
    const auto properties = images.readProperties(path);
    ASSERT_TRUE(properties);
    EXPECT_EQ(properties->value("PixelWidth").toInt(), 2592);
    EXPECT_EQ(properties->value("PixelHeight").toInt(), 1944);
    const auto decoded = images.decodeAsStored(path);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width(), 2592);
    // A sunset: the sky at the top is brighter than the water's dark band.
    EXPECT_GT(vipsImageOf(*decoded).avg(), 20);
}

TEST(RealFilesImageService, OrientationSetsReportUprightSizesAndDecodeUpright)
{
    FW_REQUIRE_TESTDATA("orientation/libvips-rotation");
    const ImageService& images = VipsImageService::shared();
    const QString folder = test::testDataPath("orientation/libvips-rotation");
    const QString reference = folder + "/1.jpg";
    const auto upright = images.decodeUprightAtSize(reference, 231, 308);
    ASSERT_TRUE(upright);
    const vips::VImage expected = vipsImageOf(*upright).copy_memory();
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QString path = QStringLiteral("%1/%2.jpg").arg(folder).arg(orientation);
        const PhotoFilePtr photo = PhotoFile::initWithFileUrl(path, false, images);
        EXPECT_EQ(photo->width, orientation <= 4 ? 308 : 231);
        EXPECT_EQ(photo->height, orientation <= 4 ? 410 : 308);
        const auto decoded = images.decodeUprightAtSize(path, 231, 308);
        ASSERT_TRUE(decoded);
        // The turned files are a smaller re-encoded copy; a wrong turn or
        // mirror differs by 40 or more.
        EXPECT_LT(test::meanDifference(vipsImageOf(*decoded), expected), 20.0);
    }
}

TEST(RealFilesImageService, LandscapeAndPortraitSetsMatchTheirUnturnedPictures)
{
    FW_REQUIRE_TESTDATA("orientation/recurser-exif-orientation-examples");
    const ImageService& images = VipsImageService::shared();
    const QString folder = test::testDataPath("orientation/recurser-exif-orientation-examples");
    for (const QString& shape : {QStringLiteral("Landscape"), QStringLiteral("Portrait")}) {
        const QString reference = QStringLiteral("%1/%2_1.jpg").arg(folder, shape);
        const PhotoFilePtr photo = PhotoFile::initWithFileUrl(reference, false, images);
        const int width = static_cast<int>(photo->width) / 4;
        const int height = static_cast<int>(photo->height) / 4;
        const vips::VImage expected =
            vipsImageOf(*images.decodeUprightAtSize(reference, width, height)).copy_memory();
        for (int orientation = 2; orientation <= 8; ++orientation) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(shape).arg(orientation).toStdString());
            const QString path = QStringLiteral("%1/%2_%3.jpg").arg(folder, shape).arg(orientation);
            const auto decoded = images.decodeUprightAtSize(path, width, height);
            ASSERT_TRUE(decoded);
            EXPECT_LT(test::meanDifference(vipsImageOf(*decoded), expected), 12.0);
        }
    }
}

} // namespace
} // namespace fw
