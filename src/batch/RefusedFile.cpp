#include "batch/RefusedFile.h"

namespace fw {

const char* RefusedFile::messageKey(Reason reason)
{
    switch (reason) {
    case Reason::NotAPhoto:
        return "REFUSED_NOT_A_PHOTO";
    case Reason::CannotBeRead:
        return "REFUSED_CANNOT_BE_READ";
    case Reason::PermissionDenied:
        return "REFUSED_PERMISSION_DENIED";
    case Reason::AlreadyInBatch:
        return "REFUSED_ALREADY_IN_BATCH";
    case Reason::OutsideLibrary:
        return "REFUSED_OUTSIDE_LIBRARY";
    }
    return "REFUSED_CANNOT_BE_READ";
}

} // namespace fw
