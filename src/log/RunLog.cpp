#include "log/RunLog.h"

#include "core/Codes.h"
#include "core/Utils.h"

#include <QLocale>

namespace fw {

namespace {

QString orBlank(const QString& text, const QString& blank)
{
    return text.isEmpty() ? blank : text;
}

// New size as a percentage of the old, in single precision like the sizes
// the screens show; blank when there is nothing to compare.
QString ratioText(const PhotoFile& photo)
{
    if (photo.fileSizeInBytes <= 0)
        return " ";
    const float ratio =
        static_cast<float>(photo.newfileSizeInBytes * 100.0 / photo.fileSizeInBytes);
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return ratio > 0 ? locale.toString(ratio, 'f', 2) : QStringLiteral(" ");
}

QString savedText(const PhotoFile& photo)
{
    const auto saved = static_cast<qint32>(photo.fileSizeInBytes - photo.newfileSizeInBytes);
    return saved >= 1 ? Utils::unitStringFromBytes(saved, 0) : QStringLiteral(" ");
}

} // namespace

QString RunLog::runTimeStamp(const QDateTime& started)
{
    // Calendar year, not the week-based one: in the last days of December
    // the week-based year is already the next one.
    return getDateStringFromDate(started, QStringLiteral("MMddyyyy hhmms AP"));
}

QString RunLog::getDateStringFromDate(const QDateTime& date, const QString& format)
{
    return QLocale::system().toString(date.toLocalTime(), format);
}

LogRecord RunLog::recordFor(const PhotoFile& photo, const QString& timeStamp,
                            const QString& information)
{
    const bool processed = photo.processStatus == PhotoStatus::Processed;
    return {
        {"timeStamp", timeStamp},
        {"inputFilename", orBlank(photo.filePath, " ")},
        {"outputFilename", processed ? orBlank(photo.filePathNew, " ") : QStringLiteral(" ")},
        {"information", information},
        {"oldSize", orBlank(photo.fileSizeAsString, " ")},
        {"newSize", photo.newfileSizeAsString},
        {"ratio", processed ? ratioText(photo) : QStringLiteral(" ")},
        {"save", processed ? savedText(photo) : QStringLiteral(" ")},
    };
}

QList<LogRecord> RunLog::insertDetailsInDatabase(const QList<PhotoFilePtr>& photos,
                                                 const QString& timeStamp,
                                                 const MessageForStatus& messageForStatus)
{
    QList<LogRecord> records;
    records.reserve(photos.size());
    for (const PhotoFilePtr& photo : photos)
        records.append(recordFor(*photo, timeStamp, messageForStatus(photo->processStatus)));
    return records;
}

} // namespace fw
