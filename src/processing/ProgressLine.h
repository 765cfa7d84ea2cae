#pragma once

#include <QString>
#include <QStringList>

namespace fw {

class BatchRun;
class LocalizedStrings;

// The one-line progress of a run, as the window and the command line show
// it: "Completed 40 %  |  Errors 1  |  Time elapsed 12 seconds approx.", with
// the three figures apart, for the window to set off.
struct ProgressLine {
    QString text;
    // The percent, the error count and the elapsed time.
    QStringList values;

    static ProgressLine of(const BatchRun& run, LocalizedStrings& strings);
};

} // namespace fw
