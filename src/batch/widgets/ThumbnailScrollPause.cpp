#include "batch/widgets/ThumbnailScrollPause.h"

#include "batch/BatchModel.h"
#include "batch/ThumbnailProvider.h"

#include <QAbstractItemView>
#include <QScrollBar>

namespace fw {

namespace {
constexpr int restMilliseconds = 20;
}

ThumbnailScrollPause::ThumbnailScrollPause(QAbstractItemView& view, BatchModel& model,
                                           ThumbnailProvider& thumbnails)
    : QObject(&view), view(view), model(model), thumbnails(thumbnails)
{
    restTimer.setSingleShot(true);
    restTimer.setInterval(restMilliseconds);
    connect(&restTimer, &QTimer::timeout, this, &ThumbnailScrollPause::rested);
    connect(view.verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ThumbnailScrollPause::scrolled);
}

void ThumbnailScrollPause::scrolled()
{
    model.setThumbnailRequestsPaused(true);
    restTimer.start();
}

void ThumbnailScrollPause::rested()
{
    model.setThumbnailRequestsPaused(false);
    thumbnails.cancelPendingRequests();
    view.viewport()->update();
}

} // namespace fw
