#pragma once

#include <QString>
#include <QStringList>

namespace fw {

class BatchRun;
class LocalizedStrings;

// The one-line progress of a run, as the window and the command line show
// it: "Completed 40 %  |  Errors 1  |  Time elapsed 12 seconds approx.  |
// Time left 18 seconds approx.", with the figures apart, for the window to
// set off. The time left shows once the run has a pace.
struct ProgressLine {
    QString text;
    // The percent, the error count, the elapsed time and the time left.
    QStringList values;

    static ProgressLine of(const BatchRun& run, LocalizedStrings& strings);
};

} // namespace fw
