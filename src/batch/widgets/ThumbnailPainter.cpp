#include "batch/widgets/ThumbnailPainter.h"

#include "batch/BatchModel.h"

#include <QImage>
#include <QPainter>
#include <QStyle>

namespace fw {

void ThumbnailPainter::paint(QPainter& painter, const QRect& box, const QModelIndex& index,
                             const QStyle& style)
{
    const QImage thumbnail = index.data(BatchModel::ThumbnailRole).value<QImage>();
    if (!thumbnail.isNull()) {
        // A photo smaller than the box is shown at its own size, not blown up.
        const QSize fitted = thumbnail.width() <= box.width() && thumbnail.height() <= box.height()
                                 ? thumbnail.size()
                                 : thumbnail.size().scaled(box.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), fitted);
        target.moveCenter(box.center());
        painter.drawImage(target, thumbnail);
        return;
    }
    painter.fillRect(box, QColor(128, 128, 128, 40));
    if (index.data(BatchModel::ThumbnailMissingRole).toBool()) {
        const int side = std::min({box.width(), box.height(), 32});
        QRect mark(0, 0, side, side);
        mark.moveCenter(box.center());
        style.standardIcon(QStyle::SP_MessageBoxWarning).paint(&painter, mark);
    }
}

} // namespace fw
