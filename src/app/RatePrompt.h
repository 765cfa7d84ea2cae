#pragma once

#include <QString>

class QSettings;

namespace fw {

// When to ask the user to rate the program: at the seventh launch, and every
// seventh after it, until the user has answered for the running version.
// The counts live in the user-defaults store under "appOpenedCount" and
// "appVersion". Main thread only.
class RatePrompt {
public:
    RatePrompt(QSettings& store, QString runningVersion);

    // Counts this launch; true when the prompt is due now.
    bool countLaunch();
    // "NO" at launch: not asked again until the version changes.
    void answeredNo();
    // "YES": the same, once the project's page could be opened.
    void answeredYes(bool pageOpened);

private:
    void remember();

    QSettings& store;
    const QString runningVersion;
};

} // namespace fw
