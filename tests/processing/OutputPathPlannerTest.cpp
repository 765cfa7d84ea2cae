#include "processing/OutputPathPlanner.h"

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "processing/OutputOptionSettings.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace fw {
namespace {

PhotoFile photoAt(const QString& path, double width = 4000, double height = 3000)
{
    PhotoFile photo;
    photo.filePath = path;
    photo.fileURL = path;
    photo.fileName = path.section('/', -1);
    photo.fileExtension =
        photo.fileName.contains('.') ? photo.fileName.section('.', -1) : QString();
    photo.width = width;
    photo.height = height;
    return photo;
}

OutputOptionSettings into(const QString& folder)
{
    OutputOptionSettings output;
    output.folderOption = 1;
    output.ouptputFolder = folder;
    return output;
}

QString planned(const OutputOptionSettings& output, const PhotoFile& photo)
{
    return OutputPathPlanner(output, "png").updatedFilePathWithSetting(photo);
}

TEST(OutputPathPlanner, NamesFollowTheNamingOption)
{
    OutputOptionSettings output = into("/Out");
    output.prefixString = "_web";
    const PhotoFile photo = photoAt("/src/p.jpg");
    const QStringList expected = {"/Out/p.jpg", "/Out/p_4000X3000.jpg", "/Out/_webp.jpg",
                                  "/Out/p_web.jpg"};
    for (int option = 0; option < 4; ++option) {
        output.filenameOption = option;
        EXPECT_EQ(planned(output, photo), expected[option]) << option;
    }
    output.filenameOption = 1;
    EXPECT_EQ(planned(output, photoAt("/src/q.jpg", 800.9, 600.2)), "/Out/q_800X600.jpg");
}

TEST(OutputPathPlanner, TemplatesNameEachPhotoByItsTokens)
{
    OutputOptionSettings output = into("/Out");
    output.filenameOption = FileNameOption::Template;
    output.nameTemplate = "{date} trip/{n:3}_{name}-{w}x{h}.{ext}";
    output.counterStart = 9;
    output.formatOption = FormatOption::Convert;
    output.selectedFileFormat = FormatIndex::Webp;
    ResizingOptionsSettingObject geometry;
    geometry.sizeObject.sizeMode = SizeMode::LongEdge;
    geometry.sizeObject.edgeLength = 1000;
    geometry.rotationType = RotationType::QuarterClockwise;
    PhotoFile photo = photoAt("/src/IMG_1.JPG");
    photo.dateTaken = QDate(2024, 7, 3);
    const OutputPathPlanner planner(output, "png", geometry);
    EXPECT_EQ(planner.updatedFilePathWithSetting(photo, 0),
              "/Out/2024-07-03 trip009_IMG_1-750x1000JPG.webp");
    EXPECT_EQ(planner.updatedFilePathWithSetting(photo, 991),
              "/Out/2024-07-03 trip1000_IMG_1-750x1000JPG.webp");
    output.nameTemplate = "?*";
    EXPECT_EQ(OutputPathPlanner(output, "png").updatedFilePathWithSetting(photo, 0),
              "/Out/IMG_1.webp");
}

TEST(OutputPathPlanner, ExtensionsKeepTheirCaseOrBecomeTheConversionFormat)
{
    const OutputOptionSettings keep = into("/Out");
    EXPECT_EQ(planned(keep, photoAt("/src/b.JPG")), "/Out/b.JPG");
    EXPECT_EQ(planned(keep, photoAt("/src/c.nef")), "/Out/c.png");
    EXPECT_EQ(planned(keep, photoAt("/src/a.CR2")), "/Out/a.png");
    EXPECT_EQ(planned(keep, photoAt("/src/x.pgm")), "/Out/x.png");
    EXPECT_EQ(planned(keep, photoAt("/src/two.dots.tiff")), "/Out/two.dots.tiff");
    OutputOptionSettings convert = into("/Out/");
    convert.formatOption = 1;
    convert.selectedFileFormat = 5;
    EXPECT_EQ(planned(convert, photoAt("/src/b.JPG")), "/Out/b.jp2");
}

TEST(OutputPathPlanner, FolderHierarchyDropsTheFirstComponentBelowTheRoot)
{
    OutputOptionSettings output = into("/Out");
    output.keepFolderHierarchy = true;
    EXPECT_EQ(planned(output, photoAt("/Volumes/Card/DCIM/100/x.jpg")), "/Out/Card/DCIM/100/x.jpg");
    EXPECT_EQ(planned(output, photoAt("/Users/ann/Trips/rome.jpg")), "/Out/ann/Trips/rome.jpg");
    EXPECT_EQ(planned(output, photoAt("/top.jpg")), "/Out/top.jpg");
    EXPECT_EQ(planned(output, photoAt("/home/Ann/Mixed Case/a.jpg")), "/Out/Ann/Mixed Case/a.jpg");

    PhotoFile fromLibrary = photoAt("/Users/ann/Pictures/L.photoslibrary/Masters/a.jpg");
    fromLibrary.isIphotosNode = true;
    EXPECT_EQ(planned(output, fromLibrary), "/Out/a.jpg");
    output.folderOption = 0;
    EXPECT_EQ(planned(output, photoAt("/src/deep/a.jpg")), "/src/deep/a.jpg");
}

} // namespace
} // namespace fw
