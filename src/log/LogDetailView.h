#pragma once

#include "log/RunHistory.h"

#include <QObject>
#include <QStringList>

namespace fw {

class LocalizedStrings;

// The log window without its widgets: the runs of the history, listed by the
// date and time they started, one shown at a time with its summary figures
// and per-file records, and Previous and Next to step through them. The
// history is read on its own thread and each answer shown when it comes, so
// opening or paging a run of 100,000 photos never holds up the window; an
// answer overtaken by a later choice is dropped. No figure of one run stays
// on show for another. Main thread only. (arrLogSummaries and the other names
// of the design are kept on purpose.)
class LogDetailView : public QObject {
    Q_OBJECT
public:
    LogDetailView(RunHistory& history, LocalizedStrings& strings, QObject* parent = nullptr);

    // Reads the history again and shows the run of the id, or the newest run
    // for 0 or an id the history no longer holds.
    void initWithRunId(qint64 runId);
    void btnNextLogTapped();
    void btnPrevLogTapped();
    // A run chosen from the list of runs, by its place in arrLogSummaries.
    void runSelectedAtIndex(int index);
    // Whether the history took the latest run; when it did not, the window
    // says so rather than let an earlier run pass for it.
    void setLatestRunKept(bool kept);

    // Oldest first.
    const QList<RunHistory::Run>& arrLogSummaries() const { return summaries; }
    // The runs' start, in the user's locale, in the order of arrLogSummaries.
    const QStringList& runTitles() const { return titles; }
    const QList<LogRecord>& arrLogDetails() const { return details; }
    int selectedLogIndex() const { return selected; }
    // The summary on show, keyed as the history keeps it; empty when no run
    // is shown.
    const LogRecord& shownSummary() const { return shown; }
    QString shownTitle() const { return selected >= 0 ? titles.value(selected) : QString(); }
    bool isNextEnabled() const { return selected >= 0 && selected + 1 < summaries.size(); }
    bool isPrevEnabled() const { return selected > 0; }
    // Runs or records asked of the history and not yet shown.
    bool isReading() const { return awaitedRuns || awaitedDetails != 0; }
    // Why no run or not the latest is shown: none kept yet, a history that
    // cannot be read or was damaged and begun anew, or a latest run the
    // history did not take.
    const QString& message() const { return messageText; }

    // The date and time a run started, as the user's locale writes them; the
    // stored stamp for runs kept without their start.
    static QString readableStart(const LogRecord& summary);

Q_SIGNALS:
    void changed();

private:
    void runsArrived(const RunHistory::RunsRead& read);
    void detailsArrived(const RunHistory::DetailsRead& read);
    void showSelected();
    void updateMessage();
    void setLogDetailsForLogDict(const LogRecord& summary);

    RunHistory& history;
    LocalizedStrings& strings;
    QList<RunHistory::Run> summaries;
    QStringList titles;
    QList<LogRecord> details;
    int selected = -1;
    LogRecord shown;
    QString messageText;
    QString unreadableReason;
    QString movedAsideTo;
    bool latestRunKept = true;
    qint64 wantedRunId = 0;
    bool awaitedRuns = false;
    // The run whose records are asked for; 0 when none is.
    qint64 awaitedDetails = 0;
};

} // namespace fw
