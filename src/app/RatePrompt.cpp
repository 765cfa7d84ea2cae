#include "app/RatePrompt.h"

#include <QSettings>

namespace fw {

namespace {

const QString countKey = QStringLiteral("appOpenedCount");
const QString versionKey = QStringLiteral("appVersion");
// Launches before the prompt is due; the seventh shows it.
constexpr int launchesBeforePrompt = 6;

} // namespace

RatePrompt::RatePrompt(QSettings& store, QString runningVersion)
    : store(store), runningVersion(std::move(runningVersion))
{
}

bool RatePrompt::countLaunch()
{
    const int count = store.value(countKey, 0).toInt();
    store.setValue(countKey, count + 1);
    store.sync();
    if (store.value(versionKey).toString() == runningVersion) {
        store.setValue(countKey, 0);
        return false;
    }
    if (count < launchesBeforePrompt)
        return false;
    store.setValue(countKey, 0);
    return true;
}

void RatePrompt::answeredNo()
{
    remember();
}

void RatePrompt::answeredYes(bool pageOpened)
{
    if (pageOpened)
        remember();
}

void RatePrompt::remember()
{
    store.setValue(versionKey, runningVersion);
    store.sync();
}

} // namespace fw
