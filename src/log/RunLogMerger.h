#pragma once

#include "log/RunLog.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace fw {

// Joins the run logs of the parts of one job into one log, in the order of
// their sources. Every part must be read whole and no photo may be in two
// of them: a merge that counted a photo twice or lost a part would be a
// summary of a job that never ran.
class RunLogMerger {
public:
    struct Merged {
        QList<LogRecord> records;
        // One line for each log that cannot be read and each photo found
        // twice; the merge is good only when there are none.
        QStringList problems;
        // Photos by what happened to them (the log's "information").
        QMap<QString, int> photosByInformation;
        int written = 0;
        // Photos whose outcome is one of the skip texts given: skipped as the
        // user asked, neither written nor failed.
        int skipped = 0;
    };

    static Merged merge(const QStringList& logPaths, const QSet<QString>& skipTexts);
};

} // namespace fw
