#include "batch/widgets/DropArea.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStyle>
#include <QUrl>

namespace fw {

DropArea::DropArea(QWidget* parent) : QFrame(parent)
{
    setAcceptDrops(true);
    setObjectName("dropArea");
}

std::optional<QStringList> DropArea::droppedPaths(const QMimeData& data)
{
    if (!data.hasUrls())
        return std::nullopt;
    QStringList paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo file(url.toLocalFile());
        if (file.exists() && file.isReadable())
            paths.append(file.filePath());
    }
    return paths;
}

void DropArea::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasUrls() || !(event->possibleActions() & Qt::CopyAction))
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setHighlighted(true);
}

void DropArea::dragLeaveEvent(QDragLeaveEvent* event)
{
    setHighlighted(false);
    QFrame::dragLeaveEvent(event);
}

void DropArea::dropEvent(QDropEvent* event)
{
    setHighlighted(false);
    const std::optional<QStringList> paths = droppedPaths(*event->mimeData());
    if (!paths)
        return;
    if (paths->isEmpty()) {
        Q_EMIT dropFailed();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Q_EMIT pathsDropped(*paths);
}

void DropArea::setHighlighted(bool highlighted)
{
    setProperty("dropTarget", highlighted);
    style()->unpolish(this);
    style()->polish(this);
}

} // namespace fw
