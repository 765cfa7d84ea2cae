#pragma once

#include "log/RunLog.h"
#include "platform/Outcome.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>

namespace fw {

class SqliteStore;

// Every finished run's summary and per-file records, kept in a SQLite file
// so the log window lists the runs of earlier launches too. Runs are named
// by their row id (time stamps repeat within a minute). The last 50 runs
// are kept. Stores and the window's reads go, in the order asked, to a
// thread of the history's own, so a run of 100,000 photos never holds up
// the window; each store is one transaction. A damaged file is moved aside
// (kept beside it, its name stamped with the time) and a new history begun;
// a file that cannot be opened for another reason leaves the history empty
// with its reason. A run never waits for or fails because of the history.
class RunHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int keptRuns = 50;
    // A run summary, keyed "timeStamp", "imagesSelected", "imagesConverted",
    // "conversionFailed", "imagesSkipped", "oldSize", "newSize", "saveSpace",
    // "timeElapsed", "totalOldSize" and "startedAt" (ISO 8601; empty for
    // runs kept by earlier versions).
    struct Run {
        qint64 id = 0;
        LogRecord summary;
    };
    struct RunsRead {
        // Oldest first; empty when the file cannot be read.
        QList<Run> runs;
        QString unreadableReason;
        // Where a damaged history was moved this session; empty if none was.
        QString movedAsideTo;
    };
    struct DetailsRead {
        qint64 runId = 0;
        // In the run's order; empty unless every record could be read.
        QList<LogRecord> records;
        QString unreadableReason;
    };

    explicit RunHistory(QString databasePath, QObject* parent = nullptr);
    ~RunHistory() override;

    // Stores a finished run; runStored or runNotStored follows on the main
    // thread.
    void addRun(const LogRecord& summary, const QList<LogRecord>& details);
    // Read on the history's thread; runsRead or detailsRead follows on the
    // main thread.
    void requestRuns();
    void requestDetails(qint64 runId);
    // The same reads on the calling thread.
    RunsRead readRuns() const;
    DetailsRead readDetails(qint64 runId) const;
    // Waits for the stores and reads asked for; for tests and the end of the
    // program.
    void waitForStores();

Q_SIGNALS:
    void runStored(qint64 runId);
    // The file refused the run (full disk, held by another launch, damaged).
    void runNotStored();
    void runsRead(const fw::RunHistory::RunsRead& read);
    void detailsRead(const fw::RunHistory::DetailsRead& read);

private:
    qint64 store(const LogRecord& summary, const QList<LogRecord>& details) const;
    template <typename Deliver> void deliver(Deliver emitOnMainThread);
    QString movedAside() const;
    enum class Purpose { Storing, Reading };
    // Opens the file, noting where a damaged one was moved; for reading, a
    // file that cannot be written is opened read-only.
    Outcome open(SqliteStore& database, Purpose purpose) const;

    const QString databasePath;
    mutable QMutex movedAsideMutex;
    mutable QString movedAsideTo;
    // Declared last, so its tasks end before the members they use go.
    mutable QThreadPool worker;
};

} // namespace fw
