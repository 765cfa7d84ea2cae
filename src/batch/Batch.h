#pragma once

#include "batch/PhotoFile.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

namespace fw {

// The batch: the photos the user collected, in order of admission. It is the
// only way to change the batch or a photo record in it, and says so through
// its signals, which the list and grid models follow. Main thread only.
// (arraySelectedImagesToProcess and dictFileAdded are the design's names,
// kept on purpose.)
class Batch : public QObject {
    Q_OBJECT
public:
    using Predicate = std::function<bool(const PhotoFile&)>;

    explicit Batch(QObject* parent = nullptr);

    const QList<PhotoFilePtr>& arraySelectedImagesToProcess() const { return photos; }
    qsizetype size() const { return photos.size(); }
    bool isEmpty() const { return photos.isEmpty(); }
    const PhotoFilePtr& at(qsizetype index) const { return photos.at(index); }
    // The row of the photo, or -1 when it is no longer in the batch.
    qsizetype indexOf(const PhotoFile* photo) const;
    // Whether a photo with exactly this path is in the batch.
    bool contains(const QString& path) const { return dictFileAdded.contains(path); }
    bool areAllMarked() const;
    bool isAnyMarked() const;
    // The marked photos, in batch order: what a run takes.
    QList<PhotoFilePtr> markedPhotos() const;

    void append(const QList<PhotoFilePtr>& admitted);
    // Removes the photos that match; none deletes a file.
    void removeWhere(const Predicate& shouldRemove);
    void clear();
    void setMarked(qsizetype index, bool marked);
    void setAllMarked(bool marked);
    // Changes one photo record (a run's result) and tells the views.
    void updatePhoto(const PhotoFilePtr& photo, const std::function<void(PhotoFile&)>& change);
    // Changes the records the function says it changed (returning true), and
    // tells the views once.
    void updateEach(const std::function<bool(PhotoFile&)>& change);

Q_SIGNALS:
    void photosAboutToBeAdded(int first, int last);
    void photosAdded();
    void photosAboutToBeRemoved(int first, int last);
    void photosRemoved();
    void aboutToBeCleared();
    void cleared();
    void photosChanged(int first, int last);

private:
    void removeRange(qsizetype first, qsizetype last);

    QList<PhotoFilePtr> photos;
    // Row of each record, rebuilt after a removal: a run reports on every
    // photo, and looking each up in a long batch would cost the batch's
    // length each time.
    mutable QHash<const PhotoFile*, qsizetype> rows;
    mutable bool rowsValid = true;
    // Paths in the batch, each with the value "1": the duplicate check.
    QHash<QString, QString> dictFileAdded;
};

} // namespace fw
