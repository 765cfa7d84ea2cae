#include "platform/PathInfo.h"

#include "platform/NativePath.h"

namespace fw {

PathInfo PathInfo::of(const QString& path)
{
    PathInfo info;
    info.found = !path.isEmpty() && ::stat(NativePath::encode(path).constData(), &info.status) == 0;
    return info;
}

PathInfo PathInfo::ofLink(const QString& path)
{
    PathInfo info;
    info.found =
        !path.isEmpty() && ::lstat(NativePath::encode(path).constData(), &info.status) == 0;
    return info;
}

} // namespace fw
