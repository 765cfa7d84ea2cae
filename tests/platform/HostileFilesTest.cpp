#include "platform/BoundedChild.h"
#include "platform/EpsDocument.h"
#include "platform/VipsImageService.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace fw {
namespace {

// Files a few bytes long that claim enormous pictures, built here the way
// fuzzers and attackers build them.
class HostileFilesTest : public ::testing::Test {
protected:
    const ImageService& images = VipsImageService::shared();
    test::TemporaryFolder folder;

    // A real small JPEG whose frame header is changed to claim the size.
    QString jpegClaiming(int width, int height)
    {
        const QString path = folder.filePath("claim.jpg");
        test::saveJpeg(test::markedPicture(64, 48), path);
        QByteArray bytes = test::readBytes(path);
        const qsizetype frame = bytes.indexOf("\xff\xc0");
        qToBigEndian<quint16>(static_cast<quint16>(height), bytes.data() + frame + 5);
        qToBigEndian<quint16>(static_cast<quint16>(width), bytes.data() + frame + 7);
        return folder.writeFile("claim.jpg", bytes);
    }

    void expectRefusedAsTooLarge(const QString& path, const QString& size)
    {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(images.readProperties(path));
        EXPECT_EQ(images.explainUnreadable(path), "the photo is too large to read: " + size);
        EXPECT_FALSE(images.decodeUprightAtSize(path, 100, 100));
    }
};

TEST_F(HostileFilesTest, TinyFilesClaimingHugePicturesAreRefusedBeforeAnyDecoderRuns)
{
    // A 35-byte GIF whose one frame is 65535 x 65535.
    const QByteArray gif = QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00", 13) +
                           QByteArray("\x2c\x00\x00\x00\x00\xff\xff\xff\xff\x00", 10) +
                           QByteArray("\x02\x02\x4c\x01\x00\x3b", 6);
    expectRefusedAsTooLarge(folder.writeFile("frame.gif", gif), "65535 x 65535");
    expectRefusedAsTooLarge(
        folder.writeFile("scan.pgm", "P5\n65535 65535\n4095\n" + QByteArray(500, '\0')),
        "65535 x 65535");
    expectRefusedAsTooLarge(folder.writeFile("box.eps", "%!PS-Adobe-3.0 EPSF-3.0\n"
                                                        "%%BoundingBox: 0 0 30000 30000\n"
                                                        "showpage\n"),
                            "30000 x 30000");
    expectRefusedAsTooLarge(jpegClaiming(32767, 32767), "32767 x 32767");

    // A 92-byte PNG whose text chunk claims 1.5 GB, and PostScript too long to
    // render, are refused when added, with their reason.
    QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x10\0\0\0\x10\x08\x02\0\0\0\x90\x91\x68\x36", 33);
    png += QByteArray("\x59\x68\x2f\0tEXtComment\0hello", 21) + QByteArray(38, '\0');
    EXPECT_EQ(images.explainUnreadable(folder.writeFile("claim.png", png)),
              "damaged PNG: a chunk claims more bytes than the file holds");
    QFile eps(folder.writeFile("long.eps", "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n"));
    ASSERT_TRUE(eps.resize(EpsDocument::largestDocument + 1));
    EXPECT_EQ(images.explainUnreadable(eps.fileName()),
              "PostScript documents over 256 MB are not rendered");

    // The same kinds at honest sizes still read.
    test::saveJpeg(test::markedPicture(640, 480), folder.filePath("honest.jpg"));
    EXPECT_TRUE(images.readProperties(folder.filePath("honest.jpg")));
}

TEST_F(HostileFilesTest, PostScriptRunsOnlyFromEpsFilesAndCannotReachTheTemporaryFolder)
{
    const QByteArray square = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\n"
                              "0 0 20 10 rectfill\nshowpage\n";
    const auto rendered = images.decodeAsStored(folder.writeFile("square.eps", square));
    ASSERT_TRUE(rendered) << "Ghostscript renders an honest document";
    EXPECT_EQ(rendered->width(), 20);

    EXPECT_FALSE(images.readProperties(folder.writeFile("holiday.jpg", square)));
    EXPECT_EQ(images.explainUnreadable(folder.filePath("holiday.jpg")),
              "PostScript is read only from files named .eps");

    QTemporaryFile secret(QDir::tempPath() + "/framewright-secret-XXXXXX");
    ASSERT_TRUE(secret.open());
    secret.write("private");
    secret.flush();
    const QByteArray peek = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\n(" +
                            secret.fileName().toUtf8() + ") (r) file pop\n" +
                            "0 0 20 10 rectfill\nshowpage\n";
    EXPECT_FALSE(images.decodeAsStored(folder.writeFile("peek.eps", peek)));
}

TEST_F(HostileFilesTest, PostScriptWritesOnlyIntoItsOwnFolderWithinItsLimits)
{
    // A folder left by a killed process whose id is gone is cleared.
    QProcess finished;
    finished.start("sleep", {"0.1"});
    ASSERT_TRUE(finished.waitForStarted());
    const qint64 goneProcess = finished.processId();
    ASSERT_TRUE(finished.waitForFinished());
    const QString abandoned =
        QDir::tempPath() + QStringLiteral("/framewright-gs-%1-left").arg(goneProcess);
    ASSERT_TRUE(QDir().mkpath(abandoned));

    const QByteArray rewrite = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\n"
                               "/f (document.eps) (w) file def\n"
                               "0 1 100000 { pop f (0123456789abcdef) writestring } for\n"
                               "f closefile 0 0 20 10 rectfill showpage\n";
    const QString own = folder.writeFile("rewrite.eps", rewrite);
    images.decodeAsStored(own);
    EXPECT_EQ(test::readBytes(own), rewrite) << "the user's file is as it was";

    const QByteArray flood = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\n"
                             "/f (flood) (w) file def\n"
                             "{ f (0123456789abcdef0123456789abcdef) writestring } loop\n";
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(images.decodeAsStored(folder.writeFile("flood.eps", flood)));
    EXPECT_LT(timer.elapsed(), 15000) << "stopped by its file size limit";
    EXPECT_FALSE(QFileInfo::exists(abandoned));
    EXPECT_TRUE(QDir(QDir::tempPath())
                    .entryList({QStringLiteral("framewright-gs-%1-*").arg(QCoreApplication::applicationPid())},
                               QDir::Dirs)
                    .isEmpty())
        << "no folder of this process is left behind";
}

TEST_F(HostileFilesTest, AReaderInABoundedChildEndsWithinItsLimits)
{
    EXPECT_EQ(BoundedChild::run([] { return QByteArray("answer"); }), QByteArray("answer"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(BoundedChild::run([] {
        for (volatile bool forever = true; forever;) {
        }
        return QByteArray();
    }));
    EXPECT_LT(timer.elapsed(), (BoundedChild::seconds + 5) * 1000);
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's own mappings leave no room for a memory limit";
#endif
    EXPECT_FALSE(BoundedChild::run([] {
        QByteArray huge(BoundedChild::extraMemoryBytes * 2, 'x');
        return huge.left(1);
    })) << "out of memory in the child, not here";
}

} // namespace
} // namespace fw
