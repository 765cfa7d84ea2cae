#include "app/AlertCatalog.h"

#include "core/Codes.h"
#include "core/LocalizedStrings.h"

#include <QHash>
#include <utility>

namespace fw {

namespace {

using KeyPair = std::pair<const char*, const char*>;

const QHash<int, KeyPair>& alertKeys()
{
    static const QHash<int, KeyPair> keys = {
        {102, {"NOT_ENOUGH_SPACE", "DEST_SPACE_UNAVAILABLE"}},
        {103, {"REMOVE_FROM_BATCH", "NO_LONGER_EXISTS_AT_SOURCE"}},
        {104, {"REMOVE_FROM_BATCH", "SOME_PHOTOS_NOT_EXISTS"}},
        {105, {"REMOVE_FROM_BATCH", "SOME_PHOTOS_NOT_EXISTS"}},
        {106, {"REMOVE_FROM_BATCH", "ALL_PHOTO_NOT_EXISTS"}},
        {110, {"FILE_CANT_ADDED", "SOME_FILES_CANT_ADDED"}},
        {111, {"PHOTO_EXISTS", "PHOTOS_EXISTS_IN_BATCH"}},
        {112, {"NO_PHOTOS_TO_ADD", "NO_PHOTOS_TO_ADD_MSG"}},
        {113, {"REMOVE_SELECTED_PHOTOS", "REMOVE_SELECTED_MSG"}},
        {114, {"REMOVE_ALL_PHOTOS", "REMOVE_ALL_MSG"}},
        {116, {"NO_PHOTOS_SELECTED", "NO_PHOTOS_SELECTED_MSG"}},
        {117, {"NO_PHOTOS_ADDED", "NO_PHOTOS_ADDED_MSG"}},
        {118, {"NO_PHOTOS_SELECTED", "SELECTED_TO_PROCESS"}},
        {122, {"STOP_PROCESS", "STOP_MSG"}},
        {123, {"NO_SIZE_SELECTED", "NO_SIZE_SELECTED_MSG"}},
    };
    return keys;
}

} // namespace

std::optional<AlertCatalog::Alert> AlertCatalog::alertForTag(int tag, LocalizedStrings& strings)
{
    if (tag == AlertTag::PhotoLimitExceeded) {
        return Alert{
            strings.getLocalizedStringForKey("PHOTO_LIMIT_EXCEED"),
            QStringLiteral("Photo limit exceeded! A Batch of %1 photos can be processed at a time.")
                .arg(Limits::defaultPhotoLimit)};
    }
    const auto keys = alertKeys().constFind(tag);
    if (keys == alertKeys().cend())
        return std::nullopt;
    return Alert{strings.getLocalizedStringForKey(keys->first),
                 strings.getLocalizedStringForKey(keys->second)};
}

} // namespace fw
