#include "platform/VipsImageService.h"

#include "platform/VipsImage.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QFile>
#include <gtest/gtest.h>

namespace fw {
namespace {

using vips::VImage;

class VipsImageServiceTest : public ::testing::Test {
protected:
    const ImageService& images = VipsImageService::shared();
    test::TemporaryFolder folder;

    QString taggedJpeg(int orientation, int width = 60, int height = 40)
    {
        return test::saveOrientedJpeg(folder.filePath(QStringLiteral("o%1.jpg").arg(orientation)),
                                      width, height, orientation);
    }
};

TEST_F(VipsImageServiceTest, EveryOrientationReportsStoredSizeAndDecodesUpright)
{
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QString path = taggedJpeg(orientation);
        const auto properties = images.readProperties(path);
        ASSERT_TRUE(properties);
        const bool turned = orientation >= 5;
        EXPECT_EQ(properties->value("PixelWidth").toInt(), turned ? 40 : 60);
        EXPECT_EQ(properties->value("PixelHeight").toInt(), turned ? 60 : 40);
        EXPECT_EQ(properties->value("Orientation").toInt(), orientation);
        EXPECT_EQ(properties->value("{TIFF}").toMap().value("Orientation").toInt(), orientation);

        const auto upright = images.decodeUprightAtSize(path, 60, 40);
        ASSERT_TRUE(upright);
        EXPECT_EQ(test::cornerMarkers(vipsImageOf(*upright)), "RGB-");
        const auto stored = images.decodeAsStored(path);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->width(), turned ? 40 : 60);
    }
}

TEST_F(VipsImageServiceTest, UprightDecodeShrinksToExactSizeAndPreviewKeepsProportions)
{
    const QString path = taggedJpeg(6, 1200, 800);
    const auto exact = images.decodeUprightAtSize(path, 301, 99);
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->width(), 301);
    EXPECT_EQ(exact->height(), 99);

    const auto preview = images.uprightPreview(path, 404, 414);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->width(), 404);
    EXPECT_EQ(preview->height(), 269);
    EXPECT_EQ(test::cornerMarkers(vipsImageOf(*preview)), "RGB-");
    const auto notEnlarged = images.uprightPreview(path, 5000, 5000);
    ASSERT_TRUE(notEnlarged);
    EXPECT_EQ(notEnlarged->width(), 1200);
}

TEST_F(VipsImageServiceTest, ColourModelDepthAlphaAndProfile)
{
    const VImage picture = test::markedPicture(32, 24);
    const QString grey = folder.filePath("grey.jpg");
    test::saveJpeg(picture.colourspace(VIPS_INTERPRETATION_B_W), grey);
    const QString cmyk = folder.filePath("cmyk.jpg");
    test::saveJpeg(picture.icc_transform("cmyk"), cmyk);
    const QString deep = folder.filePath("deep.png");
    picture.colourspace(VIPS_INTERPRETATION_RGB16).pngsave(deep.toUtf8().constData());
    const QString alpha = folder.filePath("alpha.png");
    picture.bandjoin_const({255}).pngsave(alpha.toUtf8().constData());

    EXPECT_EQ(images.readProperties(grey)->value("ColorModel"), "Gray");
    const auto cmykProperties = images.readProperties(cmyk);
    EXPECT_EQ(cmykProperties->value("ColorModel"), "CMYK");
    EXPECT_FALSE(cmykProperties->value("ProfileName").toString().isEmpty());
    EXPECT_EQ(images.readProperties(deep)->value("Depth").toInt(), 16);
    EXPECT_EQ(images.readProperties(deep)->value("ColorModel"), "RGB");
    EXPECT_TRUE(images.readProperties(alpha)->value("HasAlpha").toBool());
    EXPECT_FALSE(images.readProperties(grey)->value("HasAlpha").toBool());
}

TEST_F(VipsImageServiceTest, EveryOutputFormatRoundTripsWithSizeAndExif)
{
    const QString source = taggedJpeg(1, 90, 60);
    test::addCameraExif(source);
    const QVariantMap properties = *images.readProperties(source);

    const QList<std::pair<QString, QString>> outputs = {
        {"public.jpeg", "jpg"},      {"public.png", "png"},         {"public.tiff", "tif"},
        {"public.jpeg-2000", "jp2"}, {"com.compuserve.gif", "gif"}, {"com.microsoft.bmp", "bmp"}};
    for (const auto& [type, extension] : outputs) {
        SCOPED_TRACE(type.toStdString());
        const QString path = folder.filePath("out." + extension);
        const auto decoded = images.decodeAsStored(source);
        ASSERT_TRUE(decoded);
        const Outcome written = images.encode(*decoded, path, type, properties, 80);
        ASSERT_TRUE(written) << written.message().toStdString();
        const auto readBack = images.readProperties(path);
        ASSERT_TRUE(readBack);
        EXPECT_EQ(readBack->value("PixelWidth").toInt(), 90);
        EXPECT_EQ(readBack->value("PixelHeight").toInt(), 60);
        EXPECT_EQ(test::cornerMarkers(test::loadImage(path)), "RGB-");
        if (extension == "jpg" || extension == "png" || extension == "tif") {
            EXPECT_EQ(readBack->value("{TIFF}").toMap().value("Make"), "FWTestCam");
            EXPECT_NEAR(readBack->value("{GPS}").toMap().value("Latitude").toDouble(), 48.8583,
                        1e-3);
            EXPECT_EQ(readBack->value("{Exif}").toMap().value("DateTimeOriginal"),
                      "2026:12:01 10:00:00");
        }
    }
}

TEST_F(VipsImageServiceTest, EncoderWritesTheOrientationOfTheProperties)
{
    const QString source = taggedJpeg(6);
    const auto upright = images.decodeUprightAtSize(source, 60, 40);
    QVariantMap properties = *images.readProperties(source);
    properties.insert("Orientation", 1);
    const QString path = folder.filePath("upright.jpg");
    ASSERT_TRUE(images.encode(*upright, path, "public.jpeg", properties, 90));
    EXPECT_EQ(images.readProperties(path)->value("{TIFF}").toMap().value("Orientation").toInt(), 1);
    EXPECT_EQ(test::cornerMarkers(test::loadImage(path)), "RGB-");
}

TEST_F(VipsImageServiceTest, BadFilesGiveNothingAndNeverThrow)
{
    QByteArray jpeg = test::readBytes(taggedJpeg(1, 200, 150));
    const QStringList bad = {
        folder.filePath("missing.jpg"),
        folder.writeFile("empty.jpg", {}),
        folder.writeFile("text.jpg", "these are not the pixels you are looking for\n"),
        folder.writeFile("header-cut.jpg", jpeg.left(120)),
        folder.writeFile("noise.png", QByteArray(4096, '\x5a')),
        folder.makeFolder("folder.jpg"),
    };
    for (const QString& path : bad) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(images.readProperties(path));
        EXPECT_FALSE(images.decodeAsStored(path));
        EXPECT_FALSE(images.decodeUprightAtSize(path, 10, 10));
        EXPECT_FALSE(images.uprightPreview(path, 10, 10));
    }
}

TEST_F(VipsImageServiceTest, TruncatedPixelDataFailsTheWriteInsteadOfWritingGrey)
{
    const QByteArray jpeg = test::readBytes(taggedJpeg(1, 400, 300));
    const QString cut = folder.writeFile("cut.jpg", jpeg.left(jpeg.size() * 2 / 3));
    const auto decoded = images.decodeUprightAtSize(cut, 400, 300);
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(
        images.encode(*decoded, folder.filePath("out.png"), "public.png", {}, std::nullopt));
}

TEST_F(VipsImageServiceTest, XvThumbnailUnpacksItsThreeThreeTwoColours)
{
    const QByteArray header = "P7 332\n#XVVERSION:Version 2.28\n#END_OF_COMMENTS\n3 1 255\n";
    const QString path = folder.writeFile("thumb.p7", header + QByteArray("\xe0\x1c\x03", 3));
    const auto properties = images.readProperties(path);
    ASSERT_TRUE(properties);
    EXPECT_EQ(properties->value("PixelWidth").toInt(), 3);
    const auto decoded = images.decodeAsStored(path);
    ASSERT_TRUE(decoded);
    const VImage pixels = vipsImageOf(*decoded);
    EXPECT_EQ(pixels.getpoint(0, 0), std::vector<double>({255, 0, 0}));
    EXPECT_EQ(pixels.getpoint(1, 0), std::vector<double>({0, 255, 0}));
    EXPECT_EQ(pixels.getpoint(2, 0), std::vector<double>({0, 0, 255}));

    const QString cut = folder.writeFile("cut.p7", header + QByteArray("\xe0", 1));
    EXPECT_TRUE(images.readProperties(cut));
    EXPECT_FALSE(images.decodeAsStored(cut));
}

TEST_F(VipsImageServiceTest, ExtensionTableAndEpsSize)
{
    for (const char* extension : {"jpg", "JPG", "Tiff", "cr2", "NEF", "pgm", "PCT", "p7", "ui"})
        EXPECT_TRUE(images.isImageExtension(extension)) << extension;
    for (const char* extension : {"txt", "mov", "", "pdf"})
        EXPECT_FALSE(images.isImageExtension(extension)) << extension;
    EXPECT_TRUE(images.imageExtensions().contains("JPEG"));
    EXPECT_TRUE(images.imageExtensions().contains("jpeg"));

    const QString eps =
        folder.writeFile("box.eps", "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 10 20 110 70\n"
                                    "newpath 10 20 moveto 110 70 lineto stroke showpage\n%%EOF\n");
    const auto size = images.epsSize(eps);
    ASSERT_TRUE(size);
    EXPECT_EQ(*size, QSizeF(100, 50));
    const auto rendered = images.decodeUprightAtSize(eps, 200, 100);
    ASSERT_TRUE(rendered);
    EXPECT_EQ(rendered->width(), 200);
}

TEST_F(VipsImageServiceTest, AnOperationThatFailsGivesNoPicture)
{
    // The flip needs the whole picture at once, and this one stops short.
    const QString path = taggedJpeg(1, 600, 400);
    folder.writeFile("o1.jpg", test::readBytes(path).chopped(3000));
    const auto decoded = images.decodeAsStored(path);
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->flippedVertically().isValid());
    EXPECT_FALSE(Image().flippedHorizontally().isValid());
}

} // namespace
} // namespace fw
