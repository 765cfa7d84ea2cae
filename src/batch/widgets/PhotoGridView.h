#pragma once

#include <QListView>

namespace fw {

class BatchModel;
class PhotoGridDelegate;
class ThumbnailProvider;

// The batch as a grid of cells, 180 x 220 or, large, 220 x 300. Marks, info
// buttons and the right-click menu are handed on by row; Space marks or
// unmarks the current photo; Ctrl+A (select
// all) while the grid has the focus marks or unmarks every photo.
class PhotoGridView : public QListView {
    Q_OBJECT
public:
    PhotoGridView(BatchModel& model, ThumbnailProvider& thumbnails, QWidget* parent = nullptr);

    void setLarge(bool large);

Q_SIGNALS:
    void markClicked(int row);
    void infoClicked(int row, const QRect& globalCell);
    void photoMenuRequested(int row, const QPoint& globalPosition);
    void markAllRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    PhotoGridDelegate* delegate;
};

} // namespace fw
