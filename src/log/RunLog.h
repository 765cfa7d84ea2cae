#pragma once

#include "batch/PhotoFile.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <functional>

namespace fw {

// One photo's line of the run log, keyed "timeStamp", "inputFilename",
// "outputFilename", "information", "oldSize", "newSize", "ratio", "save".
using LogRecord = QMap<QString, QString>;

// The per-file log of a finished run.
class RunLog {
public:
    using MessageForStatus = std::function<QString(int status)>;

    // The run's name in the log window: month, day, year, hour (12-hour),
    // minute, second without a leading zero, AM/PM, in the user's locale.
    static QString runTimeStamp(const QDateTime& started);
    static QString getDateStringFromDate(const QDateTime& date, const QString& format);

    static LogRecord recordFor(const PhotoFile& photo, const QString& timeStamp,
                               const QString& information);
    // One record per photo, in the run's order.
    static QList<LogRecord> insertDetailsInDatabase(const QList<PhotoFilePtr>& photos,
                                                    const QString& timeStamp,
                                                    const MessageForStatus& messageForStatus);
};

} // namespace fw
