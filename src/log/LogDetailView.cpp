#include "log/LogDetailView.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

namespace fw {

namespace {

// A size with a "-" past its first character is no figure; it is left out.
QString figureOrEmpty(const QString& value)
{
    return value.indexOf('-', 1) > 0 ? QString() : value;
}

} // namespace

LogDetailView::LogDetailView(RunHistory& history, LocalizedStrings& strings, QObject* parent)
    : QObject(parent), history(history), strings(strings)
{
}

void LogDetailView::initWithRunId(qint64 runId)
{
    summaries = history.runs();
    selected = static_cast<int>(summaries.size()) - 1;
    for (qsizetype index = 0; index < summaries.size(); ++index) {
        if (summaries.at(index).id == runId)
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
    if (!isNextEnabled())
        return;
    ++selected;
    showSelected();
}

void LogDetailView::btnPrevLogTapped()
{
    if (!isPrevEnabled())
        return;
    --selected;
    showSelected();
}

void LogDetailView::showSelected()
{
    if (selected < 0) {
        shown = {};
        details.clear();
        updateMessage();
        Q_EMIT changed();
        return;
    }
    setLogDetailsForLogDict(summaries.at(selected).summary);
    details = history.detailsOf(summaries.at(selected).id);
    updateMessage();
    Q_EMIT changed();
}

void LogDetailView::updateMessage()
{
    if (!history.unreadableReason().isEmpty())
        messageText = strings.getLocalizedStringForKey(StringKey::HISTORY_UNREADABLE);
    else if (!latestRunKept)
        messageText = strings.getLocalizedStringForKey(StringKey::LATEST_RUN_NOT_KEPT);
    else if (summaries.isEmpty())
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
