#include "batch/widgets/PhotoGridView.h"

#include "batch/BatchModel.h"
#include "batch/widgets/PhotoGridDelegate.h"
#include "batch/widgets/ThumbnailScrollPause.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

namespace fw {

namespace {
constexpr QSize gridCell{180, 220};
constexpr QSize largeGridCell{220, 300};
} // namespace

PhotoGridView::PhotoGridView(BatchModel& model, ThumbnailProvider& thumbnails, QWidget* parent)
    : QListView(parent), delegate(new PhotoGridDelegate(this))
{
    setModel(&model);
    setModelColumn(BatchModel::Name);
    setItemDelegate(delegate);
    setViewMode(IconMode);
    setMovement(Static);
    setResizeMode(Adjust);
    setUniformItemSizes(true);
    setSelectionMode(SingleSelection);
    setVerticalScrollMode(ScrollPerPixel);
    setSpacing(4);
    setLarge(false);
    new ThumbnailScrollPause(*this, model, thumbnails);
    connect(delegate, &PhotoGridDelegate::markClicked, this, &PhotoGridView::markClicked);
    connect(delegate, &PhotoGridDelegate::infoClicked, this, [this](int row, const QRect& cell) {
        Q_EMIT infoClicked(row, QRect(viewport()->mapToGlobal(cell.topLeft()), cell.size()));
    });
}

// Laying out the cells again costs the whole batch, so only a change of
// size does it.
void PhotoGridView::setLarge(bool large)
{
    const QSize cell = large ? largeGridCell : gridCell;
    if (gridSize() == cell + QSize(8, 8))
        return;
    delegate->setCellSize(cell);
    setGridSize(cell + QSize(8, 8));
    doItemsLayout();
}

void PhotoGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll)) {
        Q_EMIT markAllRequested();
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        currentIndex().isValid()) {
        Q_EMIT markClicked(currentIndex().row());
        return;
    }
    QListView::keyPressEvent(event);
}

void PhotoGridView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
    if (!index.isValid())
        return;
    // The row the menu acts on is the one shown as current.
    setCurrentIndex(index);
    Q_EMIT photoMenuRequested(index.row(), event->globalPos());
}

} // namespace fw
