#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "core/Codes.h"
#include "platform/NativePath.h"
#include "platform/PathInfo.h"
#include "platform/VipsImageService.h"
#include "support/CliProgram.h"
#include "support/SmallVolume.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fw {
namespace {

CliOptions::Parsed parse(const QStringList& arguments)
{
    return CliOptions::parse(arguments, "/default/out");
}

using test::finish;
using test::Finished;
using test::runProgram;

TEST(CliOptions, BadValuesNameTheOptionAndWhatItAllows)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"--rotate", "sideways", "a.jpg"}, "--rotate: expected none, cw, ccw, 180 or auto"},
        {{"--quality", "101", "a.jpg"}, "--quality: expected a whole number from 0 to 100"},
        {{"--percent", "50%", "a.jpg"}, "--percent: expected P or PWxPH"},
        {{"--shard", "5/4", "a.jpg"}, "--shard: expected K/N, whole numbers with 1 <= K <= N"},
        {{"--shard", "0/4", "a.jpg"}, "--shard: expected K/N, whole numbers with 1 <= K <= N"},
        {{"--format", "webp", "--lossless", "--counter-start", "5", "a.jpg"},
         "--counter-start: needs --name template:PATTERN"},
        {{"--format", "psd", "a.jpg"},
         "--format: expected keep, tif, tiff, png, jpg, jpeg, jp2, bmp, gif, webp, avif, heic "
         "or jxl"},
        {{"--lossless", "--format", "avif", "a.jpg"}, "--lossless: needs --format webp"},
        {{"--fit", "800", "a.jpg"}, "--fit: expected WxH"},
        {{"--fit", "80x60", "--width", "100", "a.jpg"}, "--fit: cannot be combined with --width"},
        {{"--long-edge", "100", "--short-edge", "80", "a.jpg"},
         "--short-edge: cannot be combined with --long-edge"},
        {{"--metadata", "gps", "a.jpg"}, "--metadata: expected keep, no-location or none"},
        {{"--name", "template:{name}-{size}", "a.jpg"}, "--name: unknown token {size}"},
        {{"--name", "template:./", "a.jpg"}, "--name: expected a template that gives a name"},
        {{"--counter-start", "5", "a.jpg"}, "--counter-start: needs --name template:PATTERN"},
        {{"--flip", "both", "a.jpg"}, "--flip: expected none, horizontal or vertical"},
        {{"--name", "prefix:a/b", "a.jpg"}, "--name: expected a text without"},
        {{"--name", "upper", "a.jpg"},
         "--name: expected original, size, prefix:TEXT, suffix:TEXT or template:PATTERN"},
        {{"--on-conflict", "ask", "a.jpg"}, "--on-conflict: expected keep, replace or skip"},
        {{"--log", "run.txt", "a.jpg"}, "--log: expected a file name ending in .csv or .json"},
        {{"--width", "-3", "a.jpg"}, "--width: expected a positive number of pixels"},
        {{"--no-keep-aspect", "--width", "10", "a.jpg"},
         "--no-keep-aspect: needs --width and --height"},
        {{"--width", "10", "--percent", "50", "a.jpg"}, "--percent: cannot be combined"},
        {{"--sharpen", "a.jpg"}, "--sharpen: unknown option"},
        {{"--sharpen"}, "--sharpen: unknown option"},
        {{"--width"}, "--width: a value is missing"},
        {{"--quiet"}, "no photos or folders given"},
    };
    for (const auto& [arguments, expected] : cases) {
        const CliOptions::Parsed parsed = parse(arguments);
        EXPECT_FALSE(parsed.options) << arguments.join(' ').toStdString();
        EXPECT_TRUE(parsed.error.startsWith(expected)) << parsed.error.toStdString();
        EXPECT_FALSE(parsed.error.contains('\n'));
    }
}

TEST(CliOptions, OptionsFillTheRunsSettingsRecords)
{
    const CliOptions plain = *parse({"a.jpg"}).options;
    EXPECT_TRUE(plain.geometry.sizeObject.isKeepOriginalSize);
    EXPECT_EQ(plain.output.ouptputFolder, "/default/out");
    EXPECT_EQ(plain.output.folderOption, 1);
    EXPECT_EQ(plain.output.compressionRatio, 75);
    EXPECT_EQ(plain.conflictMode, 3);
    EXPECT_TRUE(plain.withSubfolders);
    EXPECT_EQ(plain.paths, QStringList({QDir::current().absoluteFilePath("a.jpg")}));

    const CliOptions custom =
        *parse({"--width", "800", "--rotate", "cw", "--flip", "vertical", "--format", "jp2",
                "--quality", "40", "--name", "suffix:_web", "--keep-folders", "--no-subfolders",
                "--on-conflict", "skip", "-o", "/tmp/x", "/p/a.jpg"})
             .options;
    EXPECT_TRUE(custom.geometry.sizeObject.isCustomSize);
    EXPECT_TRUE(custom.geometry.sizeObject.isKeepAspectRatio);
    EXPECT_EQ(custom.geometry.sizeObject.customWidth, 800);
    EXPECT_EQ(custom.geometry.rotationType, 1);
    EXPECT_TRUE(custom.geometry.isVerticalFlip);
    EXPECT_EQ(custom.output.formatOption, 1);
    EXPECT_EQ(custom.output.selectedFileFormat, 5);
    EXPECT_EQ(custom.output.compressionRatio, 40);
    EXPECT_EQ(custom.output.filenameOption, 3);
    EXPECT_EQ(custom.output.prefixString, "_web");
    EXPECT_TRUE(custom.output.keepFolderHierarchy);
    EXPECT_FALSE(custom.withSubfolders);
    EXPECT_EQ(custom.conflictMode, 1);
    EXPECT_EQ(custom.output.ouptputFolder, "/tmp/x");

    const CliOptions percent = *parse({"--percent", "50x25", "--no-keep-aspect", "a.jpg"}).options;
    EXPECT_TRUE(percent.geometry.sizeObject.isPercentSize);
    EXPECT_EQ(percent.geometry.sizeObject.perWidth, 50);
    EXPECT_EQ(percent.geometry.sizeObject.perHeight, 25);
    EXPECT_FALSE(percent.geometry.sizeObject.isKeepAspectRatio);

    const CliOptions modern =
        *parse({"--long-edge", "1200", "--format", "webp", "--lossless", "--metadata",
                "no-location", "--name", "template:{n:3}_{name}", "--counter-start", "0", "a.jpg"})
             .options;
    EXPECT_EQ(modern.geometry.sizeObject.sizeMode, SizeMode::LongEdge);
    EXPECT_EQ(modern.geometry.sizeObject.edgeLength, 1200);
    EXPECT_TRUE(modern.geometry.sizeObject.isNoEnlarge);
    EXPECT_FALSE(modern.geometry.sizeObject.isKeepOriginalSize);
    EXPECT_EQ(modern.output.selectedFileFormat, FormatIndex::Webp);
    EXPECT_TRUE(modern.output.isLossless);
    EXPECT_EQ(modern.output.metadataOption, MetadataOption::WithoutLocation);
    EXPECT_EQ(modern.output.filenameOption, FileNameOption::Template);
    EXPECT_EQ(modern.output.nameTemplate, "{n:3}_{name}");
    EXPECT_EQ(modern.output.counterStart, 0);
    EXPECT_FALSE(parse({"--fit", "80x60", "--enlarge", "a.jpg"})
                     .options->geometry.sizeObject.isNoEnlarge);
    EXPECT_TRUE(parse({"--width", "80", "--no-enlarge", "a.jpg"})
                    .options->geometry.sizeObject.isNoEnlarge);
}

TEST(CliRunner, RunsInProcessAndReportsTheSummary)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    test::saveJpeg(test::markedPicture(120, 90), photos.filePath("one.jpg"));
    photos.makeFolder("sub");
    test::saveJpeg(test::markedPicture(90, 120), photos.filePath("sub/two.jpg"));
    photos.writeFile("notes.txt", "not a photo");
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    CliOptions options = *parse({"--width", "60", "-o", output.path(), photos.path()}).options;
    CliRunner runner(options, VipsImageService::shared(), outStream, errStream, false);
    EXPECT_EQ(runner.run(), CliRunner::AllWritten);
    EXPECT_TRUE(out.contains("Photos converted: 2")) << out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(output.filePath("one.jpg")));
    EXPECT_TRUE(QFileInfo::exists(output.filePath("two.jpg")));
    EXPECT_FALSE(QFileInfo::exists(output.filePath("notes.txt")));
}

TEST(CliProgram, ExitStatusesAndTheLogFile)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    test::saveJpeg(test::markedPicture(120, 90), photos.filePath("a.jpg"));
    test::saveJpeg(test::markedPicture(120, 90), photos.filePath("b.jpg"));

    const Finished bad = runProgram({"--rotate", "sideways", photos.path()});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err.trimmed(), "framewright-cli: --rotate: expected none, cw, ccw, 180 or auto");

    const Finished empty = runProgram({"-o", output.path(), photos.makeFolder("empty")});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_TRUE(empty.err.contains("No photos to add")) << empty.err.toStdString();

    const QString log = output.filePath("log.json");
    const Finished fine = runProgram(
        {"--percent", "50", "--quiet", "--log", log, "-o", output.path(), photos.path()});
    EXPECT_EQ(fine.exitCode, 0) << fine.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(test::readBytes(log)).array();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).toObject().value("number").toInt(), 1);
    EXPECT_EQ(rows.at(0).toObject().value("information").toString(), "Processed successfully");
    EXPECT_TRUE(rows.at(1).toObject().value("outputFilename").toString().startsWith(output.path()));

    const QString csv = output.filePath("log.csv");
    const Finished tooLarge =
        runProgram({"--no-keep-aspect", "--width", "12000", "--height", "500", "--log", csv, "-o",
                    output.filePath("large"), photos.filePath("a.jpg")});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_TRUE(tooLarge.err.contains("New size exceeds 10,000 pixels"))
        << tooLarge.err.toStdString();
    const QList<QByteArray> lines = test::readBytes(csv).split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(
        lines.at(0).startsWith("number,timeStamp,inputFilename,outputFilename,information"));
    EXPECT_TRUE(lines.at(1).contains("\"New size exceeds 10,000 pixels\""));

    const Finished unwritableLog = runProgram({"--quiet", "--log", photos.filePath("a.jpg/log.csv"),
                                               "-o", output.path(), photos.filePath("b.jpg")});
    EXPECT_EQ(unwritableLog.exitCode, 1);
    EXPECT_TRUE(unwritableLog.err.contains("cannot write the log"))
        << unwritableLog.err.toStdString();

    // One rule: skips asked for are no failure, unreadable photos are.
    const Finished skipped =
        runProgram({"--quiet", "--on-conflict", "skip", "-o", output.path(), photos.path()});
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err.toStdString();
    photos.writeFile("unreadable/x.jpg", "not a picture");
    const Finished unreadable =
        runProgram({"--quiet", "-o", output.path(), photos.filePath("unreadable")});
    EXPECT_EQ(unreadable.exitCode, 1);
}

TEST(CliProgram, MissingPathsAreNamedAndOtherPathsAreTakenByTheirBytes)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    test::saveJpeg(test::markedPicture(120, 90), photos.filePath("a.jpg"));
    const QByteArray latin1 = NativePath::encode(photos.path()) + "/caf\xe9.jpg";
    ASSERT_EQ(::link(QFile::encodeName(photos.filePath("a.jpg")).constData(), latin1.constData()),
              0);
    const QString pathFile = photos.writeFile("path-bytes", latin1);
    // The shell hands the path over as bytes; QProcess would encode it as text.
    const Finished run = runProgram("exec \"$0\" --quiet -o \"$1\" \"$2\" \"$(cat \"$3\")\"",
                                    {output.path(), photos.filePath("typo.jpg"), pathFile});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(photos.filePath("typo.jpg"))) << run.err.toStdString();
    EXPECT_TRUE(PathInfo::of(NativePath::decode(NativePath::encode(output.path()) + "/caf\xe9.jpg"))
                    .isFile());
}

TEST(CliProgram, NamesWithCharactersOfEveryPlaneAndUndecodableBytesKeepTheirBytes)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    const QByteArray folder = NativePath::encode(photos.makeFolder("in-💕"));
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("plain.jpg"));
    const QByteArray names[] = {
        "\xF0\x9F\x93\xB7 \xF0\xA0\x80\x80 holiday.jpg", // U+1F4F7, U+20000
        "\xF3\xA0\x80\x81tag.jpg",                       // U+E0001
        "priv\xF4\x8F\xBF\xBD.jpg",                      // U+10FFFD
        "caf\xE9 \xF0\x9F\x93\xB8.jpg",                  // a stray byte beside U+1F4F8
    };
    for (const QByteArray& name : names)
        ASSERT_EQ(::link(NativePath::encode(photos.filePath("plain.jpg")).constData(),
                         (folder + '/' + name).constData()),
                  0);
    const QString out = output.filePath("out-📷");
    const Finished run =
        runProgram({"--quiet", "--rotate", "cw", "--name", "prefix:📸-", "-o", out,
                    NativePath::decode(folder)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const QByteArray& name : names)
        EXPECT_TRUE(
            PathInfo::of(NativePath::decode(NativePath::encode(out) + "/\xF0\x9F\x93\xB8-" + name))
                .isFile())
            << name.toStdString();
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"out-📷"}));
}

TEST(CliProgram, TheDestinationTreeIsNeverWrittenThroughALink)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    photos.makeFolder("src/sub");
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("src/sub/a.jpg"));
    const QString elsewhere = output.makeFolder("elsewhere");
    const QString destination = output.makeFolder("dest");
    // The source folders are rebuilt below their first one ("/tmp"), so the
    // link stands where the next of them would be made.
    const QString firstFolder = photos.path().section('/', 2, 2);
    ASSERT_EQ(::symlink(QFile::encodeName(elsewhere).constData(),
                        QFile::encodeName(destination + '/' + firstFolder).constData()),
              0);
    const Finished planted = runProgram(
        {"--quiet", "--rotate", "cw", "--keep-folders", "-o", destination, photos.filePath("src")});
    EXPECT_EQ(planted.exitCode, 1);
    EXPECT_TRUE(QDir(elsewhere).isEmpty()) << "nothing written through the link";

    // Replacing a link at the output's name replaces the link, with a mode of
    // the output's own.
    const QString target = output.writeFile("target.jpg", "someone else's file");
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
    const QString replaced = output.makeFolder("replaced");
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                        QFile::encodeName(replaced + "/a.jpg").constData()),
              0);
    const Finished replace = runProgram({"--quiet", "--rotate", "cw", "--on-conflict", "replace",
                                         "-o", replaced, photos.filePath("src/sub/a.jpg")});
    EXPECT_EQ(replace.exitCode, 0) << replace.err.toStdString();
    EXPECT_EQ(test::readBytes(target), "someone else's file");
    EXPECT_FALSE(QFileInfo(replaced + "/a.jpg").isSymLink());
    EXPECT_TRUE(QFileInfo(replaced + "/a.jpg").permissions() & QFile::ReadOther);
}

// Many names for one photo, so a run lasts long enough to be interrupted.
QString photoFolder(const test::TemporaryFolder& photos, int count)
{
    const QString first = photos.filePath("in/p0.jpg");
    photos.makeFolder("in");
    test::saveJpeg(test::markedPicture(3000, 2000), first);
    for (int index = 1; index < count; ++index)
        ::link(QFile::encodeName(first).constData(),
               QFile::encodeName(photos.filePath(QStringLiteral("in/p%1.jpg").arg(index)))
                   .constData());
    return photos.filePath("in");
}

bool waitForFirstOutput(const QString& folder)
{
    for (int tries = 0; tries < 3000; ++tries) {
        if (!QDir(folder).entryList(QDir::Files).isEmpty())
            return true;
        QThread::msleep(5);
    }
    return false;
}

TEST(CliProgram, SignalsStopTheRunAsStopDoesAndLeaveNoTemporaryFiles)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    const QString batch = photoFolder(photos, 80);
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const QString folder = output.makeFolder(QString::number(signalNumber));
        const QString log = output.filePath(QStringLiteral("%1.csv").arg(signalNumber));
        QProcess program;
        program.start(FRAMEWRIGHT_CLI_PATH,
                      {"--rotate", "cw", "--quiet", "--log", log, "-o", folder, batch});
        ASSERT_TRUE(waitForFirstOutput(folder));
        ::kill(static_cast<pid_t>(program.processId()), signalNumber);
        const Finished stopped = finish(program);
        EXPECT_EQ(stopped.exitCode, 128 + signalNumber);
        EXPECT_TRUE(stopped.out.contains("Photos selected: 80")) << stopped.out.toStdString();
        EXPECT_EQ(test::readBytes(log).count('\n'), 81) << "a header and a row per photo";
        EXPECT_LT(QDir(folder).entryList(QDir::Files).size(), 80);
        EXPECT_TRUE(
            QDir(folder).entryList(QDir::Hidden | QDir::Files).filter(".framewright").isEmpty());
    }

    // A second signal ends the program at once, or the first one's stop ends
    // it before the second comes: the status is the same either way and
    // nothing is left behind.
    const QString folder = output.makeFolder("twice");
    QProcess program;
    program.start(FRAMEWRIGHT_CLI_PATH, {"--rotate", "cw", "--quiet", "-o", folder, batch});
    ASSERT_TRUE(waitForFirstOutput(folder));
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    const Finished ended = finish(program);
    EXPECT_EQ(ended.exitCode, 143);
    EXPECT_TRUE(
        QDir(folder).entryList(QDir::Hidden | QDir::Files).filter(".framewright").isEmpty());
}

TEST(CliProgram, TwoRunsIntoOneFolderKeepEveryOutput)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    photos.makeFolder("a");
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("a/p0.jpg"));
    for (int index = 1; index < 200; ++index)
        ::link(
            QFile::encodeName(photos.filePath("a/p0.jpg")).constData(),
            QFile::encodeName(photos.filePath(QStringLiteral("a/p%1.jpg").arg(index))).constData());
    QProcess first;
    QProcess second;
    for (QProcess* program : {&first, &second})
        program->start(FRAMEWRIGHT_CLI_PATH,
                       {"--rotate", "cw", "--quiet", "-o", output.path(), photos.filePath("a")});
    EXPECT_EQ(finish(first).exitCode, 0);
    EXPECT_EQ(finish(second).exitCode, 0);
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files).size(), 400);
}

TEST(CliProgram, EveryRefusedFileIsNamedWithItsReasonAndDiagnosticsStayQuiet)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("good.jpg"));
    photos.writeFile("notes.txt", "text");
    photos.writeFile("broken.png", "not a picture");
    photos.writeFile("disguised.jpg", "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n");
    const Finished run = runProgram({"-o", output.path(), photos.path()});
    EXPECT_EQ(run.exitCode, 1) << "photos that cannot be read are photos lost to the job";
    EXPECT_TRUE(run.err.contains(photos.filePath("notes.txt") + ": not a photo"));
    EXPECT_TRUE(run.err.contains(photos.filePath("broken.png") + ": cannot be read"));
    EXPECT_TRUE(
        run.err.contains(photos.filePath("disguised.jpg") +
                         ": cannot be read (PostScript is read only from files named .eps)"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Files not added: 3")) << run.out.toStdString();
    EXPECT_FALSE(run.err.contains("framewright.")) << "no diagnostics unless asked";
    EXPECT_TRUE(runProgram({"--verbose", "-o", output.path(), photos.filePath("broken.png")})
                    .err.contains("framewright."));

    const Finished version = runProgram({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("framewright-cli "));
    const QString help = runProgram({"--help"}).out;
    for (const char* told : {"photo-library", "writes tif", "none keeps each photo's orientation",
                             "when converting", "--dry-run"})
        EXPECT_TRUE(help.contains(told)) << told;
}

TEST(CliProgram, DryRunTellsWhatARunWouldDoAndWritesNothing)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    test::saveJpeg(test::markedPicture(400, 300), photos.filePath("a.jpg"));
    test::saveJpeg(test::markedPicture(400, 300), photos.filePath("b.jpg"));
    output.writeFile("a.jpg", "an earlier output");
    const QStringList common = {"--dry-run", "--width", "100", "-o", output.path()};
    const Finished kept = runProgram(common + QStringList{photos.path()});
    EXPECT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    QStringList lines = kept.out.trimmed().split('\n');
    lines.sort();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).split('\t'),
              QStringList({photos.filePath("a.jpg"), "400x300", output.filePath("a (1).jpg"),
                           "100x75", "Processed successfully (the existing output is kept)"}));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files), QStringList({"a.jpg"}));

    const Finished skipped =
        runProgram(common + QStringList{"--on-conflict", "skip", photos.path()});
    EXPECT_EQ(skipped.exitCode, 1);
    EXPECT_TRUE(skipped.out.contains(output.filePath("a.jpg") + "\t\tSkipped"))
        << skipped.out.toStdString();
    const Finished tooLarge = runProgram(
        {"--dry-run", "--width", "20000", "-o", output.path(), photos.filePath("b.jpg")});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_TRUE(tooLarge.out.contains("New size exceeds 10,000 pixels"));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files), QStringList({"a.jpg"}));
}

TEST(CliProgram, ASmallVolumeTakesWhatFitsAndAFullOneNothing)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    test::SmallVolume stick(output.path(), "5m");
    if (!stick.isMounted())
        GTEST_SKIP() << "mounting a 5 MB tmpfs is not permitted here";
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        test::saveJpeg(test::markedPicture(600, 400), photos.filePath(name));
    const Finished fits = runProgram({"--quiet", "-o", output.filePath("fits"), photos.path()});
    EXPECT_EQ(fits.exitCode, 0) << fits.err.toStdString();
    EXPECT_EQ(QDir(output.filePath("fits")).entryList(QDir::Files).size(), 3);

    // Leave less than the volume's margin (5 % of 5 MB) free.
    QFile filler(output.filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(64 * 1024, 'x');
    while (filler.write(block) == block.size()) {
    }
    filler.close();
    const Finished full = runProgram({"--quiet", "-o", output.filePath("full"), photos.path()});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(QDir(output.filePath("full")).entryList(QDir::Files).isEmpty());

    // A volume that cannot be written is said to be so, not to be full.
    ASSERT_TRUE(stick.makeReadOnly());
    const Finished readOnly = runProgram({"-o", output.filePath("fits"), photos.path()});
    EXPECT_EQ(readOnly.exitCode, 1);
    EXPECT_TRUE(readOnly.err.contains("No permission to write")) << readOnly.err.toStdString();
    EXPECT_FALSE(readOnly.err.contains("space")) << readOnly.err.toStdString();
}

TEST(CliRunner, TheProgressLineEndsAtAHundredPercentBeforeTheSummary)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("one.jpg"));
    test::saveJpeg(test::markedPicture(64, 48), photos.filePath("two.jpg"));
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    CliRunner runner(*parse({"-o", output.path(), photos.path()}).options,
                     VipsImageService::shared(), outStream, errStream, true);
    EXPECT_EQ(runner.run(), CliRunner::AllWritten);
    const QStringList lines = out.split('\n');
    const qsizetype summary = lines.indexOf(QRegularExpression("^Summary.*"));
    ASSERT_GT(summary, 0);
    EXPECT_TRUE(lines.at(summary - 1).contains("100 %")) << out.toStdString();
}

bool hasField(const vips::VImage& image, const char* field)
{
    return image.get_typeof(field) != 0;
}

// The formats added after the first eight come out upright at the size asked,
// decodable, with the metadata chosen, as exiv2 reads it back.
TEST(CliProgram, ModernFormatsComeOutUprightWithTheChosenMetadata)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    const QString turned = test::saveOrientedJpeg(photos.filePath("turned.jpg"), 300, 200, 6);
    test::addCameraExif(turned);
    for (const QString format : {"webp", "avif", "heic", "jxl"}) {
        SCOPED_TRACE(format.toStdString());
        const QString folder = output.filePath(format);
        const Finished run = runProgram({"--format", format, "--long-edge", "150", "--metadata",
                                         "no-location", "--quiet", "-o", folder, turned});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const vips::VImage written = test::loadImage(folder + "/turned." + format);
        EXPECT_EQ(written.width(), 150);
        EXPECT_EQ(written.height(), 100);
        EXPECT_EQ(test::cornerMarkers(written), "RGB-");
        const QStringList keys = test::metadataKeys(folder + "/turned." + format);
        EXPECT_TRUE(keys.contains("Exif.Image.Make")) << keys.join(' ').toStdString();
        EXPECT_TRUE(keys.contains("Exif.Photo.DateTimeOriginal"));
        EXPECT_FALSE(keys.contains("Exif.GPSInfo.GPSLatitude"));
    }
    const QString again = output.filePath("again");
    ASSERT_EQ(runProgram({"--quiet", "-o", again, output.filePath("jxl/turned.jxl")}).exitCode, 0);
    EXPECT_TRUE(test::metadataKeys(again + "/turned.jxl").contains("Exif.Image.Make"))
        << "a JPEG XL source's EXIF comes through";
    const QString kept = output.filePath("kept");
    ASSERT_EQ(runProgram({"--format", "webp", "--quiet", "-o", kept, turned}).exitCode, 0);
    EXPECT_TRUE(hasField(test::loadImage(kept + "/turned.webp"), "exif-ifd3-GPSLatitude"));
    const QString bare = output.filePath("bare");
    ASSERT_EQ(runProgram({"--metadata", "none", "--quiet", "-o", bare, turned}).exitCode, 0);
    EXPECT_FALSE(hasField(test::loadImage(bare + "/turned.jpg"), "exif-ifd0-Make"));
}

TEST(CliProgram, APictureTooWideForWebpFailsWithItsReasonAndWritesNothing)
{
    test::TemporaryFolder photos;
    test::TemporaryFolder output;
    const QString wide = photos.filePath("wide.png");
    vips::VImage::black(16384, 4).pngsave(QFile::encodeName(wide).constData());
    const Finished dry = runProgram({"--dry-run", "--format", "webp", "-o", output.path(), wide});
    EXPECT_EQ(dry.exitCode, 1);
    EXPECT_TRUE(dry.out.contains("Too large for the output format")) << dry.out.toStdString();
    const Finished run = runProgram({"--format", "webp", "--quiet", "-o", output.path(), wide});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QDir(output.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(runProgram({"--format", "webp", "--long-edge", "10000", "--quiet", "-o",
                          output.path(), wide})
                  .exitCode,
              0);
}

TEST(RealFilesCli, OrientationSetComesOutUprightAt400PixelsWide)
{
    FW_REQUIRE_TESTDATA("orientation/libvips-rotation");
    test::TemporaryFolder output;
    const Finished run =
        runProgram({"--rotate", "auto", "--width", "400", "--quiet", "-o", output.path(),
                    test::testDataPath("orientation/libvips-rotation")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const ImageService& images = VipsImageService::shared();
    // The turned files are a smaller copy of the scene (231 x 308 upright):
    // compare at a size below both.
    auto small = [](const vips::VImage& image) {
        return image.thumbnail_image(
            200, vips::VImage::option()->set("height", 266)->set("size", VIPS_SIZE_FORCE));
    };
    const vips::VImage reference = small(test::loadImage(output.filePath("1.jpg")));
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QString path = output.filePath(QStringLiteral("%1.jpg").arg(orientation));
        const auto properties = images.readProperties(path);
        ASSERT_TRUE(properties);
        EXPECT_EQ(properties->value("PixelWidth").toInt(), 400);
        EXPECT_EQ(properties->value("Orientation", 1).toInt(), 1);
        EXPECT_EQ(properties->value("PixelHeight").toInt(), orientation <= 4 ? 532 : 533);
        EXPECT_LT(test::meanDifference(small(test::loadImage(path)), reference), 20.0);
    }
}

} // namespace
} // namespace fw
