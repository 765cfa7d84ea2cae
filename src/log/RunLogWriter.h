#pragma once

#include "log/RunLog.h"
#include "platform/Outcome.h"

#include <QList>
#include <QString>

namespace fw {

// Writes a run's log records to a file, as CSV or JSON by the file's
// extension, numbered from 1 as the log table shows them.
class RunLogWriter {
public:
    static Outcome write(const QList<LogRecord>& records, const QString& path);
    static QByteArray toCsv(const QList<LogRecord>& records);
    static QByteArray toJson(const QList<LogRecord>& records);
    // The record keys in the order of the columns, after "number".
    static const QStringList& columns();
};

} // namespace fw
