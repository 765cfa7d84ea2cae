#include "log/LogDetailView.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

#include <QDateTime>
#include <QLocale>
#include <QThreadPool>
#include <utility>

namespace fw {

namespace {

// Freeing the records of a run of 100,000 photos holds a thread for a tenth
// of a second; a pool thread does it rather than the window's.
void releaseOffMainThread(QList<LogRecord>&& records)
{
    constexpr qsizetype quickToFree = 1000;
    if (records.size() < quickToFree)
        return;
    auto* held = new QList<LogRecord>(std::move(records));
    QThreadPool::globalInstance()->start([held] { delete held; });
}

// A size with a "-" past its first character is no figure; it is left out.
QString figureOrEmpty(const QString& value)
{
    return value.indexOf('-', 1) > 0 ? QString() : value;
}

} // namespace

LogDetailView::LogDetailView(RunHistory& history, LocalizedStrings& strings, QObject* parent)
    : QObject(parent), history(history), strings(strings)
{
    connect(&history, &RunHistory::runsRead, this, &LogDetailView::runsArrived);
    connect(&history, &RunHistory::detailsRead, this, &LogDetailView::detailsArrived);
}

QString LogDetailView::readableStart(const LogRecord& summary)
{
    const QDateTime started =
        QDateTime::fromString(summary.value("startedAt"), Qt::ISODateWithMs).toLocalTime();
    if (!started.isValid())
        return summary.value("timeStamp");
    const QLocale locale;
    return QStringLiteral("%1, %2").arg(locale.toString(started.date(), QLocale::LongFormat),
                                        locale.toString(started.time(), QLocale::ShortFormat));
}

void LogDetailView::initWithRunId(qint64 runId)
{
    wantedRunId = runId;
    awaitedRuns = true;
    history.requestRuns();
    Q_EMIT changed();
}

void LogDetailView::runsArrived(const RunHistory::RunsRead& read)
{
    if (!awaitedRuns)
        return;
    awaitedRuns = false;
    summaries = read.runs;
    unreadableReason = read.unreadableReason;
    movedAsideTo = read.movedAsideTo;
    titles.clear();
    for (const RunHistory::Run& run : std::as_const(summaries))
        titles.append(readableStart(run.summary));
    selected = static_cast<int>(summaries.size()) - 1;
    for (qsizetype index = 0; index < summaries.size(); ++index) {
        if (summaries.at(index).id == wantedRunId)
            selected = static_cast<int>(index);
    }
    showSelected();
}

void LogDetailView::setLatestRunKept(bool kept)
{
    latestRunKept = kept;
    updateMessage();
    Q_EMIT changed();
}

void LogDetailView::btnNextLogTapped()
{
    if (isNextEnabled())
        runSelectedAtIndex(selected + 1);
}

void LogDetailView::btnPrevLogTapped()
{
    if (isPrevEnabled())
        runSelectedAtIndex(selected - 1);
}

void LogDetailView::runSelectedAtIndex(int index)
{
    if (index < 0 || index >= summaries.size() || index == selected)
        return;
    selected = index;
    showSelected();
}

// The summary shows at once; the records follow when read, and until then
// none of another run's stay on show.
void LogDetailView::showSelected()
{
    QList<LogRecord> previous = std::exchange(details, {});
    if (selected < 0) {
        shown = {};
        awaitedDetails = 0;
    } else {
        setLogDetailsForLogDict(summaries.at(selected).summary);
        awaitedDetails = summaries.at(selected).id;
        history.requestDetails(awaitedDetails);
    }
    updateMessage();
    Q_EMIT changed();
    // The window has let go of the previous records by now.
    releaseOffMainThread(std::move(previous));
}

void LogDetailView::detailsArrived(const RunHistory::DetailsRead& read)
{
    if (awaitedDetails == 0 || read.runId != awaitedDetails)
        return;
    awaitedDetails = 0;
    details = read.records;
    if (!read.unreadableReason.isEmpty())
        unreadableReason = read.unreadableReason;
    updateMessage();
    Q_EMIT changed();
}

void LogDetailView::updateMessage()
{
    if (!movedAsideTo.isEmpty())
        messageText = strings.getLocalizedStringForKey(StringKey::HISTORY_MOVED_ASIDE)
                          .replace(QStringLiteral("%@"), movedAsideTo);
    else if (!unreadableReason.isEmpty())
        messageText = strings.getLocalizedStringForKey(StringKey::HISTORY_UNREADABLE);
    else if (!latestRunKept)
        messageText = strings.getLocalizedStringForKey(StringKey::LATEST_RUN_NOT_KEPT);
    else if (summaries.isEmpty() && !awaitedRuns)
        messageText = strings.getLocalizedStringForKey(StringKey::NO_RUNS);
    else
        messageText.clear();
}

void LogDetailView::setLogDetailsForLogDict(const LogRecord& summary)
{
    shown = summary;
    for (const char* key : {"newSize", "saveSpace"})
        shown.insert(key, figureOrEmpty(summary.value(key)));
}

} // namespace fw
