#include "log/RunLogMerger.h"

#include "log/RunLogReader.h"

#include <QHash>
#include <algorithm>

namespace fw {

namespace {

// More lines than this about photos found twice only bury the first.
constexpr int reportedRepeats = 10;

bool isBlank(const QString& field)
{
    return field.trimmed().isEmpty();
}

} // namespace

RunLogMerger::Merged RunLogMerger::merge(const QStringList& logPaths,
                                         const QSet<QString>& skipTexts)
{
    Merged merged;
    QHash<QString, QString> logOfSource;
    int repeats = 0;
    for (const QString& path : logPaths) {
        const RunLogReader::Read read = RunLogReader::read(path);
        if (!read.error.isEmpty()) {
            merged.problems << QStringLiteral("%1: %2").arg(path, read.error);
            continue;
        }
        for (const LogRecord& record : read.records) {
            const QString source = record.value("inputFilename");
            if (const auto earlier = logOfSource.constFind(source); earlier != logOfSource.cend()) {
                if (++repeats <= reportedRepeats)
                    merged.problems
                        << QStringLiteral("%1: in %2 and in %3").arg(source, earlier.value(), path);
                continue;
            }
            logOfSource.insert(source, path);
            merged.records << record;
        }
    }
    if (repeats > reportedRepeats)
        merged.problems
            << QStringLiteral("%1 more photos found in two logs").arg(repeats - reportedRepeats);
    std::stable_sort(merged.records.begin(), merged.records.end(),
                     [](const LogRecord& a, const LogRecord& b) {
                         return a.value("inputFilename") < b.value("inputFilename");
                     });
    for (const LogRecord& record : std::as_const(merged.records)) {
        ++merged.photosByInformation[record.value("information")];
        if (!isBlank(record.value("outputFilename")))
            ++merged.written;
        else if (skipTexts.contains(record.value("information").trimmed()))
            ++merged.skipped;
    }
    return merged;
}

} // namespace fw
