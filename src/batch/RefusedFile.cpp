#include "batch/RefusedFile.h"

#include "core/StringKeys.h"

namespace fw {

const char* RefusedFile::messageKey(Reason reason)
{
    switch (reason) {
    case Reason::NotAPhoto:
        return StringKey::REFUSED_NOT_A_PHOTO;
    case Reason::CannotBeRead:
        return StringKey::REFUSED_CANNOT_BE_READ;
    case Reason::PermissionDenied:
        return StringKey::REFUSED_PERMISSION_DENIED;
    case Reason::AlreadyInBatch:
        return StringKey::REFUSED_ALREADY_IN_BATCH;
    case Reason::OutsideLibrary:
        return StringKey::REFUSED_OUTSIDE_LIBRARY;
    }
    return StringKey::REFUSED_CANNOT_BE_READ;
}

} // namespace fw
