#include "processing/StatusMessages.h"

#include "core/Codes.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

#include <QHash>

namespace fw {

namespace {

const QHash<int, QString>& statusMessageKeys()
{
    static const QHash<int, QString> keys = {
        {PhotoStatus::NotProcessed, StringKey::FILE_NOT_PROCESSED},
        {PhotoStatus::Processed, StringKey::PROCESSED_SUCCESSFULLY},
        {PhotoStatus::MissingAtSource, StringKey::FILE_NOT_AT_SOURCE_DIR},
        {PhotoStatus::SizeTooLarge, StringKey::FILE_DIM_TOO_LONG},
        {PhotoStatus::Skipped, StringKey::FILE_SKIPPED},
        {PhotoStatus::SourceAccessDenied, StringKey::ACCESS_DENIED_SOURCE},
        {PhotoStatus::DestinationAccessDenied, StringKey::ACCESS_DENIED_DEST},
        {PhotoStatus::DestinationFolderMissing, StringKey::DEST_FOLDER_NOT_EXISTS},
        {PhotoStatus::InvalidFileName, StringKey::INVALID_FILENAME},
        {PhotoStatus::NotSaved, StringKey::FILE_NOT_SAVED},
        {PhotoStatus::NotRead, StringKey::FILE_NOT_READ},
        {PhotoStatus::StoppedForSpace, StringKey::STOPPED_FOR_SPACE},
        {PhotoStatus::TooLargeForFormat, StringKey::FILE_TOO_LARGE_FOR_FORMAT},
    };
    return keys;
}

} // namespace

QString StatusMessages::getMessageForstatus(int status, LocalizedStrings& strings)
{
    const auto key = statusMessageKeys().constFind(status);
    return key == statusMessageKeys().cend() ? QStringLiteral("-")
                                             : strings.getLocalizedStringForKey(*key);
}

} // namespace fw
