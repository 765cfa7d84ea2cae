#pragma once

#include "platform/Outcome.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace fw {

// A database of the program's own, read and written, created with its
// folders when missing. One statement at a time; failures come back as
// values (a damaged file fails its first statement). One object belongs to
// one thread.
class SqliteStore {
public:
    enum class Step { Row, Done, Failed };

    SqliteStore() = default;
    ~SqliteStore();
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    Outcome open(const QString& path);
    // Runs statements that give no rows.
    Outcome execute(const QString& sql);
    Outcome prepare(const QString& sql);
    void bindText(int index, const QString& value);
    void bindInt64(int index, qint64 value);
    Step step();
    void reset();
    QString columnText(int column) const;
    qint64 columnInt64(int column) const;
    void finalize();
    qint64 lastInsertRowId() const;
    QString lastError() const;
    void close();

private:
    sqlite3* connection = nullptr;
    sqlite3_stmt* statement = nullptr;
};

} // namespace fw
