#include "log/RunLog.h"

#include "core/Utils.h"

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

namespace fw {
namespace {

PhotoFile processed(double oldBytes, double newBytes)
{
    PhotoFile photo;
    photo.filePath = "/in/a.jpg";
    photo.filePathNew = "/out/a.jpg";
    photo.processStatus = 1;
    photo.fileSizeInBytes = oldBytes;
    photo.fileSizeAsString = Utils::unitStringFromBytes(oldBytes, 0);
    photo.newfileSizeInBytes = newBytes;
    photo.newfileSizeAsString = Utils::unitStringFromBytes(newBytes, 0);
    return photo;
}

TEST(RunLog, RatioAndSavedSpaceOfWrittenPhotos)
{
    const LogRecord smaller = RunLog::recordFor(processed(2000000, 904000), "t", "done");
    EXPECT_EQ(smaller.value("ratio"), "45.20");
    EXPECT_EQ(smaller.value("save"), "1.09 MB");
    EXPECT_EQ(smaller.value("outputFilename"), "/out/a.jpg");
    EXPECT_EQ(smaller.value("oldSize"), "2.00 MB");
    EXPECT_EQ(smaller.value("newSize"), "904.00 KB");

    const LogRecord larger = RunLog::recordFor(processed(1000, 1200), "t", "done");
    EXPECT_EQ(larger.value("ratio"), "120.00");
    EXPECT_EQ(larger.value("save"), " ");
}

TEST(RunLog, PhotosWithoutAnOutputHaveBlankColumns)
{
    PhotoFile skipped = processed(2000000, 0);
    skipped.processStatus = 8;
    skipped.newfileSizeAsString.clear();
    const LogRecord record = RunLog::recordFor(skipped, "t", "Skipped");
    EXPECT_EQ(record.value("outputFilename"), " ");
    EXPECT_EQ(record.value("ratio"), " ");
    EXPECT_EQ(record.value("save"), " ");
    EXPECT_EQ(record.value("newSize"), "");
    EXPECT_EQ(record.value("information"), "Skipped");

    const QList<LogRecord> records = RunLog::insertDetailsInDatabase(
        {std::make_shared<PhotoFile>(skipped), std::make_shared<PhotoFile>(PhotoFile{})}, "stamp",
        [](int status) { return QString::number(status); });
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1].value("inputFilename"), " ");
    EXPECT_EQ(records[1].value("information"), "0");
    EXPECT_EQ(records[1].value("timeStamp"), "stamp");
}

TEST(RunLog, TimeStampAndDurationTexts)
{
    // The AM/PM texts are the locale's own; the year is the calendar one even
    // in the last days of December, when the week-based year moves on.
    const QString am = QLocale::system().amText();
    const QString pm = QLocale::system().pmText();
    const QDateTime morning(QDate(2026, 12, 6), QTime(7, 5, 3));
    EXPECT_EQ(RunLog::runTimeStamp(morning), "12062026 07053 " + am);
    EXPECT_EQ(RunLog::runTimeStamp(QDateTime(QDate(2029, 12, 31), QTime(19, 0, 0))),
              "12312029 07000 " + pm);

    const Utils::Localizer words = [](const QString& key) { return key.toLower(); };
    EXPECT_EQ(Utils::timeFormattedString(0, words), "");
    EXPECT_EQ(Utils::timeFormattedString(59, words), "59 seconds");
    EXPECT_EQ(Utils::timeFormattedString(3725, words), "1 hours2 minutes5 seconds");
    EXPECT_EQ(Utils::timeFormattedString(3600, words), "1 hours0 minutes0 seconds");
    EXPECT_EQ(Utils::getDurationBetweenDate(morning, morning.addMSecs(1999)), 1);
}

} // namespace
} // namespace fw
