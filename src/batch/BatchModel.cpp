#include "batch/BatchModel.h"

#include "batch/Batch.h"
#include "batch/ThumbnailProvider.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/Utils.h"

#include <QImage>

namespace fw {

namespace {

QString dimensionsOf(const PhotoFile& photo)
{
    return Utils::dimensionsText(static_cast<qint64>(photo.width),
                                 static_cast<qint64>(photo.height));
}

} // namespace

BatchModel::BatchModel(Batch& batch, ThumbnailProvider& thumbnails, LocalizedStrings& strings,
                       QObject* parent)
    : QAbstractTableModel(parent), batch(batch), thumbnails(thumbnails), strings(strings)
{
    connectBatch();
    connect(&thumbnails, &ThumbnailProvider::thumbnailReady, this,
            [this](const QString& path) { thumbnailArrived(path); });
    connect(&thumbnails, &ThumbnailProvider::pendingRequestsCancelled, this,
            [this] { awaited.clear(); });
    connect(&thumbnails, &ThumbnailProvider::thumbnailNotAvailable, this,
            [this](const QString& path) {
                missing.insert(path);
                thumbnailArrived(path);
            });
}

void BatchModel::connectBatch()
{
    connect(&batch, &Batch::photosAboutToBeAdded, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(&batch, &Batch::photosAdded, this, [this] { endInsertRows(); });
    connect(&batch, &Batch::photosAboutToBeRemoved, this, [this](int first, int last) {
        for (int row = first; row <= last; ++row)
            awaited.remove(batch.at(row)->filePath);
        beginRemoveRows({}, first, last);
    });
    connect(&batch, &Batch::photosRemoved, this, [this] { endRemoveRows(); });
    connect(&batch, &Batch::aboutToBeCleared, this, [this] {
        awaited.clear();
        missing.clear();
        beginResetModel();
    });
    connect(&batch, &Batch::cleared, this, [this] { endResetModel(); });
    connect(&batch, &Batch::photosChanged, this, [this](int first, int last) {
        Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1));
    });
}

int BatchModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(batch.size());
}

int BatchModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BatchModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= batch.size())
        return {};
    const PhotoFile& photo = *batch.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return displayText(photo, index.column());
    case Qt::ToolTipRole:
        return toolTipOf(photo, index.column());
    case Qt::AccessibleTextRole:
        return accessibleTextOf(photo, index.column());
    case Qt::AccessibleDescriptionRole:
        return index.column() == Name ? captionsOf(photo).join(' ') : QVariant();
    case Qt::CheckStateRole:
        return index.column() == Mark ? QVariant(photo.isSelected ? Qt::Checked : Qt::Unchecked)
                                      : QVariant();
    case Qt::DecorationRole:
        return index.column() == Name ? thumbnailOf(photo) : QVariant();
    case NameRole:
        return photo.fileName;
    case TypeRole:
        return photo.fileExtension;
    case SizeTextRole:
        return photo.fileSizeAsString;
    case DimensionsRole:
        return dimensionsOf(photo);
    case LocationRole:
        return photo.filePath;
    case MarkRole:
        return photo.isSelected;
    case StatusRole:
        return photo.processStatus;
    case ThumbnailRole:
        return thumbnailOf(photo);
    case ThumbnailMissingRole:
        return missing.contains(photo.filePath);
    case CaptionsRole:
        return captionsOf(photo);
    default:
        return {};
    }
}

QVariant BatchModel::toolTipOf(const PhotoFile& photo, int column) const
{
    switch (column) {
    case Location:
        return photo.filePath;
    case Mark:
        return strings.getLocalizedStringForKey(StringKey::MARK_PHOTO);
    case Delete:
        return strings.getLocalizedStringForKey(StringKey::REMOVE_PHOTO);
    case Info:
        return strings.getLocalizedStringForKey(StringKey::INFO);
    default:
        return photo.fileName;
    }
}

// A screen reader reads what the cell shows; the mark and the buttons, which
// show no text, are read by what they do.
QVariant BatchModel::accessibleTextOf(const PhotoFile& photo, int column) const
{
    const QVariant shown = displayText(photo, column);
    return shown.isValid() ? shown : toolTipOf(photo, column);
}

QStringList BatchModel::captionsOf(const PhotoFile& photo) const
{
    return {strings.getLocalizedStringForKey(StringKey::DIMENSIONS), dimensionsOf(photo),
            strings.getLocalizedStringForKey(StringKey::FILE_SIZE), photo.fileSizeAsString};
}

QVariant BatchModel::displayText(const PhotoFile& photo, int column) const
{
    switch (column) {
    case Name:
        return photo.fileName;
    case Type:
        return photo.fileExtension;
    case Dimensions:
        return dimensionsOf(photo);
    case FileSize:
        return photo.fileSizeAsString;
    case Location:
        return photo.filePath;
    default:
        return {};
    }
}

// Asked for when a view shows the row: a thumbnail that is not cached is
// requested once, and the row redrawn when it arrives.
QVariant BatchModel::thumbnailOf(const PhotoFile& photo) const
{
    if (const std::optional<QImage> cached = thumbnails.cachedThumbnail(photo.filePath))
        return *cached;
    if (!requestsPaused && !awaited.contains(photo.filePath) && !missing.contains(photo.filePath)) {
        awaited.insert(photo.filePath, &photo);
        thumbnails.requestThumbnail(photo.filePath);
    }
    return QImage();
}

void BatchModel::thumbnailArrived(const QString& path)
{
    const PhotoFile* photo = awaited.take(path);
    const qsizetype row = photo != nullptr ? batch.indexOf(photo) : -1;
    if (row >= 0)
        Q_EMIT dataChanged(index(static_cast<int>(row), Name), index(static_cast<int>(row), Name),
                           {Qt::DecorationRole, ThumbnailRole, ThumbnailMissingRole});
}

void BatchModel::setThumbnailRequestsPaused(bool paused)
{
    requestsPaused = paused;
}

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const keys[] = {StringKey::COLUMN_NAME,       StringKey::COLUMN_TYPE,
                                       StringKey::COLUMN_DIMENSIONS, StringKey::COLUMN_FILE_SIZE,
                                       StringKey::COLUMN_LOCATION,   StringKey::COLUMN_MARK};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > Mark)
        return {};
    return strings.getLocalizedStringForKey(keys[section]);
}

QHash<int, QByteArray> BatchModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert({{NameRole, "name"},
                  {TypeRole, "type"},
                  {SizeTextRole, "sizeText"},
                  {DimensionsRole, "dimensions"},
                  {LocationRole, "location"},
                  {MarkRole, "mark"},
                  {StatusRole, "status"},
                  {ThumbnailRole, "thumbnail"},
                  {ThumbnailMissingRole, "thumbnailMissing"}});
    return names;
}

} // namespace fw
