#include "processing/KnownFormats.h"
#include "processing/RunFixture.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <exiv2/exiv2.hpp>

namespace fw {
namespace {

using vips::VImage;

// Files as other programs and cameras write them, run through a whole run
// and checked on what a viewer would show.
class RealWorldFilesTest : public test::RunFixture {
protected:
    static ResizingOptionsSettingObject ownSize(int rotationType = 0)
    {
        ResizingOptionsSettingObject options;
        options.sizeObject.isKeepOriginalSize = true;
        options.rotationType = rotationType;
        return options;
    }

    OutputOptionSettings convertingTo(const char* extension) const
    {
        OutputOptionSettings output = intoDestination();
        output.formatOption = 1;
        output.selectedFileFormat = KnownFormats::indexOfExtension(extension);
        output.compressionRatio = 95;
        return output;
    }

    // The picture's mean colour as sRGB: a CMYK output is read through its profile.
    static std::vector<double> meanColour(VImage image)
    {
        if (image.interpretation() == VIPS_INTERPRETATION_CMYK)
            image = image.icc_transform(
                "srgb", VImage::option()->set("embedded", true)->set("input_profile", "cmyk"));
        image = image.colourspace(VIPS_INTERPRETATION_sRGB).cast(VIPS_FORMAT_UCHAR);
        std::vector<double> means;
        for (int band = 0; band < 3; ++band)
            means.push_back(image.extract_band(band).avg());
        return means;
    }

    static void expectColourNear(const std::vector<double>& actual,
                                 const std::vector<double>& expected)
    {
        for (int band = 0; band < 3; ++band)
            EXPECT_NEAR(actual.at(band), expected.at(band), 4) << "band " << band;
    }

    static VImage flatColour()
    {
        return (VImage::black(64, 48, VImage::option()->set("bands", 3)) +
                std::vector<double>{200, 120, 40})
            .cast(VIPS_FORMAT_UCHAR);
    }
};

TEST_F(RealWorldFilesTest, LabAndCmykSourcesConvertToTheirRealColours)
{
    const QString lab = source.filePath("lab.tif");
    flatColour().colourspace(VIPS_INTERPRETATION_LABQ).tiffsave(lab.toUtf8().constData());
    const VImage cmyk16 =
        flatColour().icc_export(VImage::option()->set("output_profile", "cmyk")->set("depth", 16));
    const QString withProfile = source.filePath("cmyk.tif");
    cmyk16.tiffsave(withProfile.toUtf8().constData());
    const QString withoutProfile = source.filePath("bare cmyk.tif");
    cmyk16.copy().tiffsave(withoutProfile.toUtf8().constData(),
                           VImage::option()->set("strip", true));
    // What a colour-managed viewer shows for the CMYK files.
    const std::vector<double> cmykReference =
        meanColour(test::loadImage(withProfile)
                       .icc_transform("srgb", VImage::option()->set("embedded", true)));
    for (const QString& path : {lab, withProfile, withoutProfile})
        addExisting(path);

    for (const char* format : {"jpg", "png"}) {
        SCOPED_TRACE(format);
        ASSERT_TRUE(runToSummary(convertingTo(format), ownSize()));
        const QString extension = QString(".") + format;
        expectColourNear(meanColour(test::loadImage(destinationFile("lab" + extension))),
                         {200, 120, 40});
        expectColourNear(meanColour(test::loadImage(destinationFile("cmyk" + extension))),
                         cmykReference);
        expectColourNear(meanColour(test::loadImage(destinationFile("bare cmyk" + extension))),
                         cmykReference);
    }
}

TEST_F(RealWorldFilesTest, AnymapWhiteStaysWhiteWhateverItsMaximumValue)
{
    QByteArray pgm = "P5\n4 2\n4095\n";
    for (int pixel = 0; pixel < 8; ++pixel)
        pgm += QByteArray("\x0f\xff", 2);
    addExisting(source.writeFile("scan.pgm", pgm));
    ASSERT_TRUE(runToSummary(convertingTo("png"), ownSize()));
    const VImage written = test::loadImage(destinationFile("scan.png"));
    EXPECT_EQ(written.max(), written.format() == VIPS_FORMAT_USHORT ? 65535 : 255);
}

TEST_F(RealWorldFilesTest, TheContentNotTheNameChoosesTheDecoder)
{
    test::saveJpeg(test::markedPicture(64, 48), source.filePath("camera.nef"));
    const PhotoFilePtr photo = addExisting(source.filePath("camera.nef"));
    ASSERT_TRUE(runToSummary(intoDestination(), ownSize()));
    EXPECT_EQ(photo->processStatus, PhotoStatus::Processed);
    EXPECT_EQ(test::cornerMarkers(test::loadImage(destinationFile("camera.png"))), "RGB-");
}

TEST_F(RealWorldFilesTest, UprightOutputsCarryOneOrientationEverywhereAndOneExifChunk)
{
    const QString turned = test::saveOrientedJpeg(source.filePath("turned.jpg"), 64, 48, 6);
    test::addCameraExif(turned);
    {
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(turned).toStdString());
        image->readMetadata();
        image->xmpData()["Xmp.tiff.Orientation"] = 6;
        image->writeMetadata();
    }
    addExisting(turned);
    ASSERT_TRUE(runToSummary(convertingTo("jpg"), ownSize(4)));
    ASSERT_TRUE(runToSummary(convertingTo("png"), ownSize(4)));
    for (const char* name : {"turned.jpg", "turned.png"}) {
        SCOPED_TRACE(name);
        auto written =
            Exiv2::ImageFactory::open(QFile::encodeName(destinationFile(name)).toStdString());
        written->readMetadata();
        EXPECT_EQ(written->exifData()["Exif.Image.Orientation"].toLong(), 1);
        EXPECT_EQ(written->xmpData()["Xmp.tiff.Orientation"].toLong(), 1);
    }
    EXPECT_EQ(test::readBytes(destinationFile("turned.png")).count("eXIf"), 1);
}

TEST_F(RealWorldFilesTest, SourcesThatCannotBeReadEndWithTheirOwnStatus)
{
    const PhotoFilePtr locked = addPhoto("locked.jpg");
    fileSystem.unreadablePaths.insert(locked->filePath);
    const PhotoFilePtr replaced = addPhoto("replaced.jpg");
    source.writeFile("replaced.jpg", "no longer a picture");
    ASSERT_TRUE(runToSummary(intoDestination(), halfSize()));
    EXPECT_EQ(locked->processStatus, PhotoStatus::SourceAccessDenied);
    EXPECT_EQ(replaced->processStatus, PhotoStatus::NotRead);
    EXPECT_TRUE(QDir(destination.path()).isEmpty());
}

TEST_F(RealWorldFilesTest, RealFilesStrippedRawFileFailsAsUnreadable)
{
    FW_REQUIRE_TESTDATA("formats/raw/exiv2/IMG_1361.dng");
    const QString copy = source.filePath("IMG_1361.dng");
    QFile::copy(test::testDataPath("formats/raw/exiv2/IMG_1361.dng"), copy);
    const PhotoFilePtr photo = addExisting(copy);
    ASSERT_TRUE(runToSummary(convertingTo("jpg"), halfSize()));
    EXPECT_EQ(photo->processStatus, PhotoStatus::NotRead);
    EXPECT_TRUE(QDir(destination.path()).isEmpty());
}

} // namespace
} // namespace fw
