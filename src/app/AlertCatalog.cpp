#include "app/AlertCatalog.h"

#include "core/Codes.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

#include <QHash>
#include <QLocale>
#include <utility>

namespace fw {

namespace {

using KeyPair = std::pair<const char*, const char*>;

const QHash<int, KeyPair>& alertKeys()
{
    static const QHash<int, KeyPair> keys = {
        {AlertTag::NotEnoughSpace,
         {StringKey::NOT_ENOUGH_SPACE, StringKey::DEST_SPACE_UNAVAILABLE}},
        {AlertTag::PhotoMissingAtSource,
         {StringKey::REMOVE_FROM_BATCH, StringKey::NO_LONGER_EXISTS_AT_SOURCE}},
        {AlertTag::SomePhotosMissing,
         {StringKey::REMOVE_FROM_BATCH, StringKey::SOME_PHOTOS_NOT_EXISTS}},
        {AlertTag::SomePhotosMissingAgain,
         {StringKey::REMOVE_FROM_BATCH, StringKey::SOME_PHOTOS_NOT_EXISTS}},
        {AlertTag::AllPhotosMissing,
         {StringKey::REMOVE_FROM_BATCH, StringKey::ALL_PHOTO_NOT_EXISTS}},
        {AlertTag::FilesCannotBeAdded,
         {StringKey::FILE_CANT_ADDED, StringKey::SOME_FILES_CANT_ADDED}},
        {AlertTag::PhotosAlreadyInBatch,
         {StringKey::PHOTO_EXISTS, StringKey::PHOTOS_EXISTS_IN_BATCH}},
        {AlertTag::NoPhotosToAdd, {StringKey::NO_PHOTOS_TO_ADD, StringKey::NO_PHOTOS_TO_ADD_MSG}},
        {AlertTag::RemoveMarkedPhotos,
         {StringKey::REMOVE_SELECTED_PHOTOS, StringKey::REMOVE_SELECTED_MSG}},
        {AlertTag::RemoveAllPhotos, {StringKey::REMOVE_ALL_PHOTOS, StringKey::REMOVE_ALL_MSG}},
        {AlertTag::NoPhotosMarkedToRemove,
         {StringKey::NO_PHOTOS_SELECTED, StringKey::NO_PHOTOS_SELECTED_MSG}},
        {AlertTag::NoPhotosAdded, {StringKey::NO_PHOTOS_ADDED, StringKey::NO_PHOTOS_ADDED_MSG}},
        {AlertTag::NoPhotosMarkedToProcess,
         {StringKey::NO_PHOTOS_SELECTED, StringKey::SELECTED_TO_PROCESS}},
        {AlertTag::StopRun, {StringKey::STOP_PROCESS, StringKey::STOP_MSG}},
        {AlertTag::NoSizeChosen, {StringKey::NO_SIZE_SELECTED, StringKey::NO_SIZE_SELECTED_MSG}},
    };
    return keys;
}

} // namespace

std::optional<AlertCatalog::Alert> AlertCatalog::alertForTag(int tag, LocalizedStrings& strings)
{
    if (tag == AlertTag::PhotoLimitExceeded) {
        return Alert{
            strings.getLocalizedStringForKey(StringKey::PHOTO_LIMIT_EXCEED),
            strings.getLocalizedStringForKey(StringKey::PHOTO_LIMIT_MSG)
                .replace(QStringLiteral("%@"), QLocale().toString(Limits::defaultPhotoLimit))};
    }
    const auto keys = alertKeys().constFind(tag);
    if (keys == alertKeys().cend())
        return std::nullopt;
    return Alert{strings.getLocalizedStringForKey(keys->first),
                 strings.getLocalizedStringForKey(keys->second)};
}

} // namespace fw
