#include "platform/DesktopLauncher.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QUrl>

namespace fw {

namespace {
Q_LOGGING_CATEGORY(logDesktop, "framewright.desktop", QtCriticalMsg)
}

bool DesktopLauncher::openFolder(const QString& path)
{
    const bool started =
        QProcess::startDetached("xdg-open", {QUrl::fromLocalFile(path).toString()});
    if (!started)
        qCWarning(logDesktop) << "cannot open" << path << "in the file viewer";
    return started;
}

} // namespace fw
