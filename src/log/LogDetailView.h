#pragma once

#include "log/RunHistory.h"

#include <QObject>

namespace fw {

class LocalizedStrings;

// The log window without its widgets: the runs of the history, one shown at
// a time with its summary figures and per-file records, and Previous and
// Next to step through them. No figure of one run stays on show for
// another. Main thread only. (arrLogSummaries and the other names of the
// design are kept on purpose.)
class LogDetailView : public QObject {
    Q_OBJECT
public:
    LogDetailView(RunHistory& history, LocalizedStrings& strings, QObject* parent = nullptr);

    // Reads the history again and shows the run of the id, or the newest run
    // for 0 or an id the history no longer holds.
    void initWithRunId(qint64 runId);
    void btnNextLogTapped();
    void btnPrevLogTapped();
    // Whether the history took the latest run; when it did not, the window
    // says so rather than let an earlier run pass for it.
    void setLatestRunKept(bool kept);

    const QList<RunHistory::Run>& arrLogSummaries() const { return summaries; }
    const QList<LogRecord>& arrLogDetails() const { return details; }
    int selectedLogIndex() const { return selected; }
    // The summary on show, keyed as the history keeps it; empty when no run
    // is shown.
    const LogRecord& shownSummary() const { return shown; }
    bool isNextEnabled() const { return selected >= 0 && selected + 1 < summaries.size(); }
    bool isPrevEnabled() const { return selected > 0; }
    // Why no run or not the latest is shown: none kept yet, a history that
    // cannot be read, or a latest run the history did not take.
    const QString& message() const { return messageText; }

Q_SIGNALS:
    void changed();

private:
    void showSelected();
    void updateMessage();
    void setLogDetailsForLogDict(const LogRecord& summary);

    RunHistory& history;
    LocalizedStrings& strings;
    QList<RunHistory::Run> summaries;
    QList<LogRecord> details;
    int selected = -1;
    LogRecord shown;
    QString messageText;
    bool latestRunKept = true;
};

} // namespace fw
