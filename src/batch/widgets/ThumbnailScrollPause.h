#pragma once

#include <QObject>
#include <QTimer>

class QAbstractItemView;

namespace fw {

class BatchModel;
class ThumbnailProvider;

// Holds thumbnail work back while a photo view scrolls: rows flying past
// ask for nothing, and 20 ms after the view rests the requests left over
// are dropped and the rows in sight ask for theirs.
class ThumbnailScrollPause : public QObject {
    Q_OBJECT
public:
    ThumbnailScrollPause(QAbstractItemView& view, BatchModel& model, ThumbnailProvider& thumbnails);

private:
    void scrolled();
    void rested();

    QAbstractItemView& view;
    BatchModel& model;
    ThumbnailProvider& thumbnails;
    QTimer restTimer;
};

} // namespace fw
