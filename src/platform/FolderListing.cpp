#include "platform/FolderListing.h"

#include "platform/NativePath.h"

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace fw {

namespace {

using Kind = FolderListing::Kind;

Kind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return Kind::File;
    if (S_ISDIR(mode))
        return Kind::Folder;
    return S_ISLNK(mode) ? Kind::Link : Kind::Other;
}

// Some file systems leave the type out of the listing; lstat tells it then.
Kind kindOf(DIR* folder, const dirent* entry)
{
    switch (entry->d_type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
        return Kind::Link;
    case DT_UNKNOWN:
        break;
    default:
        return Kind::Other;
    }
    struct stat status {};
    if (::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return Kind::Other;
    return kindOfMode(status.st_mode);
}

bool isDotEntry(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

FolderListing::Result FolderListing::forEachEntry(const QString& folder, const Visitor& visit)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(
        ::opendir(NativePath::encode(folder).constData()), ::closedir);
    if (!listing)
        return Result::Unreadable;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (isDotEntry(entry->d_name))
            continue;
        if (!visit(NativePath::decode(QByteArray(entry->d_name)), kindOf(listing.get(), entry)))
            return Result::Ended;
    }
    return Result::Completed;
}

} // namespace fw
