#include "processing/ImageSaver.h"

#include "batch/PhotoFile.h"
#include "core/Utils.h"
#include "platform/VipsImage.h"
#include "platform/VipsImageService.h"
#include "processing/ImageFilter.h"
#include "processing/KnownFormats.h"
#include "support/ScriptedImageService.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QDir>
#include <gtest/gtest.h>

namespace fw {
namespace {

using vips::VImage;

class ImageSaverTest : public ::testing::Test {
protected:
    const ImageService& images = VipsImageService::shared();
    Utils utils{images};
    test::TemporaryFolder folder;

    QString cameraJpeg(const QString& name, int orientation, int width = 80, int height = 60)
    {
        const QString path =
            test::saveOrientedJpeg(folder.filePath(name), width, height, orientation);
        test::addCameraExif(path);
        return path;
    }

    PhotoFilePtr photo(const QString& path)
    {
        return PhotoFile::initWithFileUrl(path, false, images);
    }

    Outcome save(const PhotoFile& source, const QString& output, OutputOptionSettings settings,
                 const ResizingOptionsSettingObject& options)
    {
        const QSizeF upright = utils.getImageOriginalSizeAtFilePathUrl(source.filePath);
        const auto decoded = utils.getImageWithFixedOrientionFromUrl(source.fileURL);
        const Image filtered =
            decoded ? ImageFilter::getFilteredImage(*decoded, options, upright).image : Image();
        const ImageSaver saver(images, settings, options.rotationType);
        return saver
            .saveImageUsingDefaultMethodInDirectoryFilteredImg(
                filtered, output, source,
                images.readProperties(source.fileURL).value_or(QVariantMap{}),
                ImageFilter::isAnyChangesMadeInImageFilterObject(options),
                ImageSaver::ExistingFile::Replace)
            .outcome;
    }

    static ResizingOptionsSettingObject ownSize(int rotationType = 0)
    {
        ResizingOptionsSettingObject options;
        options.sizeObject.isKeepOriginalSize = true;
        options.rotationType = rotationType;
        return options;
    }

    QStringList leftovers() const
    {
        return QDir(folder.path()).entryList({".framewright-*"}, QDir::Files | QDir::Hidden);
    }
};

TEST_F(ImageSaverTest, UnchangedPhotoIsCopiedByteForByte)
{
    const QString source = cameraJpeg("keep.jpg", 6);
    const QString output = folder.makeFolder("out") + "/keep.jpg";
    ASSERT_TRUE(save(*photo(source), output, {}, ownSize()));
    EXPECT_EQ(test::readBytes(output), test::readBytes(source));
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(ImageSaverTest, LossyConversionReencodesWithItsQuality)
{
    const QString source = cameraJpeg("q.jpg", 1, 300, 200);
    OutputOptionSettings settings;
    settings.formatOption = 1;
    settings.selectedFileFormat = 3;
    settings.compressionRatio = 60;
    ASSERT_TRUE(save(*photo(source), folder.filePath("q60.jpg"), settings, ownSize()));
    settings.compressionRatio = 75;
    ASSERT_TRUE(save(*photo(source), folder.filePath("q75.jpg"), settings, ownSize()));
    const QByteArray sixty = test::readBytes(folder.filePath("q60.jpg"));
    const QByteArray seventyFive = test::readBytes(folder.filePath("q75.jpg"));
    EXPECT_NE(sixty, test::readBytes(source));
    EXPECT_LT(sixty.size(), seventyFive.size());
}

TEST_F(ImageSaverTest, StoredOrientationIsKeptOrResetByAutomaticCorrection)
{
    const QString source = cameraJpeg("turned.jpg", 6);
    ResizingOptionsSettingObject halfSize;
    halfSize.sizeObject.isPercentSize = true;
    halfSize.sizeObject.perWidth = 50;
    halfSize.sizeObject.perHeight = 50;

    const QString kept = folder.filePath("kept.jpg");
    ASSERT_TRUE(save(*photo(source), kept, {}, halfSize));
    const QVariantMap keptProperties = *images.readProperties(kept);
    EXPECT_EQ(keptProperties.value("Orientation").toInt(), 6);
    EXPECT_EQ(keptProperties.value("PixelWidth").toInt(), 30);
    EXPECT_EQ(test::cornerMarkers(test::loadImage(kept).autorot()), "RGB-");

    halfSize.rotationType = 4;
    const QString corrected = folder.filePath("corrected.jpg");
    ASSERT_TRUE(save(*photo(source), corrected, {}, halfSize));
    const QVariantMap correctedProperties = *images.readProperties(corrected);
    EXPECT_EQ(correctedProperties.value("Orientation").toInt(), 1);
    EXPECT_EQ(correctedProperties.value("{TIFF}").toMap().value("Orientation").toInt(), 1);
    EXPECT_EQ(correctedProperties.value("PixelWidth").toInt(), 40);
    EXPECT_EQ(test::cornerMarkers(test::loadImage(corrected)), "RGB-");
}

TEST_F(ImageSaverTest, FormatsWithoutAnOrientationTagGetUprightPixels)
{
    const QString source = cameraJpeg("turned.jpg", 6);
    OutputOptionSettings settings;
    settings.formatOption = 1;
    settings.compressionRatio = 90;
    for (const QString extension : {"jp2", "bmp", "gif"}) {
        SCOPED_TRACE(extension.toStdString());
        settings.selectedFileFormat = KnownFormats::indexOfExtension(extension);
        const QString output = folder.filePath("turned-out." + extension);
        ASSERT_TRUE(save(*photo(source), output, settings, ownSize()));
        const vips::VImage written = test::loadImage(output);
        EXPECT_EQ(written.width(), photo(source)->width);
        EXPECT_EQ(test::cornerMarkers(written), "RGB-");
    }
}

TEST_F(ImageSaverTest, CameraExifAndGpsSurviveIntoJpegTiffAndPng)
{
    const QString source = cameraJpeg("gps.jpg", 1);
    OutputOptionSettings settings;
    settings.formatOption = 1;
    for (const QString extension : {"jpg", "tif", "png"}) {
        SCOPED_TRACE(extension.toStdString());
        settings.selectedFileFormat = KnownFormats::indexOfExtension(extension);
        settings.compressionRatio = 80;
        const QString output = folder.filePath("gps-out." + extension);
        ASSERT_TRUE(save(*photo(source), output, settings, ownSize(4)));
        const QVariantMap properties = *images.readProperties(output);
        EXPECT_EQ(properties.value("{TIFF}").toMap().value("Model"), "Model 7");
        EXPECT_NEAR(properties.value("{GPS}").toMap().value("Longitude").toDouble(), 2.3514, 1e-3);
        EXPECT_EQ(properties.value("{TIFF}").toMap().value("Orientation", 1).toInt(), 1);
    }
}

TEST_F(ImageSaverTest, EveryOutputFormatFromEveryKindOfSourceReadsBackAtItsSize)
{
    const VImage picture = test::markedPicture(64, 48);
    QStringList sources;
    sources << cameraJpeg("colour.jpg", 1, 64, 48);
    test::saveJpeg(picture.colourspace(VIPS_INTERPRETATION_B_W), folder.filePath("grey.jpg"));
    sources << folder.filePath("grey.jpg");
    test::saveJpeg(picture.icc_transform("cmyk"), folder.filePath("cmyk.jpg"));
    sources << folder.filePath("cmyk.jpg");
    picture.colourspace(VIPS_INTERPRETATION_RGB16)
        .tiffsave(folder.filePath("deep.tif").toUtf8().constData());
    sources << folder.filePath("deep.tif");
    picture.bandjoin_const({200}).pngsave(folder.filePath("alpha.png").toUtf8().constData());
    sources << folder.filePath("alpha.png");
    picture.pngsave(folder.filePath("palette.png").toUtf8().constData(),
                    VImage::option()->set("palette", true));
    sources << folder.filePath("palette.png");

    const double cmykAsRgbMean = test::loadImage(folder.filePath("cmyk.jpg"))
                                     .icc_transform("srgb", VImage::option()->set("embedded", true))
                                     .avg();

    ResizingOptionsSettingObject half;
    half.sizeObject.isPercentSize = true;
    half.sizeObject.perWidth = 50;
    half.sizeObject.perHeight = 50;
    const QString out = folder.makeFolder("formats");
    for (const QString& source : sources) {
        for (int format = 0; format < KnownFormats::extensions().size(); ++format) {
            const QString output = QStringLiteral("%1/%2-%3.%4")
                                       .arg(out, QFileInfo(source).baseName())
                                       .arg(format)
                                       .arg(KnownFormats::extensionAt(format));
            SCOPED_TRACE(output.toStdString());
            OutputOptionSettings settings;
            settings.formatOption = 1;
            settings.selectedFileFormat = format;
            settings.compressionRatio = 90;
            const Outcome saved = save(*photo(source), output, settings, half);
            ASSERT_TRUE(saved) << saved.message().toStdString();
            const auto properties = images.readProperties(output);
            ASSERT_TRUE(properties);
            EXPECT_EQ(properties->value("PixelWidth").toInt(), 32);
            EXPECT_EQ(properties->value("PixelHeight").toInt(), 24);
            const VImage written = test::loadImage(output);
            if (source.endsWith("cmyk.jpg")) {
                // Saturated markers leave the CMYK gamut; the colours must
                // still be those of a colour-managed conversion.
                const VImage asRgb =
                    written.interpretation() == VIPS_INTERPRETATION_CMYK
                        ? written.icc_transform("srgb", VImage::option()->set("embedded", true))
                        : written;
                EXPECT_NEAR(asRgb.extract_band(0, VImage::option()->set("n", 3)).avg(),
                            cmykAsRgbMean, 4.0);
            } else if (!source.endsWith("grey.jpg")) {
                EXPECT_EQ(test::cornerMarkers(written), "RGB-");
            }
        }
    }
}

TEST_F(ImageSaverTest, FailedWriteLeavesTheExistingFileAndNoTemporaryFile)
{
    const QString source = cameraJpeg("source.jpg", 1);
    const QString existing =
        folder.writeFile("out/existing.jpg", "an earlier output, kept as it was");
    const QByteArray before = test::readBytes(existing);
    const test::ScriptedImageService failing(4096);
    ResizingOptionsSettingObject flip = ownSize();
    flip.isHorizontalFlip = true;
    const auto decoded = Utils(failing).getImageWithFixedOrientionFromUrl(source);
    const ImageSaver saver(failing, {}, 0);
    const Outcome replaced = saver
                                 .saveImageUsingDefaultMethodInDirectoryFilteredImg(
                                     Utils::flipImageHorizontally(*decoded), existing,
                                     *photo(source), {}, true, ImageSaver::ExistingFile::Replace)
                                 .outcome;
    EXPECT_FALSE(replaced);
    EXPECT_TRUE(replaced.message().contains(existing)) << replaced.message().toStdString();
    EXPECT_FALSE(replaced.message().contains("/proc/self/fd")) << "the user's name for the file";
    EXPECT_EQ(failing.encodeCalls, 1);
    EXPECT_EQ(test::readBytes(existing), before);

    // An output that would replace its own source leaves the source intact.
    const QByteArray sourceBytes = test::readBytes(source);
    const Outcome overSource =
        saver
            .saveImageUsingDefaultMethodInDirectoryFilteredImg(
                *Utils(failing).getImageWithFixedOrientionFromUrl(source), source, *photo(source),
                {}, true, ImageSaver::ExistingFile::Replace)
            .outcome;
    EXPECT_FALSE(overSource);
    EXPECT_EQ(test::readBytes(source), sourceBytes);
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_TRUE(QDir(folder.filePath("out"))
                    .entryList({".framewright-*"}, QDir::Files | QDir::Hidden)
                    .isEmpty());
}

TEST_F(ImageSaverTest, UndecodableSourceThatNeedsEncodingIsAFailure)
{
    const QString broken = folder.writeFile("broken.jpg", "not a picture");
    const ImageSaver saver(images, {}, 1);
    const auto replacing = ImageSaver::ExistingFile::Replace;
    EXPECT_FALSE(saver
                     .saveImageUsingDefaultMethodInDirectoryFilteredImg(
                         Image(), folder.filePath("o.jpg"), *photo(broken), {}, true, replacing)
                     .outcome);
    EXPECT_FALSE(QFile::exists(folder.filePath("o.jpg")));
    EXPECT_FALSE(saver
                     .saveImageUsingDefaultMethodInDirectoryFilteredImg(
                         Image(), QString(), *photo(broken), {}, true, replacing)
                     .outcome);
}

} // namespace
} // namespace fw
