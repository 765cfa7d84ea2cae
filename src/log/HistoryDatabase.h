#pragma once

#include "platform/Outcome.h"

#include <QString>

namespace fw {

class SqliteStore;

// The run history's SQLite file as the program keeps it: opened with its
// tables made and brought up to the present layout, records of a runs table
// that was dropped and made anew cleared, and a damaged file moved aside
// (kept beside it, its name stamped with the time) so a new history begins.
// One call per connection, on the thread that uses it.
class HistoryDatabase {
public:
    struct Opened {
        Outcome outcome = Outcome::success();
        // Where a damaged file was moved; empty when none was.
        QString movedAsideTo;
    };

    HistoryDatabase() = delete;

    static Opened open(SqliteStore& database, const QString& path);
    // For the log window's reads: as open(), or read-only when the file
    // cannot be written (a history in a read-only folder still shows).
    static Opened openForReading(SqliteStore& database, const QString& path);
};

} // namespace fw
