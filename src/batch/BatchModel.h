#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>

namespace fw {

class Batch;
class LocalizedStrings;
class ThumbnailProvider;
struct PhotoFile;

// The batch as rows for the list and grid views: one row a photo, in batch
// order, following the batch's signals. It holds no widget and no picture of
// its own per row: a thumbnail is asked of the provider when a view first
// shows its row, and the row is redrawn when it arrives, so 100,000 photos
// cost only their records. Main thread only.
class BatchModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Delete and Info hold the row's buttons.
    enum Column { Name, Type, Dimensions, FileSize, Location, Mark, Delete, Info, ColumnCount };
    enum Role {
        NameRole = Qt::UserRole + 1,
        TypeRole,
        SizeTextRole,
        DimensionsRole,
        LocationRole,
        MarkRole,
        StatusRole,
        // The thumbnail once made (a QImage); null until then.
        ThumbnailRole,
        // True when no thumbnail can be made of the file.
        ThumbnailMissingRole,
        // A grid cell's figures with their captions: "Dimensions:", "W X H",
        // "File size:", "...".
        CaptionsRole,
    };

    BatchModel(Batch& batch, ThumbnailProvider& thumbnails, LocalizedStrings& strings,
               QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // While a view scrolls, rows flying past ask for no thumbnail; when it
    // rests, the rows in sight ask for theirs.
    void setThumbnailRequestsPaused(bool paused);

private:
    QVariant displayText(const PhotoFile& photo, int column) const;
    QVariant toolTipOf(const PhotoFile& photo, int column) const;
    QVariant accessibleTextOf(const PhotoFile& photo, int column) const;
    QStringList captionsOf(const PhotoFile& photo) const;
    QVariant thumbnailOf(const PhotoFile& photo) const;
    void thumbnailArrived(const QString& path);
    void connectBatch();

    Batch& batch;
    ThumbnailProvider& thumbnails;
    LocalizedStrings& strings;
    // Thumbnails asked for and not yet arrived, to find their rows again.
    mutable QHash<QString, const PhotoFile*> awaited;
    // Files that gave no thumbnail; not asked again, or every redraw of
    // their row would ask anew.
    QSet<QString> missing;
    bool requestsPaused = false;
};

} // namespace fw
