#include "batch/widgets/PhotoTableView.h"

#include "batch/BatchModel.h"
#include "batch/widgets/PhotoRowDelegate.h"
#include "batch/widgets/ThumbnailScrollPause.h"
#include "core/widgets/HeaderFit.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace fw {

PhotoTableView::PhotoTableView(BatchModel& model, ThumbnailProvider& thumbnails, QWidget* parent)
    : QTableView(parent)
{
    setModel(&model);
    auto* rows = new PhotoRowDelegate(this);
    rows->setPathColumns({BatchModel::Location});
    setItemDelegate(rows);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    setVerticalScrollMode(ScrollPerPixel);
    // Tab leaves the list: a keyboard user moves through rows with the arrows.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(PhotoRowDelegate::thumbnailSize.height() + 8);
    sizeColumns();
    new ThumbnailScrollPause(*this, model, thumbnails);
    connect(this, &QTableView::clicked, this, &PhotoTableView::cellClicked);
}

void PhotoTableView::sizeColumns()
{
    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(BatchModel::Location, QHeaderView::Stretch);
    for (const int column : {BatchModel::Mark, BatchModel::Delete, BatchModel::Info})
        header->setSectionResizeMode(column, QHeaderView::Fixed);
    setColumnWidth(BatchModel::Name, 280);
    setColumnWidth(BatchModel::Type, 60);
    setColumnWidth(BatchModel::Dimensions, 100);
    setColumnWidth(BatchModel::FileSize, 90);
    setColumnWidth(BatchModel::Mark, 56);
    setColumnWidth(BatchModel::Delete, 36);
    setColumnWidth(BatchModel::Info, 36);
    HeaderFit::widenToHeaders(*this);
}

void PhotoTableView::cellClicked(const QModelIndex& index)
{
    switch (index.column()) {
    case BatchModel::Mark:
        Q_EMIT markClicked(index.row());
        break;
    case BatchModel::Delete:
        Q_EMIT deleteClicked(index.row());
        break;
    case BatchModel::Info: {
        const QRect cell = visualRect(index);
        Q_EMIT infoClicked(index.row(),
                           QRect(viewport()->mapToGlobal(cell.topLeft()), cell.size()));
        break;
    }
    default:
        break;
    }
}

void PhotoTableView::keyPressEvent(QKeyEvent* event)
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
    QTableView::keyPressEvent(event);
}

void PhotoTableView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
    if (!index.isValid())
        return;
    // The row the menu acts on is the one shown as current.
    setCurrentIndex(index);
    Q_EMIT photoMenuRequested(index.row(), event->globalPos());
}

} // namespace fw
