#pragma once

#include "log/RunLog.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace fw {

// Reads back a run log as RunLogWriter writes it, CSV or JSON by the file's
// extension. A log cut short, edited out of shape or of another program is
// refused with the first thing wrong in it, never read in part.
class RunLogReader {
public:
    struct Read {
        QList<LogRecord> records;
        // Empty when the log was read whole.
        QString error;
    };

    static Read read(const QString& path);
    static Read fromCsv(const QByteArray& bytes);
    static Read fromJson(const QByteArray& bytes);
};

} // namespace fw
