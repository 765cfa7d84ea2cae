#pragma once

#include <QStringList>
#include <QTextStream>

namespace fw {

class LocalizedStrings;

// `framewright-cli merge-logs OUT IN...`: the logs of the parts of one job
// (see --shard) as one log, with one summary on the terminal.
class MergeLogsCommand {
public:
    static constexpr const char* name = "merge-logs";

    // The arguments after the command's name; returns the exit status: 0
    // merged, 1 a log was damaged, a photo was in two logs or OUT could not
    // be written (then OUT is left as it was), 2 bad usage.
    static int run(const QStringList& arguments, LocalizedStrings& strings, QTextStream& out,
                   QTextStream& err);
};

} // namespace fw
