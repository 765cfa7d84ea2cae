#pragma once

#include <QTableView>

namespace fw {

class BatchModel;
class ThumbnailProvider;

// The batch as a list: one row a photo with its thumbnail, type, size,
// location, mark and buttons. Clicks on a row's mark, remove and info cells
// and the right-click menu are handed on by row; Space marks or unmarks the
// current photo; Ctrl+A (select all) while
// the list has the focus marks or unmarks every photo.
class PhotoTableView : public QTableView {
    Q_OBJECT
public:
    PhotoTableView(BatchModel& model, ThumbnailProvider& thumbnails, QWidget* parent = nullptr);

Q_SIGNALS:
    void markClicked(int row);
    void deleteClicked(int row);
    void infoClicked(int row, const QRect& globalCell);
    void photoMenuRequested(int row, const QPoint& globalPosition);
    void markAllRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void cellClicked(const QModelIndex& index);
    void sizeColumns();
};

} // namespace fw
