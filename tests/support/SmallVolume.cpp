#include "support/SmallVolume.h"

#include <QProcess>

namespace fw::test {

SmallVolume::SmallVolume(QString mountPoint, const QString& size) : folder(std::move(mountPoint))
{
    mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", folder}) == 0;
}

SmallVolume::~SmallVolume()
{
    if (mounted)
        QProcess::execute("umount", {folder});
}

bool SmallVolume::makeReadOnly() const
{
    return mounted && QProcess::execute("mount", {"-o", "remount,ro", folder}) == 0;
}

} // namespace fw::test
