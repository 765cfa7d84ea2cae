#pragma once

#include "platform/SqliteConnection.h"

namespace fw {

// A database of the program's own, read and written, created with its
// folders when missing. A damaged file fails its first statement.
class SqliteStore : public SqliteConnection {
public:
    SqliteStore() = default;

    Outcome open(const QString& path);
    // For reading a store that cannot be written (a read-only folder).
    Outcome openReadOnly(const QString& path);
    void close() { closeConnection(); }
    // Runs statements that give no rows.
    Outcome execute(const QString& sql);
    qint64 lastInsertRowId() const;
};

} // namespace fw
