#pragma once

#include <QString>

namespace fw {

// A file an adding operation did not admit, and why, so that the user is told
// rather than left to find it missing.
struct RefusedFile {
    enum class Reason {
        NotAPhoto,
        CannotBeRead,
        PermissionDenied,
        AlreadyInBatch,
        // A library entry whose path leads out of the library package.
        OutsideLibrary,
    };

    QString path;
    Reason reason = Reason::NotAPhoto;
    // The reader's own words for a file that cannot be read.
    QString detail;

    // The string-table key of the reason.
    static const char* messageKey(Reason reason);
};

} // namespace fw
