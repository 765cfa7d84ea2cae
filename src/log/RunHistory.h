#pragma once

#include "log/RunLog.h"
#include "platform/Outcome.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>

namespace fw {

// Every finished run's summary and per-file records, kept in a SQLite file
// so the log window lists the runs of earlier launches too. Runs are named
// by their row id (time stamps repeat within a minute). The last 50 runs
// are kept. A run is stored on a thread of its own in one transaction; a
// file that cannot be opened or is damaged leaves the history empty with a
// message, and a run never waits for or fails because of it. Main thread
// only, apart from the store's own thread.
class RunHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int keptRuns = 50;
    // A run summary, keyed "timeStamp", "imagesSelected", "imagesConverted",
    // "conversionFailed", "oldSize", "newSize", "saveSpace", "timeElapsed",
    // "totalOldSize".
    struct Run {
        qint64 id = 0;
        LogRecord summary;
    };

    explicit RunHistory(QString databasePath, QObject* parent = nullptr);
    ~RunHistory() override;

    // Stores a finished run; runStored or runNotStored follows on the main
    // thread.
    void addRun(const LogRecord& summary, const QList<LogRecord>& details);
    // Oldest first. Empty, with unreadableReason() set, when the file
    // cannot be read.
    QList<Run> runs();
    // In the run's order. Empty, with unreadableReason() set, when they
    // cannot all be read.
    QList<LogRecord> detailsOf(qint64 runId);
    const QString& unreadableReason() const { return reason; }
    // Waits for runs being stored; for tests and the end of the program.
    void waitForStores();

Q_SIGNALS:
    void runStored(qint64 runId);
    // The file refused the run (full disk, held by another launch, damaged).
    void runNotStored();

private:
    qint64 store(const LogRecord& summary, const QList<LogRecord>& details) const;
    // Keeps or clears the reason the file cannot be read; true when it was.
    bool noteRead(const Outcome& read);

    const QString databasePath;
    QString reason;
    // Declared last, so its tasks end before the members they use go.
    QThreadPool storing;
};

} // namespace fw
