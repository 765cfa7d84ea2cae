#include "batch/Batch.h"

#include <algorithm>
#include <iterator>

namespace fw {

namespace {

// One shared value: a batch of a million paths holds one "1", not a million.
const QString& addedMark()
{
    static const QString mark = QStringLiteral("1");
    return mark;
}

} // namespace

Batch::Batch(QObject* parent) : QObject(parent) {}

qsizetype Batch::indexOf(const PhotoFile* photo) const
{
    if (!rowsValid) {
        rows.clear();
        for (qsizetype row = 0; row < photos.size(); ++row)
            rows.insert(photos.at(row).get(), row);
        rowsValid = true;
    }
    return rows.value(photo, -1);
}

bool Batch::areAllMarked() const
{
    return !photos.isEmpty() &&
           std::all_of(photos.cbegin(), photos.cend(),
                       [](const PhotoFilePtr& photo) { return photo->isSelected; });
}

bool Batch::isAnyMarked() const
{
    return std::any_of(photos.cbegin(), photos.cend(),
                       [](const PhotoFilePtr& photo) { return photo->isSelected; });
}

QList<PhotoFilePtr> Batch::markedPhotos() const
{
    QList<PhotoFilePtr> marked;
    std::copy_if(photos.cbegin(), photos.cend(), std::back_inserter(marked),
                 [](const PhotoFilePtr& photo) { return photo->isSelected; });
    return marked;
}

void Batch::append(const QList<PhotoFilePtr>& admitted)
{
    if (admitted.isEmpty())
        return;
    const auto first = static_cast<int>(photos.size());
    Q_EMIT photosAboutToBeAdded(first, first + static_cast<int>(admitted.size()) - 1);
    for (const PhotoFilePtr& photo : admitted) {
        rows.insert(photo.get(), photos.size());
        photos.append(photo);
        dictFileAdded.insert(photo->filePath, addedMark());
    }
    Q_EMIT photosAdded();
}

// Contiguous runs are removed from the back, so the rows a view holds stay
// valid between the signals.
void Batch::removeWhere(const Predicate& shouldRemove)
{
    for (qsizetype last = photos.size() - 1; last >= 0;) {
        if (!shouldRemove(*photos.at(last))) {
            --last;
            continue;
        }
        qsizetype first = last;
        while (first > 0 && shouldRemove(*photos.at(first - 1)))
            --first;
        removeRange(first, last);
        last = first - 1;
    }
}

void Batch::removeRange(qsizetype first, qsizetype last)
{
    Q_EMIT photosAboutToBeRemoved(static_cast<int>(first), static_cast<int>(last));
    for (qsizetype index = first; index <= last; ++index)
        dictFileAdded.remove(photos.at(index)->filePath);
    photos.remove(first, last - first + 1);
    rowsValid = false;
    Q_EMIT photosRemoved();
}

void Batch::clear()
{
    Q_EMIT aboutToBeCleared();
    photos.clear();
    rows.clear();
    dictFileAdded.clear();
    Q_EMIT cleared();
}

void Batch::setMarked(qsizetype index, bool marked)
{
    if (index < 0 || index >= photos.size() || photos.at(index)->isSelected == marked)
        return;
    photos.at(index)->isSelected = marked;
    Q_EMIT photosChanged(static_cast<int>(index), static_cast<int>(index));
}

void Batch::setAllMarked(bool marked)
{
    for (const PhotoFilePtr& photo : std::as_const(photos))
        photo->isSelected = marked;
    if (!photos.isEmpty())
        Q_EMIT photosChanged(0, static_cast<int>(photos.size()) - 1);
}

void Batch::updateEach(const std::function<bool(PhotoFile&)>& change)
{
    bool anyChanged = false;
    for (const PhotoFilePtr& photo : std::as_const(photos))
        anyChanged = change(*photo) || anyChanged;
    if (anyChanged)
        Q_EMIT photosChanged(0, static_cast<int>(photos.size()) - 1);
}

void Batch::updatePhoto(const PhotoFilePtr& photo, const std::function<void(PhotoFile&)>& change)
{
    change(*photo);
    if (const qsizetype index = indexOf(photo.get()); index >= 0)
        Q_EMIT photosChanged(static_cast<int>(index), static_cast<int>(index));
}

} // namespace fw
