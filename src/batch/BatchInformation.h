#pragma once

#include "batch/PhotoFile.h"

#include <QList>
#include <QString>

namespace fw {

class LocalizedStrings;

// The one-line summary of the batch under the list and in the window's footer:
// "Batch Count: 2  |  Batch Size: 3.50 MB approx.  ". The count and the size
// are also given apart, for the widgets to set off in their own colour.
struct BatchInformation {
    QString line;
    QString countText;
    QString sizeText;

    // Every photo counts, marked or not. An empty batch gives the line of
    // count 0 and "0 bytes approx.".
    static BatchInformation forBatch(const QList<PhotoFilePtr>& batch, LocalizedStrings& strings);
};

} // namespace fw
