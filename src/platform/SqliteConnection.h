#pragma once

#include "platform/Outcome.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace fw {

// One SQLite connection with one prepared statement at a time: what the
// reader of photo libraries and the program's own store share. Failures come
// back as values; a failed step is logged with SQLite's message. One object
// belongs to one thread at a time.
class SqliteConnection {
public:
    enum class Step { Row, Done, Failed };

    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    Outcome prepare(const QString& sql);
    // Binders of the statement's parameters, counted from 1.
    void bindInt64(int index, qint64 value);
    void bindText(int index, const QString& value);
    // Moves to the next row of the prepared statement.
    Step step();
    // Rewinds the statement, bindings cleared, to run it again.
    void reset();
    // Column readers, valid only after step() gave Row. NULL reads as 0 or an
    // empty text.
    int columnInt(int column) const;
    qint64 columnInt64(int column) const;
    QString columnText(int column) const;
    bool columnIsNull(int column) const;
    void finalize();
    QString lastError() const;
    // Whether the last failure says the file is no database or a damaged one
    // (rather than busy, read-only or full).
    bool lastErrorIsDamage() const;

protected:
    SqliteConnection() = default;
    ~SqliteConnection();

    // Opens the SQLite file name (a path or a "file:" URI) with the flags,
    // waiting up to the timeout for another connection's lock.
    Outcome openConnection(const QByteArray& name, int flags, int busyTimeoutMilliseconds,
                           const QString& shownPath);
    // Opens the file read-only, taking it as unchanging: no lock, no journal,
    // nothing written beside it, so it reads in a folder no one may write.
    Outcome openImmutableFile(const QString& path, int busyTimeoutMilliseconds);
    void closeConnection();

    sqlite3* connection = nullptr;
    sqlite3_stmt* statement = nullptr;
};

} // namespace fw
