#pragma once

#include <QString>
#include <functional>

namespace fw {

// The entries of one folder as the kernel lists them, names in the byte-exact
// form of NativePath, each with its kind from the listing itself (no stat per
// entry). "." and ".." are left out. Thread-safe.
class FolderListing {
public:
    enum class Kind { File, Folder, Link, Other };
    enum class Result { Completed, Ended, Unreadable };
    // Gets an entry's name and kind; returns false to end the listing.
    using Visitor = std::function<bool(const QString& name, Kind kind)>;

    FolderListing() = delete;

    static Result forEachEntry(const QString& folder, const Visitor& visit);
};

} // namespace fw
